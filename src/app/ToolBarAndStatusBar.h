// The main window's toolbar and status bar as the application uses them: their creation
// at start-up with the visibility of the last session, the commands that show and hide
// them, and the layout of the main window around them.
#pragma once

#include <windows.h>

struct KelvaraApp;

// The bar's own visibility (its WS_VISIBLE style, true also while the main window itself
// is not yet shown); false without a window.
bool IsBarShown(HWND bar);

// Show or hide the toolbar (the status bar) and store the choice in [indication]; the
// main window is laid out again. The toggle turns what is shown, so it works both ways
// when the choice cannot be stored.
int ToggleToolBarCommand(void* app, int id);
int ToggleStatusBarCommand(void* app, int id);

// Creates the toolbar and then the status bar; each is shown and its toggle checked when
// [indication] toolbar (statusbar) is 1, and hidden otherwise. False when a bar cannot be
// made.
bool CreateBars(KelvaraApp& app);
