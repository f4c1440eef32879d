// The main window's placement: kept at exit, given back at start.
#pragma once

#include <windows.h>

#include "config/ProfileFile.h"

// The restored size and place, maximised or not, and the monitor's work area, into
// [placement].
void KeepMainWindowPlacement(HWND window, ProfileFile& settings);

// The place and size the main window is made with. x, y, width, height come in from [main]
// (CW_USEDEFAULT: the system's choice); with [main] keep_placement 1 a kept placement
// replaces them and, when it was maximised, show becomes SW_SHOWMAXIMIZED unless the
// starter asked for something other than a normal window. Either way a place off every
// present monitor is moved onto the nearest.
void ChooseMainWindowPlacement(ProfileFile& settings, int& x, int& y, int& width, int& height, int& show);
