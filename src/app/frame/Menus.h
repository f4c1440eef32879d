// The menu bar and the context menu of the main window, built at run time from the
// string table with owner-drawn entries (their records are in FrameState::menuEntries),
// and the help text of the highlighted command in the status bar.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/frame/FrameState.h"
#include "config/ProfileFile.h"
#include "documents/DocumentMenu.h"

// Builds a new menu bar into frame.mainMenu and a new context menu, with the tools of
// [tool] in the tools menu (settings is left on that section). The old menu bar is
// destroyed: a caller that rebuilds gives the window the new one. Every entry starts
// unchecked. False, with the old table and menus untouched, only when the entry table
// cannot be allocated.
bool BuildMenus(FrameState& frame, HINSTANCE instance, ProfileFile& settings);

// WM_MEASUREITEM and WM_DRAWITEM of a menu item; false when the item is not one of the
// frame's entries. commandChecked: the command table has the entry's command checked.
bool MeasureMenuEntry(const FrameState& frame, MEASUREITEMSTRUCT& item);
bool DrawMenuEntry(const FrameState& frame, const DRAWITEMSTRUCT& item, bool commandChecked);

// WM_MENUCHAR: the entries are drawn by the program, so the system does not know their
// access keys; the typed character is matched against the texts of the entries of the
// open menu (lParam). The message's answer.
LRESULT AnswerMenuCharMessage(const FrameState& frame, WPARAM wParam, LPARAM lParam);
// Fills the recently used files' submenu with paths (InternalText, newest first), as
// commands IDM_FILE_RECENT_FIRST ..; called as it opens.
constexpr int kRecentMenuEntries = 30;
void FillRecentMenu(FrameState& frame, const std::vector<std::string>& paths);

// The access keys of the window menu's own entries (upper case), which the documents
// listed after them leave alone.
std::string WindowMenuAccessKeys(const FrameState& frame);
// Lists documents after the window menu's own entries, as commands
// IDM_WINDOW_DOCUMENT_FIRST ..; called as it opens.
void FillDocumentMenu(FrameState& frame, const std::vector<DocumentMenuEntry>& documents);

// Opens the context menu with its top-left corner at the packed screen position; the
// chosen command goes to owner as WM_COMMAND.
void ShowContextMenu(const FrameState& frame, HWND owner, LPARAM screenPosition);

// Status bar part 0 for the highlighted command: its help string, empty for 0 (the menu
// closed), and left as it is for an id without help (a popup's index, a separator).
void ShowMenuHelp(const StatusBar& bar, HINSTANCE instance, int commandId);
