// Edits, undo and redo, and bookmarks of the text model.
#include <gtest/gtest.h>

#include <string>

#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

namespace {
std::string Text(const TextModel& model) { return model.GetText(kLineEndingLf); }
}  // namespace

TEST(TextModelEdits, InsertReplacesTheSelectionAndMakesLineBreaks)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("hello world"));
    model.SetSelection(1, 7, 1, 12);
    ASSERT_TRUE(model.InsertText("a\r\nb\rc\nd"));
    EXPECT_EQ(Text(model), "hello a\nb\nc\nd");
    EXPECT_EQ(model.Caret(), (TextPosition{4, 2}));
    EXPECT_EQ(model.GetLineCount(), 4);
    // Auto-indent's insertion: a break and the copied blanks; the caret ends after them.
    ASSERT_TRUE(model.SetText("    foo"));
    model.SetSelection(1, 8, 1, 8);
    ASSERT_TRUE(model.InsertText("\r\n    "));
    EXPECT_EQ(Text(model), "    foo\n    ");
    EXPECT_EQ(model.Caret(), (TextPosition{2, 5}));
}

TEST(TextModelEdits, DeletesTakeWholeCharactersAndLineBreaks)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("a\x82\xA0\nb\x82"));
    model.SetSelection(1, 4, 1, 4);
    ASSERT_TRUE(model.DeleteBackward());  // あ
    EXPECT_EQ(Text(model), "a\nb\x82");
    ASSERT_TRUE(model.DeleteForward());  // the line break
    EXPECT_EQ(Text(model), "ab\x82");
    model.MoveCaret(CaretMove::DocumentEnd, false);
    EXPECT_FALSE(model.DeleteForward());
    ASSERT_TRUE(model.DeleteBackward());  // the lone lead byte alone
    EXPECT_EQ(Text(model), "ab");
    model.MoveCaretToTop();
    EXPECT_FALSE(model.DeleteBackward());
}

TEST(TextModelEdits, StrayBytesSurviveEditsAroundThem)
{
    TextModel model;
    const std::string odd = "\x82|\xA0|\xFD|\x80|\x00|\x82";
    ASSERT_TRUE(model.SetText(odd));
    for (int column = 1; column <= 12; column += 2) {
        model.SetSelection(1, column, 1, column);
        ASSERT_TRUE(model.InsertText("x"));
        ASSERT_TRUE(model.DeleteBackward());
    }
    EXPECT_EQ(Text(model), odd);
}

TEST(TextModelEdits, IndentAndUnindentTheSelectedLines)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("a\n  b\n\tc\nd"));
    model.SetSelection(1, 1, 4, 1);  // ends at column 1: line 4 is not touched
    ASSERT_TRUE(model.Indent());
    EXPECT_EQ(Text(model), "\ta\n\t  b\n\t\tc\nd");
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 1}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{4, 1}));
    ASSERT_TRUE(model.Unindent());
    ASSERT_TRUE(model.Unindent());
    EXPECT_EQ(Text(model), "a\nb\nc\nd");
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "a\n  b\n\tc\nd");
    // Without a selection: the caret line, the caret moving with its text.
    model.SetSelection(2, 3, 2, 3);
    ASSERT_TRUE(model.Indent());
    EXPECT_EQ(Text(model), "a\n\t  b\n\tc\nd");
    EXPECT_EQ(model.Caret(), (TextPosition{2, 4}));
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.Caret(), (TextPosition{2, 3}));
    EXPECT_FALSE((model.SetCaretLine(4), model.Unindent()));  // nothing to remove
}

TEST(TextModelEdits, AProtectedTextRefusesEveryEdit)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("keep"));
    model.SetSelection(1, 2, 1, 2);
    ASSERT_TRUE(model.InsertText("x"));
    model.SetEditable(false);
    EXPECT_FALSE(model.InsertText("y"));
    EXPECT_FALSE(model.DeleteBackward());
    EXPECT_FALSE(model.DeleteForward());
    EXPECT_FALSE(model.Indent());
    EXPECT_FALSE(model.Unindent());
    EXPECT_FALSE(model.Undo());
    EXPECT_EQ(Text(model), "kxeep");
    model.SetEditable(true);
    EXPECT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "keep");
}

TEST(TextModelUndo, TypingIsOneStepAndACaretMoveEndsIt)
{
    TextModel model;
    ASSERT_TRUE(model.SetText(""));
    for (const char* key : {"a", "b", "\x82\xA0", "c"}) ASSERT_TRUE(model.InsertText(key));
    model.MoveCaret(CaretMove::CharLeft, false);
    ASSERT_TRUE(model.InsertText("d"));
    ASSERT_TRUE(model.InsertText("e"));
    EXPECT_EQ(Text(model),
              "ab\x82\xA0"
              "dec");
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model),
              "ab\x82\xA0"
              "c");
    EXPECT_EQ(model.Caret(), (TextPosition{1, 5}));  // where the caret was before typing "de"
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model), "");
    EXPECT_FALSE(model.Undo());
    ASSERT_TRUE(model.Redo());
    EXPECT_EQ(Text(model),
              "ab\x82\xA0"
              "c");
    EXPECT_EQ(model.Caret(), (TextPosition{1, 6}));
    // Backspaces merge, and a line break typed is a step of its own.
    ASSERT_TRUE(model.Redo());
    model.MoveCaret(CaretMove::DocumentEnd, false);
    ASSERT_TRUE(model.DeleteBackward());
    ASSERT_TRUE(model.DeleteBackward());
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(Text(model),
              "ab\x82\xA0"
              "dec");
}

TEST(TextModelUndo, ALargeReplacementIsOneStepWithItsSelection)
{
    TextModel model;
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(model.SetText(big));
    model.SelectRange(1, static_cast<int>(model.GetTextLength()) + 1);
    ASSERT_TRUE(model.InsertText("short"));
    EXPECT_EQ(model.GetLineCount(), 1);
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.GetText(kLineEndingCrLf), big);
    EXPECT_EQ(model.SelectionStartOffset(), 1);
    EXPECT_EQ(model.SelectionEndOffset(), static_cast<int>(big.size()) + 1);
    ASSERT_TRUE(model.Redo());
    EXPECT_EQ(Text(model), "short");
}

TEST(TextModelUndo, TheLimitKeepsTheLastStepsOnly)
{
    TextModel model;
    ASSERT_TRUE(model.SetText(""));
    model.SetUndoLimit(256);
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(model.InsertText("x\n"));  // each a step of its own
    }
    int undone = 0;
    while (model.Undo()) ++undone;
    EXPECT_EQ(undone, 256);
    EXPECT_EQ(model.GetLineCount(), 45);
    model.SetUndoLimit(-1);
    ASSERT_TRUE(model.SetText(""));
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(model.InsertText("x\n"));
    undone = 0;
    while (model.Undo()) ++undone;
    EXPECT_EQ(undone, 300);
    EXPECT_EQ(Text(model), "");
}

TEST(TextModelBookmarks, MarksMoveWithTheirLines)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("1\n2\n3\n4\n5"));
    model.SetBookmark(3, true);
    model.SetBookmark(5, true);
    EXPECT_TRUE(model.IsBookmarked(3));
    EXPECT_FALSE(model.IsBookmarked(0));
    EXPECT_FALSE(model.IsBookmarked(99));
    model.SetCaretLine(1);
    ASSERT_TRUE(model.InsertText("new\n"));  // a line inserted above
    EXPECT_TRUE(model.IsBookmarked(4));
    EXPECT_TRUE(model.IsBookmarked(6));
    EXPECT_FALSE(model.IsBookmarked(3));
    model.SetCaretLine(4);  // a break typed at column 1 of the marked line itself
    ASSERT_TRUE(model.InsertText("\n"));
    EXPECT_TRUE(model.IsBookmarked(5));
    EXPECT_FALSE(model.IsBookmarked(4));
    model.SetSelection(1, 1, 3, 1);  // two whole lines deleted above
    ASSERT_TRUE(model.DeleteBackward());
    EXPECT_TRUE(model.IsBookmarked(3));
    EXPECT_TRUE(model.IsBookmarked(5));
    EXPECT_EQ(model.LineText(3), "3");
    model.SetSelection(3, 1, 4, 1);  // the marked line itself deleted
    ASSERT_TRUE(model.DeleteBackward());
    EXPECT_FALSE(model.IsBookmarked(3));
    EXPECT_TRUE(model.IsBookmarked(4));
    model.SetBookmark(4, false);
    EXPECT_FALSE(model.IsBookmarked(4));
}

TEST(TextModelNotices, ObserversAndChangedLinesFollowEdits)
{
    struct Recorder : TextObserver {
        std::vector<LineChange> changes;
        void OnLinesChanged(const LineChange& change) override { changes.push_back(change); }
    } recorder;
    TextModel model;
    ASSERT_TRUE(model.SetText("a\nb\nc"));
    model.TakeChangedLines();
    model.AddObserver(&recorder);
    model.SetSelection(2, 2, 2, 2);
    ASSERT_TRUE(model.InsertText("x\ny"));
    ASSERT_EQ(recorder.changes.size(), 1u);
    EXPECT_EQ(recorder.changes[0].firstLine, 2);
    EXPECT_EQ(recorder.changes[0].linesBefore, 1);
    EXPECT_EQ(recorder.changes[0].linesAfter, 2);
    TextModel::ChangedLines changed = model.TakeChangedLines();
    EXPECT_EQ(changed.first, 2);
    EXPECT_TRUE(changed.lineCountChanged);
    EXPECT_GT(model.TakeChangedLines().first, model.TakeChangedLines().last);
    uint64_t before = model.ChangeCounter();
    ASSERT_TRUE(model.Undo());
    EXPECT_GT(model.ChangeCounter(), before);
    model.RemoveObserver(&recorder);
    ASSERT_TRUE(model.Redo());
    EXPECT_EQ(recorder.changes.size(), 2u);
}
