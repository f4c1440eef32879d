// Entry point of the Windows test executable.
#include <gtest/gtest.h>

#include "app/KelvaraApp.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The tests' program folder holds no colour file. The program says so once a run; that
    // one notice would land in whichever test starts a window first and upset its count of
    // messages, so it counts as said.
    theApp.emphasis.colourFileReported = true;
    return RUN_ALL_TESTS();
}
