// The menus built from the string table and [tool]: the titles and entries of each popup,
// the context menu, the tools with the table's overflow, the entries whose checks other
// commands set; the sizes at 96 DPI, the drawn colours, the check mark; and the status
// bar help text of a highlighted command.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/frame/Menus.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"

namespace {

// One menu item as the menu holds it: command id (0 for a separator, -1 for a submenu)
// and the text of its entry record.
struct Item {
    int id;
    std::wstring text;
    std::wstring shortcut;
    bool operator==(const Item& other) const
    {
        return id == other.id && text == other.text && shortcut == other.shortcut;
    }
};

std::ostream& operator<<(std::ostream& out, const Item& item)
{
    return out << item.id << " [" << InternalFromWide(item.text) << "] [" << InternalFromWide(item.shortcut) << "]";
}

const Item kSep{0, L"", L""};

std::vector<Item> ItemsOf(const FrameState& frame, HMENU menu)
{
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "item " << i;
        EXPECT_LT(info.dwItemData, static_cast<ULONG_PTR>(frame.menuEntryCount));
        const MenuEntry& entry = frame.menuEntries[info.dwItemData];
        int id = static_cast<int>(info.wID);
        if (entry.kind == MenuEntryKind::Separator) id = 0;
        if (info.hSubMenu) id = -1;
        items.push_back({id, WideFromInternal(entry.text), WideFromInternal(entry.shortcut)});
    }
    return items;
}

std::wstring TitleOf(HMENU bar, int position)
{
    wchar_t text[64] = {};
    GetMenuStringW(bar, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

struct MenusTest : testing::Test {
    ScratchFolder folder{L"menus"};
    ProfileFile settings{};
    FrameState frame;

    // [tool] with `count` tools named "Tool 0", "Tool 1", ...; the types given as -1 are
    // separators.
    void WriteTools(int count, std::vector<int> separators = {})
    {
        std::string ini = "[tool]\r\nnum=" + std::to_string(count) + "\r\n";
        for (int i = 0; i < count; ++i) {
            bool separator = false;
            for (int s : separators) separator = separator || s == i;
            ini += "type" + std::to_string(i) + "=" + (separator ? "-1" : "0") + "\r\n";
            ini += "name" + std::to_string(i) + "=Tool " + std::to_string(i) + "\r\n";
        }
        const std::wstring path = folder.path() + L"kvte.ini";
        ASSERT_TRUE(WriteFileBytes(path, ini));
        ASSERT_TRUE(OpenProfile(settings, InternalFromWide(path).c_str(), "main"));
    }

    void Build(int tools, std::vector<int> separators = {})
    {
        WriteTools(tools, separators);
        ASSERT_TRUE(BuildMenus(frame, GetModuleHandleW(nullptr), settings));
        ASSERT_NE(frame.mainMenu, nullptr);
        ASSERT_NE(frame.contextMenu, nullptr);
    }

    void TearDown() override
    {
        if (frame.mainMenu) DestroyMenu(frame.mainMenu);
        ReleaseFrame(frame);
    }
};

TEST_F(MenusTest, EachPopupHoldsItsEntriesWithTheirTextsAndShortcuts)
{
    Build(0);
    HMENU bar = frame.mainMenu;
    ASSERT_EQ(GetMenuItemCount(bar), 7);
    const wchar_t* titles[] = {L"ファイル(&F)", L"編集(&E)",       L"検索(&S)",  L"表示(&V)",
                               L"ツール(&T)",   L"ウィンドウ(&W)", L"ヘルプ(&H)"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TitleOf(bar, i), titles[i]);

    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 0)), (std::vector<Item>{{40001, L"新規作成(&N)", L"Ctrl+N  "},
                                                                     {40010, L"開く(&O)...", L"Ctrl+O  "},
                                                                     kSep,
                                                                     {40008, L"上書き保存(&S)", L"Ctrl+S  "},
                                                                     {40009, L"名前をつけて保存(&M)...", L""},
                                                                     {40065, L"全て上書き保存(&A)", L""},
                                                                     kSep,
                                                                     {40002, L"終了(&E)", L""}}));
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 1)),
              (std::vector<Item>{{40021, L"元に戻す(&U)", L"Ctrl+Z Alt+BackSpace  "},
                                 {40022, L"やり直す(&R)", L"Ctrl+Y Ctrl+Shift+Z  "},
                                 kSep,
                                 {40003, L"コピー(&C)", L"Ctrl+C Ctrl+Insert  "},
                                 {40004, L"切り取り(&T)", L"Ctrl+X Shift+Delete  "},
                                 {40005, L"貼り付け(P)", L"Ctrl+V Shift+Insert  "},
                                 {40027, L"全て選択(&A)", L"Ctrl+A  "},
                                 kSep,
                                 {40024, L"インデント(&I)", L"Tab  "},
                                 {40025, L"逆インデント(&D)", L"Shift+Tab  "},
                                 kSep,
                                 {40070, L"書き込み禁止(&W)", L""}}));
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 2)),
              (std::vector<Item>{{40029, L"検索(&F)...", L"Ctrl+F  "},
                                 {40030, L"カーソル位置から下へ検索(&N)", L"F3  "},
                                 {40031, L"カーソル位置から上へ検索(&B)", L"Shift+F3  "},
                                 kSep,
                                 {40067, L"置換(&R)", L"Ctrl+H  "},
                                 kSep,
                                 {40032, L"この行にしおりをつける(&M)", L"Ctrl+M  "},
                                 {40033, L"下のしおりへ移動(&T)", L"F4  "},
                                 {40034, L"上のしおりへ移動(&Y)", L"Shift+F4  "},
                                 {40035, L"全てのしおりを削除(&D)", L""},
                                 kSep,
                                 {40026, L"指定行へ移動(&J)...", L"Ctrl+J  "}}));
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 3)), (std::vector<Item>{{40036, L"ツールバーの表示(&V)", L""},
                                                                     {40037, L"ステータスバーの表示(&S)", L""},
                                                                     {40040, L"画面端で折り返す(&D)", L""},
                                                                     kSep,
                                                                     {40039, L"フォントの変更(&F)", L""}}));
    // Without tools the options entry stands alone.
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 4)), (std::vector<Item>{{40023, L"オプション(&O)...", L""}}));
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(bar, 5)),
              (std::vector<Item>{{40071, L"新しいタブ(&N)", L""},
                                 {40052, L"右のタブを表示(&R)", L"Ctrl+Tab Alt+Right  "},
                                 {40053, L"左のタブを表示(&L)", L"Ctrl+Shift+Tab Alt+Left  "},
                                 kSep,
                                 {40055, L"このタブを閉じる(&C)", L"Ctrl+D  Ctrl+W "},
                                 {40064, L"全てのタブを閉じる(&A)", L""}}));
    HMENU help = GetSubMenu(bar, 6);
    EXPECT_EQ(ItemsOf(frame, help), (std::vector<Item>{{-1, L"使い方の参照(&H)", L""},
                                                       kSep,
                                                       {40057, L"KelvaraProjectユーザーサイトへ(&U)", L""},
                                                       {40058, L"KelvaraProjectへメール(&M)", L""},
                                                       kSep,
                                                       {40006, L"バージョン情報(&V)...", L""}}));
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(help, 0)), (std::vector<Item>{{40028, L"目次(&I)...", L"F1  "},
                                                                      {40069, L"機能一覧(&P)...", L""},
                                                                      {40068, L"ショートカットキー一覧(&S)...", L""}}));
    EXPECT_EQ(ItemsOf(frame, frame.contextMenu),
              (std::vector<Item>{{40003, L"コピー(&C)", L"Ctrl+C Ctrl+Insert  "},
                                 {40004, L"切り取り(&T)", L"Ctrl+X Shift+Delete  "},
                                 {40005, L"貼り付け(P)", L"Ctrl+V Shift+Insert  "},
                                 kSep,
                                 {40052, L"右のタブを表示(&R)", L"Ctrl+Tab Alt+Right  "},
                                 {40053, L"左のタブを表示(&L)", L"Ctrl+Shift+Tab Alt+Left  "},
                                 {40055, L"このタブを閉じる(&C)", L"Ctrl+D  Ctrl+W "}}));
    EXPECT_EQ(frame.menuEntryCount, 60);

    EXPECT_STREQ(WideFromInternal(frame.menuEntries[frame.toolbarEntry].text).c_str(), L"ツールバーの表示(&V)");
    EXPECT_STREQ(WideFromInternal(frame.menuEntries[frame.statusbarEntry].text).c_str(), L"ステータスバーの表示(&S)");
    EXPECT_STREQ(WideFromInternal(frame.menuEntries[frame.wrapEntry].text).c_str(), L"画面端で折り返す(&D)");
}

TEST_F(MenusTest, NineToolsFillTheTableAndATenthPushesOutTheLastContextEntry)
{
    Build(9, {4});
    EXPECT_EQ(frame.menuEntryCount, kMenuEntryCapacity);
    std::vector<Item> tools = ItemsOf(frame, GetSubMenu(frame.mainMenu, 4));
    ASSERT_EQ(tools.size(), 11u);
    EXPECT_EQ(tools[0], (Item{2000, L"Tool 0", L""}));
    EXPECT_EQ(tools[4], kSep);  // type -1
    EXPECT_EQ(tools[8], (Item{2008, L"Tool 8", L""}));
    EXPECT_EQ(tools[9], kSep);
    EXPECT_EQ(tools[10], (Item{40023, L"オプション(&O)...", L""}));
    EXPECT_EQ(GetMenuItemCount(frame.contextMenu), 7);

    // A rebuild replaces the table and both menus.
    Build(10);
    EXPECT_EQ(frame.menuEntryCount, kMenuEntryCapacity);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(frame.mainMenu, 4)), 12);
    std::vector<Item> context = ItemsOf(frame, frame.contextMenu);
    ASSERT_EQ(context.size(), 6u);
    EXPECT_EQ(context.back().id, 40053);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(frame.mainMenu, 6)), 6);  // help is whole

    // Far more tools than fit: the help menu and then the window menu lose their tails.
    Build(30);
    EXPECT_EQ(frame.menuEntryCount, kMenuEntryCapacity);
    EXPECT_EQ(GetMenuItemCount(frame.contextMenu), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(frame.mainMenu, 6)), 0);
    EXPECT_LT(GetMenuItemCount(GetSubMenu(frame.mainMenu, 5)), 6);
}

TEST_F(MenusTest, ANegativeToolCountStillGivesTheSeparatorAndNoTools)
{
    Build(-3);
    EXPECT_EQ(ItemsOf(frame, GetSubMenu(frame.mainMenu, 4)),
              (std::vector<Item>{kSep, {40023, L"オプション(&O)...", L""}}));
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE GuiTextSize(const std::wstring& text)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size;
}

MEASUREITEMSTRUCT Measured(const FrameState& frame, int index)
{
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemData = static_cast<ULONG_PTR>(index);
    EXPECT_TRUE(MeasureMenuEntry(frame, item));
    return item;
}

TEST_F(MenusTest, SizesAtNinetySixDpi)
{
    if (ScreenDpi() != 96) GTEST_SKIP() << "the screen is not at 96 DPI";
    Build(0);
    // Entry 0 is 新規作成 with Ctrl+N; entry 2 the separator after 開く; entry 4 has no
    // shortcut.
    const SIZE text = GuiTextSize(L"新規作成(&N)"), shortcut = GuiTextSize(L"Ctrl+N  ");
    MEASUREITEMSTRUCT command = Measured(frame, 0);
    EXPECT_EQ(command.itemWidth, static_cast<UINT>(text.cx + shortcut.cx + 35 + 26));
    EXPECT_EQ(command.itemHeight, static_cast<UINT>(text.cy + 8));
    const SIZE saveAs = GuiTextSize(L"名前をつけて保存(&M)...");
    EXPECT_EQ(Measured(frame, 4).itemWidth, static_cast<UINT>(saveAs.cx + 26));
    MEASUREITEMSTRUCT separator = Measured(frame, 2);
    EXPECT_EQ(separator.itemHeight, static_cast<UINT>((GuiTextSize(L"").cy + 8) * 2 / 3));
    EXPECT_LT(separator.itemHeight, command.itemHeight);

    MEASUREITEMSTRUCT foreign = {};
    foreign.CtlType = ODT_MENU;
    foreign.itemData = 70;  // not an entry: left to the system
    EXPECT_FALSE(MeasureMenuEntry(frame, foreign));
}

// Draws entry `index` into a white 200 x 24 bitmap and returns the pixel colours.
struct Drawn {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 24);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~Drawn()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    bool Draw(const FrameState& frame, int index, bool selected, bool commandChecked)
    {
        RECT all{0, 0, 200, 24};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = selected ? ODS_SELECTED : 0;
        item.hDC = dc;
        item.rcItem = all;
        item.itemData = static_cast<ULONG_PTR>(index);
        return DrawMenuEntry(frame, item, commandChecked);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST_F(MenusTest, DrawingColoursTheBandTheHighlightAndTheCheckMark)
{
    if (ScreenDpi() != 96) GTEST_SKIP() << "the screen is not at 96 DPI";
    Build(0);
    frame.checkMarkBitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHECKMARK),
                                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(frame.checkMarkBitmap, nullptr);
    Drawn plain;
    ASSERT_TRUE(plain.Draw(frame, frame.toolbarEntry, false, false));
    EXPECT_EQ(plain.At(10, 1), RGB(128, 128, 255));  // the band
    EXPECT_EQ(plain.At(20, 12), RGB(255, 255, 255));
    EXPECT_EQ(plain.At(195, 12), RGB(255, 255, 255));

    Drawn selected;
    ASSERT_TRUE(selected.Draw(frame, frame.toolbarEntry, true, false));
    EXPECT_EQ(selected.At(22, 12), RGB(0, 255, 0));       // the frame
    EXPECT_EQ(selected.At(195, 12), RGB(193, 238, 210));  // the fill
    EXPECT_EQ(selected.At(20, 12), RGB(255, 255, 255));

    // The check mark replaces part of the band; the entry's own flag or the command's
    // checked state draws it.
    Drawn checked, flagged;
    ASSERT_TRUE(checked.Draw(frame, frame.toolbarEntry, false, true));
    frame.menuEntries[frame.toolbarEntry].checked = true;
    ASSERT_TRUE(flagged.Draw(frame, frame.toolbarEntry, false, false));
    int changed = 0;
    for (int y = 2; y < 18; ++y) {
        for (int x = 2; x < 18; ++x) {
            if (checked.At(x, y) != plain.At(x, y)) ++changed;
            EXPECT_EQ(flagged.At(x, y), checked.At(x, y));
        }
    }
    EXPECT_GT(changed, 0);

    // A separator is a dotted line across the middle, past the band.
    Drawn separator;
    ASSERT_TRUE(separator.Draw(frame, 2, true, true));
    int dots = 0;
    for (int x = 22; x < 198; ++x) dots += separator.At(x, 12) == RGB(128, 128, 0);
    EXPECT_GT(dots, 30);
    EXPECT_LT(dots, 176);                                 // dotted, not solid
    EXPECT_EQ(separator.At(195, 4), RGB(255, 255, 255));  // never highlighted
}

struct MenuHelpTest : testing::Test {
    HWND statusBar = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
        statusBar = FindWindowExW(theApp.mainWindow, nullptr, STATUSCLASSNAMEW, nullptr);
        if (statusBar == nullptr) {
            statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD, 0, 0, 0, 0, theApp.mainWindow, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
        }
        ASSERT_NE(statusBar, nullptr);
        int edges[] = {100, 200, 300, 400, 500, -1};
        SendMessageW(statusBar, SB_SETPARTS, 6, reinterpret_cast<LPARAM>(edges));
    }
    void TearDown() override
    {
        EndMainWindowForTest();
    }
    std::wstring Part0() const
    {
        wchar_t text[1024] = {};
        SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Select(int id) { SendMessageW(theApp.mainWindow, WM_MENUSELECT, MAKEWPARAM(id, MF_OWNERDRAW), 0); }
};

TEST_F(MenuHelpTest, TheHighlightedCommandsHelpGoesToTheFirstPart)
{
    SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"before"));
    Select(40071);  // no help string: the part stays
    EXPECT_EQ(Part0(), L"before");
    Select(40001);
    EXPECT_EQ(Part0(), L"新規に文書を作成します。");
    Select(40038);
    EXPECT_EQ(Part0(), L"新規に文書を作成します。");
    Select(2000);
    EXPECT_EQ(Part0(), L"選択しているツールを起動します。");
    Select(40064);
    Select(2500);
    EXPECT_EQ(Part0(), L"選択しているツールを起動します。");
    Select(2501);
    EXPECT_EQ(Part0(), L"選択しているツールを起動します。");
    // The menu closing (id 0) empties it.
    SendMessageW(theApp.mainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Part0(), L"");
}

TEST_F(MenuHelpTest, TheMainWindowHasTheMenuBarAndTheViewOpensTheContextMenu)
{
    EXPECT_EQ(GetMenu(theApp.mainWindow), theApp.frame.mainMenu);
    EXPECT_EQ(GetMenuItemCount(theApp.frame.mainMenu), 7);
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

    // The menu bar goes with the window, and the frame forgets it.
    DestroyWindow(theApp.mainWindow);
    EXPECT_EQ(theApp.frame.mainMenu, nullptr);
}

}  // namespace
