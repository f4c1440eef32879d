// Line endings, indentation, what ends an undo step, bookmarks and change notices of the
// text model. Plain edits, offsets and undo merging are proved by the oracle of
// TextModelRandomTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textcontrol/model/TextModel.h"
#include "textcontrol/model/UndoHistory.h"

using namespace kvte::textcontrol;

namespace {
std::string Text(const TextModel& model) { return model.GetText(kLineEndingLf); }
}  // namespace

TEST(TextModelText, TheFirstLineBreakNamesTheEndingAndEveryBreakBecomesLf)
{
    const struct {
        std::string text, lf;
        int ending;
    } cases[] = {
        {"a\rb\r\nc\nd", "a\nb\nc\nd", kLineEndingCr},
        {"x\r\ny\n", "x\ny\n", kLineEndingCrLf},
        {"x\ny\r\n", "x\ny\n", kLineEndingLf},
        {"no break", "no break", kLineEndingCrLf},
        {"", "", kLineEndingCrLf},
        {"\r", "\n", kLineEndingCr},
        {"a\r\r\nb\r", "a\n\nb\n", kLineEndingCr},
        {"\n\r\n\r", "\n\n\n", kLineEndingLf},
    };
    for (const auto& c : cases) {
        for (bool taken : {false, true}) {
            TextModel model;
            ASSERT_TRUE(taken ? model.SetTextOwned(std::string(c.text)) : model.SetText(c.text));
            EXPECT_EQ(Text(model), c.lf) << c.text.substr(0, 20) << " taken " << taken;
            EXPECT_EQ(model.GetLineEnding(), c.ending) << c.text.substr(0, 20) << " taken " << taken;
        }
    }
    TextModel model;
    ASSERT_TRUE(model.SetText("a\nb"));
    EXPECT_EQ(model.GetText(kLineEndingCrLf), "a\r\nb");
    EXPECT_EQ(model.GetText(kLineEndingCr), "a\rb");
    EXPECT_EQ(model.GetText(kLineEndingAutomatic), "a\nb");  // as loaded
    EXPECT_EQ(model.GetText(99), "a\nb");
    // A long text without CR stays where it was given.
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += "line\n";
    const char* where = lines.data();
    ASSERT_TRUE(model.SetTextOwned(std::move(lines)));
    EXPECT_EQ(model.LineText(1).data(), where);
    EXPECT_EQ(model.GetLineCount(), 20001);
}

TEST(TextModelText, GetTextNeverOverrunsTheBuffer)
{
    TextModel model;
    model.AddObserver(nullptr);  // ignored: the change notices below reach no one
    ASSERT_TRUE(model.SetText("ab\ncd\n"));
    char small[5] = "ZZZZ", exact[9];
    EXPECT_EQ(model.GetText(small, sizeof small, kLineEndingCrLf), 4u);
    EXPECT_STREQ(small, "ab\r\n");
    for (int mode = 1; mode <= 4; ++mode) model.GetText(exact, model.GetTextLength() + 1, mode);
    EXPECT_STREQ(exact, "ab\ncd\n");
    EXPECT_EQ(model.GetText(nullptr, 0, 1), 0u);
}

TEST(TextModelText, PiecesOfAnySizeJoinToTheWholeTextInEveryMode)
{
    TextModel model;
    // Chunks of the buffer end inside the text: pieces must cross them too.
    std::string text(3 * TextBuffer::kChunkLimit, 'x');
    for (size_t i = 0; i < text.size(); i += 97) text[i] = '\n';
    text = "\r\n" + text + "\n";
    ASSERT_TRUE(model.SetText(text));
    model.SetLineEnding(kLineEndingLf);  // so that no explicit mode is mistaken for the text's own
    for (int mode : {kLineEndingCrLf, kLineEndingCr, kLineEndingLf, kLineEndingAutomatic}) {
        for (size_t piece : {size_t{1}, size_t{96}, size_t{97}, TextBuffer::kChunkLimit + 1}) {
            std::string out = "head";
            size_t at = 0;
            while (at < model.ByteLength()) at = model.AppendTextPiece(at, piece, mode, out);
            EXPECT_EQ(out, "head" + model.GetText(mode)) << mode << " " << piece;
            EXPECT_EQ(model.AppendTextPiece(at + 5, piece, mode, out), model.ByteLength());
        }
    }
}

TEST(TextModelEdits, IndentAndUnindentTheSelectedLines)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("a\n  b\n\tc\n\nd"));
    model.SetSelection(1, 1, 4, 1);  // ends at column 1: line 4 is not touched
    ASSERT_TRUE(model.Indent());
    EXPECT_EQ(Text(model), "\ta\n\t  b\n\t\tc\n\nd");
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 1}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{4, 1}));
    ASSERT_TRUE(model.Unindent());
    ASSERT_TRUE(model.Unindent());
    EXPECT_EQ(Text(model), "a\nb\nc\n\nd");
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "a\n  b\n\tc\n\nd");
    // Without a selection: the caret line, the caret moving with its text.
    model.SetSelection(2, 3, 2, 3);
    ASSERT_TRUE(model.Indent());
    EXPECT_EQ(Text(model), "a\n\t  b\n\tc\n\nd");
    EXPECT_EQ(model.Caret(), (TextPosition{2, 4}));
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.Caret(), (TextPosition{2, 3}));
    ASSERT_TRUE(model.Redo());
    EXPECT_EQ(model.Caret(), (TextPosition{2, 4})) << "redo puts the caret where the indent left it";
    EXPECT_EQ(model.SelectionStart(), (TextPosition{2, 4})) << "and the anchor with it";
    ASSERT_TRUE(model.Undo());
    model.SetSelection(1, 1, 5, 2);  // an empty line of a block stays empty
    ASSERT_TRUE(model.Indent());
    EXPECT_EQ(Text(model), "\ta\n\t  b\n\t\tc\n\n\td");
    model.SetEditable(false);
    EXPECT_FALSE(model.Indent());
    EXPECT_FALSE(model.Unindent());
    model.SetEditable(true);
    EXPECT_FALSE((model.SetCaretLine(4), model.Unindent()));  // nothing to remove
}

TEST(TextModelUndo, WhatEndsAStepAndWhatTheLimitKeeps)
{
    // A caret move ends the typing step; an indentation that changes nothing does not.
    TextModel model;
    ASSERT_TRUE(model.SetText(""));
    ASSERT_TRUE(model.InsertText("a"));
    ASSERT_TRUE(model.InsertText("b"));
    model.MoveCaret(CaretMove::CharLeft, false);
    ASSERT_TRUE(model.InsertText("c"));
    EXPECT_FALSE(model.Unindent());
    ASSERT_TRUE(model.InsertText("d"));
    EXPECT_EQ(Text(model), "acdb");
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "ab");
    EXPECT_EQ(model.Caret(), (TextPosition{1, 2}));
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "");
    // Changing the limit keeps what can be redone; 0 is ignored.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(model.InsertText("x\n"));
    model.SetUndoLimit(0);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(model.Undo());
    model.SetUndoLimit(1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(model.Redo());
    EXPECT_EQ(Text(model), "x\nx\nx\n");
    ASSERT_TRUE(model.InsertText("y\n"));  // the next edit trims to the limit
    EXPECT_TRUE(model.Undo());
    EXPECT_FALSE(model.Undo());
}

TEST(TextModelUndo, UndoingBackToTheSavedTextReadsAsUnmodifiedUntilThatPlaceIsLost)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("base"));
    EXPECT_TRUE(model.AtSavePoint());  // a loaded text is the file
    ASSERT_TRUE(model.InsertText("a"));
    ASSERT_TRUE(model.InsertText("b"));
    EXPECT_FALSE(model.AtSavePoint());
    model.MarkSavePoint();  // saved after "ab"
    ASSERT_TRUE(model.InsertText("c"));  // typing on is a step of its own
    EXPECT_FALSE(model.AtSavePoint());
    ASSERT_TRUE(model.Undo());
    EXPECT_TRUE(model.AtSavePoint());
    ASSERT_TRUE(model.Undo());
    EXPECT_FALSE(model.AtSavePoint());
    ASSERT_TRUE(model.Redo());
    EXPECT_TRUE(model.AtSavePoint());
    // Undone past the save point and edited: the saved text can never come back.
    ASSERT_TRUE(model.Undo());
    ASSERT_TRUE(model.InsertText("z"));
    ASSERT_TRUE(model.Undo());
    EXPECT_FALSE(model.AtSavePoint());
    EXPECT_FALSE(model.Redo() && model.AtSavePoint());
    // The limit trims steps: the save point survives as long as the step after it does.
    ASSERT_TRUE(model.SetText(""));
    model.SetUndoLimit(2);
    ASSERT_TRUE(model.InsertText("1\n"));
    model.MarkSavePoint();
    for (const char* line : {"2\n", "3\n"}) ASSERT_TRUE(model.InsertText(line));
    ASSERT_TRUE(model.Undo() && model.Undo());
    EXPECT_TRUE(model.AtSavePoint());
    EXPECT_EQ(Text(model), "1\n");
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(model.Redo());
    ASSERT_TRUE(model.InsertText("4\n"));  // now the step after the save point goes
    while (model.Undo()) EXPECT_FALSE(model.AtSavePoint());
}

TEST(TextModelBookmarks, MarksMoveWithTheirLines)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("1\n2\n3\n4\n5"));
    model.SetBookmark(3, true);
    model.SetBookmark(5, true);
    model.SetBookmark(99, true);  // out of range: ignored
    model.SetCaretLine(1);
    ASSERT_TRUE(model.InsertText("new\n"));  // a line inserted above
    EXPECT_TRUE(model.IsBookmarked(4) && model.IsBookmarked(6) && !model.IsBookmarked(3));
    model.SetCaretLine(4);  // a break typed at column 1 of the marked line itself
    ASSERT_TRUE(model.InsertText("\n"));
    EXPECT_TRUE(model.IsBookmarked(5) && !model.IsBookmarked(4));
    model.SetSelection(1, 1, 3, 1);  // two whole lines deleted above
    ASSERT_TRUE(model.DeleteBackward());
    EXPECT_TRUE(model.IsBookmarked(3) && model.IsBookmarked(5));
    EXPECT_EQ(model.LineText(3), "3");
    model.SetSelection(3, 1, 4, 1);  // the marked line itself deleted
    ASSERT_TRUE(model.DeleteBackward());
    EXPECT_TRUE(!model.IsBookmarked(3) && model.IsBookmarked(4) && !model.IsBookmarked(0));
    model.SetBookmark(4, false);
    EXPECT_FALSE(model.IsBookmarked(4) || model.IsBookmarked(99));
    // Across the blocks of a long text: 2500 lines inserted above line 3000, then 4000
    // whole lines removed above it.
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "l\n";
    ASSERT_TRUE(model.SetText(text));
    model.SetBookmark(3000, true);
    model.SetCaretLine(10);
    ASSERT_TRUE(model.InsertText(std::string(2500, '\n')));
    EXPECT_TRUE(model.IsBookmarked(5500) && !model.IsBookmarked(3000));
    model.SetSelection(100, 1, 4100, 1);
    ASSERT_TRUE(model.DeleteBackward());
    EXPECT_TRUE(model.IsBookmarked(1500));
    EXPECT_EQ(model.GetLineCount(), 3501);
}

TEST(TextModelNotices, ChangedLinesAndTheChangeCounterFollowEdits)
{
    // (Observers are proved by the wrap layout, which follows edits through them.)
    TextModel model;
    ASSERT_TRUE(model.SetText("a\nb\nc"));
    model.TakeChangedLines();
    model.SetSelection(2, 2, 2, 2);
    ASSERT_TRUE(model.InsertText("x\ny"));
    TextModel::ChangedLines changed = model.TakeChangedLines();
    EXPECT_TRUE(changed.first == 2 && changed.lineCountChanged);
    EXPECT_GT(model.TakeChangedLines().first, model.TakeChangedLines().last);  // taken: none left
    uint64_t before = model.ChangeCounter();
    ASSERT_TRUE(model.Undo());
    EXPECT_GT(model.ChangeCounter(), before);
}

// Typing, Backspace and Delete each fold into one action only a pure insertion or removal
// that continues the last; anything else stays a second action of the same step.
TEST(UndoHistory, FoldsOnlyWhatContinuesTheLastEditOfItsKind)
{
    using M = UndoMerge;
    const struct {
        M merge;
        UndoAction first, second;
        size_t actions;
    } cases[] = {
        {M::Typing, {0, "", "ab"}, {2, "", "c"}, 1},     {M::Typing, {0, "", "ab"}, {3, "", "c"}, 2},
        {M::Typing, {0, "", "ab"}, {2, "x", "c"}, 2},    {M::Typing, {0, "z", "ab"}, {2, "", "c"}, 2},
        {M::Backspace, {5, "e", ""}, {4, "d", ""}, 1},   {M::Backspace, {5, "e", ""}, {3, "d", ""}, 2},
        {M::Backspace, {5, "e", ""}, {4, "d", "q"}, 2},  {M::Backspace, {5, "e", "q"}, {4, "d", ""}, 2},
        {M::Delete, {5, "e", ""}, {5, "f", ""}, 1},      {M::Delete, {5, "e", ""}, {6, "f", ""}, 2},
        {M::Delete, {5, "e", ""}, {5, "f", "q"}, 2},     {M::Delete, {5, "e", "q"}, {5, "f", ""}, 2},
    };
    for (const auto& c : cases) {
        UndoHistory history;
        history.Record(c.first, c.merge, 0, 0, 0, 0);
        history.Record(c.second, c.merge, 0, 0, 0, 0);
        const UndoStep* step = history.TakeUndo();
        ASSERT_TRUE(step && !history.CanUndo());
        EXPECT_EQ(step->actions.size(), c.actions) << static_cast<int>(c.merge) << " at " << c.second.position;
    }
}
