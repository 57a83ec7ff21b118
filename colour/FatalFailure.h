#pragma once

// Ends the program after a failure it cannot go on from, such as no memory for
// a text. The application frame defines it (message box, exit code -1); the
// core's tests define their own so that they can watch it being reached.
[[noreturn]] void FatalFailure(const char* reason);
