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

TEST(EmphasisTokenizer, TheFourKindsOnOneLine)
{
    EmphasisTable table;
    ASSERT_EQ(table.Add("if", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("//", "", kEmphasisLineAfter, 6, 0, 6, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\"", "\"", kEmphasisLineBetween, 2, 0, 2, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("/*", "*/", kEmphasisMultiBetween, 7, 0, 6, 0), kEmphasisAccepted);
    EmphasisState state = 0;
    EXPECT_EQ(Tokenize(table, "if (x) \"a // b\" // c", &state), "0+2:1 7+8:2 16+4:6 ");
    EXPECT_EQ(state, 0);
    // Whole words only; case matters.
    EXPECT_EQ(Tokenize(table, "iff elif _if if_ If if", &state), "20+2:1 ");
    // An unclosed pair within a line ends with its line.
    EXPECT_EQ(Tokenize(table, "x \"open", &state), "2+5:2 ");
    EXPECT_EQ(state, 0);
    // A multi-line pair carries its state to the next lines.
    EXPECT_EQ(Tokenize(table, "a /* b", &state), "2+4:7 ");
    EXPECT_NE(state, 0);
    EXPECT_EQ(Tokenize(table, "if // \"", &state), "0+7:7 ");
    EXPECT_EQ(Tokenize(table, "end */ if", &state), "0+6:7 7+2:1 ");
    EXPECT_EQ(state, 0);
}

TEST(EmphasisTokenizer, MatchesOnlyWholeCharacters)
{
    EmphasisTable table;
    ASSERT_EQ(table.Add("A", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\x82", "", kEmphasisLineAfter, 2, 0, 2, 0), kEmphasisAccepted);
    ASSERT_EQ(table.Add("\x8A\xBF", "", kEmphasisWord, 3, 0, 1, 0), kEmphasisAccepted);  // 漢
    EmphasisState state = 0;
    // ア is 0x83 0x41: its trail byte is not the word "A"; あ begins with 0x82 but is a
    // character, not the lone lead byte rule.
    EXPECT_EQ(Tokenize(table, "\x83\x41 A \x82\xA0", &state), "3+1:1 ");
    // Double-byte words need no word boundary.
    EXPECT_EQ(Tokenize(table, "\x8A\xBF\x8E\x9A\x8A\xBF", &state), "0+2:3 4+2:3 ");
    EXPECT_EQ(Tokenize(table, "x \x82", &state), "2+1:2 ");
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
    EXPECT_EQ(table.Add("again", "", kEmphasisWord, 0, 0, 1, 0), kEmphasisAccepted);
    EXPECT_EQ(table.Add("", "", kEmphasisWord, 0, 0, 1, 0), kEmphasisAccepted);  // never matches
    EmphasisState state = 0;
    EXPECT_EQ(Tokenize(table, "again", &state), "0+5:0 ");
}

TEST(EmphasisModel, OpeningAndClosingACommentRecolorsTheLinesBelow)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("a\nif b\nc */ if\nd"));
    AddCLikeRules(model);
    std::vector<ColourRun> runs;
    model.LineColourRuns(2, &runs);
    EXPECT_EQ(Describe(runs), "0+2:1 ");
    model.SetSelection(1, 1, 1, 1);
    ASSERT_TRUE(model.InsertText("/*"));
    model.LineColourRuns(2, &runs);
    EXPECT_EQ(Describe(runs), "0+4:7 ");
    model.LineColourRuns(3, &runs);
    EXPECT_EQ(Describe(runs), "0+4:7 5+2:1 ");
    model.LineColourRuns(4, &runs);
    EXPECT_EQ(Describe(runs), "");
    ASSERT_TRUE(model.Undo());
    model.LineColourRuns(3, &runs);
    EXPECT_EQ(Describe(runs), "5+2:1 ");
    model.ClearEmphasis();
    model.LineColourRuns(3, &runs);
    EXPECT_TRUE(runs.empty());
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
}
