// The program's start-up order, its message loop and its exit codes.
#pragma once

#include <windows.h>

// Exit code of a start-up that could not make a window or object it needs. A second copy
// that handed its path over (or had none) ends with 0, as a normal exit does.
constexpr int kStartupFailedExitCode = 1;

// Prepares the settings, creates the main window (or hands over to a running instance),
// loads the accelerators and runs the loop; returns the process exit code.
int RunKelvara(HINSTANCE instance, const wchar_t* commandLine, int show);

// Runs the message loop until WM_QUIT (or a failing GetMessage); returns the quit code.
int MainLoop(HWND mainWindow, HACCEL accelerators);
