// The frame of the main window: the menu bar and the context menu with their owner-drawn
// entries, and the bitmap drawn beside a checked entry. The toolbar, the status bar and
// the title will keep their windows here too.
#pragma once

#include <windows.h>

#include <memory>

#include "app/frame/MenusTable.h"

struct FrameState {
    HMENU mainMenu = nullptr;           // the menu bar; destroyed with the main window
    HMENU contextMenu = nullptr;        // popup menu of the editing area
    HBITMAP checkMarkBitmap = nullptr;  // drawn beside checked menu entries
    // kMenuEntryCapacity records; an entry's index is its menu item's data.
    std::unique_ptr<MenuEntry[]> menuEntries;
    int menuEntryCount = 0;
    // Entries whose checked flags other commands set.
    int toolbarEntry = 0;
    int statusbarEntry = 0;
    int wrapEntry = 0;
};

// Destroys what the frame owns beyond the main window's life.
inline void ReleaseFrame(FrameState& frame)
{
    if (frame.checkMarkBitmap) DeleteObject(frame.checkMarkBitmap);
    if (frame.contextMenu) DestroyMenu(frame.contextMenu);
    frame.checkMarkBitmap = nullptr;
    frame.contextMenu = nullptr;
}
