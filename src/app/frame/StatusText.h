// The status bar's texts for those who only need to show a line (menu help, link hints):
// they write to the main window's status bar without holding it.
#pragma once

// Puts text into part `part` (0-5) of the main window's status bar; does nothing before
// the bar exists or for a part out of range. A null text empties the part.
void SetStatusText(int part, const wchar_t* text);
