// Starting a registered tool, waiting for a modal one, and the messages a running tool
// sends to the main window.
#pragma once

#include <windows.h>

#include "config/ProfileFile.h"
#include "tools/win32/RunningTool.h"

// Starts entry n of [tool] with its "pathN" as the whole command line (nothing added or
// quoted; the editor's environment and current folder). When it cannot be started
// (missing or over-long path, no such program, a stale n) message 17 is shown. A modal
// entry (type 0) disables mainWindow and pumps the thread's messages, one per 10
// milliseconds of waiting, until the tool ends or the user stops waiting
// (HoldCloseWhileWaiting); then the announced window is forgotten and mainWindow is
// enabled and brought to the front. A quit request taken meanwhile is posted again.
void RunTool(ProfileFile& settings, HWND mainWindow, RunningTool& running, int n);

// WM_CLOSE of the main window while a modal tool is waited for: asks whether to stop
// waiting and close. Yes ends the wait, and the main window is sent WM_CLOSE again once
// it is enabled; No keeps waiting. True when the close was taken here (a wait runs),
// false when the caller should close as usual.
bool HoldCloseWhileWaiting(RunningTool& running, HWND mainWindow);

// WM_TOOL_WINDOW: remembers the tool's window and places the main window directly behind
// it, without moving, sizing or activating it. 1; 0 when toolWindow is no window (it is
// then not remembered).
LRESULT AnnounceToolWindow(RunningTool& running, HWND mainWindow, HWND toolWindow);

// WM_NCACTIVATE of the main window: while a tool's window is announced (and still
// exists), it is brought to the foreground first.
void BringToolWindowForward(const RunningTool& running);
