// Starting registered tools on a real main window, with the sample tool as the second
// process: a modal tool inserting text while the main window is disabled, a modeless one
// announcing its window, tools that cannot start, and closing or quitting while a modal
// tool runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "resources/tools_ids.h"
#include "textcontrol/win32/EditControl.h"
#include "documents/DocumentList.h"
#include "platform/WideText.h"
#include "tools/ToolList.h"
#include "tools/win32/RunTool.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

std::string SampleTool()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"..\\..\\kvtesample.exe";
    wchar_t full[MAX_PATH];
    GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
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

// Closes the sample tool's windows and waits for their processes to end (a tool left
// running would outlive the test program and hold its output open).
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
    struct Tool {
        std::string path;
        int type;
    };
    static void WriteTools(const std::vector<Tool>& tools)
    {
        ProfileFile& settings = *theApp.settings;
        SetSection(settings, "tool");
        WriteInt(settings, "num", static_cast<int>(tools.size()));
        for (std::size_t i = 0; i < tools.size(); ++i) {
            const std::string n = std::to_string(i);
            WriteString(settings, ("name" + n).c_str(), ("Tool " + n).c_str());
            WriteString(settings, ("path" + n).c_str(), tools[i].path.c_str());
            WriteInt(settings, ("type" + n).c_str(), tools[i].type);
        }
    }
    static void Command(int id) { SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static std::string ViewText()
    {
        const int length = GetTextLength(CurrentView());
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        GetText(CurrentView(), &text[0], 3);
        text.resize(std::strlen(text.c_str()));
        return text;
    }
    // Handles this thread's messages until done() holds or the time is up.
    template <typename Done>
    static bool PumpUntil(Done done, DWORD milliseconds = 10000)
    {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > milliseconds) return false;
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(5);
        }
        return true;
    }
};

TEST_F(RunToolTest, AModalToolInsertsTextIntoANewTabWhileTheMainWindowIsDisabled)
{
    WriteTools({{"-", -1}, {SampleTool() + " --new-tab --insert hello", 0}});
    const int before = CurrentView();
    Command(IDM_TOOL_BASE + 1);
    // The command returned only when the tool had ended.
    EXPECT_NE(CurrentView(), before);
    EXPECT_EQ(ViewText(), "hello");
    EXPECT_TRUE(CurrentDocument(theApp.documents.list).modified);
    // Its window, its new tab and its text arrived while the main window was disabled.
    EXPECT_EQ(enabledAtToolMessage, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    EXPECT_EQ(theApp.runningTool.window, nullptr);  // forgotten when the modal tool ended
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(RunToolTest, AModelessToolRunsBesideTheEditorAndStaysAnnounced)
{
    WriteTools({{SampleTool() + " --stay", 1}, {SampleTool() + " --stay", 2}});
    Command(IDM_TOOL_BASE);
    // Nothing was waited for: the window is enabled while the tool is still starting.
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    ASSERT_TRUE(PumpUntil([] { return theApp.runningTool.window != nullptr; }));
    EXPECT_EQ(theApp.runningTool.window, SampleWindow());
    EXPECT_EQ(enabledAtToolMessage, std::vector<bool>{true});
    const HWND announced = theApp.runningTool.window;
    EndSampleTool();
    // Only a modal tool's end forgets the window; a gone window is not brought forward.
    EXPECT_EQ(theApp.runningTool.window, announced);
    SendMessageW(theApp.mainWindow, WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(RunToolTest, ToolsThatCannotStartShowMessage17AndLeaveTheWindowAsItWas)
{
    WriteTools({{"Z:\\no\\such\\tool.exe", 0},
                {"", 0},
                {"-", -1},
                {SampleTool() + " --insert " + std::string(300, 'x'), 0},
                {"C:\\windows\\system32\\cmd.exe /c exit", 0}});
    for (int n : {0, 1, 2, 3, 5, 8000}) {
        modal.shown.clear();
        Command(IDM_TOOL_BASE + n);
        ASSERT_EQ(modal.shown.size(), 1u) << n;
        EXPECT_EQ(modal.shown[0].number, IDS_MSG_TOOL_NOT_FOUND) << n;
        EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_ICONERROR)) << n;
        EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    }
    // The over-long line was refused whole rather than cut and started.
    EXPECT_EQ(ViewText(), "");
    EXPECT_TRUE(enabledAtToolMessage.empty());
}

// Run from timers inside the wait.
void CALLBACK CloseMainWindowOnceAnnounced(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (SampleWindow() == nullptr || theApp.runningTool.window == nullptr) return;
    KillTimer(nullptr, timer);
    PostMessageW(theApp.mainWindow, WM_CLOSE, 0, 0);
}
void CALLBACK EndToolOnceAnnounced(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (SampleWindow() == nullptr || theApp.runningTool.window == nullptr) return;
    KillTimer(nullptr, timer);
    EndSampleTool();
}
void CALLBACK QuitDuringWait(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostQuitMessage(5);
}

TEST_F(RunToolTest, ClosingWhileAModalToolRunsAndYesStopsWaitingThenCloses)
{
    WriteTools({{SampleTool() + " --stay", 0}});
    modal.answer = IDYES;
    SetTimer(nullptr, 0, 50, &CloseMainWindowOnceAnnounced);
    Command(IDM_TOOL_BASE);
    // The command returned although the tool still runs.
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_STOP_WAITING_FOR_TOOL);
    EXPECT_NE(SampleWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(theApp.mainWindow));
    EXPECT_EQ(theApp.runningTool.window, nullptr);
    EXPECT_EQ(theApp.runningTool.waits, 0);
    // The close goes on once the window is enabled again, and now closes it.
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, theApp.mainWindow, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    while (PeekMessageW(&message, theApp.mainWindow, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_FALSE(IsWindow(theApp.mainWindow));
}

TEST_F(RunToolTest, AQuitRequestTakenDuringTheWaitIsPostedAgain)
{
    WriteTools({{SampleTool() + " --stay", 0}});
    SetTimer(nullptr, 0, 200, &QuitDuringWait);
    SetTimer(nullptr, 0, 400, &EndToolOnceAnnounced);
    Command(IDM_TOOL_BASE);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
}

TEST_F(RunToolTest, OnlyARealWindowIsAnnounced)
{
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_WINDOW, 0x1234, 0), 0);
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_WINDOW, reinterpret_cast<WPARAM>(theApp.mainWindow), 0), 0);
    EXPECT_EQ(theApp.runningTool.window, nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"tool", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_TOOL_WINDOW, reinterpret_cast<WPARAM>(other), 0), 1);
    EXPECT_EQ(theApp.runningTool.window, other);
    DestroyWindow(other);
}

}  // namespace
