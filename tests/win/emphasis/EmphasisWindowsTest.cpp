// The emphasis subsystem in a real main window: appearance of the views, the file-type
// lookup on open, the font command, the toolbar's menu of environments and the
// owner-drawn line-end mark.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/AppSession.h"
#include "app/ShellCommands.h"
#include "documents/OpenFile.h"
#include "emphasis/EmphasisLoader.h"
#include "files/FileAccess.h"
#include "emphasis/win32/EnvironmentMenu.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "textcontrol/win32/FontDialog.h"
#include "textcontrol/win32/ViewState.h"

namespace {

using kvte::textcontrol::FindView;

std::string Folder(const char* name) { return std::string(theApp.programFolder) + name + "\\"; }

void PutFile(const std::string& path, const std::string& bytes)
{
    ASSERT_TRUE(WriteWholeFile(path.c_str(), bytes.data(), static_cast<long long>(bytes.size()))) << path;
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    ReadWholeFile(path.c_str(), bytes);
    return bytes;
}

size_t EmphasisEntries(int view) { return FindView(view)->model.Emphasis().Size(); }

// A main window whose program folder holds two environments and a colour file of the
// test's own; everything written is removed again, and [editor1] is put back.
struct EmphasisWindowsTest : MainWindowTest {
    std::vector<std::string> written;
    std::string savedEditor1;

    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ReleaseMarkDrawing(theApp.markDrawing);
        theApp.emphasis.active = false;
        CreateDirectoryW(WideFromInternal(Folder("esf")).c_str(), nullptr);
        CreateDirectoryW(WideFromInternal(Folder("color")).c_str(), nullptr);
        Write(Folder("esf") + "HTML.esf", "EMP_WORD,0,1,0\r\n<body\r\nEMP_MULTI_BETWEEN,0,6,0\r\n<!--,-->\r\n");
        Write(Folder("esf") + "Two.esf", "EMP_WORD,0,2,0\r\nx\r\n");
        Write(Folder("color") + "emph-test.ini", "[color]\r\ncBackGround=16777215\r\n");
        SetSection(*theApp.settings, "editor1");
        char name[1024] = {};
        GetString(*theApp.settings, "ColorFile", name, sizeof name);
        savedEditor1 = name;
        WriteString(*theApp.settings, "ColorFile", "emph-test.ini");
        Start();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetEnvironmentMenuTracker(nullptr);
        ReleaseMarkDrawing(theApp.markDrawing);
        if (SetSection(*theApp.settings, "editor1")) {
            WriteString(*theApp.settings, "ColorFile", savedEditor1.c_str());
            WriteInt(*theApp.settings, "owndraw", 0);
            WriteInt(*theApp.settings, "Ruler", 1);
        }
        for (const std::string& path : written) DeleteFileW(WideFromInternal(path).c_str());
    }
    void Write(const std::string& path, const std::string& bytes)
    {
        PutFile(path, bytes);
        written.push_back(path);
    }
};

TEST_F(EmphasisWindowsTest, ViewsGetTheColourFileWithOnlyABackgroundAndTheSwitches)
{
    const kvte::textcontrol::ViewLook& look = FindView(0)->look;
    EXPECT_EQ(look.colours[VIEW_COLOR_BACKGROUND], 0xFFFFFFu);
    for (int i = 0; i < VIEW_COLOR_COUNT; ++i) {
        if (i != VIEW_COLOR_BACKGROUND) {
            EXPECT_EQ(look.colours[i], 0u) << i;
        }
    }
    EXPECT_TRUE(look.marks[MARK_LINE_END]);  // the default [editor2] shows every mark
    EXPECT_FALSE(look.ownerDrawLineEnd);

    // A new tab gets the settings as they are now.
    SetSection(*theApp.settings, "editor1");
    WriteInt(*theApp.settings, "owndraw", 5);
    WriteInt(*theApp.settings, "Ruler", 0);
    ASSERT_EQ(OpenNewTab(theApp), 0);
    EXPECT_TRUE(FindView(1)->look.ownerDrawLineEnd);
    EXPECT_EQ(FindView(1)->look.rulerHeight, 0);
    EXPECT_GT(FindView(0)->look.rulerHeight, 0);
}

TEST_F(EmphasisWindowsTest, OpeningLooksUpTheEnvironmentOfTheExtension)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = InternalFromWide(temp);
    Write(folder + "README", "<body>\r\n");
    Write(folder + "page.HTM", "<body>\r\n");

    ASSERT_EQ(OpenFile(theApp.documents, folder + "README", 0, true), 0);
    EXPECT_EQ(EmphasisEntries(CurrentView()), 0u);
    EXPECT_FALSE(theApp.emphasis.active);
    ASSERT_EQ(OpenFile(theApp.documents, folder + "page.HTM", 0, true), 0);
    EXPECT_EQ(EmphasisEntries(CurrentView()), 2u);
    EXPECT_TRUE(theApp.emphasis.active);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(EmphasisWindowsTest, RejectedLineShowsTheParseErrorBox)
{
    Write(Folder("esf") + "Bad.esf", "EMP_WORD,0,1,0\r\nkept\r\nEMP_WORD,0,7,0\r\n");
    EXPECT_FALSE(LoadEmphasisFile(theApp.emphasis, 0, "Bad.esf"));
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, 402);
    EXPECT_EQ(modal.shown[0].style & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
    EXPECT_EQ(modal.shown[0].owner, theApp.mainWindow);
    EXPECT_EQ(modal.shown[0].text,
              L"<環境設定ファイルエラー>\n環境設定ファイルBad.esfにおいてエラーが発見されました。\n"
              L"エラーの発見された3行目以降は読み込みを中止します。\n\n<エラーの詳細>\nBad.esf:3\n"
              L"新しい設定の記述方法が適切ではありません。\n予期せぬ番号または文字が発見されました。");
    EXPECT_EQ(EmphasisEntries(0), 1u);

    EXPECT_FALSE(LoadEmphasisFile(theApp.emphasis, 0, "gone.esf"));
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[1].number, 23);
    EXPECT_EQ(EmphasisEntries(0), 0u);  // cleared before the file was looked for
}

bool CancelFont(HWND, LOGFONTW*, int*) { return false; }
bool ChooseGothic(HWND, LOGFONTW* font, int* size)
{
    lstrcpyW(font->lfFaceName, L"ＭＳ 明朝");
    *size = 16;
    return true;
}

TEST_F(EmphasisWindowsTest, FontCommandWritesTheChoiceAndCancelLeavesEditor1Untouched)
{
    const std::string settingsPath = std::string(theApp.programFolder) + "kvte.ini";
    const std::string before = FileBytes(settingsPath);
    auto previous = kvte::textcontrol::ReplaceFontDialogRunner(&CancelFont);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_FONT, 0);
    EXPECT_EQ(FileBytes(settingsPath), before);

    kvte::textcontrol::ReplaceFontDialogRunner(&ChooseGothic);
    SendMessageW(theApp.mainWindow, WM_COMMAND, IDM_VIEW_FONT, 0);
    kvte::textcontrol::ReplaceFontDialogRunner(previous);
    SetSection(*theApp.settings, "editor1");
    char name[264] = {};
    GetString(*theApp.settings, "FontName", name, sizeof name);
    EXPECT_EQ(WideFromInternal(name), L"ＭＳ 明朝");
    EXPECT_EQ(GetInt(*theApp.settings, "FontSize"), 16);
    WriteString(*theApp.settings, "FontName", InternalFromWide(L"ＭＳ ゴシック").c_str());
    WriteInt(*theApp.settings, "FontSize", 12);
}

// What the menu showed; the test picks "HTML".
std::vector<std::wstring> menuLabels;
std::vector<int> menuCommands;
bool menuPromptShown = false;

int PickFromMenu(HMENU menu, int, int, HWND owner, const RECT&)
{
    menuLabels.clear();
    menuCommands.clear();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[64] = {};
        GetMenuStringW(menu, i, label, 64, MF_BYPOSITION);
        menuLabels.push_back(label);
        menuCommands.push_back(static_cast<int>(GetMenuItemID(menu, i)));
    }
    menuPromptShown = owner == theApp.mainWindow &&
                      SendMessageW(theApp.frame.statusBar.window, SB_ISSIMPLE, 0, 0) != FALSE;
    for (size_t i = 0; i < menuLabels.size(); ++i) {
        if (menuLabels[i] == L"HTML") return menuCommands[i];
    }
    return 0;
}

void DropDown()
{
    NMTOOLBARW notice = {};
    notice.hdr.hwndFrom = theApp.frame.toolBar.window;
    notice.hdr.idFrom = GetDlgCtrlID(theApp.frame.toolBar.window);
    notice.hdr.code = TBN_DROPDOWN;
    notice.iItem = IDM_ENVIRONMENT_DROPDOWN;
    SendMessageW(theApp.mainWindow, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

TEST_F(EmphasisWindowsTest, DropDownMenuListsEnvironmentsAndPlainTextClearsThem)
{
    SetEnvironmentMenuTracker(&PickFromMenu);
    DropDown();
    ASSERT_GE(menuLabels.size(), 3u);
    EXPECT_EQ(menuLabels[0], L"通常のテキスト");
    EXPECT_EQ(menuCommands[0], 601);
    EXPECT_NE(std::find(menuLabels.begin(), menuLabels.end(), L"HTML"), menuLabels.end());
    EXPECT_NE(std::find(menuLabels.begin(), menuLabels.end(), L"Two"), menuLabels.end());
    for (size_t i = 1; i < menuCommands.size(); ++i) EXPECT_EQ(menuCommands[i], static_cast<int>(601 + i));
    EXPECT_TRUE(menuPromptShown);
    EXPECT_FALSE(SendMessageW(theApp.frame.statusBar.window, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(EmphasisEntries(0), 2u);
    EXPECT_TRUE(theApp.emphasis.active);

    // Dismissed: nothing changes.
    SetEnvironmentMenuTracker([](HMENU, int, int, HWND, const RECT&) { return 0; });
    DropDown();
    EXPECT_EQ(EmphasisEntries(0), 2u);

    SetEnvironmentMenuTracker([](HMENU, int, int, HWND, const RECT&) { return 601; });
    DropDown();
    EXPECT_EQ(EmphasisEntries(0), 0u);
    EXPECT_FALSE(theApp.emphasis.active);
}

TEST_F(EmphasisWindowsTest, LineEndMarkUsesTheMetricsOfTheViewThatAsks)
{
    Write(Folder("color") + "emph-test.ini", "[mark]\r\ncCrlf=255\r\n");
    ASSERT_EQ(OpenNewTab(theApp), 0);
    SetFont(1, "", 28, 1);  // view 1's columns are much wider than view 0's
    const int w = DrawMetrics(1, 0), h = DrawMetrics(1, 1);
    ASSERT_GT(w, DrawMetrics(0, 0) + 2);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 200, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_VIEW_MARK;
    item.CtlID = 1;
    item.itemID = 1;
    item.itemState = VIEW_MARK_LINE_END;
    item.hDC = dc;
    item.rcItem = RECT{10, 10, 10 + 2 * w, 10 + h};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item)), TRUE);
    const int right = 10 + 2 * w - 2, bottom = 10 + h - 2;
    EXPECT_EQ(GetPixel(dc, right, 13), RGB(255, 0, 0));       // the vertical stroke
    EXPECT_EQ(GetPixel(dc, 10 + w, bottom), RGB(255, 0, 0));  // the bottom stroke
    // Where view 0's narrower columns would have put the vertical stroke: nothing.
    EXPECT_EQ(GetPixel(dc, 10 + 2 * DrawMetrics(0, 0) - 2, 13), RGB(255, 255, 255));

    // Another mark than the line end is not drawn; the pen keeps its first colour.
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    item.itemState = 2;
    SendMessageW(theApp.mainWindow, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(GetPixel(dc, right, 13), RGB(255, 255, 255));
    Write(Folder("color") + "emph-test.ini", "[mark]\r\ncCrlf=16711680\r\n");
    item.itemState = VIEW_MARK_LINE_END;
    SendMessageW(theApp.mainWindow, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(GetPixel(dc, right, 13), RGB(255, 0, 0));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
