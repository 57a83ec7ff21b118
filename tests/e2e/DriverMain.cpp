#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

// The program paths come first on the command line, before GoogleTest's flags.
int main(int argc, char** argv)
{
    driver::SetProgramPaths(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
