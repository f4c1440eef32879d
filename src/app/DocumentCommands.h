// The document commands of the main window (new, open, save, close, switch tabs), the
// documents' messages to it (a view changed its text, the tab changed, files dropped,
// a close request) and the current view that other commands act on.
#pragma once

#include <windows.h>

struct KelvaraApp;

// The document commands; each takes the application object as its context.
int NewDocumentCommand(void* app, int id);
int OpenCommand(void* app, int id);
int SaveCommand(void* app, int id);
int SaveAsCommand(void* app, int id);
int SaveAllCommand(void* app, int id);
int CloseTabCommand(void* app, int id);
int CloseAllTabsCommand(void* app, int id);
int NextTabCommand(void* app, int id);
int PreviousTabCommand(void* app, int id);

// The view id of the current document.
int CurrentView();

// A view reported an edit: the current document is modified unless its text is back at
// the last save (by undo or redo); the title and the tab show the change.
void MarkCurrentModified();

// Shows the current document's name and flags in the main window's title and its wrap,
// write protection, line ends, encoding and caret in the status bar; the wrap toggle is
// checked when the document wraps.
void UpdateTitle();

// Shows the caret position of the current view in the status bar.
void UpdateCaretStatus();

// Start-up steps of the documents once the main window exists: the tab bar, view 0 with
// its subclass, the editor settings and the wrap of the last session. False when the bar
// or view 0 cannot be made.
bool CreateDocumentWindows(KelvaraApp& app);

// Destroys every document's view and the tab bar and leaves one fresh untitled document
// without windows, as before start-up (tests start the main window many times).
void ReleaseDocumentWindows(KelvaraApp& app);
