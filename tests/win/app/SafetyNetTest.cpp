// The safety net through the real main window: a file rewritten elsewhere, Windows ending
// the session, paths on the command line, and what one run gives the next.
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"
#include "app/Recovery.h"
#include "documents/OpenFile.h"
#include "documents/Session.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct SafetyNetTest : MainWindowTest {
    ScratchFolder folder{L"safety"};
    DocumentList& list = theApp.documents.list;
    std::wstring File(const std::wstring& name, const std::string& bytes)
    {
        EXPECT_TRUE(WriteFileBytes(folder.path() + name, bytes));
        return folder.path() + name;
    }
    int Open(const std::wstring& path) { return OpenFile(theApp.documents, InternalFromWide(path), kOpenModeNewTab, true); }
    std::wstring PathAt(int tab) { return WideFromInternal(GetDocument(list, SlotAtTab(list, tab))->filePath); }
};

TEST_F(SafetyNetTest, ARewrittenFileIsReloadedAndACancelledSessionEndWritesNothing)
{
    Start();
    const std::wstring path = File(L"end.txt", "old");
    ASSERT_EQ(Open(path), kOpenLoaded);
    File(L"end.txt", "rewritten");
    modal.answers = {IDYES, IDCANCEL};
    SendMessageW(theApp.mainWindow, WM_CHECK_FILE_CHANGES, 0, 0);
    EXPECT_EQ(GetTextLength(CurrentView()), 9) << "reloaded";
    InsertText(CurrentView(), "x");
    MarkCurrentModified();
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(ReadFileBytes(path) + std::to_string(modal.shown.at(0).number), "rewritten70");
}

TEST_F(SafetyNetTest, EachPathOfTheCommandLineOpensInATab)
{
    Start(1, 1, File(L"a.txt", "a") + L" \"" + File(L"b c.txt", "b") + L"\"");
    EXPECT_EQ(PathAt(0) + L"|" + PathAt(1), folder.path() + L"a.txt|" + folder.path() + L"b c.txt");
}

// The files with their caret lines and the window's place come back; a dragged tab moves.
TEST_F(SafetyNetTest, TheSessionAndThePlacementComeBackAndADraggedTabMoves)
{
    Start();
    SetSection(*theApp.settings, "main");
    WriteInt(*theApp.settings, "session", 1);
    ASSERT_EQ(Open(File(L"one.txt", "1\n2\n3\n")), kOpenLoaded);
    SetCaretLine(CurrentView(), 3);
    ASSERT_EQ(Open(File(L"two.txt", "x")), kOpenLoaded);
    MoveWindow(theApp.mainWindow, 30, 40, 600, 400, FALSE);
    SendMessageW(theApp.mainWindow, WM_CLOSE, 0, 0);
    EndMainWindowForTest();
    Start();
    WriteInt(*theApp.settings, "session", 0);
    RECT rect, kept{30, 40, 630, 440};
    GetWindowRect(theApp.mainWindow, &rect);
    EXPECT_TRUE(EqualRect(&rect, &kept));
    ReopenSession(theApp.documents, ReadSession(*theApp.settings), list.currentSlot);  // as the start does
    ASSERT_EQ(list.tabCount, 2);
    EXPECT_EQ(PathAt(1), WideFromInternal(CurrentDocument(list).filePath));
    EXPECT_EQ(GetCaretLine(SlotAtTab(list, 0)), 3);
    const std::pair<UINT, int> drag[] = {{WM_LBUTTONDOWN, 10}, {WM_MOUSEMOVE, 130}, {WM_LBUTTONUP, 130}};
    for (auto [message, x] : drag) SendMessageW(theApp.tabBar.barWindow, message, MK_LBUTTON, x);
    EXPECT_EQ(PathAt(0) + L"|" + PathAt(1), folder.path() + L"two.txt|" + folder.path() + L"one.txt");
    SendMessageW(theApp.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(theApp.frame.windowMenu), 0);
    Command(IDM_WINDOW_DOCUMENT_FIRST);
    EXPECT_EQ(CurrentDocument(list).filePath, InternalFromWide(PathAt(0)));
    SetSection(*theApp.settings, "placement");
    WriteInt(*theApp.settings, "width", 0);  // the next tests start where their settings say
}

}  // namespace
