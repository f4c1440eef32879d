// Whole-text operations, line endings, positions and offsets of the text model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

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

// The text as the model holds it (every line break one LF) and the first break's kind.
std::pair<std::string, int> Normalized(const std::string& text)
{
    std::string lf;
    int ending = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            const bool pair = i + 1 < text.size() && text[i + 1] == '\n';
            if (ending == 0) ending = pair ? kLineEndingCrLf : kLineEndingCr;
            if (pair) ++i;
            lf += '\n';
        } else {
            if (text[i] == '\n' && ending == 0) ending = kLineEndingLf;
            lf += text[i];
        }
    }
    return {lf, ending == 0 ? kLineEndingCrLf : ending};
}

TEST(TextModelText, ATextTakenWholeHasItsLineBreaksMadeLf)
{
    // Line breaks of every kind, where the word-at-a-time search meets them at each offset.
    std::string big;
    for (int i = 0; big.size() < 300000; ++i)
        big += std::string(static_cast<size_t>(i % 13), 'a') + (i % 5 == 0 ? "\r" : i % 5 == 1 ? "\n" : "\r\n");
    for (const std::string& text : {std::string(), std::string("\r"), std::string("a\r\r\nb\r"),
                                    std::string("\n\r\n\r"), std::string(100000, 'x') + "\r\n", big}) {
        const auto [lf, ending] = Normalized(text);
        TextModel model;
        ASSERT_TRUE(model.SetTextOwned(std::string(text)));
        EXPECT_EQ(model.GetText(kLineEndingLf), lf);
        EXPECT_EQ(model.GetLineEnding(), ending);
        EXPECT_EQ(model.GetLineCount(), 1 + static_cast<int>(std::count(lf.begin(), lf.end(), '\n')));
    }
    // A long text without CR stays where it was given.
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += "line\n";
    const char* where = lines.data();
    TextModel model;
    ASSERT_TRUE(model.SetTextOwned(std::move(lines)));
    EXPECT_EQ(model.LineText(1).data(), where);
    EXPECT_EQ(model.GetLineCount(), 20001);
    EXPECT_EQ(model.GetLineEnding(), kLineEndingLf);
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
