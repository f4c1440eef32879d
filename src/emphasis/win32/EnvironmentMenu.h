// The menu of environments that the toolbar's drop-down button opens: plain text or any
// environment file found in the "esf" folder, for the current view. The menu is built
// from the folder on every use, so files added to it appear the next time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "emphasis/EmphasisState.h"

// Command numbers of the menu's items: plain text, then one per environment file.
enum : int { ENVIRONMENT_PLAIN_TEXT = 601, ENVIRONMENT_FIRST_FILE = 602 };

// The file names that a search for programFolder + "esf\*.esf" finds, in the order the
// system returns them, leaving out names that begin with "." and plain folders.
std::vector<std::string> ListEnvironmentFiles(const char* programFolder);

struct EnvironmentMenuPlace {
    HWND owner;       // the main window
    HWND toolBar;     // the toolbar that holds the button
    int button;       // the button's command id
    HWND statusBar;   // shows the prompt while the menu is open; may be null
};

// Opens the menu below the button and acts on the choice: plain text clears the view's
// emphasis and marks the state inactive; an environment is loaded into view.
void EnvironmentMenu(EmphasisState& state, int view, const EnvironmentMenuPlace& place);

// Tests only: what tracks the popup menu instead of the user; it returns the chosen
// command or 0. Returns the previous tracker; null restores the system's.
using EnvironmentMenuTracker = int (*)(HMENU menu, int x, int y, HWND owner, const RECT& exclude);
EnvironmentMenuTracker SetEnvironmentMenuTracker(EnvironmentMenuTracker tracker);
