// The safety net through the real main window: a file rewritten elsewhere, Windows ending
// the session, paths on the command line, and what one run gives the next.
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"
#include "app/OpenFileRequest.h"
#include "app/Recovery.h"
#include "documents/OpenFile.h"
#include "documents/RecentFiles.h"
#include "documents/RecoveryCopies.h"
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

// Cancelling Windows' end writes nothing; answering Yes saves before the session goes.
TEST_F(SafetyNetTest, ARewrittenFileIsReloadedAndTheSessionEndSavesOnlyWhenTheUserSaysSo)
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
    modal.answers = {IDYES};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(ReadFileBytes(path), "xrewritten");
}

// Thirty files kept by the last run, one deleted since: all are listed; the deleted one,
// chosen, is named (message 76) and leaves the list, whose next entry still opens.
TEST_F(SafetyNetTest, ThirtyRecentFilesAreListedAndADeletedOneLeavesWhenChosen)
{
    Start();
    SetSection(*theApp.settings, "recent");
    WriteInt(*theApp.settings, "num", 30);
    RecentFiles& recent = theApp.documents.recent;
    for (int i = 0; i < 30; ++i) {
        const std::string key = "f" + std::to_string(i);
        WriteString(*theApp.settings, key.c_str(), InternalFromWide(File(L"r" + std::to_wstring(i) + L".txt", "r")).c_str());
    }
    ReadRecentFiles(recent, *theApp.settings);  // as the start does
    DeleteFileW((folder.path() + L"r7.txt").c_str());
    auto entries = [] {
        SendMessageW(theApp.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(theApp.frame.recentMenu), 0);
        return GetMenuItemCount(theApp.frame.recentMenu);
    };
    auto entryText = [](int i) { return std::string(theApp.frame.menuEntries.at(static_cast<std::size_t>(theApp.frame.recentEntryBase + i)).text); };
    ASSERT_EQ(entries(), 30);
    EXPECT_EQ(entryText(7), "&8 " + InternalFromWide(folder.path() + L"r7.txt"));
    EXPECT_EQ(entryText(29), "30 " + InternalFromWide(folder.path() + L"r29.txt"));
    Command(IDM_FILE_RECENT_FIRST + 7);
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_RECENT_FILE_GONE);
    EXPECT_NE(modal.shown[0].text.find(L"r7.txt"), std::wstring::npos);
    ASSERT_EQ(entries(), 29);
    Command(IDM_FILE_RECENT_FIRST + 7);
    EXPECT_EQ(WideFromInternal(CurrentDocument(list).filePath), folder.path() + L"r8.txt");
    recent = RecentFiles{};  // the next tests start with none
    WriteRecentFiles(recent, *theApp.settings);
    SetSection(*theApp.settings, "recent");
    WriteInt(*theApp.settings, "num", 10);
}

TEST_F(SafetyNetTest, EachPathOfTheCommandLineOpensInATab)
{
    Start(1, 1, File(L"a.txt", "a") + L" \"" + File(L"b c.txt", "b") + L"\"");
    EXPECT_EQ(PathAt(0) + L"|" + PathAt(1), folder.path() + L"a.txt|" + folder.path() + L"b c.txt");
}

// The editor ended by force some seconds after an insert: the next start offers its copy
// (message 74), and Yes gives the text back under its path, modified, for Save to write it
// byte for byte in the encoding it was read in.
TEST_F(SafetyNetTest, TextTypedBeforeAForcedEndComesBackAndIsSaved)
{
    PathSeamsRestored restored;
    const std::wstring exe = folder.path() + L"kvte.exe";
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"..\\..\\kvte.exe").c_str(), exe.c_str(), FALSE));
    SetProgramPathForTesting(exe);
    ASSERT_TRUE(PrepareSettings());  // the settings of the copy that is ended
    SetSection(*theApp.settings, "backup");
    WriteInt(*theApp.settings, "interval", 1);
    CreateDirectoryW((folder.path() + L"color").c_str(), nullptr);  // else its start waits on message 66
    File(L"color\\default.ini", "[mark]\r\n");
    const std::string original = "\x93\xfa\x96\x7b\x8c\xea\xb6\xde\r\nline 2\r\n";  // Shift_JIS, CR LF
    const std::wstring path = File(L"crash.txt", original);
    std::wstring line = L"\"" + exe + L"\" \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(),
                               &startup, &process));
    CloseHandle(process.hThread);
    HWND editor = nullptr;
    for (int tries = 0; tries < 400 && (editor = FindWindowW(kMainWindowClass, nullptr)) == nullptr; ++tries) Sleep(50);
    const char typed[] = "typed ";
    COPYDATASTRUCT insert{COPYDATA_INSERT_TEXT, sizeof typed, const_cast<char*>(typed)};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&insert), SMTO_BLOCK, 10000, &result);
    const std::wstring copy = folder.path() + L"backup\\" + std::to_wstring(process.dwProcessId) + L"-0.kvr";
    for (int tries = 0; tries < 200 && GetFileAttributesW(copy.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) Sleep(50);
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    ASSERT_NE(GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES) << "no copy was taken";

    modal.answers = {IDYES};
    Start();
    StartRecovery(theApp);  // as the start does
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_RESTORE_COPIES);
    EXPECT_EQ(PathAt(list.tabCount - 1), path);
    SelectSlot(list, theApp.documents.host, SlotAtTab(list, list.tabCount - 1));
    EXPECT_TRUE(CurrentDocument(list).modified);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(path), typed + original);
    StopRecovery(theApp);
    theApp.recovery.writer.reset();
    theApp.documents.recovery = RecoveryCopies{};  // the next tests keep no copies in a folder gone by then
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
