// Emphasis rules and the line tokenizer, alone and through the model's line states.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "textcontrol/model/Emphasis.h"
#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

namespace {
// Runs as "start+length:colour" for compact comparisons.
std::string Describe(const std::vector<ColourRun>& runs)
{
    std::string out;
    for (const ColourRun& run : runs)
        out += std::to_string(run.start) + "+" + std::to_string(run.length) + ":" + std::to_string(run.colour) + " ";
    return out;
}

std::string Tokenize(const EmphasisTable& table, const std::string& line, EmphasisState* state)
{
    std::vector<ColourRun> runs;
    *state = table.TokenizeLine(line.data(), line.size(), *state, &runs);
    return Describe(runs);
}

void AddCLikeRules(TextModel& model)
{
    ASSERT_EQ(model.AddEmphasis("if", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(model.AddEmphasis("else", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(model.AddEmphasis("//", "", kEmphasisLineAfter, 6, 0, 6, 0), kEmphasisAccepted);
    ASSERT_EQ(model.AddEmphasis("/*", "*/", kEmphasisMultiBetween, 7, 0, 6, 0), kEmphasisAccepted);
    ASSERT_EQ(model.AddEmphasis("\"", "\"", kEmphasisLineBetween, 2, 0, 2, 0), kEmphasisAccepted);
}
}  // namespace

TEST(EmphasisTokenizer, LinesInOrderCarryTheStateOfAnOpenPair)
{
    EmphasisTable table;
    ASSERT_EQ(table.Add("if", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("//", "", kEmphasisLineAfter, 6, 0, 6, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\"", "\"", kEmphasisLineBetween, 2, 0, 2, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("A", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\x82", "", kEmphasisLineAfter, 2, 0, 2, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\x8A\xBF", "", kEmphasisWord, 3, 0, 1, 0), kEmphasisAccepted);  // 漢
    ASSERT_EQ(table.Add(">", "", kEmphasisLineAfter, 4, kEmphasisAtLineStart, 4, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("/*", "*/", kEmphasisMultiBetween, 7, 0, 6, 0), kEmphasisAccepted);  // the last rule's state
    const struct {
        const char* line;
        const char* runs;
        bool open;  // inside the multi-line pair after the line
    } lines[] = {
        {"if (x) \"a // b\" // c", "0+2:1 7+8:2 16+4:6 ", false},
        {"iff elif _if if_ If if Aif Zif aif zif 0if if9", "20+2:1 ", false},  // whole words only; case matters
        {"x \"open", "2+5:2 ", false},                 // a pair within a line ends with it
        {"a /* b", "2+4:7 ", true},
        {"if // \"", "0+7:7 ", true},
        {"", "", true},
        {"end */ if", "0+6:7 7+2:1 ", false},
        // The trail byte of ア is not the word "A", あ is not the lone lead byte; double-byte
        // words need no word boundary.
        {"\x83\x41 A \x82\xA0", "3+1:1 ", false},
        {"\x8A\xBF\x8E\x9A\x8A\xBF", "0+2:3 4+2:3 ", false},
        {"x \x82", "2+1:2 ", false},
        {" \t> quoted", "2+8:4 ", false},  // after the indentation only
        {"a > b", "", false},
        {"/* a", "0+4:7 ", true},
        {"*/> b", "0+2:7 ", false},  // a line that starts inside a pair has no line start
    };
    EmphasisState state = 0;
    for (const auto& l : lines) {
        EXPECT_EQ(Tokenize(table, l.line, &state), l.runs) << l.line;
        EXPECT_EQ(state != 0, l.open) << l.line;
    }
}

TEST(EmphasisTable, RefusesBeyondItsBoundAndBadKinds)
{
    EmphasisTable table;
    EXPECT_EQ(table.Add("x", "", 5, 0, 0, 1, 0), kEmphasisBadKind);
    EXPECT_EQ(table.Add("x", "", 0, 0, 0, 1, 0), kEmphasisBadKind);
    for (size_t i = 0; i < kMaxEmphasisRules; ++i)
        ASSERT_EQ(table.Add("w" + std::to_string(i), "", kEmphasisWord, 0, 0, 1, 0), kEmphasisAccepted);
    EXPECT_NE(table.Add("one more", "", kEmphasisWord, 0, 0, 1, 0), kEmphasisAccepted);
    table.Clear();
    EXPECT_EQ(table.Add("", "", kEmphasisWord, 0, 0, 1, 0), kEmphasisAccepted);  // never matches
    EmphasisState state = 0;
    EXPECT_EQ(Tokenize(table, "w1", &state), "");
}

TEST(EmphasisModel, IncrementalStatesEqualAFreshTokenization)
{
    std::mt19937 rng(7);
    static const char* pieces[] = {"/*", "*/", "\n", "if ", "x", "\"", "//", "\r\n", "\x82\xA0", "\x82"};
    TextModel model;
    ASSERT_TRUE(model.SetText("start\n"));
    AddCLikeRules(model);
    for (int step = 0; step < 600; ++step) {
        int lines = model.GetLineCount();
        int line = 1 + static_cast<int>(rng() % lines);
        model.SetSelection(line, 1 + static_cast<int>(rng() % 6), line, 1 + static_cast<int>(rng() % 6));
        if (rng() % 4 == 0)
            model.DeleteBackward();
        else
            model.InsertText(pieces[rng() % (sizeof pieces / sizeof *pieces)]);
        if (rng() % 5 == 0) model.Undo();
        // Look at a few lines only, as a view showing one screen would.
        int shown = 1 + static_cast<int>(rng() % model.GetLineCount());
        std::vector<ColourRun> runs;
        model.LineColourRuns(shown, &runs);
        if (step % 25 != 0) continue;
        TextModel fresh;
        ASSERT_TRUE(fresh.SetText(model.GetText(kLineEndingLf)));
        AddCLikeRules(fresh);
        for (int l = 1; l <= model.GetLineCount(); ++l) {
            std::vector<ColourRun> expected;
            fresh.LineColourRuns(l, &expected);
            model.LineColourRuns(l, &runs);
            ASSERT_EQ(Describe(runs), Describe(expected)) << "step " << step << " line " << l;
        }
    }
    model.ClearEmphasis();
    std::vector<ColourRun> runs;
    for (int l = 1; l <= model.GetLineCount(); ++l) {
        model.LineColourRuns(l, &runs);
        EXPECT_TRUE(runs.empty()) << l;
    }
}
