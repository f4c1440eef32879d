// The decisions behind auto-indenting Enter and the alternating Home, on line bytes.
#include <gtest/gtest.h>

#include <string>

#include "app/EditorKeys.h"

namespace {

std::string Break(const std::string& line, int column)
{
    std::string text = "untouched";
    return IndentedLineBreak(line.data(), static_cast<int>(line.size()), column, text) ? text : "(own Enter)";
}

int Home(const std::string& line, int caret)
{
    return AlternatingHomeColumn(line.data(), static_cast<int>(line.size()), caret);
}

TEST(EditorKeys, EnterCopiesTheIndentOnlyFromTheEndOfTheLeadingBlanks)
{
    EXPECT_EQ(Break("    foo", 8), "\r\n    ");
    EXPECT_EQ(Break("    foo", 5), "\r\n    ");  // just before f
    EXPECT_EQ(Break("    foo", 3), "(own Enter)");
    EXPECT_EQ(Break("    foo", 1), "(own Enter)");
    EXPECT_EQ(Break(" \t x", 5), "\r\n \t ");
    EXPECT_EQ(Break("    foo", 4), "(own Enter)");  // before the last blank
    EXPECT_EQ(Break("foo", 1), "\r\n");
}

TEST(EditorKeys, EnterCopiesABlankLineWholeWhereverTheCaretIs)
{
    for (int column = 1; column <= 4; ++column) EXPECT_EQ(Break("\t\t\t", column), "\r\n\t\t\t");
    EXPECT_EQ(Break("", 1), "\r\n");
    std::string text;
    // No line is an empty one whatever length comes with it, at any column.
    for (int column : {0, 1}) {
        EXPECT_TRUE(IndentedLineBreak(nullptr, 5, column, text));
        EXPECT_EQ(text, "\r\n");
    }
}

TEST(EditorKeys, EnterStopsAtTheFirstOtherByteEvenADoubleByteOne)
{
    // A full-width blank (0x81 0x40) is a character, not indentation.
    EXPECT_EQ(Break("  \x81\x40x", 3), "\r\n  ");
    EXPECT_EQ(Break("  \x81\x40x", 2), "(own Enter)");
}

TEST(EditorKeys, HomeAlternatesBetweenTheFirstCharacterAndTheLineStart)
{
    EXPECT_EQ(Home("\tbar", 4), 2);
    EXPECT_EQ(Home("\tbar", 2), 1);
    EXPECT_EQ(Home("\tbar", 1), 2);
    EXPECT_EQ(Home("bar", 1), 1);  // no indentation: the start is the first character
    EXPECT_EQ(Home("bar", 3), 1);
}

TEST(EditorKeys, HomeLeavesBlankAndEmptyLinesToTheControl)
{
    EXPECT_EQ(Home("   ", 2), 0);
    EXPECT_EQ(Home("", 1), 0);
    EXPECT_EQ(AlternatingHomeColumn(nullptr, 3, 1), 0);
    EXPECT_EQ(AlternatingHomeColumn("ab", -1, 1), 0);
}

}  // namespace
