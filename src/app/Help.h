// Help through the platform's HTML Help control ("hhctrl.ocx"), loaded on first use.
// When the control cannot be loaded every call does nothing and returns 0.
#pragma once

#include <windows.h>

DWORD_PTR InitializeHelp();  // the cookie for UninitializeHelp
void UninitializeHelp(DWORD_PTR cookie);
bool PreTranslateHelpMessage(MSG* message);  // true when the help viewer took it

// Opens helpFilePath at its default topic. Nothing when helpFilePath is empty (the
// program folder could not be named).
HWND ShowHelp(HWND owner);
// Opens helpFilePath + "::" + page (InternalText, e.g. "_RESOURCE\機能一覧.html") with the
// table of contents shown; nothing when that text is longer than 1023 bytes.
HWND ShowHelpPage(HWND owner, const char* page);

// The viewer's entry point, in the shape of the HTML Help control's wide function. A test
// puts a recorder in its place to see which file and topic would be shown; null puts the
// control back. Returns the previous replacement.
using HelpViewer = HWND(WINAPI*)(HWND owner, const wchar_t* target, UINT command, DWORD_PTR data);
HelpViewer SetHelpViewer(HelpViewer viewer);
