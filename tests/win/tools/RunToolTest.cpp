// Starting registered tools on a real main window, the sample tool as the second process:
// one that cannot start, modal and modeless tools, closing or quitting during the wait.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/ShellCommands.h"
#include "documents/DocumentList.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "resources/tools_ids.h"
#include "textcontrol/win32/EditControl.h"
#include "tools/ToolList.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

// kvtesample.exe of the build tree, two folders above this program.
std::string SampleTool()
{
    wchar_t path[MAX_PATH], full[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    GetFullPathNameW((folder.substr(0, folder.rfind(L'\\') + 1) + L"..\\..\\kvtesample.exe").c_str(), MAX_PATH, full, nullptr);
    return InternalFromWide(full);
}

// What the main window saw of the tool's messages: whether it was enabled then.
std::vector<bool> enabledAtToolMessage;
WNDPROC mainProcedure = nullptr;

LRESULT CALLBACK WatchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA || message == WM_TOOL_WINDOW || message == WM_TOOL_NEW_DOCUMENT) {
        enabledAtToolMessage.push_back(IsWindowEnabled(window) != FALSE);
    }
    return CallWindowProcW(mainProcedure, window, message, wParam, lParam);
}

// The sample tool's window, once it has one (the tool runs while this thread pumps).
HWND SampleWindow() { return FindWindowW(L"KvteSampleToolWc", nullptr); }

// Ends the sample tool's processes (one left running would outlive the test program).
void EndSampleTool()
{
    while (HWND window = SampleWindow()) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (process == nullptr) return;
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

struct RunToolTest : testing::Test {
    ModalRecorder modal;

    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
        enabledAtToolMessage.clear();
        mainProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(theApp.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchingProc)));
    }
    void TearDown() override
    {
        EndSampleTool();
        theApp.runningTool = RunningTool();
        WriteTools({});
        EndMainWindowForTest();
    }
    static void WriteTools(const std::vector<ToolEntry>& tools)
    {
        ProfileBatch batch;
        ASSERT_TRUE(BeginBatch(batch, *theApp.settings) && WriteToolList(batch, tools) && CommitBatch(batch));
    }
    static void Command(int id) { SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(RunToolTest, AModalToolInsertsTextWhileTheMainWindowIsDisabledAndAModelessOneRunsBeside)
{
    // One that cannot start (which entries have a line at all is the tool list's) is said so.
    WriteTools({{"", "Z:\\no\\such\\tool.exe", 0},
                {"", SampleTool() + " --new-tab --insert hello", 0},
                {"", SampleTool() + " --stay", 1}});
    Command(IDM_TOOL_BASE);
    ASSERT_EQ(modal.shown.size(), 1u) << modal.shown.front().number << " " << modal.shown.back().number;
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_TOOL_NOT_FOUND);
    EXPECT_TRUE(enabledAtToolMessage.empty() && IsWindowEnabled(theApp.mainWindow));
    const int before = CurrentView();
    Command(IDM_TOOL_BASE + 1);
    // The command returned only when the tool had ended.
    EXPECT_NE(CurrentView(), before);
    EXPECT_EQ(CurrentViewText(), "hello");
    EXPECT_TRUE(CurrentDocument(theApp.documents.list).modified);
    // Its window, its new tab and its text arrived while the main window was disabled.
    EXPECT_EQ(enabledAtToolMessage, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    EXPECT_EQ(theApp.runningTool.window, nullptr);  // forgotten when the modal tool ended

    // A modeless one runs beside the editor: nothing is waited for, the window stays enabled.
    enabledAtToolMessage.clear();
    Command(IDM_TOOL_BASE + 2);
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    for (DWORD start = GetTickCount(); !theApp.runningTool.window && GetTickCount() - start < 10000; Sleep(5)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    ASSERT_NE(theApp.runningTool.window, nullptr);
    EXPECT_EQ(theApp.runningTool.window, SampleWindow());
    EXPECT_EQ(enabledAtToolMessage, std::vector<bool>{true});
    const HWND announced = theApp.runningTool.window;
    // What is no other window is not announced.
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_WINDOW, 0x1234, 0), 0);
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_WINDOW, reinterpret_cast<WPARAM>(theApp.mainWindow), 0), 0);
    EndSampleTool();
    // Only a modal tool's end forgets the window.
    EXPECT_EQ(theApp.runningTool.window, announced);
}

// Run from a timer inside the wait: once the tool has announced its window, then no more.
void (*onceAnnounced)() = nullptr;
void CALLBACK WhenAnnounced(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (SampleWindow() == nullptr || theApp.runningTool.window == nullptr) return;
    KillTimer(nullptr, timer);
    onceAnnounced();
}

TEST_F(RunToolTest, ClosingWhileAModalToolRunsAndYesStopsWaitingThenCloses)
{
    WriteTools({{"", SampleTool() + " --stay", 0}});
    modal.answer = IDYES;
    onceAnnounced = [] { PostMessageW(theApp.mainWindow, WM_CLOSE, 0, 0); };
    SetTimer(nullptr, 0, 50, &WhenAnnounced);
    Command(IDM_TOOL_BASE);
    // The command returned although the tool still runs.
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_STOP_WAITING_FOR_TOOL);
    EXPECT_NE(SampleWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    EXPECT_EQ(theApp.runningTool.window, nullptr);
    // The close goes on once the window is enabled again, and now closes it.
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, theApp.mainWindow, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    while (PeekMessageW(&message, theApp.mainWindow, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_FALSE(IsWindow(theApp.mainWindow));
}

TEST_F(RunToolTest, AQuitRequestTakenDuringTheWaitIsPostedAgain)
{
    WriteTools({{"", SampleTool() + " --stay", 0}});
    onceAnnounced = [] { PostQuitMessage(5); };
    SetTimer(nullptr, 0, 50, &WhenAnnounced);
    Command(IDM_TOOL_BASE);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
}

}  // namespace
