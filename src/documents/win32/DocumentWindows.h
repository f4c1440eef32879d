// The documents' windows: what the document list does to the editing control's views,
// the main window and the questions it asks, on real windows. ConnectDocumentWindows
// fills the documents' host with the functions here; the tab bar's own functions are
// added by the tab bar.
#pragma once

#include <windows.h>

#include <string>

#include "documents/DocumentsState.h"

// Sent to the main window after the current tab changed (wParam, lParam 0).
constexpr UINT WM_TAB_CHANGED = 3224;

// A procedure that sees a view's messages before the view does (the main window's
// keyboard extensions). True when it handled the message; *result is then returned.
using ViewKeyHook = bool (*)(void* context, int slot, HWND view, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result);

struct DocumentWindows {
    HWND mainWindow = nullptr;  // parent of every view
    DocumentsState* documents = nullptr;
    ViewKeyHook keyHook = nullptr;
    void* keyHookContext = nullptr;
};

// Makes documents act on the views, the main window and the modal seam through windows.
// Each view it subclasses carries windows for its subclass procedure.
void ConnectDocumentWindows(DocumentWindows& windows, DocumentsState& documents, HWND mainWindow);

// The view half of ConnectDocumentWindows: the views' operations and the main window's
// notifications in host.
void ConnectViewHost(DocumentWindows& windows, DocumentsHost& host);

// Subclasses the view of slot (keeping its own procedure in the document), sets its "id"
// property and makes it notify the main window. Start-up runs it for view 0.
void AttachDocumentView(DocumentWindows& windows, int slot);

// The slot whose view is window, or -1 (also for a view not subclassed here).
int SlotOfView(HWND window);

// The InternalText path that names a path the system gave (a dialog's, a drop's): the
// path itself or its short form. False when InternalText cannot name it; message
// `notHeldMessage` has then been shown (0: nothing shown).
bool HoldSystemPath(const DocumentWindows& windows, const std::wstring& path, std::string& internal,
                    int notHeldMessage);

// Opens every file of a drop in the order the drop lists them, with the drop policy, and
// releases the drop.
void OpenDroppedFiles(DocumentWindows& windows, HDROP drop);
