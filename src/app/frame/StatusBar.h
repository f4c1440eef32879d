// The status bar of the main window: six parts, from the left the menu help or link hint,
// the caret position, the wrap mark, the write-protection mark, the line-end style and
// the encoding. Sizes are given at 96 DPI and scaled by the screen's DPI.
#pragma once

#include <windows.h>

struct StatusBar {
    HWND window = nullptr;  // class "msctls_statusbar32", control id 4001
    HWND parent = nullptr;  // the main window
    HINSTANCE instance = nullptr;
};

constexpr int kStatusBarId = 4001;
constexpr int kStatusPartCount = 6;

// Which part shows what.
enum StatusPart {
    kStatusHelp = 0,
    kStatusCaret = 1,
    kStatusWrap = 2,
    kStatusWriteProtect = 3,
    kStatusLineEnding = 4,
    kStatusEncoding = 5,
};

// Creates the bar (visible, with a size grip) at the bottom of parent. False when the
// window cannot be made.
bool CreateStatusBar(StatusBar& bar, HWND parent, HINSTANCE instance);

// Destroys the window (when the parent has not already done so) and forgets it.
void DestroyStatusBar(StatusBar& bar);

// The right edges of the six parts in a client area `width` wide: width - 350, - 250,
// - 200, - 150, - 110 and width itself, each distance scaled by dpi / 96. A narrow window
// gives negative edges; they are used as they are.
void StatusPartRightEdges(int width, int dpi, int edges[kStatusPartCount]);

// Gives the bar its six parts for a client area `width` wide and passes it the size
// message so that it docks itself at the bottom again.
void LayoutStatusBar(const StatusBar& bar, int width, int dpi, WPARAM sizeType, LPARAM packedSize);

// The height of the bar's client area, also while it is hidden; 0 without a bar.
int StatusBarHeight(const StatusBar& bar);

// The text of one part (null empties it); nothing happens when the part or the bar does
// not exist.
void SetStatusBarText(const StatusBar& bar, int part, const wchar_t* text);

// A notice for the user in part 0 (nothing found, the search wrapped, a file that opened
// with mixed line endings...). Every such notice goes through here so that they look alike
// and a later one replaces an earlier one; the next menu help or link hint replaces it too.
void ShowStatusNotice(const StatusBar& bar, const wchar_t* text);
