// Building the menus: the fixed entries from the string table, the tools from [tool].
// The order of building decides which entries are left out when the table is full: the
// context menu is built last, then the help and window menus before it.
#include "app/frame/Menus.h"

#include <cstring>
#include <iterator>
#include <new>
#include <string>

#include "platform/WideText.h"
#include "resources/resource.h"

namespace {

// The string-table texts of entries are held with room for 127 bytes.
constexpr std::size_t kEntryTextRoom = 127;
constexpr int kMaxTools = 500;

struct ItemSpec {
    int textId;  // 0: a separator
    int commandId;
    int shortcutId;  // 0: none
};

constexpr ItemSpec kSeparator{0, 0, 0};

constexpr ItemSpec kFileItems[] = {
    {IDS_MENU_FILE_NEW, IDM_FILE_NEW, IDS_SHORTCUT_FILE_NEW},
    {IDS_MENU_FILE_OPEN, IDM_FILE_OPEN, IDS_SHORTCUT_FILE_OPEN},
    {IDS_MENU_FILE_RELOAD, IDM_FILE_RELOAD, 0},
    {IDS_MENU_FILE_REOPEN_ENCODING, IDM_FILE_REOPEN_ENCODING, 0},
    kSeparator,
    {IDS_MENU_FILE_SAVE, IDM_FILE_SAVE, IDS_SHORTCUT_FILE_SAVE},
    {IDS_MENU_FILE_SAVE_AS, IDM_FILE_SAVE_AS, 0},
    {IDS_MENU_FILE_SAVE_ALL, IDM_FILE_SAVE_ALL, 0},
    kSeparator,
};

constexpr ItemSpec kFileEndItems[] = {
    kSeparator,
    {IDS_MENU_FILE_EXIT, IDM_FILE_EXIT, 0},
};

constexpr ItemSpec kEditItems[] = {
    {IDS_MENU_EDIT_UNDO, IDM_EDIT_UNDO, IDS_SHORTCUT_EDIT_UNDO},
    {IDS_MENU_EDIT_REDO, IDM_EDIT_REDO, IDS_SHORTCUT_EDIT_REDO},
    kSeparator,
    {IDS_MENU_EDIT_COPY, IDM_EDIT_COPY, IDS_SHORTCUT_EDIT_COPY},
    {IDS_MENU_EDIT_CUT, IDM_EDIT_CUT, IDS_SHORTCUT_EDIT_CUT},
    {IDS_MENU_EDIT_PASTE, IDM_EDIT_PASTE, IDS_SHORTCUT_EDIT_PASTE},
    {IDS_MENU_EDIT_SELECT_ALL, IDM_EDIT_SELECT_ALL, IDS_SHORTCUT_EDIT_SELECT_ALL},
    kSeparator,
    {IDS_MENU_EDIT_INDENT, IDM_EDIT_INDENT, IDS_SHORTCUT_EDIT_INDENT},
    {IDS_MENU_EDIT_UNINDENT, IDM_EDIT_UNINDENT, IDS_SHORTCUT_EDIT_UNINDENT},
    kSeparator,
    {IDS_MENU_EDIT_WRITE_PROTECT, IDM_EDIT_WRITE_PROTECT, 0},
};

constexpr ItemSpec kSearchItems[] = {
    {IDS_MENU_SEARCH_FIND, IDM_SEARCH_FIND, IDS_SHORTCUT_SEARCH_FIND},
    {IDS_MENU_SEARCH_FIND_DOWN, IDM_SEARCH_FIND_DOWN, IDS_SHORTCUT_SEARCH_FIND_DOWN},
    {IDS_MENU_SEARCH_FIND_UP, IDM_SEARCH_FIND_UP, IDS_SHORTCUT_SEARCH_FIND_UP},
    kSeparator,
    {IDS_MENU_SEARCH_REPLACE, IDM_SEARCH_REPLACE, IDS_SHORTCUT_SEARCH_REPLACE},
    {IDS_MENU_SEARCH_MARK_ALL, IDM_SEARCH_MARK_ALL, 0},
    kSeparator,
    {IDS_MENU_SEARCH_FIND_IN_FILES, IDM_SEARCH_FIND_IN_FILES, 0},
    {IDS_MENU_SEARCH_OPEN_RESULT, IDM_SEARCH_OPEN_RESULT, 0},
    {IDS_MENU_SEARCH_STOP_FIND_IN_FILES, IDM_SEARCH_STOP_FIND_IN_FILES, 0},
    kSeparator,
    {IDS_MENU_SEARCH_BOOKMARK_TOGGLE, IDM_SEARCH_BOOKMARK_TOGGLE, IDS_SHORTCUT_SEARCH_BOOKMARK_TOGGLE},
    {IDS_MENU_SEARCH_BOOKMARK_DOWN, IDM_SEARCH_BOOKMARK_DOWN, IDS_SHORTCUT_SEARCH_BOOKMARK_DOWN},
    {IDS_MENU_SEARCH_BOOKMARK_UP, IDM_SEARCH_BOOKMARK_UP, IDS_SHORTCUT_SEARCH_BOOKMARK_UP},
    {IDS_MENU_SEARCH_BOOKMARK_CLEAR, IDM_SEARCH_BOOKMARK_CLEAR, 0},
    kSeparator,
    {IDS_MENU_SEARCH_GOTO_LINE, IDM_SEARCH_GOTO_LINE, IDS_SHORTCUT_SEARCH_GOTO_LINE},
};

constexpr ItemSpec kWindowItems[] = {
    {IDS_MENU_WINDOW_NEW_TAB, IDM_WINDOW_NEW_TAB, 0},
    {IDS_MENU_WINDOW_NEXT_TAB, IDM_WINDOW_NEXT_TAB, IDS_SHORTCUT_WINDOW_NEXT_TAB},
    {IDS_MENU_WINDOW_PREVIOUS_TAB, IDM_WINDOW_PREVIOUS_TAB, IDS_SHORTCUT_WINDOW_PREVIOUS_TAB},
    kSeparator,
    {IDS_MENU_WINDOW_CLOSE_TAB, IDM_WINDOW_CLOSE_TAB, IDS_SHORTCUT_WINDOW_CLOSE_TAB},
    {IDS_MENU_WINDOW_CLOSE_ALL_TABS, IDM_WINDOW_CLOSE_ALL_TABS, 0},
};

constexpr ItemSpec kHelpUsageItems[] = {
    {IDS_MENU_HELP_CONTENTS, IDM_HELP_CONTENTS, IDS_SHORTCUT_HELP_CONTENTS},
    {IDS_MENU_HELP_FEATURES, IDM_HELP_FEATURES, 0},
    {IDS_MENU_HELP_SHORTCUTS, IDM_HELP_SHORTCUTS, 0},
};

constexpr ItemSpec kHelpItems[] = {
    kSeparator, {IDS_MENU_HELP_WEB_SITE, IDM_HELP_WEB_SITE, 0}, {IDS_MENU_HELP_MAIL, IDM_HELP_MAIL, 0},
    kSeparator, {IDS_MENU_HELP_ABOUT, IDM_HELP_ABOUT, 0},
};

constexpr ItemSpec kContextItems[] = {
    {IDS_MENU_EDIT_COPY, IDM_EDIT_COPY, IDS_SHORTCUT_EDIT_COPY},
    {IDS_MENU_EDIT_CUT, IDM_EDIT_CUT, IDS_SHORTCUT_EDIT_CUT},
    {IDS_MENU_EDIT_PASTE, IDM_EDIT_PASTE, IDS_SHORTCUT_EDIT_PASTE},
    kSeparator,
    {IDS_MENU_WINDOW_NEXT_TAB, IDM_WINDOW_NEXT_TAB, IDS_SHORTCUT_WINDOW_NEXT_TAB},
    {IDS_MENU_WINDOW_PREVIOUS_TAB, IDM_WINDOW_PREVIOUS_TAB, IDS_SHORTCUT_WINDOW_PREVIOUS_TAB},
    {IDS_MENU_WINDOW_CLOSE_TAB, IDM_WINDOW_CLOSE_TAB, IDS_SHORTCUT_WINDOW_CLOSE_TAB},
};

std::wstring LoadWideString(HINSTANCE instance, int id)
{
    wchar_t text[1024];
    const int length = LoadStringW(instance, static_cast<UINT>(id), text, 1024);
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// A string-table text as InternalText, with the room an entry gives it.
std::string LoadEntryText(HINSTANCE instance, int id)
{
    if (id == 0) return std::string();
    const std::string text = InternalFromWide(LoadWideString(instance, id));
    return std::string(CutInternalText(text, kEntryTextRoom));
}

// Adds entries to menus; an entry that finds no memory for its record adds no menu item
// either.
struct MenuBuilder {
    FrameState& frame;
    HINSTANCE instance;

    int AddEntry(MenuEntryKind kind, std::string_view text, std::string_view shortcut)
    {
        return AddMenuEntry(frame.menuEntries, kind, text, shortcut);
    }

    static LPCWSTR ItemData(int index) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(index)); }

    int AddCommand(HMENU menu, std::string_view text, int commandId, std::string_view shortcut)
    {
        const int index = AddEntry(MenuEntryKind::Command, text, shortcut);
        if (index >= 0) AppendMenuW(menu, MF_OWNERDRAW, static_cast<UINT_PTR>(commandId), ItemData(index));
        return index;
    }

    bool AddSeparator(HMENU menu)
    {
        const int index = AddEntry(MenuEntryKind::Separator, "", "");
        if (index < 0) return false;
        AppendMenuW(menu, MF_OWNERDRAW | MF_SEPARATOR, 0, ItemData(index));
        return true;
    }

    // The submenu is created empty and filled by the caller, so that its own entries come
    // after it in the table.
    HMENU AddSubmenu(HMENU menu, int textId)
    {
        const int index = AddEntry(MenuEntryKind::Submenu, LoadEntryText(instance, textId), "");
        if (index < 0) return nullptr;
        HMENU submenu = CreatePopupMenu();
        if (submenu == nullptr) return nullptr;
        AppendMenuW(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), ItemData(index));
        return submenu;
    }

    int Add(HMENU menu, const ItemSpec& item)
    {
        if (item.textId == 0) return AddSeparator(menu) ? 0 : -1;
        return AddCommand(menu, LoadEntryText(instance, item.textId), item.commandId,
                          LoadEntryText(instance, item.shortcutId));
    }

    template <std::size_t N>
    void AddAll(HMENU menu, const ItemSpec (&items)[N])
    {
        for (const ItemSpec& item : items) Add(menu, item);
    }

    // A plain-text title of the menu bar; its popup goes with the bar.
    HMENU AddPopup(int titleId)
    {
        HMENU popup = CreatePopupMenu();
        if (popup == nullptr) return nullptr;
        const std::wstring title = LoadWideString(instance, titleId);
        if (!AppendMenuW(frame.mainMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title.c_str())) {
            DestroyMenu(popup);
            return nullptr;
        }
        return popup;
    }

    void AddTools(HMENU menu, ProfileFile& settings)
    {
        SetSection(settings, "tool");
        const int count = GetInt(settings, "num");
        for (int i = 0; i < count && i < kMaxTools; ++i) {
            char key[32];
            wsprintfA(key, "type%d", i);
            if (GetInt(settings, key) == -1) {
                AddSeparator(menu);
                continue;
            }
            char name[261];
            wsprintfA(key, "name%d", i);
            const int length = GetString(settings, key, name, sizeof name);
            AddCommand(menu, std::string_view(name, static_cast<std::size_t>(length)), IDM_TOOL_BASE + i, "");
        }
        if (count != 0) AddSeparator(menu);
    }
};

void BuildMenuBar(MenuBuilder& build, ProfileFile& settings)
{
    FrameState& frame = build.frame;
    if (HMENU file = build.AddPopup(IDS_MENUBAR_FILE)) {
        build.AddAll(file, kFileItems);
        if ((frame.recentMenu = build.AddSubmenu(file, IDS_MENU_FILE_RECENT)) != nullptr) {
            frame.recentEntryBase = build.AddEntry(MenuEntryKind::Command, "", "");
            for (int i = 1; i < kRecentMenuEntries && frame.recentEntryBase >= 0; ++i) {
                build.AddEntry(MenuEntryKind::Command, "", "");
            }
        }
        build.AddAll(file, kFileEndItems);
    }
    if (HMENU edit = build.AddPopup(IDS_MENUBAR_EDIT)) build.AddAll(edit, kEditItems);
    if (HMENU search = build.AddPopup(IDS_MENUBAR_SEARCH)) build.AddAll(search, kSearchItems);
    if (HMENU view = build.AddPopup(IDS_MENUBAR_VIEW)) {
        frame.toolbarEntry = build.Add(view, {IDS_MENU_VIEW_TOOLBAR, IDM_VIEW_TOOLBAR, 0});
        frame.statusbarEntry = build.Add(view, {IDS_MENU_VIEW_STATUSBAR, IDM_VIEW_STATUSBAR, 0});
        frame.wrapEntry = build.Add(view, {IDS_MENU_VIEW_WRAP, IDM_VIEW_WRAP, 0});
        build.Add(view, kSeparator);
        build.Add(view, {IDS_MENU_VIEW_FONT, IDM_VIEW_FONT, 0});
    }
    if (HMENU tool = build.AddPopup(IDS_MENUBAR_TOOL)) {
        build.AddTools(tool, settings);
        build.Add(tool, {IDS_MENU_TOOL_OPTIONS, IDM_TOOL_OPTIONS, 0});
    }
    if (HMENU window = build.AddPopup(IDS_MENUBAR_WINDOW)) {
        frame.windowMenu = window;
        frame.windowEntryFirst = static_cast<int>(frame.menuEntries.size());
        build.AddAll(window, kWindowItems);
        frame.windowEntryCount = static_cast<int>(frame.menuEntries.size()) - frame.windowEntryFirst;
        frame.documentEntryBase = build.AddEntry(MenuEntryKind::Separator, "", "");
        for (int i = 0; i < kDocumentMenuEntries && frame.documentEntryBase >= 0; ++i) {
            build.AddEntry(MenuEntryKind::Command, "", "");
        }
    }
    if (HMENU help = build.AddPopup(IDS_MENUBAR_HELP)) {
        if (HMENU usage = build.AddSubmenu(help, IDS_MENU_HELP_USAGE)) build.AddAll(usage, kHelpUsageItems);
        build.AddAll(help, kHelpItems);
    }
}

}  // namespace

bool BuildMenus(FrameState& frame, HINSTANCE instance, ProfileFile& settings)
{
    frame.menuEntries.clear();
    try {
        frame.menuEntries.reserve(128);  // the fixed menus with room for some tools
    } catch (const std::bad_alloc&) {
        return false;
    }
    frame.toolbarEntry = frame.statusbarEntry = frame.wrapEntry = 0;
    frame.recentMenu = nullptr;
    frame.recentEntryBase = -1;
    frame.windowMenu = nullptr;
    frame.documentEntryBase = -1;
    if (frame.mainMenu) DestroyMenu(frame.mainMenu);
    frame.mainMenu = CreateMenu();

    MenuBuilder build{frame, instance};
    if (frame.mainMenu) BuildMenuBar(build, settings);

    if (frame.contextMenu) DestroyMenu(frame.contextMenu);
    frame.contextMenu = CreatePopupMenu();
    if (frame.contextMenu) build.AddAll(frame.contextMenu, kContextItems);
    return true;
}

void FillRecentMenu(FrameState& frame, const std::vector<std::string>& paths)
{
    if (frame.recentMenu == nullptr || frame.recentEntryBase < 0) return;
    while (GetMenuItemCount(frame.recentMenu) > 0) DeleteMenu(frame.recentMenu, 0, MF_BYPOSITION);
    for (int i = 0; i < kRecentMenuEntries && static_cast<std::size_t>(i) < paths.size(); ++i) {
        const int index = frame.recentEntryBase + i;
        if (static_cast<std::size_t>(index) >= frame.menuEntries.size()) break;
        // "&1" .. "&9", then "1&0", "11" ..: the first ten can be chosen by a key.
        char number[8];
        wsprintfA(number, i < 9 ? "&%d " : i == 9 ? "1&0 " : "%d ", i + 1);
        const std::string text = number + paths[static_cast<std::size_t>(i)];
        MenuEntry& entry = frame.menuEntries[static_cast<std::size_t>(index)];
        const std::string_view cut = CutInternalText(text, sizeof entry.text - 1);
        std::memcpy(entry.text, cut.data(), cut.size());
        entry.text[cut.size()] = '\0';
        AppendMenuW(frame.recentMenu, MF_OWNERDRAW, static_cast<UINT_PTR>(IDM_FILE_RECENT_FIRST + i),
                    MenuBuilder::ItemData(index));
    }
}

std::string WindowMenuAccessKeys(const FrameState& frame)
{
    std::string keys;
    for (int i = 0; i < frame.windowEntryCount; ++i) {
        const std::size_t index = static_cast<std::size_t>(frame.windowEntryFirst + i);
        if (index < frame.menuEntries.size()) {
            if (const char key = MenuAccessKey(frame.menuEntries[index].text)) keys += key;
        }
    }
    return keys;
}

void FillDocumentMenu(FrameState& frame, const std::vector<DocumentMenuEntry>& documents)
{
    if (frame.windowMenu == nullptr || frame.documentEntryBase < 0) return;
    const int fixedItems = static_cast<int>(std::size(kWindowItems));
    while (GetMenuItemCount(frame.windowMenu) > fixedItems) DeleteMenu(frame.windowMenu, fixedItems, MF_BYPOSITION);
    if (documents.empty()) return;
    AppendMenuW(frame.windowMenu, MF_OWNERDRAW | MF_SEPARATOR, 0, MenuBuilder::ItemData(frame.documentEntryBase));
    for (std::size_t i = 0; i < documents.size() && i < static_cast<std::size_t>(kDocumentMenuEntries); ++i) {
        const std::size_t index = static_cast<std::size_t>(frame.documentEntryBase + 1) + i;
        if (index >= frame.menuEntries.size()) break;
        MenuEntry& entry = frame.menuEntries[index];
        const std::string_view cut = CutInternalText(documents[i].text, sizeof entry.text - 1);
        std::memcpy(entry.text, cut.data(), cut.size());
        entry.text[cut.size()] = '\0';
        entry.checked = documents[i].checked;
        AppendMenuW(frame.windowMenu, MF_OWNERDRAW, static_cast<UINT_PTR>(IDM_WINDOW_DOCUMENT_FIRST + i),
                    MenuBuilder::ItemData(static_cast<int>(index)));
    }
}

void ShowContextMenu(const FrameState& frame, HWND owner, LPARAM screenPosition)
{
    if (frame.contextMenu == nullptr) return;
    const int x = static_cast<short>(LOWORD(screenPosition)), y = static_cast<short>(HIWORD(screenPosition));
    // The command is returned rather than left to the menu, so that it arrives as the
    // same WM_COMMAND however the platform treats a menu that sends no notifications.
    const int command = static_cast<int>(TrackPopupMenu(
        frame.contextMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    if (command != 0) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ShowMenuHelp(const StatusBar& bar, HINSTANCE instance, int commandId)
{
    if (commandId == 0) {
        SetStatusBarText(bar, kStatusHelp, L"");
        return;
    }
    const int helpId = MenuHelpStringId(commandId);
    if (helpId == 0) return;
    const std::wstring help = LoadWideString(instance, helpId);
    SetStatusBarText(bar, kStatusHelp, help.c_str());
}
