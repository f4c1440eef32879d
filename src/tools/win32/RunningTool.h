// A tool that is running: the window it announced, which the main window keeps just in
// front of itself, and the wait for a modal tool.
#pragma once

#include <windows.h>

// Sent by a running tool with its window handle in wParam: the editor stays behind it.
constexpr UINT WM_TOOL_WINDOW = WM_APP + 100;  // 32868

struct RunningTool {
    HWND window = nullptr;  // announced by the tool's message; null while none is
    int waits = 0;          // modal tools being waited for (nested only through messages)
    bool stopWaiting = false;      // the user chose to stop waiting for the modal tool
    bool closeAfterWaiting = false;  // ...and to close the main window then
};
