// Caret movements, word selection and character classes of the text model. Where the caret
// lands after a selection or an edit is proved by the oracle of TextModelRandomTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textcontrol/model/CharClass.h"
#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

TEST(CharClass, EachClassUpToItsEdges)
{
    // Characters at both ends of each class, and their neighbours just outside it.
    const struct {
        CharClass cls;
        std::vector<std::string> units;
    } cases[] = {
        {CharClass::Hiragana, {"\x82\x9F", "\x82\xF1", "\x81\x54", "\x81\x55"}},
        {CharClass::Katakana, {"\x83\x40", "\x83\x96", "\x81\x5B", "\x81\x52", "\x81\x53"}},
        {CharClass::WideAlnum, {"\x82\x4F", "\x82\x9A"}},
        {CharClass::Kanji, {"\x81\x57", "\x81\x58", "\x88\x9F"}},
        {CharClass::WideSymbol, {"\x88\x9E", "\x82\x4E", "\x82\x9B", "\x82\xF2", "\x83\x97", "\x81\x56", "\x81\x40"}},
        {CharClass::Blank, {" ", "\t"}},
        {CharClass::Letter, {"_", "A", "Z", "a", "z"}},
        {CharClass::Digit, {"0", "9"}},
        {CharClass::Mark, {"@", "[", "`", "{", "/", ":"}},
        {CharClass::Kana, {"\xA1", "\xDF"}},
        {CharClass::Stray, {"\xA0", "\xE0", "\x80", "\xFD"}},
    };
    for (const auto& c : cases)
        for (const std::string& unit : c.units)
            EXPECT_EQ(ClassifyUnit(unit.data(), unit.size(), 0, false), c.cls) << unit;
    EXPECT_EQ(ClassifyUnit("5", 1, 0, true), CharClass::Letter);
}

TEST(TextModelSelection, DoubleClickSelectsOneWord)
{
    const std::string mixed = "abc123def \x82\xA0\x82\xA2\x8A\xBF\x8E\x9A x";  // あい漢字
    const struct {
        std::string text;
        TextPosition at;
        bool digitsWithLetters;
        TextPosition from, to;
    } cases[] = {
        {mixed, {1, 5}, true, {1, 1}, {1, 10}},
        {mixed, {1, 5}, false, {1, 4}, {1, 7}},
        {mixed, {1, 12}, true, {1, 11}, {1, 15}},  // hiragana and kanji are two words
        {mixed, {1, 16}, true, {1, 15}, {1, 19}},
        {mixed, {1, 99}, true, {1, 21}, {1, 21}},                    // past the line end: nothing
        {"x \xCA\xDF\xCB\xDF\xDE y", {1, 4}, true, {1, 3}, {1, 8}},  // ﾊﾟﾋﾟﾞ with their sound marks
        {"x ;;\ny", {1, 3}, true, {1, 3}, {1, 5}},                   // the word ends with its line
        {"a\x80\x80-", {1, 3}, true, {1, 3}, {1, 4}},                // a stray byte is a word alone
    };
    for (const auto& c : cases) {
        TextModel model;
        ASSERT_TRUE(model.SetText(c.text));
        model.SetDigitsWithLetters(c.digitsWithLetters);
        model.SelectWordAt(c.at);
        EXPECT_EQ(model.SelectionStart(), c.from) << c.text << " " << c.at.column;
        EXPECT_EQ(model.SelectionEnd(), c.to) << c.text << " " << c.at.column;
    }
}

TEST(TextModelMoves, KeyboardMovesStepByStep)
{
    struct Step {
        CaretMove move;
        bool extend;
        TextPosition caret;
    };
    using M = CaretMove;
    const struct {
        const char* text;
        TextPosition from;
        std::vector<Step> steps;
        TextPosition anchor;  // after the last step
    } cases[] = {
        {"foo bar.baz\nx",
         {1, 1},
         {{M::WordRight, false, {1, 5}},
          {M::WordRight, false, {1, 8}},
          {M::WordRight, true, {1, 9}},
          {M::LineEnd, false, {1, 12}},
          {M::WordRight, false, {2, 1}},
          {M::WordLeft, false, {1, 12}},
          {M::WordLeft, false, {1, 9}},
          {M::WordLeft, false, {1, 8}},
          {M::LineStart, true, {1, 1}},
          {M::DocumentEnd, false, {2, 2}},
          {M::DocumentStart, true, {1, 1}}},
         {2, 2}},
        // Marks at a line end: the word move stops at the break, then crosses it.
        {"a;;\n;b", {1, 2}, {{M::WordRight, false, {1, 4}}, {M::WordRight, false, {2, 1}}}, {2, 1}},
        // The display column of the first vertical move is kept; never inside a character.
        {"abcdefgh\nab\n\x82\xA0\x82\xA0\x82\xA0\n\tabcdef\nabcdefgh",
         {1, 6},
         {{M::LineDown, false, {2, 3}},
          {M::LineDown, false, {3, 5}},
          {M::LineDown, false, {4, 3}},
          {M::PageDown, true, {5, 6}},
          {M::PageUp, false, {2, 3}},
          {M::LineUp, false, {1, 6}}},
         {1, 6}},
        // あい, a lone lead at the line end, then a stray trail byte.
        {"\x82\xA0\x82\xA2\x82\n\xA0x",
         {1, 6},
         {{M::CharLeft, false, {1, 5}},
          {M::CharLeft, false, {1, 3}},
          {M::CharRight, true, {1, 5}},
          {M::CharRight, true, {1, 6}},
          {M::CharRight, false, {1, 6}},  // collapses to the selection end
          {M::CharRight, false, {2, 1}},
          {M::CharRight, false, {2, 2}}},
         {2, 2}},
    };
    for (const auto& c : cases) {
        TextModel model;
        ASSERT_TRUE(model.SetText(c.text));
        model.SetSelection(c.from.line, c.from.column, c.from.line, c.from.column);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            model.MoveCaret(c.steps[i].move, c.steps[i].extend, 3);  // pages of three lines
            EXPECT_EQ(model.Caret(), c.steps[i].caret) << c.text << " step " << i;
        }
        EXPECT_EQ(model.Anchor(), c.anchor) << c.text;
    }
}

TEST(TextModelMoves, WholeLineAndDocumentSelections)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("\tab\t\x82\xA0x\nbar"));
    model.SetTabWidth(4);
    model.SetSelection(1, 5, 1, 5);  // after the second tab: 4 + 2 -> 8
    EXPECT_EQ(model.GetCaretColumn(), 8);
    model.SetSelection(1, 7, 1, 7);  // after あ
    EXPECT_EQ(model.GetCaretColumn(), 10);
    model.SetTabWidth(8);
    model.SetTabWidth(0);  // ignored
    EXPECT_EQ(model.GetCaretColumn(), 18);
    model.SetTabWidth(16);
    model.SetTabWidth(17);  // ignored
    EXPECT_EQ(model.GetCaretColumn(), 34);
    model.SetCaretLine(2);
    EXPECT_EQ(model.Caret(), (TextPosition{2, 1}));
    model.MoveCaretToTop();
    EXPECT_EQ(model.GetCaretOffset(), 1);
    model.SelectAll();
    EXPECT_EQ(model.SelectionEndOffset(), 13);
}
