// The main window's small commands on real windows: bookmarks and their two messages, go
// to line through the real dialog, the document toggles, new tab, the tool ids, exit, the
// about box, and the texts other programs send by WM_COPYDATA.
#include <cstring>
#include <string>
#include <vector>

#include "app/OpenFileRequest.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"

namespace {

std::vector<int> toolsRun;
void RecordTool(KelvaraApp&, int tool) { toolsRun.push_back(tool); }

struct ShellCommandsTest : MainWindowTest {
    ToolRunner previousRunner = nullptr;
    void SetUp() override
    {
        Start();
        toolsRun.clear();
        previousRunner = SetToolRunner(&RecordTool);
    }
    void TearDown() override
    {
        SetToolRunner(previousRunner);
        MainWindowTest::TearDown();
    }
    static int CaretLine() { return GetCaretLine(CurrentView()); }
    static void CaretTo(int line) { SetCaretLine(CurrentView(), line); }
    static void CaretTo(int line, int command)
    {
        CaretTo(line);
        Command(command);
    }
    static LRESULT SendText(unsigned long code, const char* text)
    {
        COPYDATASTRUCT copy{code, static_cast<DWORD>(std::strlen(text) + 1), const_cast<char*>(text)};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    }
};

TEST_F(ShellCommandsTest, BookmarksOnTheFirstAndLastLinesAreFoundAndNoneIsReported)
{
    SetText(CurrentView(), "one\ntwo\nthree\nfour\nfive");
    CaretTo(3, IDM_SEARCH_BOOKMARK_DOWN);
    Command(IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 3);
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_NO_BOOKMARK_BELOW);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_NO_BOOKMARK_ABOVE);
    EXPECT_EQ(modal.shown[1].owner, theApp.mainWindow);

    CaretTo(5, IDM_SEARCH_BOOKMARK_TOGGLE);
    CaretTo(1, IDM_SEARCH_BOOKMARK_TOGGLE);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    EXPECT_EQ(CaretLine(), 5);
    Command(IDM_SEARCH_BOOKMARK_DOWN);  // the caret's own line is not below it
    EXPECT_EQ(modal.shown.size(), 3u);
    CaretTo(3, IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 1);
    Command(IDM_SEARCH_BOOKMARK_TOGGLE);  // off again on line 1
    EXPECT_EQ(IsBookmarked(CurrentView(), 1), 0);
    Command(IDM_SEARCH_BOOKMARK_CLEAR);
    EXPECT_EQ(IsBookmarked(CurrentView(), 5), 0);
}

struct SpinSeen {
    int low = 0, high = 0, position = 0;
};
SpinSeen spinSeen;

void TypeLineTwo(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&spinSeen.low),
                        reinterpret_cast<LPARAM>(&spinSeen.high));
    spinSeen.position = static_cast<int>(SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETPOS32, 0, 0));
    SetDlgItemTextW(dialog, IDC_GOTO_LINE_EDIT, L"2");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

TEST_F(ShellCommandsTest, GoToLineRangesOverTheLinesStartsAtTheCaretAndKeepsItOnCancel)
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
    modal.dialogResults = {99, -1, 0};  // past the end, cancelled, before the start
    Command(IDM_SEARCH_GOTO_LINE);
    EXPECT_EQ(CaretLine(), 4);
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
    EXPECT_EQ(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP), wrapped);

    SetText(CurrentView(), "abc");
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_FALSE(current.writable);
    EXPECT_NE(Title().find(L"(書込禁止)"), std::wstring::npos);
    SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, 'x', 0);
    EXPECT_EQ(GetTextLength(CurrentView()), 3);
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_TRUE(current.writable);
}

TEST_F(ShellCommandsTest, NewTabAToolsRequestAndOnlyTheToolIdsAct)
{
    const int tabs = theApp.documents.list.tabCount;
    EXPECT_EQ(Command(IDM_WINDOW_NEW_TAB), 0);
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_NEW_DOCUMENT, 0, 0), 0);
    EXPECT_EQ(theApp.documents.list.tabCount, tabs + 2);
    EXPECT_EQ(theApp.documents.list.currentTab, tabs + 1);

    SetText(CurrentView(), "abc");
    for (int id : {40007, 40038, 40050, 1999, 10001, 2000, 2003, 10000}) Command(id);
    EXPECT_EQ(toolsRun, (std::vector<int>{0, 3, 8000}));
    EXPECT_EQ(GetTextLength(CurrentView()), 3);
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_TRUE(modal.dialogs.empty());

    HWND window = theApp.mainWindow;
    Command(IDM_FILE_EXIT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ShellCommandsTest, InsertedTextMarksTheDocumentAndReplacedTextLeavesTheMark)
{
    Document& current = CurrentDocument(theApp.documents.list);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "whole"), 0);
    EXPECT_FALSE(current.modified);
    // Nothing inserted (an empty text, a write-protected view): nothing to save either.
    SendText(COPYDATA_INSERT_TEXT, "");
    SetEditable(CurrentView(), 0);
    SendText(COPYDATA_INSERT_TEXT, "refused");
    SetEditable(CurrentView(), 1);
    EXPECT_FALSE(current.modified);
    SetSelection(CurrentView(), 1, 6, 1, 6);
    SendText(COPYDATA_INSERT_TEXT, " text");
    EXPECT_TRUE(current.modified);
    EXPECT_NE(Title().find(L"*"), std::wstring::npos);
    EXPECT_EQ(GetTextLength(CurrentView()), 10);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "again"), 0);
    EXPECT_TRUE(current.modified);
    EXPECT_EQ(GetTextLength(CurrentView()), 5);
}

std::wstring aboutTexts;

void LookAtTheAboutBox(HWND dialog)
{
    for (int item : {IDC_ABOUT_VERSION, IDC_ABOUT_WEB_SITE, IDC_ABOUT_MAIL}) {
        wchar_t text[512] = {};
        GetDlgItemTextW(dialog, item, text, 512);
        aboutTexts += text + std::wstring(L"|");
    }
    SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
}

TEST_F(ShellCommandsTest, TheAboutBoxShowsTheVersionsAndTheProjectsAddresses)
{
    modal.realDialogs = {IDD_ABOUT};
    modal.dialogScript = &LookAtTheAboutBox;
    Command(IDM_HELP_ABOUT);
    wchar_t control[64];
    swprintf(control, 64, L"\nTarvikTextEditorControlForWin32 Ver%.2f", GetControlVersion() / 100.0);
    EXPECT_EQ(aboutTexts.rfind(L"KelvaraTextEditor Ver3.36\n", 0), 0u) << aboutTexts;
    EXPECT_NE(aboutTexts.find(control), std::wstring::npos);
    EXPECT_NE(aboutTexts.find(L"\nKRegExp.DLL Ver1.1.4.2\n\n"), std::wstring::npos);
    EXPECT_NE(aboutTexts.find(L"|https://www.example.com/kelvara/|support@example.org|"), std::wstring::npos);
}

}  // namespace
