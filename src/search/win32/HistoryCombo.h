// The histories shown in the dialogs' drop-down combo boxes.
#pragma once

#include <windows.h>

#include <string>

#include "config/ProfileFile.h"

// Empties the list of combo and adds the entries the history shows.
void FillHistory(HWND combo, ProfileFile& settings, const char* section, int count);
// Empties the history's shown keys and the list of combo; false when the write failed.
bool ClearHistory(HWND combo, ProfileFile& settings, const char* section, int count);

// The text of a combo box's edit field as InternalText of at most 1023 bytes (cut before
// a character that would not fit), and back.
std::string ComboText(HWND combo);
void SetComboText(HWND combo, const std::string& text);
