// The menu entry records, their sizes and the help strings of the commands.
#include "app/frame/MenusTable.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "encoding/SjisBytes.h"
#include "resources/resource.h"

std::string_view CutInternalText(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length = sjis::CharLength(text.data(), text.size(), end);
        if (end + length > limit) break;
        end += length;
    }
    return text.substr(0, end);
}

namespace {

template <std::size_t N>
void CopyCut(char (&field)[N], std::string_view text)
{
    const std::string_view cut = CutInternalText(text, N - 1);
    std::memcpy(field, cut.data(), cut.size());
    field[cut.size()] = '\0';
}

}  // namespace

int AddMenuEntry(std::vector<MenuEntry>& entries, MenuEntryKind kind, std::string_view text, std::string_view shortcut)
{
    MenuEntry entry;
    CopyCut(entry.text, text);
    CopyCut(entry.shortcut, shortcut);
    entry.kind = kind;
    try {
        entries.push_back(entry);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return static_cast<int>(entries.size() - 1);
}

MenuEntrySize MenuEntrySizeFor(MenuEntryKind kind, int textWidth, int textHeight, bool hasShortcut, int shortcutWidth,
                               int dpi)
{
    MenuEntrySize size;
    size.height = textHeight + ScaleForDpi(8, dpi);
    if (kind == MenuEntryKind::Separator) size.height = size.height * 2 / 3;
    const int shortcutRoom = hasShortcut ? shortcutWidth + ScaleForDpi(35, dpi) : 0;
    size.width = textWidth + shortcutRoom + ScaleForDpi(26, dpi);
    return size;
}

namespace {

struct HelpRow {
    int commandId;
    int helpId;
};

// Sorted by command id.
constexpr HelpRow kHelpRows[] = {
    {IDM_FILE_NEW, IDS_HELP_FILE_NEW},
    {IDM_FILE_EXIT, IDS_HELP_FILE_EXIT},
    {IDM_EDIT_COPY, IDS_HELP_EDIT_COPY},
    {IDM_EDIT_CUT, IDS_HELP_EDIT_CUT},
    {IDM_EDIT_PASTE, IDS_HELP_EDIT_PASTE},
    {IDM_HELP_ABOUT, IDS_HELP_HELP_ABOUT},
    {IDM_FILE_SAVE, IDS_HELP_FILE_SAVE},
    {IDM_FILE_SAVE_AS, IDS_HELP_FILE_SAVE_AS},
    {IDM_FILE_OPEN, IDS_HELP_FILE_OPEN},
    {IDM_EDIT_UNDO, IDS_HELP_EDIT_UNDO},
    {IDM_EDIT_REDO, IDS_HELP_EDIT_REDO},
    {IDM_TOOL_OPTIONS, IDS_HELP_TOOL_OPTIONS},
    {IDM_EDIT_INDENT, IDS_HELP_EDIT_INDENT},
    {IDM_EDIT_UNINDENT, IDS_HELP_EDIT_UNINDENT},
    {IDM_SEARCH_GOTO_LINE, IDS_HELP_SEARCH_GOTO_LINE},
    {IDM_EDIT_SELECT_ALL, IDS_HELP_EDIT_SELECT_ALL},
    {IDM_HELP_CONTENTS, IDS_HELP_HELP_CONTENTS},
    {IDM_SEARCH_FIND, IDS_HELP_SEARCH_FIND},
    {IDM_SEARCH_FIND_DOWN, IDS_HELP_SEARCH_FIND_DOWN},
    {IDM_SEARCH_FIND_UP, IDS_HELP_SEARCH_FIND_UP},
    {IDM_SEARCH_BOOKMARK_TOGGLE, IDS_HELP_SEARCH_BOOKMARK_TOGGLE},
    {IDM_SEARCH_BOOKMARK_DOWN, IDS_HELP_SEARCH_BOOKMARK_DOWN},
    {IDM_SEARCH_BOOKMARK_UP, IDS_HELP_SEARCH_BOOKMARK_UP},
    {IDM_SEARCH_BOOKMARK_CLEAR, IDS_HELP_SEARCH_BOOKMARK_CLEAR},
    {IDM_VIEW_TOOLBAR, IDS_HELP_VIEW_TOOLBAR},
    {IDM_VIEW_STATUSBAR, IDS_HELP_VIEW_STATUSBAR},
    {IDM_VIEW_FONT, IDS_HELP_VIEW_FONT},
    {IDM_VIEW_WRAP, IDS_HELP_VIEW_WRAP},
    {IDM_WINDOW_NEXT_TAB, IDS_HELP_WINDOW_NEXT_TAB},
    {IDM_WINDOW_PREVIOUS_TAB, IDS_HELP_WINDOW_PREVIOUS_TAB},
    {IDM_WINDOW_CLOSE_TAB, IDS_HELP_WINDOW_CLOSE_TAB},
    {IDM_HELP_WEB_SITE, IDS_WEB_ADDRESS},
    {IDM_HELP_MAIL, IDS_MAIL_ADDRESS},
    {IDM_WINDOW_CLOSE_ALL_TABS, IDS_HELP_WINDOW_CLOSE_ALL_TABS},
    {IDM_FILE_SAVE_ALL, IDS_HELP_FILE_SAVE_ALL},
    {IDM_SEARCH_REPLACE, IDS_HELP_SEARCH_REPLACE},
    {IDM_HELP_SHORTCUTS, IDS_HELP_HELP_SHORTCUTS},
    {IDM_HELP_FEATURES, IDS_HELP_HELP_FEATURES},
    {IDM_EDIT_WRITE_PROTECT, IDS_HELP_EDIT_WRITE_PROTECT},
    {IDM_FILE_RELOAD, IDS_HELP_FILE_RELOAD},
    {IDM_FILE_REOPEN_ENCODING, IDS_HELP_FILE_REOPEN_ENCODING},
    {IDM_SEARCH_MARK_ALL, IDS_HELP_SEARCH_MARK_ALL},
    {IDM_SEARCH_FIND_IN_FILES, IDS_HELP_SEARCH_FIND_IN_FILES},
    {IDM_SEARCH_OPEN_RESULT, IDS_HELP_SEARCH_OPEN_RESULT},
    {IDM_SEARCH_STOP_FIND_IN_FILES, IDS_HELP_SEARCH_STOP_FIND_IN_FILES},
};

}  // namespace

int MenuHelpStringId(int commandId)
{
    if (commandId >= IDM_TOOL_BASE && commandId <= IDM_TOOL_BASE + 500) return IDS_HELP_TOOL;
    if (commandId >= IDM_FILE_RECENT_FIRST && commandId <= IDM_FILE_RECENT_LAST) return IDS_HELP_FILE_RECENT;
    if (commandId >= IDM_WINDOW_DOCUMENT_FIRST && commandId <= IDM_WINDOW_DOCUMENT_LAST) return IDS_HELP_WINDOW_DOCUMENT;
    const auto row = std::lower_bound(std::begin(kHelpRows), std::end(kHelpRows), commandId,
                                      [](const HelpRow& r, int id) { return r.commandId < id; });
    return row != std::end(kHelpRows) && row->commandId == commandId ? row->helpId : 0;
}

namespace {

char UpperAscii(unsigned int c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); }

}  // namespace

char MenuAccessKey(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); at += sjis::CharLength(text.data(), text.size(), at)) {
        if (text[at] != '&' || at + 1 >= text.size()) continue;
        const unsigned char next = static_cast<unsigned char>(text[at + 1]);
        if (next == '&') {
            ++at;  // "&&" shows one "&" and marks nothing
            continue;
        }
        const bool letterOrDigit = (next >= '0' && next <= '9') || (next >= 'A' && next <= 'Z') ||
                                   (next >= 'a' && next <= 'z');
        return letterOrDigit ? UpperAscii(next) : 0;
    }
    return 0;
}

MenuCharAnswer AnswerMenuChar(const std::vector<char>& accessKeys, wchar_t typed, int highlighted)
{
    MenuCharAnswer answer;
    if (typed == 0 || typed > 0x7F) return answer;
    const char key = UpperAscii(static_cast<unsigned int>(typed));
    int first = -1, afterHighlight = -1, count = 0;
    for (int position = 0; position < static_cast<int>(accessKeys.size()); ++position) {
        if (accessKeys[static_cast<std::size_t>(position)] != key) continue;
        ++count;
        if (first < 0) first = position;
        if (afterHighlight < 0 && position > highlighted) afterHighlight = position;
    }
    if (count == 0) return answer;
    answer.action = count == 1 ? MenuCharAnswer::Execute : MenuCharAnswer::Select;
    answer.position = count == 1 || afterHighlight < 0 ? first : afterHighlight;
    return answer;
}
