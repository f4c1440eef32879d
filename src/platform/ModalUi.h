// The one seam through which every modal piece of the program's user interface passes:
// message boxes, the file dialogs and the program's own modal dialogs (the font dialog of
// the view has a runner of its own).
// The program calls these functions; a test replaces the handlers to
// script the answers and to record what would have been shown, so nothing blocks.
#pragma once

#include <windows.h>

#include <string>

// What a file dialog is asked: its owner, the filter list (label, pattern pairs, each
// zero-terminated, the list ending in an empty label), the title, and whether it names a
// file to save (otherwise one to open, which must exist).
struct FileDialogRequest {
    HWND owner;
    const wchar_t* filter;
    const wchar_t* title;
    bool save;
    const wchar_t* initialFolder = nullptr;  // null: the dialog's own choice
    const wchar_t* initialName = nullptr;    // null: none
    // Controls added below the dialog's own: a child template of instance's resources
    // (0: none) and its hook, whose WM_INITDIALOG receives the dialog's OPENFILENAMEW
    // with hookData in lCustData.
    HINSTANCE instance = nullptr;
    int templateNumber = 0;
    UINT_PTR(CALLBACK* hook)(HWND, UINT, WPARAM, LPARAM) = nullptr;
    LPARAM hookData = 0;
};

// A modal dialog from the program's resources: the template number, its owner, its
// procedure and the value its WM_INITDIALOG receives.
struct ModalDialogRequest {
    HINSTANCE instance;
    int templateNumber;
    HWND owner;
    DLGPROC procedure;
    LPARAM parameter;
};

struct ModalUiHandlers {
    // number: the string-table number of the message (0 for a text of its own).
    int (*messageBox)(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style);
    // True with path set when the user chose a file; false when cancelled.
    bool (*fileDialog)(const FileDialogRequest& request, std::wstring& path);
    // A modal dialog of the program's resources: returns what the dialog ended with.
    INT_PTR (*dialog)(const ModalDialogRequest& request);
};

// Shows a message box through the current handlers; returns the button pressed.
int ShowMessageBox(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style);
// Runs the open or save dialog through the current handlers. The save dialog adds the
// extension "txt" to a bare name and asks before replacing a file; neither offers the
// read-only box.
bool ShowFileDialog(const FileDialogRequest& request, std::wstring& path);

// Runs a modal dialog through the current handlers; -1 when there is no handler or the
// dialog cannot be made.
INT_PTR ShowModalDialog(const ModalDialogRequest& request);

// Replaces the handlers and returns the previous ones; the platform's own boxes are the
// default.
ModalUiHandlers SetModalUiHandlers(const ModalUiHandlers& handlers);
ModalUiHandlers PlatformModalUiHandlers();
