// The tab bar's window: a 16-pixel strip drawn entirely by the program, with balloon
// tooltips for its three buttons and for each visible tab. Every decision (what a label
// shows, which mark, which button is hot, what a click does) is taken by TabBarLayout.h;
// this side only draws, registers tooltips and relays the mouse.
#pragma once

#include <windows.h>

#include "documents/DocumentsState.h"
#include "documents/TabBarLayout.h"

struct DocumentWindows;

struct TabBar {
    HWND barWindow = nullptr;      // class and title "TabEx"; its property "TabClass" points here
    HWND ownerWindow = nullptr;    // the main window: parent of the bar, owner of the tooltip
    HWND tipWindow = nullptr;      // balloon tooltips of the buttons and the tab names
    HINSTANCE instance = nullptr;  // the window class and the string-table messages
    HFONT tabFont = nullptr;
    DocumentsState* documents = nullptr;
    // The text of a button's tooltip: the tooltip reads it after the request for it has
    // returned, so it cannot live on the stack.
    wchar_t buttonTipText[256] = {};
    TabDrag drag;  // the tab held by the left button
};

// Registers the class "TabEx" (once per process), creates the bar as a child of owner,
// its tooltip window and the label font, and measures documents.list.charWidth in that
// font. False when the class, a window or the font cannot be made; what was made is
// then destroyed again.
bool CreateBar(TabBar& bar, DocumentsState& documents, HWND owner, HINSTANCE instance);

// Moves the bar to (x, y), width wide and 16 high, without repainting; records the
// width, registers the button tooltips for it, rebuilds the name tooltips and repaints.
void LayoutBar(TabBar& bar, int x, int y, int width);

// Paints the whole bar now through a device context of its window.
void RepaintBar(const TabBar& bar);
// Paints the whole bar on dc (the bar's own, or one a test reads back).
void PaintBar(const TabBar& bar, HDC dc);

// Replaces the name tooltips with one per visible tab: its full path, or "無題".
void RebuildNameTips(TabBar& bar);

// Removes "TabClass", destroys the tooltip and the bar, deletes the font. Safe to call
// twice and after the owner (with the bar) is gone.
void DestroyBar(TabBar& bar);

// The bar of a window of class "TabEx", or null.
TabBar* BarOfWindow(HWND window);

// Makes the documents' host (connected to windows) repaint the bar and rebuild its name
// tooltips. The bar is looked up as the main window's "TabEx" child at each call, so the
// host stays safe before CreateBar and after DestroyBar.
void ConnectTabBar(DocumentWindows& windows);
