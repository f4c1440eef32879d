// Every menu entry, toolbar button and accelerator of the main window names a row of the
// command table, and every row is reached from at least one of them (the tool range from
// a tool of the tools menu).
#include <set>
#include <vector>

#include "app/frame/Menus.h"
#include "resources/resource.h"
#include "../support/AppSession.h"

namespace {

void AddMenuCommands(HMENU menu, std::set<int>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        if (submenu) AddMenuCommands(submenu, ids);
        if (!submenu && !(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) ids.insert(GetMenuItemID(menu, i));
    }
}

using CommandReachTest = MainWindowTest;

TEST_F(CommandReachTest, EveryEntryButtonAndKeyNamesARowAndEveryRowIsReached)
{
    Start();
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "tool");
    WriteInt(settings, "num", 1);
    WriteString(settings, "name0", "tool");
    EXPECT_TRUE(BuildMenus(theApp.frame, GetModuleHandleW(nullptr), settings));
    WriteInt(settings, "num", 0);  // the next tests start without the tool

    // The recent files' submenu and the window menu's documents are filled as they open.
    FillRecentMenu(theApp.frame, {"C:\\a.txt"});
    FillDocumentMenu(theApp.frame, DocumentMenuEntries(theApp.documents.list, ""));
    std::set<int> menus, buttons, keys;
    AddMenuCommands(theApp.frame.mainMenu, menus);
    AddMenuCommands(theApp.frame.contextMenu, menus);
    HWND toolBar = theApp.frame.toolBar.window;
    for (int i = 0; i < SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON button = {};
        SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        // The environment button acts only through its drop-down arrow.
        if (!(button.fsStyle & BTNS_SEP) && button.idCommand != IDM_ENVIRONMENT_DROPDOWN)
            buttons.insert(button.idCommand);
    }
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    std::vector<ACCEL> accelerators(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, accelerators.data(), static_cast<int>(accelerators.size()));
    for (const ACCEL& key : accelerators) keys.insert(key.cmd);
    ASSERT_TRUE(menus.size() > 40 && buttons.size() > 10 && keys.size() > 20);

    const std::vector<CommandRow>& rows = theApp.commands.rows;
    std::set<int> reached;
    for (const auto* source : {&menus, &buttons, &keys}) {
        for (int id : *source) {
            bool named = false;
            for (const CommandRow& row : rows) named = named || (row.firstId <= id && id <= row.lastId);
            EXPECT_TRUE(named) << "id " << id << " has no row";
            reached.insert(id);
        }
    }
    for (const CommandRow& row : rows) {
        auto next = reached.lower_bound(row.firstId);
        EXPECT_TRUE(next != reached.end() && *next <= row.lastId) << "row " << row.firstId << " is not reached";
    }
}

}  // namespace
