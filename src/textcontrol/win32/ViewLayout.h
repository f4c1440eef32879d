// Geometry of a view: the font's metrics, where the text area lies, which bytes each
// visual row holds, the cells of a row on the column grid, and the mapping between
// points and text positions. Also keeps the caret visible and the scroll bars current.
#pragma once

#include <string_view>
#include <vector>

#include "textcontrol/win32/ViewState.h"

namespace kvte::textcontrol {

// One character unit of a row on the column grid: a single byte takes one column, a
// double-byte character two, a tab up to the next tab stop (counted from the row start).
struct RowCell {
    int byte = 0;    // index in the line from 0
    int bytes = 1;   // 1 or 2
    int column = 0;  // display column from the row's start
    int width = 1;   // columns
};

// Bytes [start, end) of a line that one visual row shows.
struct RowBytes {
    int start = 0;
    int end = 0;
    bool lastRowOfLine = true;
};

// Creates the view's font (and the ruler's) from look.fontName / pointSize and measures
// it; keeps the old font when the new one cannot be made.
void ApplyViewFont(EditorView& view);
void ReleaseViewFonts(EditorView& view);

// Sizes the ruler and the line-number margin for the screen, the font and the number of
// lines (see ViewLook).
constexpr int kNumberedMarginSize = 24;
void UpdateMargins(EditorView& view);

RECT TextArea(const EditorView& view);
// Whole rows that fit the text area (at least 1).
int VisibleRows(const EditorView& view);
int VisibleColumns(const EditorView& view);
// Sets the wrap width from the window's width when wrapping is on.
void UpdateWrapWidth(EditorView& view);

RowBytes RowOf(EditorView& view, VisualRow row);
void LayoutRow(std::string_view line, RowBytes row, int tabWidth, std::vector<RowCell>* cells);
// The visual row holding a position and its display column within that row.
VisualRow RowOfPosition(EditorView& view, TextPosition position);
int ColumnInRow(EditorView& view, TextPosition position);
// Rows from `a` down to `b` (negative when b is above a), looking at most `limit` rows.
int RowDistance(EditorView& view, VisualRow a, VisualRow b, int limit);

// The position nearest to a client point; unitByte receives the byte index (from 0) of
// the character under the point, or -1 when the point is past the row's text.
TextPosition PositionAtPoint(EditorView& view, POINT point, int* unitByte = nullptr);
// The position in the given row nearest to a display column.
TextPosition PositionAtColumn(EditorView& view, VisualRow row, int column);
// Client coordinates of the top-left of a position's cell.
POINT PointOfPosition(EditorView& view, TextPosition position);

// Scrolls so that the caret is inside the text area; a jump (a match, a line chosen by
// number) keeps up to `margin` rows between the caret and the top or bottom edge, so the
// target never sits on the edge row half hidden by the scroll bar.
void EnsureCaretVisible(EditorView& view, int margin = 0);
// Scrolls by rows (positive down) or to a row, clamped to the text.
void ScrollRows(EditorView& view, int rows);
void ScrollColumns(EditorView& view, int columns);
void UpdateScrollBars(EditorView& view);
// Draws the scroll bars whose redraw was put off (the timer of UpdateScrollBars).
constexpr UINT_PTR kScrollBarTimer = 1;
constexpr DWORD kScrollBarRedrawMs = 100;
// A change after this long without one is drawn at once (a single click, a jump).
constexpr DWORD kScrollBarIdleMs = 250;
void RedrawPendingScrollBars(EditorView& view);
// Moves the system caret (and an open IME composition window) to the caret's place.
void PlaceCaret(EditorView& view);

}  // namespace kvte::textcontrol
