// The styling of a line (emphasis, links, search matches, selection laid over each other)
// and the view's key lookup.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "textcontrol/model/KeyMap.h"
#include "textcontrol/model/LineStyle.h"
#include "textcontrol/model/TextModel.h"

using namespace kvte::textcontrol;

namespace {
// Runs as "start+length:tT bB uU" (back and underline only when set).
std::string Styled(TextModel& model, int line)
{
    LineColours colours;
    colours.text = 1, colours.background = 2, colours.url = 3, colours.urlUnderline = 4;
    colours.mail = 5, colours.mailUnderline = 6, colours.findText = 7, colours.findBack = 8;
    LineStyleScratch scratch;
    std::vector<StyleRun> runs = {StyleRun{}};  // left over from another line
    StyleLine(model, line, colours, &scratch, &runs);
    std::string out;
    for (const StyleRun& run : runs) {
        out += std::to_string(run.start) + "+" + std::to_string(run.length) + ":t" + std::to_string(run.style.text);
        if (run.style.back != kNoColour) out += "b" + std::to_string(run.style.back);
        if (run.style.underline != kNoColour) out += "u" + std::to_string(run.style.underline);
        out += " ";
    }
    return out;
}

struct StyleCase {
    const char* text;
    int line;
    int links;              // link kinds
    const char* highlight;  // search text
    int selection[4];       // line, column, line, column; all 0: none
    const char* expected;
};
}  // namespace

TEST(LineStyle, LayersEmphasisLinksMatchesAndSelection)
{
    const StyleCase cases[] = {
        {"abc", 1, 0, "", {}, "0+4:t1 "},
        // Emphasis colours keep their low three bytes; a rule in the text's colour adds no run.
        {"if x", 1, 0, "", {}, "0+2:t9 2+3:t1 "},
        {"fi x", 1, 0, "", {}, "0+5:t1 "},
        {"a http://b.jp c", 1, kLinkHttp, "", {}, "0+2:t1 2+11:t3u4 13+3:t1 "},
        {"a http://b.jp c", 1, kLinkMail, "", {}, "0+16:t1 "},
        {"to me@x.jp", 1, kLinkAllKinds, "", {}, "0+3:t1 3+7:t5u6 10+1:t1 "},
        // A match keeps the link's underline; the selection takes it away.
        {"http://b.jp", 1, kLinkHttp, "b.jp", {}, "0+7:t3u4 7+4:t7b8u4 11+1:t1 "},
        {"http://b.jp", 1, kLinkHttp, "", {1, 3, 1, 5}, "0+2:t3u4 2+2:t2b1 4+7:t3u4 11+1:t1 "},
        {"abcd", 1, 0, "", {1, 4, 1, 2}, "0+1:t1 1+2:t2b1 3+2:t1 "},
        // A selection that goes on below takes the line end; one that ends at a line's
        // start leaves that line alone; lines outside it stay plain.
        {"ab\r\ncd\r\nef\r\ngh", 2, 0, "", {2, 2, 3, 1}, "0+1:t1 1+2:t2b1 "},
        {"ab\r\ncd\r\nef\r\ngh", 3, 0, "", {2, 2, 3, 1}, "0+3:t1 "},
        {"ab\r\ncd\r\nef\r\ngh", 3, 0, "", {2, 2, 4, 2}, "0+3:t2b1 "},
        {"ab\r\ncd\r\nef\r\ngh", 4, 0, "", {2, 2, 4, 2}, "0+1:t2b1 1+2:t1 "},
        {"ab\r\ncd\r\nef\r\ngh", 1, 0, "", {2, 2, 4, 2}, "0+3:t1 "},
        {"ab\r\ncd", 2, 0, "", {1, 1, 2, 3}, "0+2:t2b1 2+1:t1 "},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " line " + std::to_string(c.line));
        TextModel model;
        ASSERT_TRUE(model.SetText(c.text));
        ASSERT_EQ(model.AddEmphasis("if", "", kEmphasisWord, 0xFF000009, 0, 1, 0), kEmphasisAccepted);
        ASSERT_EQ(model.AddEmphasis("fi", "", kEmphasisWord, 1, 0, 1, 0), kEmphasisAccepted);
        model.SetLinkKinds(c.links);
        model.SetHighlightText(c.highlight);
        if (c.selection[0]) model.SetSelection(c.selection[0], c.selection[1], c.selection[2], c.selection[3]);
        EXPECT_EQ(Styled(model, c.line), c.expected);
    }
}

TEST(KeyMap, TheFirstRowWhoseModifiersMatchWins)
{
    const KeyBinding map[] = {
        {'K', kModCtrl, kModCtrl, KeyAction::Copy},      // Ctrl, with or without Shift
        {'K', 0, kModShift | kModCtrl, KeyAction::Cut},  // neither
        {'L', 0, 0, KeyAction::Paste},                   // whatever is held
    };
    struct {
        int key, modifiers;
        KeyAction action;
    } cases[] = {
        {'K', kModCtrl, KeyAction::Copy},  {'K', kModCtrl | kModShift, KeyAction::Copy},  {'K', 0, KeyAction::Cut},
        {'K', kModShift, KeyAction::None}, {'L', kModCtrl | kModShift, KeyAction::Paste}, {'M', 0, KeyAction::None},
    };
    for (const auto& c : cases) {
        KeyCommand command = LookUpKey(std::begin(map), std::end(map), c.key, c.modifiers);
        EXPECT_EQ(command.action, c.action) << c.key << " " << c.modifiers;
        EXPECT_EQ(command.extend, command.action != KeyAction::None && (c.modifiers & kModShift) != 0);
    }
    // The view's keys: Ctrl+Tab and Ctrl+Shift with a letter are the program's.
    EXPECT_EQ(LookUpViewKey(vk::kTab, kModCtrl).action, KeyAction::None);
    EXPECT_EQ(LookUpViewKey('C', kModCtrl | kModShift).action, KeyAction::None);
    EXPECT_EQ(LookUpViewKey(vk::kInsert, kModCtrl | kModShift).action, KeyAction::Copy);
    EXPECT_TRUE(LookUpViewKey(vk::kLeft, kModShift | kModCtrl).extend);
}
