// The main window's toolbar: 15 flat buttons in five groups, balloon tooltips titled
// "Toolbar" with the texts of the string table, and the drop-down button of the emphasis
// environments. Image sizes are 16 by 15 at 96 DPI and scaled by the screen's DPI.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "emphasis/EmphasisState.h"

constexpr int kToolBarId = 4002;
constexpr int kToolBarButtonCount = 15;
constexpr int kToolTipTextSize = 256;

struct ToolBar {
    HWND window = nullptr;     // control id 4002
    HWND tipWindow = nullptr;  // balloon tooltips, owned by the main window
    HWND parent = nullptr;     // the main window
    HINSTANCE instance = nullptr;
    HBITMAP scaledImages = nullptr;  // the button images stretched for a DPI other than 96
    // The tooltip reads its text when it shows, long after the registration returned.
    std::unique_ptr<wchar_t[][kToolTipTextSize]> tipTexts;
};

// One button of the toolbar (separators excluded), in order from the left.
struct ToolBarButton {
    int image;
    int command;
    bool dropDown;
};
extern const ToolBarButton kToolBarButtons[kToolBarButtonCount];

// Creates the toolbar as a child of parent with its buttons, separators and tooltips;
// dpi scales the images (96: the images as they are). False when the toolbar or the
// tooltip window cannot be made; what was made is destroyed again.
bool CreateToolBar(ToolBar& bar, HWND parent, HINSTANCE instance, int dpi);

// Destroys the windows (unless the parent already did) and frees the texts and images.
void DestroyToolBar(ToolBar& bar);

// The height of the toolbar's client area, also while it is hidden; 0 without a toolbar.
int ToolBarHeight(const ToolBar& bar);

// Passes the main window's size message on, so that the toolbar spans the new width.
void ResizeToolBar(const ToolBar& bar, WPARAM sizeType, LPARAM packedSize);

// The button's drop-down arrow was pressed (TBN_DROPDOWN): the menu of the emphasis
// environments opens below the button, for view; the status bar shows its prompt.
void ShowEnvironmentDropDown(const ToolBar& bar, const NMTOOLBARW& notice, EmphasisState& emphasis, int view,
                             HWND statusBar);
