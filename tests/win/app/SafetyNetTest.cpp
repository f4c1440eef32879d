// The safety net through the real main window: Windows ending the session, a file
// rewritten behind the editor's back, several files on the command line, a long recent
// list with a file gone, the session and placement of one run given to the next, and the
// tab order changed by a drag and followed by the window menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"
#include "app/Recovery.h"
#include "app/DocumentCommands.h"
#include "documents/RecentFiles.h"
#include "app/frame/Menus.h"
#include "documents/OpenFile.h"
#include "documents/Session.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT) DispatchMessageW(&message);
}

struct SafetyNetTest : MainWindowTest {
    ScratchFolder folder{L"safety"};
    void SetUp() override { Start(); }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        Set("main", "session", 0);
        Set("recent", "num", 10);
        Set("placement", "width", 0);  // the next tests start where their settings say
    }
    static void Set(const char* section, const char* key, int value)
    {
        SetSection(*theApp.settings, section);
        WriteInt(*theApp.settings, key, value);
    }
    DocumentList& List() { return theApp.documents.list; }
    std::wstring File(const std::wstring& name, const std::string& bytes)
    {
        const std::wstring path = folder.path() + name;
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    int Open(const std::wstring& path) { return OpenFile(theApp.documents, InternalFromWide(path), kOpenModeNewTab, true); }
    std::string ViewText()
    {
        std::string text(static_cast<std::size_t>(GetTextLength(CurrentView())) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetText(CurrentView(), text.data(), 3)));
        return text;
    }
};

TEST_F(SafetyNetTest, EndingTheSessionAsksCancelKeepsEverythingAndYesSaves)
{
    const std::wstring path = File(L"end.txt", "old");
    ASSERT_EQ(Open(path), kOpenLoaded);
    InsertText(CurrentView(), "new ");
    Pump();
    modal.answers = {IDCANCEL};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_TRUE(CurrentDocument(List()).modified);
    modal.answers = {IDYES};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(ReadFileBytes(path), "new old");
}

TEST_F(SafetyNetTest, AFileRewrittenElsewhereIsOfferedAndReloaded)
{
    const std::wstring path = File(L"changed.txt", "first");
    ASSERT_EQ(Open(path), kOpenLoaded);
    File(L"changed.txt", "second, longer");
    modal.answers = {IDYES};
    SendMessageW(theApp.mainWindow, WM_CHECK_FILE_CHANGES, 0, 0);
    ASSERT_FALSE(modal.shown.empty());
    EXPECT_EQ(modal.shown.back().number, 70);
    EXPECT_EQ(ViewText(), "second, longer");
}

TEST_F(SafetyNetTest, EachPathOfTheCommandLineOpensInATab)
{
    EndMainWindowForTest();
    File(L"a.txt", "a");
    File(L"b c.txt", "b");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(folder.path().c_str());
    Start(1, 1, L"a.txt \"b c.txt\"");
    SetCurrentDirectoryW(before);
    ASSERT_EQ(List().tabCount, 2);
    EXPECT_EQ(WideFromInternal(GetDocument(List(), SlotAtTab(List(), 0))->filePath), folder.path() + L"a.txt");
    EXPECT_EQ(WideFromInternal(GetDocument(List(), SlotAtTab(List(), 1))->filePath), folder.path() + L"b c.txt");
}

TEST_F(SafetyNetTest, ThirtyRecentFilesOneGone)
{
    Set("recent", "num", 30);
    ReadRecentFiles(theApp.documents.recent, *theApp.settings);
    for (int i = 0; i < 31; ++i) ASSERT_EQ(Open(File(std::to_wstring(i) + L".txt", "x")), kOpenLoaded);
    HMENU recent = theApp.frame.recentMenu;
    SendMessageW(theApp.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), 0);
    ASSERT_EQ(GetMenuItemCount(recent), 30);
    DeleteFileW((folder.path() + L"20.txt").c_str());  // the 11th entry, newest first
    Command(IDM_FILE_RECENT_FIRST + 10);
    ASSERT_FALSE(modal.shown.empty());
    EXPECT_EQ(modal.shown.back().number, 76);
    SendMessageW(theApp.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), 0);
    EXPECT_EQ(GetMenuItemCount(recent), 29);
}

TEST_F(SafetyNetTest, TheSessionAndThePlacementComeBackAtTheNextStart)
{
    Set("main", "session", 1);
    ASSERT_EQ(Open(File(L"one.txt", "1\n2\n3\n")), kOpenLoaded);
    SetCaretLine(CurrentView(), 3);
    ASSERT_EQ(Open(File(L"two.txt", "x")), kOpenLoaded);
    MoveWindow(theApp.mainWindow, 30, 40, 600, 400, FALSE);
    SendMessageW(theApp.mainWindow, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(theApp.mainWindow));
    EndMainWindowForTest();

    Start();
    RECT rect, kept{30, 40, 630, 440};
    GetWindowRect(theApp.mainWindow, &rect);
    EXPECT_TRUE(EqualRect(&rect, &kept));
    ReopenSession(theApp.documents, ReadSession(*theApp.settings), List().currentSlot);  // as the start does
    ASSERT_EQ(List().tabCount, 2);
    EXPECT_EQ(WideFromInternal(CurrentDocument(List()).filePath), folder.path() + L"two.txt");
    EXPECT_EQ(GetCaretLine(SlotAtTab(List(), 0)), 3);
}

TEST_F(SafetyNetTest, ADraggedTabMovesAndTheWindowMenuFollows)
{
    ASSERT_EQ(Open(File(L"p.txt", "p")), kOpenLoaded);
    ASSERT_EQ(Open(File(L"q.txt", "q")), kOpenLoaded);  // tabs: untitled, p, q
    HWND bar = theApp.tabBar.barWindow;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 5));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(250, 5));
    EXPECT_EQ(SlotAtTab(List(), 2), 0);
    EXPECT_EQ(List().currentSlot, 0);
    HMENU window = theApp.frame.windowMenu;
    const int fixed = GetMenuItemCount(window);
    SendMessageW(theApp.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(window), 0);
    ASSERT_EQ(GetMenuItemCount(window), fixed + 4);  // a separator and three documents
    Command(IDM_WINDOW_DOCUMENT_FIRST);
    EXPECT_EQ(List().currentSlot, 1) << "p.txt, now the first tab";
}

}  // namespace
