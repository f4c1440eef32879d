// The block line index against a plain vector of line starts, with enough lines to split,
// empty and merge blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "textcontrol/model/LineIndex.h"

using namespace kvte::textcontrol;

namespace {
std::vector<size_t> Starts(const std::string& text)
{
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') starts.push_back(i + 1);
    return starts;
}

std::vector<size_t> Breaks(const std::string& text)
{
    std::vector<size_t> breaks;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') breaks.push_back(i);
    return breaks;
}
}  // namespace

TEST(LineIndex, FollowsLargeInsertsAndErasesOfLines)
{
    std::mt19937 rng(11);
    std::string text;
    for (int i = 0; i < 5000; ++i) text += std::string(rng() % 5, 'x') + "\n";
    LineIndex index;
    ASSERT_TRUE(index.Assign(Breaks(text)));
    for (int step = 0; step < 400; ++step) {
        size_t at = rng() % (text.size() + 1);
        if (rng() % 2) {
            std::string piece;
            size_t lines = rng() % 3 == 0 ? rng() % 5000 : rng() % 4;
            for (size_t l = 0; l < lines; ++l) piece += std::string(rng() % 3, 'y') + "\n";
            piece += "z";
            ASSERT_TRUE(index.Insert(at, piece.size(), Breaks(piece)));
            text.insert(at, piece);
        } else {
            size_t n = rng() % 3 == 0 ? rng() % 20000 : rng() % 10;
            n = std::min(n, text.size() - at);
            index.Erase(at, at + n);
            text.erase(at, n);
        }
        ASSERT_TRUE(index.Verify(text.size())) << step;
        std::vector<size_t> starts = Starts(text);
        ASSERT_EQ(index.LineCount(), starts.size()) << step;
        for (int probe = 0; probe < 20; ++probe) {
            size_t line = rng() % starts.size();
            ASSERT_EQ(index.LineStart(line), starts[line]);
            size_t byte = rng() % (text.size() + 1);
            size_t expected =
                static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), byte) - starts.begin()) - 1;
            ASSERT_EQ(index.LineOfIndex(byte), expected);
            // In the CR LF text line L starts at starts[L] + L.
            ASSERT_EQ(index.LineOfCrlfOffset(starts[line] + line), line);
            if (line > 0) {
                ASSERT_EQ(index.LineOfCrlfOffset(starts[line] + line - 1), line - 1);
            }
        }
    }
}

TEST(LineIndex, FlagsTravelWithTheirLinesAcrossBlocks)
{
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "l\n";
    LineIndex index;
    ASSERT_TRUE(index.Assign(Breaks(text)));
    index.SetFlags(3000, LineIndex::kBookmark);
    index.SetState(3000, 7);
    // 2500 lines inserted at the start of line 10: line 3000 becomes 5500.
    std::string piece;
    for (int i = 0; i < 2500; ++i) piece += "n\n";
    ASSERT_TRUE(index.Insert(20, piece.size(), Breaks(piece)));
    EXPECT_EQ(index.Flags(5500), LineIndex::kBookmark);
    EXPECT_EQ(index.State(5500), 7);
    EXPECT_EQ(index.Flags(3000), 0);
    // Lines 100 .. 4099 removed whole: the mark is back at 1500.
    index.Erase(200, 200 + 4000 * 2);
    EXPECT_EQ(index.Flags(1500), LineIndex::kBookmark);
    EXPECT_TRUE(index.Verify(text.size() + piece.size() - 8000));
    EXPECT_EQ(index.Flags(999999), 0);  // out of range reads as unmarked
    const size_t past = index.LineCount();
    index.SetFlags(past, LineIndex::kBookmark);  // and cannot be written
    index.SetState(past, 9);
    EXPECT_EQ(index.Flags(past - 1), 0);
    EXPECT_EQ(index.State(past - 1), 0);
    EXPECT_TRUE(index.Verify(text.size() + piece.size() - 8000));
}
