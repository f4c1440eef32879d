// The menus built from the string table and [tool]: the tools with the table's overflow,
// the drawn colours and check mark, the status bar help of a highlighted command, and the
// context menu of the view.
#include <string>
#include <vector>

#include "app/frame/Menus.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"

namespace {

struct MenusTest : testing::Test {
    ScratchFolder folder{L"menus"};
    ProfileFile settings{};
    FrameState frame;

    // [tool] with `count` tools named "Tool 0", "Tool 1", ..., tool 4 a separator.
    void Build(int count)
    {
        std::string ini = "[tool]\r\nnum=" + std::to_string(count) + "\r\n";
        for (int i = 0; i < count; ++i) {
            ini += "type" + std::to_string(i) + "=" + (i == 4 ? "-1" : "0") + "\r\n";
            ini += "name" + std::to_string(i) + "=Tool " + std::to_string(i) + "\r\n";
        }
        const std::wstring path = folder.path() + L"kvte.ini";
        ASSERT_TRUE(WriteFileBytes(path, ini));
        ASSERT_TRUE(OpenProfile(settings, InternalFromWide(path).c_str(), "main"));
        ASSERT_TRUE(BuildMenus(frame, GetModuleHandleW(nullptr), settings));
    }
    // Command ids of a menu's items, 0 for a separator.
    std::vector<int> Ids(HMENU menu) const
    {
        std::vector<int> ids;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const bool separator = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR;
            ids.push_back(separator ? 0 : static_cast<int>(GetMenuItemID(menu, i)));
        }
        return ids;
    }
    void TearDown() override
    {
        if (frame.mainMenu) DestroyMenu(frame.mainMenu);
        ReleaseFrame(frame);
    }
};

TEST_F(MenusTest, EveryToolAndEveryFixedEntryFindsARecord)
{
    Build(0);
    EXPECT_EQ(Ids(GetSubMenu(frame.mainMenu, 4)), std::vector<int>{IDM_TOOL_OPTIONS});
    Build(9);
    EXPECT_EQ(Ids(GetSubMenu(frame.mainMenu, 4)),
              (std::vector<int>{2000, 2001, 2002, 2003, 0, 2005, 2006, 2007, 2008, 0, IDM_TOOL_OPTIONS}));
    MENUITEMINFOW first = {};
    first.cbSize = sizeof first;
    first.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(GetSubMenu(frame.mainMenu, 4), 0, TRUE, &first));
    EXPECT_EQ(WideFromInternal(frame.menuEntries[first.dwItemData].text), L"Tool 0");
    EXPECT_EQ(GetMenuItemCount(frame.contextMenu), 7);

    // A rebuild replaces the table and both menus, and however many tools there are no
    // entry is left out.
    for (int tools : {10, 100}) {
        Build(tools);
        EXPECT_EQ(GetMenuItemCount(frame.contextMenu), 7);
        EXPECT_EQ(Ids(GetSubMenu(frame.mainMenu, 4)).size(), static_cast<size_t>(tools + 2));
        EXPECT_EQ(Ids(GetSubMenu(frame.mainMenu, 4)).back(), IDM_TOOL_OPTIONS);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(frame.mainMenu, 6)), 6);
    }
}

// Entry `index` drawn into a 200 x 24 bitmap that was black before.
struct Drawn {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 24);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Drawn(const FrameState& frame, int index, bool selected, bool commandChecked)
    {
        DRAWITEMSTRUCT item{ODT_MENU, 0, 0, ODA_DRAWENTIRE, selected ? ODS_SELECTED : 0u, nullptr, dc, {0, 0, 200, 24},
                            static_cast<ULONG_PTR>(index)};
        FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_TRUE(DrawMenuEntry(frame, item, commandChecked));
    }
    ~Drawn()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST_F(MenusTest, DrawingColoursTheBandTheHighlightTheCheckMarkAndTheSeparator)
{
    Build(0);
    frame.checkMarkBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECKMARK));
    const int entry = frame.toolbarEntry;
    Drawn plain(frame, entry, false, false), selected(frame, entry, true, false), checked(frame, entry, false, true);
    // The band and the background; the highlight's frame and fill.
    EXPECT_EQ(std::vector<COLORREF>({plain.At(10, 1), plain.At(195, 12), selected.At(22, 12), selected.At(195, 12)}),
              std::vector<COLORREF>({RGB(128, 128, 255), RGB(255, 255, 255), RGB(0, 255, 0), RGB(193, 238, 210)}));
    frame.menuEntries[entry].checked = true;  // the entry's own flag draws the mark too
    Drawn flagged(frame, entry, false, false);
    int changed = 0, same = 0;  // over the mark's square
    for (int i = 0; i < 16 * 16; ++i) {
        const int x = 2 + i % 16, y = 2 + i / 16;
        changed += checked.At(x, y) != plain.At(x, y);
        same += flagged.At(x, y) == checked.At(x, y);
    }
    EXPECT_TRUE(changed > 0 && same == 16 * 16) << changed << " " << same;

    int firstSeparator = 0;
    while (frame.menuEntries[static_cast<size_t>(firstSeparator)].kind != MenuEntryKind::Separator) ++firstSeparator;
    Drawn separator(frame, firstSeparator, true, true);  // a dotted line across the middle, never highlighted
    int dots = 0;
    for (int x = 22; x < 198; ++x) dots += separator.At(x, 12) == RGB(128, 128, 0);
    EXPECT_TRUE(dots > 30 && dots < 176) << dots;
    EXPECT_EQ(separator.At(195, 4), RGB(255, 255, 255));
}

using MenuWindowTest = MainWindowTest;

TEST_F(MenuWindowTest, TheHighlightedCommandsHelpGoesToTheFirstPartAndTheViewOpensTheContextMenu)
{
    Start();
    auto select = [](int id, UINT flags) { SendMessageW(theApp.mainWindow, WM_MENUSELECT, MAKEWPARAM(id, flags), 0); };
    select(IDM_FILE_NEW, MF_OWNERDRAW);
    EXPECT_EQ(StatusPart(0), L"新規に文書を作成します。");
    select(IDM_WINDOW_NEW_TAB, MF_OWNERDRAW);  // no help: the part stays
    EXPECT_EQ(StatusPart(0), L"新規に文書を作成します。");
    select(0, 0xFFFF);  // the menu closed
    EXPECT_EQ(StatusPart(0), L"");

    EXPECT_EQ(GetMenu(theApp.mainWindow), theApp.frame.mainMenu);
    // The menu takes the posted keys: down to the second entry (切り取り), then Enter.
    PostMessageW(theApp.mainWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(theApp.mainWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(theApp.mainWindow, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(theApp.mainWindow, WM_VIEW_CONTEXT_MENU, 0, MAKELPARAM(100, 100));
    MSG message;
    bool commanded = false;
    while (PeekMessageW(&message, theApp.mainWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        commanded = commanded || LOWORD(message.wParam) == IDM_EDIT_CUT;
    }
    EXPECT_TRUE(commanded);
    DestroyWindow(theApp.mainWindow);  // the menu bar goes with the window, and the frame forgets it
    EXPECT_EQ(theApp.frame.mainMenu, nullptr);
}

TEST_F(MenusTest, EveryPopupAnswersItsEntriesAccessKeys)
{
    Build(0);
    // Alt+F opens "ファイル" (a plain string the system handles), then N is its first command.
    HMENU fileMenu = GetSubMenu(frame.mainMenu, 0);
    const LRESULT fresh = AnswerMenuCharMessage(frame, 'N', reinterpret_cast<LPARAM>(fileMenu));
    ASSERT_EQ(HIWORD(fresh), MNC_EXECUTE);
    EXPECT_EQ(GetMenuItemID(fileMenu, LOWORD(fresh)), static_cast<UINT>(IDM_FILE_NEW));
    // Every popup: each entry with a key is reached by it, and nothing answers a digit-less '#'.
    for (int top = 0; top < GetMenuItemCount(frame.mainMenu); ++top) {
        HMENU popup = GetSubMenu(frame.mainMenu, top);
        ASSERT_NE(popup, nullptr);
        int keyed = 0;
        for (wchar_t key = L'A'; key <= L'Z'; ++key) {
            const LRESULT answer = AnswerMenuCharMessage(frame, key, reinterpret_cast<LPARAM>(popup));
            if (HIWORD(answer) != MNC_IGNORE) ++keyed;
        }
        EXPECT_GT(keyed, 0) << "popup " << top;
        EXPECT_EQ(HIWORD(AnswerMenuCharMessage(frame, L'#', reinterpret_cast<LPARAM>(popup))), MNC_IGNORE);
    }
}

}  // namespace
