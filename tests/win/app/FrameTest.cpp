// The frame of the main window on real windows: the title and the status parts that
// describe the current document, the parts' edges in a narrow window, the link hints, the
// toolbar's tips over their buttons, and the two bars' toggles with the layout they change.
#include "app/frame/DpiScale.h"
#include "app/frame/Title.h"
#include "documents/DocumentList.h"
#include "documents/TabBarLayout.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"

namespace {

struct FrameTest : MainWindowTest {
    static int Indication(const char* key)
    {
        SetSection(*theApp.settings, "indication");
        return GetInt(*theApp.settings, key);
    }
    static bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
    static int ClientTop(HWND child)
    {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, theApp.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    }
};

TEST_F(FrameTest, TheTitleAndTheStatusPartsDescribeTheCurrentDocument)
{
    Start();
    EXPECT_EQ(Title(), L"無題  - KelvaraTextEditorVer3.36");
    Document& current = CurrentDocument(theApp.documents.list);
    SetPath(current, InternalFromWide(L"C:\\文書\\a.txt"));
    current.modified = true;
    current.writable = false;
    current.wrapped = true;
    ASSERT_NE(SetText(CurrentView(), "ab\ncd\n\tx"), 0);
    SetCaretLine(CurrentView(), 3);
    UpdateTitle();
    EXPECT_EQ(Title(), L"C:\\文書\\a.txt(書込禁止) * - KelvaraTextEditorVer3.36");
    EXPECT_EQ(StatusPart(kStatusCaret), L"3行：1桁");
    EXPECT_EQ(StatusPart(kStatusWrap), L"折返");
    EXPECT_EQ(StatusPart(kStatusWriteProtect), L"書禁");
    EXPECT_EQ(StatusPart(kStatusLineEnding), L"LF");
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
    const std::pair<int, const wchar_t*> labels[] = {
        {0x0100, L"JIS"}, {0x0400, L"EUC"}, {0x0801, L"UTF16"}, {0x0804, L"UTF8"}, {0x0803, L"S-JIS"}, {-1, L"S-JIS"}};
    for (const auto& label : labels) {
        current.encoding = static_cast<EncodingCode>(label.first);
        UpdateTitle();
        EXPECT_EQ(StatusPart(kStatusEncoding), label.second) << label.first;
    }
    current.wrapped = false;
    SetCaretLine(CurrentView(), 1);
    SendMessageW(theApp.mainWindow, WM_VIEW_CARET_MOVED, 0, 0);
    SendMessageW(theApp.mainWindow, WM_TAB_CHANGED, 0, 0);
    EXPECT_EQ(StatusPart(kStatusCaret), L"1行：1桁");
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
}

TEST_F(FrameTest, ANarrowWindowGivesNegativeEdgesAndLinksShowTheirHints)
{
    Start();
    SendMessageW(theApp.mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(250, 200));
    int edges[kStatusPartCount] = {};
    SendMessageW(theApp.frame.statusBar.window, SB_GETPARTS, kStatusPartCount, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 250 - ScaleForDpi(300, theApp.frame.dpi));
    EXPECT_EQ(edges[5], 250);
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 5, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"ダブルクリックするとブラウザを開きます。");
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 6, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"ダブルクリックするとメーラーを開きます。");
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 0, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"");
}

TEST_F(FrameTest, EachTipCoversItsButtonWhereTheToolbarFinallyPutIt)
{
    Start();
    HWND bar = theApp.frame.toolBar.window, tips = theApp.frame.toolBar.tipWindow;
    ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), kToolBarButtonCount);
    for (int command : {IDM_FILE_NEW, IDM_ENVIRONMENT_DROPDOWN, IDM_HELP_CONTENTS}) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = bar;
        tool.uId = static_cast<UINT_PTR>(command);
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) << command;
        EXPECT_NE(text[0], L'\0');
        RECT button;
        SendMessageW(bar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&button));
        EXPECT_TRUE(EqualRect(&tool.rect, &button)) << command;
    }
}

// A view's bottom in the main window's client area.
int ViewBottom()
{
    RECT view;
    GetWindowRect(GetViewWindow(CurrentView()), &view);
    MapWindowPoints(nullptr, theApp.mainWindow, reinterpret_cast<POINT*>(&view), 2);
    return view.bottom;
}

TEST_F(FrameTest, ABarSettingOfTwoStartsHiddenAndTheTogglesShowAndHideAndMoveTheRest)
{
    Start(2, 1);
    HWND toolBar = theApp.frame.toolBar.window, statusBar = theApp.frame.statusBar.window;
    EXPECT_FALSE(Shown(toolBar));
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    EXPECT_EQ(ClientTop(theApp.tabBar.barWindow), 0);
    // The hidden toolbar's height goes to the view, which ends one pixel above the status bar.
    RECT client;
    GetClientRect(theApp.mainWindow, &client);
    EXPECT_EQ(ViewBottom(), client.bottom - 1 - StatusBarHeight(theApp.frame.statusBar));
    Command(IDM_VIEW_STATUSBAR);
    EXPECT_EQ(Indication("statusbar"), 0);
    EXPECT_FALSE(Shown(statusBar));
    EXPECT_EQ(ViewBottom(), client.bottom - 1);

    Command(IDM_VIEW_TOOLBAR);
    EXPECT_EQ(Indication("toolbar"), 1);
    EXPECT_TRUE(Shown(toolBar));
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    const int toolHeight = ToolBarHeight(theApp.frame.toolBar);
    EXPECT_EQ(ClientTop(theApp.tabBar.barWindow), toolHeight + 3);
    EXPECT_EQ(ClientTop(GetViewWindow(CurrentView())), toolHeight + 3 + kBarHeight);
}

}  // namespace
