// The message boxes of the string table.
#pragma once

#include <windows.h>

// Shows string-table message number in a message box owned by owner (null before the
// main window exists), titled "KelvaraTextEditor", with the platform style flags given
// (64 information, 48 warning, 16 error, 36 and 68 Yes/No); returns the button pressed
// (6 Yes, 7 No, 1 OK). The box goes through the modal-UI seam, so tests can answer it.
int ShowMessage(HWND owner, int number, unsigned style);
