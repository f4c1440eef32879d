// The tab bar's geometry and what it draws, apart from any window: where the buttons and
// tabs are, how a label is cut, which mark a tab shows, which tooltips exist, and what a
// click or a move of the pointer does to the list. The bar is 16 pixels high; its right
// 48 pixels hold the scroll-left, scroll-right and close buttons, 16 pixels each.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/DocumentList.h"

constexpr int kBarHeight = 16;
constexpr int kButtonWidth = 16;
constexpr int kLabelLeft = 15;  // label start within a tab
constexpr int kFirstNameTipId = 3;

enum BarButton : int { kNoButton = -1, kScrollLeftButton = 0, kScrollRightButton = 1, kCloseButton = 2 };

// The bar's height at dpi pixels per inch: 16 at 96, scaled by dpi / 96 so that the label
// font, which the system scales, still fits.
int BarHeightAt(int dpi);

// The button at (x, y) in a bar barWidth wide and barHeight high; kNoButton outside them.
int BarButtonAt(int barWidth, int x, int y, int barHeight = kBarHeight);

// The lowest tab position whose tab spans x (both edges belong to it, so a pixel on a
// border selects the left tab), or -1.
int TabAtX(const DocumentList& list, int x);

// A tab drawn on the bar: its position, slot and left edge in bar coordinates.
struct VisibleTab {
    int position;
    int slot;
    int left;
};
// The tabs from firstVisibleTab to the last, left to right.
std::vector<VisibleTab> VisibleTabs(const DocumentList& list);

// How a tab's label is drawn: `text` in black from the label start, then, when cut, ".."
// at dotsOffset pixels from the label start.
struct TabLabel {
    std::string_view text;
    bool cut = false;
    int dotsOffset = 0;
};
// Labels are measured in bytes, charWidth pixels each. An untitled document shows "無題".
// A name that does not fit (charWidth * bytes + 15 >= tabWidth) keeps k - 1 bytes, with
// k = (tabWidth - 15) / charWidth, never ending in half a character; ".." follows at
// (k - 2) * charWidth, 3 pixels further when byte k - 1 is not a lead byte.
TabLabel LayoutTabLabel(std::string_view fileName, int tabWidth, int charWidth);

enum class TabMark { None, WriteProtected, Modified };  // none, yellow, grey
TabMark MarkOf(const Document& document);

// One tooltip of a tab: its id on the tooltip window, its rectangle and its text.
struct NameTip {
    int id;
    int left, right;  // top 0, bottom 16
    std::string text;  // the full path, or "無題"
};
std::vector<NameTip> NameTips(const DocumentList& list);

// The pointer moved to (x, y): the new hot button is stored; true when it changed (the
// bar repaints). While a button is hot the bar holds the mouse capture.
bool HoverBar(DocumentList& list, int x, int y);

// The left button was released at x over the bar (or, while it holds the capture,
// outside it). The scroll buttons move firstVisibleTab within 0 .. tabCount - 1, the close
// button asks the main window to close the current tab (returns true), a tab becomes
// current (even when it is current already). Repaints.
bool ClickBar(DocumentList& list, const DocumentsHost& host, int x);

// The middle button was released at x over the bar: the tab there becomes current and true
// asks the main window to close it (with the usual question); false off every tab.
bool MiddleClickBar(DocumentList& list, const DocumentsHost& host, int x);

// A tab held by the left button. It follows the pointer once the pointer has gone
// threshold pixels sideways, taking the place of the tab under it (before the first
// visible one: that one; past the last: the last).
struct TabDrag {
    int tab = -1;  // position of the held tab; -1: none held
    int startX = 0;
    bool moved = false;  // the press became a drag: its release is no click
};
// The left button went down at x: the tab there is held (none over a button or no tab).
void HoldTab(const DocumentList& list, TabDrag& drag, int x);
// The pointer is at x: true when the held tab moved (the bar repaints).
bool DragTab(DocumentList& list, TabDrag& drag, int x, int threshold);
// The left button went up: true when it ended a drag, whose tab then becomes current;
// false for a click, which the caller handles as one. Nothing is held afterwards.
bool ReleaseTab(DocumentList& list, const DocumentsHost& host, TabDrag& drag);
