// The frame of the main window: the menu bar and the context menu with their owner-drawn
// entries, the bitmap drawn beside a checked entry, the toolbar and the status bar.
#pragma once

#include <windows.h>

#include <vector>

#include "app/frame/MenusTable.h"
#include "app/frame/StatusBar.h"
#include "app/frame/ToolBar.h"

struct FrameState {
    HMENU mainMenu = nullptr;           // the menu bar; destroyed with the main window
    HMENU contextMenu = nullptr;        // popup menu of the editing area
    HBITMAP checkMarkBitmap = nullptr;  // drawn beside checked menu entries
    // An entry's index is its menu item's data.
    std::vector<MenuEntry> menuEntries;
    // Entries whose checked flags other commands set.
    int toolbarEntry = 0;
    int statusbarEntry = 0;
    int wrapEntry = 0;
    // The recently used files' submenu, filled each time it opens from kMostRecentFiles
    // entries reserved from recentEntryBase on (-1: none).
    HMENU recentMenu = nullptr;
    int recentEntryBase = -1;
    // The window menu: its fixed entries (windowEntryCount from windowEntryFirst), then the
    // open documents, listed each time it opens in entries reserved from documentEntryBase
    // on (the separator before them first; -1: none).
    HMENU windowMenu = nullptr;
    int windowEntryFirst = 0;
    int windowEntryCount = 0;
    int documentEntryBase = -1;
    ToolBar toolBar;
    StatusBar statusBar;
    int dpi = 96;  // of the screen when the main window was made; the bars scale by it
};

// Destroys what the frame owns beyond the main window's life.
inline void ReleaseFrame(FrameState& frame)
{
    if (frame.checkMarkBitmap) DeleteObject(frame.checkMarkBitmap);
    if (frame.contextMenu) DestroyMenu(frame.contextMenu);
    frame.checkMarkBitmap = nullptr;
    frame.contextMenu = nullptr;
}
