// The main window's small commands on real windows: bookmarks, go to line through the real
// dialog, new tab, the tool ids, and the texts other programs send by WM_COPYDATA.
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
    CaretTo(3, IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 3);
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_NO_BOOKMARK_ABOVE);
    EXPECT_EQ(modal.shown[0].owner, theApp.mainWindow);
    CaretTo(5, IDM_SEARCH_BOOKMARK_TOGGLE);
    CaretTo(1, IDM_SEARCH_BOOKMARK_TOGGLE);
    Command(IDM_SEARCH_BOOKMARK_DOWN);
    EXPECT_EQ(CaretLine(), 5);
    Command(IDM_SEARCH_BOOKMARK_DOWN);  // the caret's own line is not below it
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_NO_BOOKMARK_BELOW);
    CaretTo(3, IDM_SEARCH_BOOKMARK_UP);
    EXPECT_EQ(CaretLine(), 1);
    Command(IDM_SEARCH_BOOKMARK_TOGGLE);  // off again on line 1
    EXPECT_EQ(IsBookmarked(CurrentView(), 1), 0);
    Command(IDM_SEARCH_BOOKMARK_CLEAR);
    EXPECT_EQ(IsBookmarked(CurrentView(), 5), 0);
}

int spinSeen[3];  // the spin control's low, high and position

void TypeLineTwo(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&spinSeen[0]),
                        reinterpret_cast<LPARAM>(&spinSeen[1]));
    spinSeen[2] = static_cast<int>(SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETPOS32, 0, 0));
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
    EXPECT_EQ(std::vector<int>(spinSeen, spinSeen + 3), (std::vector<int>{1, 4, 4}));
    EXPECT_EQ(CaretLine(), 2);
    modal.realDialogs.clear();
    modal.dialogResults = {99, -1, 0};  // past the end, cancelled, before the start
    for (int line : {4, 4, 1}) {
        Command(IDM_SEARCH_GOTO_LINE);
        EXPECT_EQ(CaretLine(), line);
    }
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
}

TEST_F(ShellCommandsTest, InsertedTextMarksTheDocumentAndReplacedTextLeavesTheMark)
{
    Document& current = CurrentDocument(theApp.documents.list);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "whole"), 0);
    EXPECT_FALSE(current.modified);
    // Nothing inserted (an empty text, a write-protected view): nothing to save either.
    SendText(COPYDATA_INSERT_TEXT, "");
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_NE(Title().find(L"(書込禁止)"), std::wstring::npos);
    SendText(COPYDATA_INSERT_TEXT, "refused");
    Command(IDM_EDIT_WRITE_PROTECT);
    EXPECT_TRUE(current.writable);
    EXPECT_FALSE(current.modified);
    EXPECT_EQ(GetTextLength(CurrentView()), 5);
    SetSelection(CurrentView(), 1, 6, 1, 6);
    SendText(COPYDATA_INSERT_TEXT, " text");
    EXPECT_TRUE(current.modified);
    EXPECT_NE(Title().find(L"*"), std::wstring::npos);
    EXPECT_EQ(GetTextLength(CurrentView()), 10);
    EXPECT_NE(SendText(COPYDATA_REPLACE_TEXT, "again"), 0);
    EXPECT_TRUE(current.modified);
    EXPECT_EQ(GetTextLength(CurrentView()), 5);
}

}  // namespace
