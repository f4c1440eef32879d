// kvteconv from the outside, by its shell test. The tool is built with these tests, so that a
// fault in its own code (the options, the writes, the exit statuses) fails them as well.
#include <gtest/gtest.h>

#include <cstdlib>

TEST(Kvteconv, AnswersItsCommandLineAsDocumented)
{
    EXPECT_EQ(std::system(KVTE_SHELL_TEST), 0);
}
