// What the find and replace dialogs share: taking the search from their fields, putting a
// text into a history and back into its combo box, and clearing a history on request.
#pragma once

#include <windows.h>

#include <string>

#include "search/win32/SearchDialogs.h"

// The search text (combo 1014), the regular-expression box and the direction, into the
// state; returns the search text.
std::string TakeSearchFields(HWND dialog, SearchState& state);
// Puts text first in the history and refills the combo box with it in its edit field.
void RememberInCombo(HWND dialog, int comboId, ProfileFile& settings, const char* section, const std::string& text);
// Asks (confirmNumber), and unless the answer is No clears the history and its combo box
// and says so (doneNumber).
void ClearHistoryOnRequest(HWND dialog, int comboId, ProfileFile& settings, const char* section, int confirmNumber,
                           int doneNumber);
