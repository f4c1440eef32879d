// The toolbar's buttons and tooltips, and the two bars' toggles with the layout they
// change.
#include "FrameFixture.h"

#include <vector>

#include "app/frame/ToolBar.h"
#include "documents/TabBarLayout.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct ToolBarTest : FrameFixture {
    static int Indication(const char* key)
    {
        SetSection(*theApp.settings, "indication");
        return GetInt(*theApp.settings, key);
    }
    static HWND ToolWindow() { return theApp.frame.toolBar.window; }
    static HWND StatusWindow() { return theApp.frame.statusBar.window; }
    static int ViewBottom()
    {
        RECT view;
        GetWindowRect(GetViewWindow(CurrentView()), &view);
        MapWindowPoints(nullptr, theApp.mainWindow, reinterpret_cast<POINT*>(&view), 2);
        return view.bottom;
    }
};

TEST_F(ToolBarTest, FifteenButtonsInFiveGroupsWithTheirTips)
{
    Start();
    HWND bar = ToolWindow();
    ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 20);
    std::vector<int> commands;
    for (int i = 0; i < 20; ++i) {
        TBBUTTON button = {};
        SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        commands.push_back((button.fsStyle & BTNS_SEP) ? 0 : button.idCommand);
        if (button.idCommand == IDM_ENVIRONMENT_DROPDOWN) {
            EXPECT_TRUE(button.fsStyle & BTNS_DROPDOWN);
        }
    }
    EXPECT_EQ(commands, (std::vector<int>{40001, 40010, 40008, 40065, 0,     40021, 40022, 0,   40004, 40003,
                                          40005, 0,     40029, 40030, 40031, 0,     40023, 501, 0,     40028}));
    HWND tips = theApp.frame.toolBar.tipWindow;
    ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 15);
    const struct {
        int command;
        const wchar_t* text;
    } expected[] = {{40001, L"新規作成(Ctrl+N)"}, {501, L"環境設定の変更"}, {40028, L"ヘルプの参照(F1)"}};
    for (const auto& e : expected) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = bar;
        tool.uId = e.command;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) << e.command;
        EXPECT_STREQ(text, e.text);
        // Each tip covers its button where the toolbar finally put it.
        RECT button;
        SendMessageW(bar, TB_GETRECT, e.command, reinterpret_cast<LPARAM>(&button));
        EXPECT_TRUE(EqualRect(&tool.rect, &button)) << e.command;
    }
}

TEST_F(ToolBarTest, AToolbarSettingOfTwoStartsHiddenAndTheToggleShowsItAndStoresOne)
{
    Start(2, 1);
    EXPECT_FALSE(Shown(ToolWindow()));
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    EXPECT_EQ(ClientTop(theApp.tabBar.barWindow), 0);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_TOOLBAR, 0);
    EXPECT_EQ(Indication("toolbar"), 1);
    EXPECT_TRUE(Shown(ToolWindow()));
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    const int toolHeight = ToolBarHeight(theApp.frame.toolBar);
    EXPECT_GT(toolHeight, 15);
    EXPECT_EQ(ClientTop(theApp.tabBar.barWindow), toolHeight + 3);
    EXPECT_EQ(ClientTop(GetViewWindow(CurrentView())), toolHeight + 3 + kBarHeight);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_TOOLBAR, 0);
    EXPECT_EQ(Indication("toolbar"), 0);
    EXPECT_FALSE(Shown(ToolWindow()));
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    EXPECT_EQ(ClientTop(theApp.tabBar.barWindow), 0);
}

TEST_F(ToolBarTest, MissingKeysHideBothBarsAndTheTogglesShowThem)
{
    Start(-1, -1);
    EXPECT_FALSE(Shown(ToolWindow()));
    EXPECT_FALSE(Shown(StatusWindow()));
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_TOOLBAR, 0);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_STATUSBAR, 0);
    EXPECT_EQ(Indication("toolbar"), 1);
    EXPECT_EQ(Indication("statusbar"), 1);
    EXPECT_TRUE(Shown(ToolWindow()));
    EXPECT_TRUE(Shown(StatusWindow()));
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_STATUSBAR));
}

TEST_F(ToolBarTest, TheViewEndsAboveTheStatusBarOnlyWhileItIsShown)
{
    Start(0, 1);
    RECT client;
    GetClientRect(theApp.mainWindow, &client);
    const int toolHeight = ToolBarHeight(theApp.frame.toolBar), statusHeight = StatusBarHeight(theApp.frame.statusBar);
    ASSERT_GT(statusHeight, 0);
    // Hidden toolbar: its height goes back to the view, one pixel stays free.
    EXPECT_EQ(ViewBottom(), client.bottom - 1 - statusHeight);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_STATUSBAR, 0);
    EXPECT_FALSE(Shown(StatusWindow()));
    EXPECT_EQ(ViewBottom(), client.bottom - 1);
    EXPECT_GT(toolHeight, 0);
}

}  // namespace

namespace {

// Button size of a toolbar made for `dpi` in a hidden window of its own.
SIZE ButtonSizeAt(int dpi)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ToolBar bar;
    SIZE size = {};
    if (CreateToolBar(bar, parent, GetModuleHandleW(nullptr), dpi)) {
        const LRESULT packed = SendMessageW(bar.window, TB_GETBUTTONSIZE, 0, 0);
        size = {LOWORD(packed), HIWORD(packed)};
    }
    DestroyToolBar(bar);
    DestroyWindow(parent);
    return size;
}

TEST(ToolBarDpi, ButtonsGrowWithTheImagesAtTwiceTheDpi)
{
    const SIZE normal = ButtonSizeAt(96), twice = ButtonSizeAt(192);
    ASSERT_GT(normal.cx, 16);
    // The images are 16 by 15 and 32 by 30; the frame around them stays the same.
    EXPECT_EQ(twice.cx - normal.cx, 16);
    EXPECT_EQ(twice.cy - normal.cy, 15);
}

}  // namespace
