#pragma once

#include <stdexcept>

// Thrown by the test build's FatalFailure, so that a test can see the program
// would have ended without the test process ending with it.
struct FatalFailureReported : std::runtime_error {
    using std::runtime_error::runtime_error;
};
