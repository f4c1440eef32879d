#include "tools/win32/RunTool.h"

#include <string>

#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "resources/tools_ids.h"
#include "tools/ToolList.h"

namespace {

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromInternal(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process)
{
    if (commandLine.empty()) return false;
    const ToolLaunch launch = ToolLaunchOf(commandLine, &IsExistingFile);
    std::wstring line = WideFromInternal(launch.commandLine);
    if (line.empty()) return false;
    const std::wstring program = WideFromInternal(launch.program);
    STARTUPINFOW startup;
    GetStartupInfoW(&startup);
    return CreateProcessW(program.empty() ? nullptr : program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process) != 0;
}

// The wait: up to 10 ms for the process, then one queued message, until the process ends
// or the user stops waiting. Returns true when a quit request was taken, with its code.
bool WaitForTool(RunningTool& running, HANDLE process, WPARAM& quitCode)
{
    for (;;) {
        if (running.stopWaiting) return false;
        if (WaitForSingleObject(process, 10) != WAIT_TIMEOUT) return false;
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitCode = message.wParam;
                return true;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

void RunTool(ProfileFile& settings, HWND mainWindow, RunningTool& running, int n)
{
    PROCESS_INFORMATION process{};
    if (!StartProcess(ToolCommandLine(settings, n), process)) {
        ShowMessage(mainWindow, IDS_MSG_TOOL_NOT_FOUND, MB_ICONERROR);
        return;
    }
    SetSection(settings, "tool");
    if (GetInt(settings, ToolKey("type", n).c_str()) == kToolModal) {
        EnableWindow(mainWindow, FALSE);
        ++running.waits;
        WPARAM quitCode = 0;
        const bool quit = WaitForTool(running, process.hProcess, quitCode);
        --running.waits;
        if (running.waits == 0) {
            const bool close = running.closeAfterWaiting;
            running.stopWaiting = running.closeAfterWaiting = false;
            running.window = nullptr;
            EnableWindow(mainWindow, TRUE);
            SetForegroundWindow(mainWindow);
            if (close) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        }
        if (quit) PostQuitMessage(static_cast<int>(quitCode));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool HoldCloseWhileWaiting(RunningTool& running, HWND mainWindow)
{
    if (running.waits == 0) return false;
    if (running.stopWaiting) return true;
    const int answer = ShowMessage(mainWindow, IDS_MSG_STOP_WAITING_FOR_TOOL, MB_YESNO | MB_ICONQUESTION);
    // The message box enables its owner when it ends; the wait goes on with it disabled.
    EnableWindow(mainWindow, FALSE);
    if (answer == IDYES) running.stopWaiting = running.closeAfterWaiting = true;
    return true;
}

LRESULT AnnounceToolWindow(RunningTool& running, HWND mainWindow, HWND toolWindow)
{
    if (toolWindow == nullptr || !IsWindow(toolWindow) || toolWindow == mainWindow) return 0;
    running.window = toolWindow;
    SetWindowPos(mainWindow, toolWindow, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 1;
}

void BringToolWindowForward(const RunningTool& running)
{
    if (running.window && IsWindow(running.window)) SetForegroundWindow(running.window);
}
