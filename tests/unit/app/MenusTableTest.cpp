// The menu entry table: it grows with the menus, texts are cut to their
// fields without splitting a double-byte character, sizes follow the entry's text and
// shortcut (scaled away from 96 DPI), and the help string of each kind of id.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/frame/MenusTable.h"

namespace {

TEST(MenusTableTest, TheTableGrowsWithEveryEntryTheMenusHold)
{
    // The fixed menus and a hundred tools, as a long tool list asks: no entry is left out.
    std::vector<MenuEntry> entries;
    ASSERT_EQ(AddMenuEntry(entries, MenuEntryKind::Submenu, "Help", "F1  "), 0);
    EXPECT_FALSE(entries[0].checked);
    EXPECT_STREQ(entries[0].shortcut, "F1  ");
    EXPECT_EQ(entries[0].kind, MenuEntryKind::Submenu);
    for (int i = 1; i < 600; ++i) ASSERT_EQ(AddMenuEntry(entries, {}, "a", ""), i);
    EXPECT_EQ(AddMenuEntry(entries, MenuEntryKind::Separator, "", ""), 600);
    EXPECT_EQ(entries.back().kind, MenuEntryKind::Separator);
}

TEST(MenusTableTest, LongTextsAreCutBeforeADoubleByteCharacterThatWouldNotFit)
{
    // 259 single bytes and then "あ" (two bytes): only 260 bytes fit the text field.
    std::string text(259, 'x');
    text += "\x82\xA0";
    std::vector<MenuEntry> entries;
    ASSERT_EQ(AddMenuEntry(entries, MenuEntryKind::Command, text, std::string(200, 's')), 0);
    EXPECT_EQ(std::string(entries[0].text), std::string(259, 'x'));
    EXPECT_EQ(std::string(entries[0].shortcut), std::string(130, 's'));

    EXPECT_EQ(CutInternalText("ab\x82\xA0", 3), "ab");
    EXPECT_EQ(CutInternalText("ab\x82\xA0", 4), "ab\x82\xA0");
    EXPECT_EQ(CutInternalText("ab\x82", 3), "ab\x82");  // a lone lead byte is a character
    EXPECT_EQ(CutInternalText("", 5), "");
}

TEST(MenusTableTest, SizesAtNinetySixDpiAreExactAndScaleElsewhere)
{
    const auto size = [](MenuEntryKind kind, int height, bool hasShortcut, int shortcut, int dpi) {
        const MenuEntrySize s = MenuEntrySizeFor(kind, 50 * dpi / 96, height, hasShortcut, shortcut, dpi);
        return std::make_pair(s.width, s.height);
    };
    EXPECT_EQ(size(MenuEntryKind::Command, 13, true, 40, 96), std::make_pair(50 + 40 + 35 + 26, 21));
    // An empty shortcut text takes no room even when it measures something.
    EXPECT_EQ(size(MenuEntryKind::Command, 13, false, 40, 96), std::make_pair(76, 21));
    EXPECT_EQ(size(MenuEntryKind::Separator, 13, false, 0, 96).second, 14);  // (13 + 8) * 2 / 3
    EXPECT_EQ(size(MenuEntryKind::Separator, 14, false, 0, 96).second, 14);  // 22 * 2 / 3 rounds down
    EXPECT_EQ(size(MenuEntryKind::Command, 26, true, 80, 192), std::make_pair(100 + 80 + 70 + 52, 26 + 16));
    EXPECT_EQ(ScaleForDpi(35, 144), 53);  // 52.5 rounds to the nearer pixel
}

TEST(MenusTableTest, HelpStringsOfCommandsToolsAndIdsWithout)
{
    // The first and last rows, the web page whose address is its help, the tools' range.
    const int cases[][2] = {{40001, 100}, {40009, 102}, {40057, 132}, {40070, 139}, {40071, 0}, {40038, 0},
                            {0, 0},       {1999, 0},    {2000, 140},  {2500, 140},  {2501, 0},  {-5, 0},
                            {40072, 141}, {41000, 142}, {41029, 142}, {41030, 0},   {40999, 0},
                            {41100, 143}, {41199, 143}, {41200, 0}};
    for (const auto& c : cases) EXPECT_EQ(MenuHelpStringId(c[0]), c[1]) << c[0];
}

}  // namespace

TEST(MenusTableTest, TypedLettersReachTheEntriesThatShowThemUnderlined)
{
    const std::pair<const char*, char> keys[] = {
        {"\x90\x56\x8B\x4B\x8D\xEC\x90\xAC(&N)", 'N'},  // 新規作成(&N)
        {"&save", 'S'},
        {"A&&B", 0},
        {"A&&&B", 'B'},
        {"\x95\x5C&x", 'X'},  // a trail byte 0x5C before the "&"
        {"&\x82\xA0", 0},
        {"end&", 0},
        {"&1", '1'}, {"&0", '0'}, {"&9", '9'}, {"&A", 'A'}, {"&Z", 'Z'}, {"&a", 'A'}, {"&z", 'Z'},
    };
    for (const auto& [text, key] : keys) EXPECT_EQ(MenuAccessKey(text), key) << text;

    const std::vector<char> menu = {'N', 0, 'O', 'S', 'S', 0};
    const std::pair<MenuCharAnswer, MenuCharAnswer> answers[] = {
        {AnswerMenuChar(menu, L'n', -1), {MenuCharAnswer::Execute, 0}},
        {AnswerMenuChar(menu, L'O', 3), {MenuCharAnswer::Execute, 2}},
        {AnswerMenuChar(menu, L's', -1), {MenuCharAnswer::Select, 3}},
        {AnswerMenuChar(menu, L's', 3), {MenuCharAnswer::Select, 4}},
        {AnswerMenuChar(menu, L's', 4), {MenuCharAnswer::Select, 3}},
        {AnswerMenuChar(menu, L'z', -1), {MenuCharAnswer::Ignore, 0}},
        {AnswerMenuChar(menu, 0, -1), {MenuCharAnswer::Ignore, 0}},
        {AnswerMenuChar(menu, L'\xFF4E', -1), {MenuCharAnswer::Ignore, 0}},  // full-width ｎ
    };
    for (const auto& [got, want] : answers) {
        EXPECT_EQ(got.action, want.action);
        EXPECT_EQ(got.position, want.position);
    }
}
