// The find and replace commands of the main window: the find dialog (125), the replace
// dialog (141), F3 and Shift+F3 on the current view. Both dialogs are modal, owned by the
// main window, and run through the modal-UI seam.
#pragma once

#include <windows.h>

#include <string>

#include "config/ProfileFile.h"
#include "search/FindInFiles.h"
#include "search/SearchState.h"

// What a search command works on: the state, the settings that hold the histories, the
// editing view searched, and the main window that owns the dialogs and messages.
struct SearchContext {
    SearchState* state = nullptr;
    ProfileFile* settings = nullptr;
    int view = 0;
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    // Shows a notice in the status bar (nothing found, wrapped); may be left null.
    void (*showNotice)(void* noticeContext, const wchar_t* text) = nullptr;
    void* noticeContext = nullptr;
};

// Runs the find dialog; when it ends with its find button, searches at once with the
// simple beep for nothing found.
void ShowFindDialog(const SearchContext& context);
// Runs the replace dialog until it is cancelled.
void ShowReplaceDialog(const SearchContext& context);
// F3 and Shift+F3: with no search text yet, the find dialog instead.
void FindNextDownCommand(const SearchContext& context);
void FindNextUpCommand(const SearchContext& context);
// Runs the find-in-files dialog (161); true with the request and the folder (InternalText)
// when it ended with its find button and a text to search for. The choices are kept in
// the settings.
bool ShowFindInFilesDialog(const SearchContext& context, FileSearchRequest& request, std::string& folder);
// Marks every match of the last search; with no search text yet, the find dialog instead.
void MarkAllMatchesCommand(const SearchContext& context);
