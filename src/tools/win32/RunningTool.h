// A tool that is running: the window it announced, which the main window keeps just
// in front of itself.
#pragma once

#include <windows.h>

struct RunningTool {
    HWND window = nullptr;  // announced by the tool's message; null while none is
};
