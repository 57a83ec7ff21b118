#include "tests/CoreTestSupport.h"

#include "colour/FatalFailure.h"

void FatalFailure(const char* reason)
{
    throw FatalFailureReported(reason);
}
