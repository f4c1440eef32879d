// What the find and replace dialogs share: taking the search from their fields, putting a
// text into a history and back into its combo box, and clearing a history on request.
#pragma once

#include <windows.h>

#include <string>

#include "search/win32/SearchDialogs.h"

// Puts the letter-case option kept in the settings into the state and its box, the
// regular-expression box as the last search left it, and a selection within one line
// into the search text (escaped when that box is ticked).
void ShowSearchOptions(HWND dialog, const SearchContext& context);
// The search text (combo 1014), the regular-expression and letter-case boxes and the
// direction, into the state (the letter case into the settings too); returns the search
// text.
std::string TakeSearchFields(HWND dialog, const SearchContext& context);
// Puts text first in the history and refills the combo box with it in its edit field.
void RememberInCombo(HWND dialog, int comboId, ProfileFile& settings, const char* section, const std::string& text);
// Asks (confirmNumber), and unless the answer is No clears the history and its combo box
// and says so (doneNumber).
void ClearHistoryOnRequest(HWND dialog, int comboId, ProfileFile& settings, const char* section, int confirmNumber,
                           int doneNumber);
