// The records behind the owner-drawn menu entries, their sizes, and the help text of a
// highlighted command. Portable: the Win32 side (Menus.h) builds the menus from these
// records and draws them; everything here is plain data and arithmetic.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "app/frame/DpiScale.h"

enum class MenuEntryKind : int { Command = 0, Separator = 1, Submenu = 2 };

// One owner-drawn entry; its index in the table is the item data of its menu item.
// Texts are InternalText.
struct MenuEntry {
    char text[261] = {};
    char shortcut[131] = {};  // shown right-aligned; empty for none
    MenuEntryKind kind = MenuEntryKind::Command;
    bool checked = false;
};

// Appends a record, texts cut to their fields (never inside a double-byte character). The
// table grows with what the menus hold, however many tools there are. The new index, or -1
// with nothing changed when memory runs out.
int AddMenuEntry(std::vector<MenuEntry>& entries, MenuEntryKind kind, std::string_view text, std::string_view shortcut);

// The longest head of text of at most limit bytes that does not end inside a double-byte
// character.
std::string_view CutInternalText(std::string_view text, std::size_t limit);

struct MenuEntrySize {
    int width = 0;
    int height = 0;
};

// The size the menu gives an entry whose text measures textWidth by textHeight and whose
// shortcut text measures shortcutWidth (hasShortcut false: no shortcut text). Room is
// left for the coloured band with the check mark on the left and a gap before the
// shortcut; a separator is two thirds of a text line.
MenuEntrySize MenuEntrySizeFor(MenuEntryKind kind, int textWidth, int textHeight, bool hasShortcut, int shortcutWidth,
                               int dpi);

// The string shown in the status bar while the menu command `commandId` is highlighted:
// its help string id, or 0 when the command has none. Tools (2000..2500) share one.
int MenuHelpStringId(int commandId);

// The access key of an entry's text: the upper-case ASCII letter or digit after its single
// "&" ("&&" is a plain "&"), or 0 when it has none.
char MenuAccessKey(std::string_view text);

// What the menu does with a typed character: nothing (no entry has it as its access key),
// run the one entry that has it, or, when several share it, select the next of them after
// the highlighted position (-1: none highlighted), round to the first.
struct MenuCharAnswer {
    enum Action { Ignore, Execute, Select } action = Ignore;
    int position = 0;
};
MenuCharAnswer AnswerMenuChar(const std::vector<char>& accessKeys, wchar_t typed, int highlighted);
