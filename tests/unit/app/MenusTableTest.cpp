// The menu entry table: it never holds more than its capacity, texts are cut to their
// fields without splitting a double-byte character, sizes follow the entry's text and
// shortcut (scaled away from 96 DPI), and the help string of each kind of id.
#include <gtest/gtest.h>

#include <string>

#include "app/frame/MenusTable.h"

namespace {

TEST(MenusTableTest, TheTableTakesSeventyEntriesAndRefusesTheNext)
{
    MenuEntry entries[kMenuEntryCapacity];
    int count = 0;
    for (int i = 0; i < kMenuEntryCapacity; ++i) {
        ASSERT_EQ(AddMenuEntry(entries, count, MenuEntryKind::Command, "a", ""), i);
    }
    EXPECT_EQ(AddMenuEntry(entries, count, MenuEntryKind::Separator, "", ""), -1);
    EXPECT_EQ(count, kMenuEntryCapacity);
    int broken = -1;
    EXPECT_EQ(AddMenuEntry(entries, broken, MenuEntryKind::Command, "a", ""), -1);
    EXPECT_EQ(AddMenuEntry(nullptr, count = 0, MenuEntryKind::Command, "a", ""), -1);
}

TEST(MenusTableTest, AnEntryStartsUncheckedWithItsTextsAndKind)
{
    MenuEntry entries[2];
    entries[0].checked = true;
    int count = 0;
    ASSERT_EQ(AddMenuEntry(entries, count, MenuEntryKind::Submenu, "Help", "F1  "), 0);
    EXPECT_FALSE(entries[0].checked);
    EXPECT_STREQ(entries[0].text, "Help");
    EXPECT_STREQ(entries[0].shortcut, "F1  ");
    EXPECT_EQ(entries[0].kind, MenuEntryKind::Submenu);
}

TEST(MenusTableTest, LongTextsAreCutBeforeADoubleByteCharacterThatWouldNotFit)
{
    // 259 single bytes and then "あ" (two bytes): only 260 bytes fit the text field.
    std::string text(259, 'x');
    text += "\x82\xA0";
    MenuEntry entries[1];
    int count = 0;
    ASSERT_EQ(AddMenuEntry(entries, count, MenuEntryKind::Command, text, std::string(200, 's')), 0);
    EXPECT_EQ(std::string(entries[0].text), std::string(259, 'x'));
    EXPECT_EQ(std::string(entries[0].shortcut), std::string(130, 's'));

    EXPECT_EQ(CutInternalText("ab\x82\xA0", 3), "ab");
    EXPECT_EQ(CutInternalText("ab\x82\xA0", 4), "ab\x82\xA0");
    EXPECT_EQ(CutInternalText("ab\x82", 3), "ab\x82");  // a lone lead byte is a character
    EXPECT_EQ(CutInternalText("", 5), "");
}

TEST(MenusTableTest, SizesAtNinetySixDpiAreExactAndScaleElsewhere)
{
    MenuEntrySize command = MenuEntrySizeFor(MenuEntryKind::Command, 50, 13, true, 40, 96);
    EXPECT_EQ(command.width, 50 + 40 + 35 + 26);
    EXPECT_EQ(command.height, 21);
    MenuEntrySize plain = MenuEntrySizeFor(MenuEntryKind::Command, 50, 13, false, 0, 96);
    EXPECT_EQ(plain.width, 76);
    // An empty shortcut text takes no room even when it measures something.
    EXPECT_EQ(MenuEntrySizeFor(MenuEntryKind::Command, 50, 13, false, 40, 96).width, 76);
    MenuEntrySize separator = MenuEntrySizeFor(MenuEntryKind::Separator, 0, 13, false, 0, 96);
    EXPECT_EQ(separator.height, 14);                                                        // (13 + 8) * 2 / 3
    EXPECT_EQ(MenuEntrySizeFor(MenuEntryKind::Separator, 0, 14, false, 0, 96).height, 14);  // 22 * 2 / 3 rounds down

    MenuEntrySize doubled = MenuEntrySizeFor(MenuEntryKind::Command, 100, 26, true, 80, 192);
    EXPECT_EQ(doubled.width, 100 + 80 + 70 + 52);
    EXPECT_EQ(doubled.height, 26 + 16);
    EXPECT_EQ(ScaleForDpi(35, 144), 53);  // 52.5 rounds to the nearer pixel
}

TEST(MenusTableTest, HelpStringsOfCommandsToolsAndIdsWithout)
{
    EXPECT_EQ(MenuHelpStringId(40001), 100);
    EXPECT_EQ(MenuHelpStringId(40009), 102);
    EXPECT_EQ(MenuHelpStringId(40057), 132);  // the web address itself
    EXPECT_EQ(MenuHelpStringId(40070), 139);
    EXPECT_EQ(MenuHelpStringId(40071), 0);  // new tab has none
    EXPECT_EQ(MenuHelpStringId(40038), 0);
    EXPECT_EQ(MenuHelpStringId(0), 0);
    EXPECT_EQ(MenuHelpStringId(1999), 0);
    EXPECT_EQ(MenuHelpStringId(2000), 140);
    EXPECT_EQ(MenuHelpStringId(2500), 140);
    EXPECT_EQ(MenuHelpStringId(2501), 0);
    EXPECT_EQ(MenuHelpStringId(-5), 0);
}

}  // namespace
