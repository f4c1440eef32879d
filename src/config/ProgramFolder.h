// The folder of the running executable, and the message boxes of the string table.
#pragma once

#include <string>

// Drive and folder of the running executable as InternalText, ending with a backslash;
// at most 260 bytes. Empty when the path cannot be had.
std::string GetProgramFolder();

// Shows string-table message number in a message box owned by the main window (none
// before it exists), titled "KelvaraTextEditor", with the platform style flags given
// (64 information, 48 warning, 16 error, 36 and 68 Yes/No); returns the button pressed
// (6 Yes, 7 No, 1 OK). The box goes through the modal-UI seam, so tests can answer it.
int ShowMessage(int number, unsigned style);
