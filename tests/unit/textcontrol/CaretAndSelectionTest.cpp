// Caret and selection of the text model: the operations of the control, character
// boundaries, display columns, word selection and keyboard movements.
#include <gtest/gtest.h>

#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

TEST(TextModelSelection, SelectRangeLeavesTheCaretAfterTheMatch)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("one\r\ntwo two\r\n"));
    // "two" at offsets 6..8: end is one past the last byte.
    model.SelectRange(6, 9);
    EXPECT_TRUE(model.HasSelection());
    EXPECT_EQ(model.SelectionStartOffset(), 6);
    EXPECT_EQ(model.SelectionEndOffset(), 9);
    EXPECT_EQ(model.GetCaretOffset(), 9);  // a second search downward starts after it
    EXPECT_EQ(model.SelectionStart(), (TextPosition{2, 1}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{2, 4}));
    // Backwards: caret at the smaller end, the range still reported in order.
    model.SelectRange(9, 6);
    EXPECT_EQ(model.GetCaretOffset(), 6);
    EXPECT_EQ(model.SelectionStartOffset(), 6);
    EXPECT_EQ(model.SelectionEndOffset(), 9);
}

TEST(TextModelSelection, SetSelectionPlacesTheCaretOnEqualPositions)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("    foo\nbar"));
    model.SetSelection(1, 8, 1, 8);
    EXPECT_FALSE(model.HasSelection());
    EXPECT_EQ(model.GetCaretLine(), 1);
    EXPECT_EQ(model.GetCaretPosition(), 8);
    // Shift+Home of the key procedure: from column 4 to column 2.
    model.SetSelection(1, 4, 1, 2);
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 2}));
    EXPECT_EQ(model.Caret(), (TextPosition{1, 2}));
    EXPECT_EQ(model.Anchor(), (TextPosition{1, 4}));
    model.SetCaretLine(2);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 1}));
    model.MoveCaretToTop();
    EXPECT_EQ(model.GetCaretOffset(), 1);
    model.SelectAll();
    EXPECT_EQ(model.SelectionEndOffset(), 13);
}

TEST(TextModelSelection, NoPositionFallsInsideADoubleByteCharacter)
{
    TextModel model;
    // あ(2) い(2) then a lone lead at the end of the line, then a stray trail byte.
    ASSERT_TRUE(model.SetText("\x82\xA0\x82\xA2\x82\n\xA0x"));
    model.SetSelection(1, 2, 1, 4);
    EXPECT_EQ(model.Anchor(), (TextPosition{1, 1}));
    EXPECT_EQ(model.Caret(), (TextPosition{1, 3}));
    model.SelectRange(2, 2);
    EXPECT_EQ(model.GetCaretOffset(), 1);
    model.SetSelection(1, 6, 1, 6);  // after the lone lead: a boundary of its own
    EXPECT_EQ(model.GetCaretPosition(), 6);
    model.MoveCaret(CaretMove::CharLeft, false);
    EXPECT_EQ(model.GetCaretPosition(), 5);
    model.MoveCaret(CaretMove::CharLeft, false);
    EXPECT_EQ(model.GetCaretPosition(), 3);
    model.MoveCaret(CaretMove::CharRight, true);
    model.MoveCaret(CaretMove::CharRight, true);
    EXPECT_EQ(model.Caret(), (TextPosition{1, 6}));
    model.MoveCaret(CaretMove::CharRight, false);  // collapses to the selection end
    EXPECT_EQ(model.Caret(), (TextPosition{1, 6}));
    model.MoveCaret(CaretMove::CharRight, false);  // over the line break
    EXPECT_EQ(model.Caret(), (TextPosition{2, 1}));
    model.MoveCaret(CaretMove::CharRight, false);  // a stray trail is one unit
    EXPECT_EQ(model.Caret(), (TextPosition{2, 2}));
}

TEST(TextModelSelection, CaretColumnExpandsTabs)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("\tab\t\x82\xA0x"));
    model.SetTabWidth(4);
    model.SetSelection(1, 2, 1, 2);
    EXPECT_EQ(model.GetCaretColumn(), 4);
    model.SetSelection(1, 5, 1, 5);  // after the second tab: 4 + 2 -> 8
    EXPECT_EQ(model.GetCaretColumn(), 8);
    model.SetSelection(1, 7, 1, 7);  // after あ
    EXPECT_EQ(model.GetCaretColumn(), 10);
    model.SetTabWidth(8);
    EXPECT_EQ(model.GetCaretColumn(), 18);
    model.SetTabWidth(0);  // ignored
    EXPECT_EQ(model.TabWidth(), 8);
}

TEST(TextModelSelection, DoubleClickSelectsDigitsAndLettersTogetherOrApart)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("abc123def \x82\xA0\x82\xA2\x8A\xBF\x8E\x9A x"));
    model.SelectWordAt({1, 5});
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 1}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{1, 10}));
    model.SetDigitsWithLetters(false);
    model.SelectWordAt({1, 5});
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 4}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{1, 7}));
    // Hiragana あい, then kanji 漢字: two words.
    model.SelectWordAt({1, 12});
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 11}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{1, 15}));
    model.SelectWordAt({1, 16});
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 15}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{1, 19}));
    model.SelectWordAt({1, 99});  // line end: nothing selected
    EXPECT_FALSE(model.HasSelection());
}

TEST(TextModelMoves, WordLineAndDocumentMoves)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("foo bar.baz\nx"));
    model.MoveCaret(CaretMove::WordRight, false);
    EXPECT_EQ(model.GetCaretPosition(), 5);
    model.MoveCaret(CaretMove::WordRight, false);
    EXPECT_EQ(model.GetCaretPosition(), 8);
    model.MoveCaret(CaretMove::WordRight, true);
    EXPECT_EQ(model.GetCaretPosition(), 9);
    EXPECT_EQ(model.Anchor(), (TextPosition{1, 8}));
    model.MoveCaret(CaretMove::LineEnd, false);
    EXPECT_EQ(model.GetCaretPosition(), 12);
    model.MoveCaret(CaretMove::WordRight, false);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 1}));
    model.MoveCaret(CaretMove::WordLeft, false);
    EXPECT_EQ(model.Caret(), (TextPosition{1, 12}));
    model.MoveCaret(CaretMove::WordLeft, false);
    EXPECT_EQ(model.Caret(), (TextPosition{1, 9}));
    model.MoveCaret(CaretMove::LineStart, true);
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 1}));
    model.MoveCaret(CaretMove::DocumentEnd, false);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 2}));
    model.MoveCaret(CaretMove::DocumentStart, true);
    EXPECT_EQ(model.SelectionEndOffset(), 15);
}

TEST(TextModelMoves, VerticalMovesKeepTheDisplayColumn)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("abcdefgh\nab\n\x82\xA0\x82\xA0\x82\xA0\n\tabcdef\nabcdefgh"));
    model.SetSelection(1, 6, 1, 6);  // display column 5
    model.MoveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 3}));  // short line: its end
    model.MoveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(model.Caret(), (TextPosition{3, 5}));  // not inside the third あ
    model.MoveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(model.Caret(), (TextPosition{4, 3}));  // tab to column 4, then one letter
    model.MoveCaret(CaretMove::PageDown, true, 10);
    EXPECT_EQ(model.Caret(), (TextPosition{5, 6}));
    EXPECT_EQ(model.Anchor(), (TextPosition{4, 3}));
    model.MoveCaret(CaretMove::PageUp, false, 3);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 3}));
    model.MoveCaret(CaretMove::LineUp, false);
    EXPECT_EQ(model.Caret(), (TextPosition{1, 6}));
    model.MoveCaret(CaretMove::LineUp, false);
    EXPECT_EQ(model.Caret(), (TextPosition{1, 6}));
}

TEST(TextModelSelection, HalfWidthKatakanaWithSoundMarksIsOneWord)
{
    // "ﾊﾟﾋﾟ ｱ": the semi-voiced mark 0xDF and the voiced mark 0xDE belong to the word.
    TextModel model;
    ASSERT_TRUE(model.SetText("x \xCA\xDF\xCB\xDF\xDE y"));
    model.SelectWordAt({1, 4});
    EXPECT_EQ(model.SelectionStart(), (TextPosition{1, 3}));
    EXPECT_EQ(model.SelectionEnd(), (TextPosition{1, 8}));
}
