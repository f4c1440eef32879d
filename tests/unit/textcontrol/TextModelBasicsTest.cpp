// Whole-text operations, line endings, positions and offsets of the text model.
#include <gtest/gtest.h>

#include <cstring>

#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

TEST(TextModelText, RecognisesTheFirstLineEndingAndWritesEveryMode)
{
    TextModel model;
    EXPECT_EQ(model.GetLineEnding(), kLineEndingCrLf);  // never loaded
    ASSERT_TRUE(model.SetText("a\rb\r\nc\nd"));
    EXPECT_EQ(model.GetLineEnding(), kLineEndingCr);
    EXPECT_EQ(model.GetLineCount(), 4);
    EXPECT_EQ(model.GetText(kLineEndingCrLf), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(model.GetText(kLineEndingCr), "a\rb\rc\rd");
    EXPECT_EQ(model.GetText(kLineEndingLf), "a\nb\nc\nd");
    EXPECT_EQ(model.GetText(kLineEndingAutomatic), "a\rb\rc\rd");
    EXPECT_EQ(model.GetTextLength(), 10u);

    ASSERT_TRUE(model.SetText("x\r\ny\n"));
    EXPECT_EQ(model.GetLineEnding(), kLineEndingCrLf);
    EXPECT_EQ(model.GetLineCount(), 3);
    ASSERT_TRUE(model.SetText("x\ny\r\n"));
    EXPECT_EQ(model.GetLineEnding(), kLineEndingLf);
    ASSERT_TRUE(model.SetText("no break"));
    EXPECT_EQ(model.GetLineEnding(), kLineEndingCrLf);
    EXPECT_EQ(model.GetText(99), "no break");
}

TEST(TextModelText, GetTextNeverOverrunsTheBuffer)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("ab\ncd\n"));
    char small[5];
    std::memset(small, 'Z', sizeof small);
    EXPECT_EQ(model.GetText(small, sizeof small, kLineEndingCrLf), 4u);
    EXPECT_STREQ(small, "ab\r\n");
    std::vector<char> exact(model.GetTextLength() + 1);
    for (int mode = 1; mode <= 4; ++mode) model.GetText(exact.data(), exact.size(), mode);
    EXPECT_STREQ(exact.data(), "ab\ncd\n");
    EXPECT_EQ(model.GetText(nullptr, 0, 1), 0u);
}

TEST(TextModelPositions, OffsetsCountLineBreaksAsTwoBytes)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("ab\ncde\n\nf"));
    EXPECT_EQ(model.OffsetOfPosition({1, 1}), 1);
    EXPECT_EQ(model.OffsetOfPosition({2, 1}), 5);
    EXPECT_EQ(model.OffsetOfPosition({3, 1}), 10);
    EXPECT_EQ(model.OffsetOfPosition({4, 2}), 13);
    EXPECT_EQ(model.PositionOfOffset(5), (TextPosition{2, 1}));
    // The CR and the LF of a break both mean the end of the line before.
    EXPECT_EQ(model.PositionOfOffset(3), (TextPosition{1, 3}));
    EXPECT_EQ(model.PositionOfOffset(4), (TextPosition{1, 3}));
    EXPECT_EQ(model.PositionOfOffset(1000), (TextPosition{4, 2}));
    EXPECT_EQ(model.PositionOfOffset(-5), (TextPosition{1, 1}));
    EXPECT_EQ(model.ClampPosition({9, 9}), (TextPosition{4, 2}));
    EXPECT_EQ(model.ClampPosition({0, 0}), (TextPosition{1, 1}));
    EXPECT_EQ(model.GetLineLength(2), 3);
    EXPECT_EQ(model.LineText(2), "cde");
    EXPECT_EQ(model.GetLineLength(5), 0);
}
