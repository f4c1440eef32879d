// Long random sequences of edits, selections, undos and redos applied both to the model
// and to a plain string, the oracle, comparing text, lines, offsets and caret after
// every step. The oracle implements character units, offsets and undo merging on its
// own, as simply as possible.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "textcontrol/model/TextModel.h"
#include "TextOracle.h"

namespace kvte::textcontrol {
// Reaches the model's private line index to check its invariants.
struct TextModelAccess {
    static bool Verify(const TextModel& model)
    {
        return model.lines_.Verify(model.buffer_.Length()) && model.buffer_.Verify();
    }
};
}  // namespace kvte::textcontrol

using namespace kvte::textcontrol;
using kvte::textcontrol::testing::Oracle;

namespace {

std::string RandomPiece(std::mt19937& rng)
{
    // Letters, blanks, every kind of line break, あ 亜, ア (trail 'A'), a lone lead byte,
    // stray bytes, ｱ, the ideographic space, and emphasis delimiters.
    static const char* pieces[] = {"a",    "b",        "Z",        "1",        " ",        "\t",   "\r\n",
                                   "\r",   "\n",       "\x82\xA0", "\x88\x9F", "\x83\x41", "\x82", "\xA0",
                                   "\xB1", "\x81\x40", "/*",       "*/",       "if",       "\xFD", "\x80"};
    std::string s;
    int n = std::uniform_int_distribution<int>(1, 6)(rng);
    for (int i = 0; i < n; ++i) s += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    if (rng() % 3 == 0) return std::string(pieces[rng() % (sizeof pieces / sizeof *pieces)]);
    return s;
}

void CheckSame(TextModel& model, const Oracle& oracle, int step, int op)
{
    SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
    ASSERT_EQ(model.GetText(kLineEndingLf), oracle.text);
    ASSERT_EQ(model.GetLineCount(), oracle.Lines());
    ASSERT_EQ(model.GetTextLength(), oracle.text.size() + oracle.Lines() - 1);
    ASSERT_EQ(model.CaretIndex(), oracle.caret);
    ASSERT_EQ(model.AnchorIndex(), oracle.anchor);
    ASSERT_EQ(model.GetCaretOffset(), oracle.Offset(oracle.caret));
    ASSERT_EQ(model.Caret(), oracle.Position(oracle.caret));
    ASSERT_EQ(model.SelectionStartOffset(), oracle.Offset(std::min(oracle.anchor, oracle.caret)));
    ASSERT_EQ(model.SelectionEndOffset(), oracle.Offset(std::max(oracle.anchor, oracle.caret)));
    ASSERT_TRUE(TextModelAccess::Verify(model));
}

// taken: the initial text goes in by SetTextOwned (a large one then stays where it is,
// and the edits cut and copy its slices).
void RunRandomSequence(unsigned seed, int steps, int undoLimit, const std::string& initial = std::string(),
                       bool taken = false)
{
    std::mt19937 rng(seed);
    TextModel model;
    Oracle oracle;
    ASSERT_TRUE(taken ? model.SetTextOwned(std::string(initial)) : model.SetText(initial));
    oracle.text = Oracle::Lf(initial);
    model.SetUndoLimit(undoLimit);
    oracle.limit = undoLimit < 0 ? 1u << 30 : static_cast<size_t>(undoLimit);
    for (int step = 0; step < steps; ++step) {
        int op = static_cast<int>(rng() % 100);
        if (op < 30) {
            std::string piece = RandomPiece(rng);
            if (!initial.empty() && rng() % 20 == 0 && !taken) {
                for (int k = 0; k < 3000; ++k) piece += "\x88\x9F paste\n";  // crosses chunks and blocks
            }
            ASSERT_EQ(model.InsertText(piece), oracle.Insert(piece));
        } else if (op < 40) {
            ASSERT_EQ(model.DeleteBackward(), oracle.Backspace());
        } else if (op < 48) {
            ASSERT_EQ(model.DeleteForward(), oracle.Delete());
        } else if (op < 60) {
            int total = static_cast<int>(model.GetTextLength()) + 3;
            int a = static_cast<int>(rng() % total), c = static_cast<int>(rng() % total);
            if (rng() % 3 == 0) c = a;
            model.SelectRange(a, c);
            oracle.Select(oracle.IndexOfOffset(a), oracle.IndexOfOffset(c));
        } else if (op < 66) {
            int line = static_cast<int>(rng() % (oracle.Lines() + 2));
            int column = static_cast<int>(rng() % 12);
            model.SetSelection(line, column, line, column);
            TextPosition p = model.Caret();
            // The oracle agrees on where that position is: same line, clamped column, unit start.
            int clampedLine = std::clamp(line, 1, oracle.Lines());
            ASSERT_EQ(p.line, clampedLine);
            size_t idx = 0;
            for (int l = 1; l < clampedLine; ++l) idx = oracle.text.find('\n', idx) + 1;
            size_t lineEnd = oracle.text.find('\n', idx);
            if (lineEnd == std::string::npos) lineEnd = oracle.text.size();
            size_t want = std::min(idx + std::max(column, 1) - 1, lineEnd);
            oracle.Select(want, want);
        } else if (op < 78) {
            ASSERT_EQ(model.Undo(), oracle.Undo());
        } else if (op < 88) {
            ASSERT_EQ(model.Redo(), oracle.Redo());
        } else if (op < 90) {
            bool editable = rng() % 4 != 0;
            model.SetEditable(editable);
            oracle.editable = editable;
        } else {
            // Round trips of offsets and positions over the whole text.
            int total = static_cast<int>(model.GetTextLength()) + 1;
            for (int k = 0; k < 5; ++k) {
                int offset = static_cast<int>(rng() % (total + 4)) - 2;
                size_t idx = oracle.IndexOfOffset(offset);
                ASSERT_EQ(model.IndexOfOffset(offset), idx) << offset;
                ASSERT_EQ(model.PositionOfOffset(offset), oracle.Position(idx));
                ASSERT_EQ(model.OffsetOfPosition(oracle.Position(idx)), oracle.Offset(idx));
            }
        }
        CheckSame(model, oracle, step, op);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace

TEST(TextModelRandom, MatchesThePlainStringOracleWithAnyHistoryLimit)
{
    for (unsigned seed = 1; seed <= 36; ++seed) {
        RunRandomSequence(seed, 1500, seed % 3 == 0 ? 256 : seed % 3 == 1 ? 3 : -1);
        if (HasFatalFailure()) FAIL() << "seed " << seed;
    }
}

TEST(TextModelRandom, MatchesOnATextOfManyChunksAndBlocksWithMixedLineBreaks)
{
    // Large enough for several byte chunks and line blocks, so that edits cross them; loaded
    // by copying (then pasted into) and taken whole (then cut into slices).
    std::string initial;
    for (int i = 0; i < 15000; ++i)
        initial += (i % 7 == 0 ? "\x82\xA0line\r"
                    : i % 3    ? "\x88\x9F"
                                 "ab\r\n"
                               : "x\n");
    RunRandomSequence(500, 250, 256, initial);
    for (unsigned seed = 600; seed < 606 && !HasFatalFailure(); ++seed) {
        RunRandomSequence(seed, 400, 256, initial, true);
        if (HasFatalFailure()) FAIL() << "seed " << seed;
    }
}

TEST(TextModelRandom, ErasesFromOneLineBlockToAroundTheEndOfAnother)
{
    std::string initial;
    for (int i = 0; i < 5000; ++i) initial += "x\n";
    for (int endLine = 2044; endLine <= 2052; ++endLine) {
        TextModel model;
        ASSERT_TRUE(model.SetText(initial));
        model.SelectRange(13, 3 * (endLine - 1) + 2);  // line 5 to just after the x of endLine
        ASSERT_TRUE(model.DeleteForward());
        EXPECT_EQ(model.GetText(kLineEndingLf), initial.substr(0, 8) + initial.substr(2 * endLine - 1)) << endLine;
        EXPECT_TRUE(TextModelAccess::Verify(model)) << endLine;
    }
}
