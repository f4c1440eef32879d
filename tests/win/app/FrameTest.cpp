// The frame of the main window on real windows: the title and the status parts that
// describe the current document, the link hints, and the two bars' toggles with the layout
// they change.
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
    // A child's rectangle in the main window's client area.
    static RECT Placed(HWND child)
    {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, theApp.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static int ViewBottom() { return Placed(GetViewWindow(CurrentView())).bottom; }
};

TEST_F(FrameTest, TheTitleAndTheStatusPartsDescribeTheCurrentDocumentAndTheLinkUnderTheMouse)
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
    EXPECT_EQ(StatusPart(kStatusCaret) + StatusPart(kStatusWrap) + StatusPart(kStatusWriteProtect) +
                  StatusPart(kStatusLineEnding),
              L"3行：1桁折返書禁LF");
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
    current.encoding = EncodingCode::EucJp;
    UpdateTitle();
    EXPECT_EQ(StatusPart(kStatusEncoding), L"EUC");
    current.wrapped = false;
    SetCaretLine(CurrentView(), 1);
    SendMessageW(theApp.mainWindow, WM_VIEW_CARET_MOVED, 0, 0);
    SendMessageW(theApp.mainWindow, WM_TAB_CHANGED, 0, 0);
    EXPECT_EQ(StatusPart(kStatusCaret), L"1行：1桁");
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 5, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"ダブルクリックするとブラウザを開きます。");
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 0, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"");
}

TEST_F(FrameTest, ABarSettingOfTwoStartsHiddenAndTheTogglesShowAndHideAndMoveTheRest)
{
    Start(2, 1);
    HWND toolBar = theApp.frame.toolBar.window, statusBar = theApp.frame.statusBar.window;
    EXPECT_FALSE(Shown(toolBar));
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    EXPECT_EQ(Placed(theApp.tabBar.barWindow).top, 0);
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
    EXPECT_EQ(Placed(theApp.tabBar.barWindow).top, toolHeight + 3);
    EXPECT_EQ(Placed(GetViewWindow(CurrentView())).top, toolHeight + 3 + kBarHeight);
}

}  // namespace
