// The main window's small commands on real windows: bookmarks and their two messages, go
// to line through the modal seam and through the real dialog, the document toggles, new
// tab, the tool ids, the about box, and the texts other programs send by WM_COPYDATA.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/OpenFileRequest.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

std::vector<int> toolsRun;
void RecordTool(KelvaraApp&, int tool) { toolsRun.push_back(tool); }

struct ShellCommandsTest : testing::Test {
    ModalRecorder modal;
    ToolRunner previousRunner = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
        toolsRun.clear();
        previousRunner = SetToolRunner(&RecordTool);
    }
    void TearDown() override
    {
        SetToolRunner(previousRunner);
        EndMainWindowForTest();
    }
    static LRESULT Command(int id) { return SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static int CaretLine() { return GetCaretLine(CurrentView()); }
    static void CaretTo(int line) { SetCaretLine(CurrentView(), line); }
    static std::wstring Title()
    {
        wchar_t title[256] = {};
        GetWindowTextW(theApp.mainWindow, title, 256);
        return title;
    }
    static LRESULT SendText(unsigned long code, const char* text)
    {
        COPYDATASTRUCT copy{code, static_cast<DWORD>(std::strlen(text) + 1), const_cast<char*>(text)};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    }
};

TEST_F(ShellCommandsTest, BookmarksOnTheFirstAndLastLinesAreFoundFromEitherSide)
{
    SetText(CurrentView(), "one\ntwo\nthree\nfour\nfive");
    CaretTo(5);
    Command(IDM_SEARCH_BOOKMARK_TOGGLE);
    CaretTo(1);
    Command(IDM_SEARCH_BOOKMARK_TOGGLE);
    EXPECT_EQ(IsBookmarked(CurrentView(), 1), 1);
    EXPECT_EQ(IsBookmarked(CurrentView(), 5), 1);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    EXPECT_EQ(CaretLine(), 5);
    CaretTo(3);
    Command(IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 1);
    CaretTo(3);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    EXPECT_EQ(CaretLine(), 5);
    EXPECT_TRUE(modal.shown.empty());

    Command(IDM_SEARCH_BOOKMARK_TOGGLE);  // off again on line 5
    EXPECT_EQ(IsBookmarked(CurrentView(), 5), 0);
    Command(IDM_SEARCH_BOOKMARK_CLEAR);
    EXPECT_EQ(IsBookmarked(CurrentView(), 1), 0);
}

TEST_F(ShellCommandsTest, WithoutBookmarksTheSearchesSayWhereNoneWasFoundAndLeaveTheCaret)
{
    SetText(CurrentView(), "one\ntwo\nthree");
    CaretTo(2);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    Command(IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 2);
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_NO_BOOKMARK_BELOW);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_NO_BOOKMARK_ABOVE);
    EXPECT_EQ(modal.shown[0].text, L"これより下にしおりが見つかりません。");
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_EQ(modal.shown[1].owner, theApp.mainWindow);
    // A bookmark on the caret line itself is not "below" it.
    Command(IDM_SEARCH_BOOKMARK_TOGGLE);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    EXPECT_EQ(modal.shown.size(), 3u);
}

TEST_F(ShellCommandsTest, GoToLineMovesToTheLineTheDialogEndsWithAndNotOnCancel)
{
    SetText(CurrentView(), "1\n2\n3\n4");
    modal.dialogResults = {3, -1};
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(CaretLine(), 3);
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(CaretLine(), 3);
    EXPECT_EQ(modal.dialogs, (std::vector<int>{IDD_GOTO_LINE, IDD_GOTO_LINE}));
}

struct SpinSeen {
    int low = 0, high = 0, position = 0;
};
SpinSeen spinSeen;

void TypeLineTwo(HWND dialog)
{
    int low = 0, high = 0;
    SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                        reinterpret_cast<LPARAM>(&high));
    spinSeen = {low, high, static_cast<int>(SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETPOS32, 0, 0))};
    SetDlgItemTextW(dialog, IDC_GOTO_LINE_EDIT, L"2");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

TEST_F(ShellCommandsTest, TheGoToLineDialogRangesOverTheLinesAndStartsAtTheCaret)
{
    SetText(CurrentView(), "1\n2\n3\n4");
    CaretTo(4);
    modal.realDialogs = {IDD_GOTO_LINE};
    modal.dialogScript = &TypeLineTwo;
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(spinSeen.low, 1);
    EXPECT_EQ(spinSeen.high, 4);
    EXPECT_EQ(spinSeen.position, 4);
    EXPECT_EQ(CaretLine(), 2);

    modal.realDialogs.clear();
    modal.dialogResults = {99, 0};  // past either end of the range
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(CaretLine(), 4);
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(CaretLine(), 1);
}

TEST_F(ShellCommandsTest, WrapAndWriteProtectionToggleTheCurrentDocument)
{
    Document& current = CurrentDocument(theApp.documents.list);
    const bool wrapped = current.wrapped;
    Command(IDM_VIEW_WRAP);
    EXPECT_EQ(current.wrapped, !wrapped);
    EXPECT_EQ(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP), !wrapped);
    Command(IDM_VIEW_WRAP);
    EXPECT_EQ(current.wrapped, wrapped);
    EXPECT_EQ(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP), wrapped);

    SetText(CurrentView(), "abc");
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_FALSE(current.writable);
    EXPECT_NE(Title().find(L"(書込禁止)"), std::wstring::npos);
    SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, 'x', 0);
    EXPECT_EQ(GetTextLength(CurrentView()), 3);
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_TRUE(current.writable);
    EXPECT_EQ(Title().find(L"(書込禁止)"), std::wstring::npos);
}

TEST_F(ShellCommandsTest, NewTabAndAToolsRequestEachOpenAnUntitledTab)
{
    const int tabs = theApp.documents.list.tabCount;
    EXPECT_EQ(Command(IDM_WINDOW_NEW_TAB), 0);
    EXPECT_EQ(theApp.documents.list.tabCount, tabs + 1);
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_NEW_DOCUMENT, 0, 0), 0);
    EXPECT_EQ(theApp.documents.list.tabCount, tabs + 2);
    EXPECT_EQ(theApp.documents.list.currentTab, tabs + 1);
    EXPECT_TRUE(CurrentDocument(theApp.documents.list).filePath.empty());
}

TEST_F(ShellCommandsTest, OnlyTheToolIdsRunATool)
{
    SetText(CurrentView(), "abc");
    for (int id : {40007, 40038, 40050, 1999, 10001, 2000, 2003, 10000}) Command(id);
    EXPECT_EQ(toolsRun, (std::vector<int>{0, 3, 8000}));
    EXPECT_EQ(GetTextLength(CurrentView()), 3);
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_TRUE(modal.dialogs.empty());
}

TEST_F(ShellCommandsTest, InsertedTextMarksTheDocumentAndReplacedTextLeavesTheMark)
{
    Document& current = CurrentDocument(theApp.documents.list);
    ASSERT_FALSE(current.modified);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "whole"), 0);
    EXPECT_FALSE(current.modified);
    EXPECT_EQ(Title().find(L"*"), std::wstring::npos);
    SetSelection(CurrentView(), 1, 6, 1, 6);
    SendText(COPYDATA_INSERT_TEXT, " text");
    EXPECT_TRUE(current.modified);
    EXPECT_NE(Title().find(L"*"), std::wstring::npos);
    EXPECT_EQ(GetTextLength(CurrentView()), 10);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "again"), 0);
    EXPECT_TRUE(current.modified);
    EXPECT_EQ(GetTextLength(CurrentView()), 5);
}

struct AboutSeen {
    std::wstring version, web, mail;
};
AboutSeen aboutSeen;

std::wstring ItemText(HWND dialog, int item)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, item, text, 512);
    return text;
}

// Writes the dialog as it is on the screen to a 24-bit BMP file.
void SaveWindowPicture(HWND window, const char* path)
{
    RECT box;
    GetWindowRect(window, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0, 0,
                             static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    if (FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits, size, 1, out);
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void LookAtTheAboutBox(HWND dialog)
{
    aboutSeen = {ItemText(dialog, IDC_ABOUT_VERSION), ItemText(dialog, IDC_ABOUT_WEB_SITE),
                 ItemText(dialog, IDC_ABOUT_MAIL)};
    // KVTE_ABOUT_PICTURE names a BMP file to keep a picture of the box in.
    if (const char* picture = std::getenv("KVTE_ABOUT_PICTURE")) {
        // Every child painted, and whatever the painting posted handled, before the picture.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (int round = 0; round < 20; ++round) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(10);
        }
        SaveWindowPicture(dialog, picture);
    }
    SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
}

TEST_F(ShellCommandsTest, TheAboutBoxShowsTheVersionsAndTheProjectsAddresses)
{
    modal.realDialogs = {IDD_ABOUT};
    modal.dialogScript = &LookAtTheAboutBox;
    Command(IDM_HELP_ABOUT);
    ASSERT_EQ(modal.dialogs, (std::vector<int>{IDD_ABOUT}));
    wchar_t control[64];
    swprintf(control, 64, L"TarvikTextEditorControlForWin32 Ver%.2f", GetControlVersion() / 100.0);
    EXPECT_EQ(aboutSeen.version.rfind(L"KelvaraTextEditor Ver3.36\n", 0), 0u) << aboutSeen.version;
    EXPECT_NE(aboutSeen.version.find(std::wstring(L"\n") + control), std::wstring::npos);
    EXPECT_NE(aboutSeen.version.find(L"\nKRegExp.DLL Ver1.1.4.2\n\n"), std::wstring::npos);
    EXPECT_EQ(aboutSeen.web, L"https://www.example.com/kelvara/");
    EXPECT_EQ(aboutSeen.mail, L"support@example.org");
}

}  // namespace
