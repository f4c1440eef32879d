// The emphasis subsystem in a real main window, one check per feature; what each reader
// makes of its file is proved by the native tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "../support/AppSession.h"
#include "app/ShellCommands.h"
#include "documents/OpenFile.h"
#include "emphasis/EmphasisLoader.h"
#include "emphasis/win32/EnvironmentMenu.h"
#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "textcontrol/win32/ViewState.h"

namespace {

std::string Folder(const char* name) { return std::string(theApp.programFolder) + name + "\\"; }
size_t EmphasisEntries(int view) { return kvte::textcontrol::FindView(view)->model.Emphasis().Size(); }

// A main window with an environment and a colour file of the test's own in its folder.
struct EmphasisWindowsTest : MainWindowTest {
    std::vector<std::string> written;

    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ReleaseMarkDrawing(theApp.markDrawing);  // its pen keeps the colour it was made in
        theApp.emphasis.active = false;
        CreateDirectoryW(WideFromInternal(Folder("esf")).c_str(), nullptr);
        CreateDirectoryW(WideFromInternal(Folder("color")).c_str(), nullptr);
        Write(Folder("esf") + "HTML.esf", "EMP_WORD,0,1,0\r\n<body\r\nEMP_MULTI_BETWEEN,0,6,0\r\n<!--,-->\r\n");
        Write(Folder("color") + "emph-test.ini", "[mark]\r\ncCrlf=255\r\n");
        Editor1("ColorFile", "emph-test.ini");
        Start();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetEnvironmentMenuTracker(nullptr);
        Editor1("ColorFile", "default.ini");
        Editor1("owndraw", "0");
        for (const std::string& path : written) DeleteFileW(WideFromInternal(path).c_str());
    }
    void Write(const std::string& path, const std::string& bytes)
    {
        ASSERT_TRUE(WriteWholeFile(path.c_str(), bytes.data(), static_cast<long long>(bytes.size()))) << path;
        written.push_back(path);
    }
    static void Editor1(const char* key, const char* value)
    {
        SetSection(*theApp.settings, "editor1");
        WriteString(*theApp.settings, key, value);
    }
};

TEST_F(EmphasisWindowsTest, OpeningAFileLoadsTheEnvironmentOfItsExtensionAndReportsABadLine)
{
    const std::string page = Folder("esf") + "page.HTM";
    Write(page, "<body>\r\n");
    ASSERT_EQ(OpenFile(theApp.documents, page, 0, true), 0);
    EXPECT_EQ(EmphasisEntries(CurrentView()), 2u);
    EXPECT_TRUE(theApp.emphasis.active);
    // A rejected line stops the reading with a box that says where.
    Write(Folder("esf") + "Bad.esf", "EMP_WORD,0,1,0\r\nkept\r\nEMP_WORD,0,7,0\r\n");
    EXPECT_FALSE(LoadEmphasisFile(theApp.emphasis, 0, "Bad.esf"));
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].owner, theApp.mainWindow);
    EXPECT_NE(modal.shown[0].text.find(L"エラーの発見された3行目以降は読み込みを中止します。"), std::wstring::npos);
}

int PickHtml(HMENU menu, int, int, HWND, const RECT&)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[64] = {};
        GetMenuStringW(menu, i, label, 64, MF_BYPOSITION);
        if (std::wstring(label) == L"HTML") return static_cast<int>(GetMenuItemID(menu, i));
    }
    return 0;
}

TEST_F(EmphasisWindowsTest, TheToolbarMenuLoadsTheEnvironmentPickedAndPlainTextClearsIt)
{
    NMTOOLBARW notice = {};
    notice.hdr.hwndFrom = theApp.frame.toolBar.window;
    notice.hdr.idFrom = GetDlgCtrlID(theApp.frame.toolBar.window);
    notice.hdr.code = TBN_DROPDOWN;
    notice.iItem = IDM_ENVIRONMENT_DROPDOWN;
    for (EnvironmentMenuTracker tracker : {&PickHtml, +[](HMENU, int, int, HWND, const RECT&) { return 601; }}) {
        SetEnvironmentMenuTracker(tracker);
        SendMessageW(theApp.mainWindow, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
        EXPECT_EQ(EmphasisEntries(0), tracker == &PickHtml ? 2u : 0u);
        EXPECT_EQ(theApp.emphasis.active, tracker == &PickHtml);
    }
}

TEST_F(EmphasisWindowsTest, ANewViewGetsTheSettingsAsTheyAreAndItsOwnLineEndMark)
{
    EXPECT_FALSE(kvte::textcontrol::FindView(0)->look.ownerDrawLineEnd);
    Editor1("owndraw", "5");
    ASSERT_EQ(OpenNewTab(theApp), 0);
    EXPECT_TRUE(kvte::textcontrol::FindView(1)->look.ownerDrawLineEnd);
    SetFont(1, "", 28, 1);  // view 1's columns are much wider than view 0's
    const int w = DrawMetrics(1, 0), h = DrawMetrics(1, 1);
    ASSERT_GT(w, DrawMetrics(0, 0) + 2);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_VIEW_MARK;
    item.CtlID = item.itemID = 1;
    item.itemState = VIEW_MARK_LINE_END;
    item.hDC = dc;
    item.rcItem = RECT{10, 10, 10 + 2 * w, 10 + h};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(GetPixel(dc, 10 + 2 * w - 2, 13), RGB(255, 0, 0));  // the vertical stroke in cCrlf
    EXPECT_NE(GetPixel(dc, 10 + 2 * DrawMetrics(0, 0) - 2, 13), RGB(255, 0, 0)) << "view 0's place";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
