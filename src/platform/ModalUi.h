// The one seam through which every modal piece of the program's user interface passes
// (message boxes now; file dialogs, the font dialog and the program's own modal dialogs
// as they come). The program calls these functions; a test replaces the handlers to
// script the answers and to record what would have been shown, so nothing blocks.
#pragma once

#include <windows.h>

struct ModalUiHandlers {
    // number: the string-table number of the message (0 for a text of its own).
    int (*messageBox)(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style);
};

// Shows a message box through the current handlers; returns the button pressed.
int ShowMessageBox(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style);

// Replaces the handlers and returns the previous ones; the platform's own boxes are the
// default.
ModalUiHandlers SetModalUiHandlers(const ModalUiHandlers& handlers);
ModalUiHandlers PlatformModalUiHandlers();
