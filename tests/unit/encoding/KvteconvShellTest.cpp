// kvteconv from the outside, by its shell test. The tool is built with these tests, so that a
// fault in its own code (the options, the writes, the exit statuses) fails them as well.
#include <gtest/gtest.h>

#include <cstdlib>

TEST(Kvteconv, AnswersItsCommandLineAsDocumented)
{
    // A tool that never returns fails the test after two minutes, and none of it is left running.
    const char* command =
        "timeout 120 bash '" KVTE_SOURCE_DIR "/tests/unit/encoding/kvteconv_cli_test.sh' '" KVTE_TOOL "'";
    EXPECT_EQ(std::system(command), 0);
}
