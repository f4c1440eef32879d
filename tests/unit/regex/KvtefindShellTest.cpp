// kvtefind from the outside, by its shell test. The tool is built with these tests, so that a
// fault in its own code (the options, the exit statuses) fails this folder's tests as well.
#include <gtest/gtest.h>

#include <cstdlib>

TEST(Kvtefind, AnswersItsCommandLineAsDocumented)
{
    EXPECT_EQ(std::system(KVTE_SHELL_TEST), 0);
}
