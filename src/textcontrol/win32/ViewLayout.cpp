// Geometry of a view: font metrics, the text area, rows and cells, point <-> position,
// scrolling and the system caret.
#include "textcontrol/win32/ViewLayout.h"

#include <imm.h>

#include <algorithm>

#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

namespace {

constexpr int kMinimumWrapColumns = 8;

const wchar_t kDefaultFontName[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";  // ＭＳ ゴシック

HFONT MakeFont(const wchar_t* name, int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

int LastRowOfLine(EditorView& view, int line) { return view.wrapOn ? std::max(0, view.wrap.RowCount(line) - 1) : 0; }

bool RowBefore(VisualRow a, VisualRow b) { return a.line < b.line || (a.line == b.line && a.row < b.row); }

VisualRow AdvanceRow(EditorView& view, VisualRow from, int rows)
{
    if (!view.wrapOn) {
        long long line = static_cast<long long>(from.line) + rows;
        line = std::clamp<long long>(line, 1, view.model.GetLineCount());
        return VisualRow{static_cast<int>(line), 0};
    }
    return view.wrap.Advance(from, rows);
}

VisualRow LastTopRow(EditorView& view)
{
    int lines = view.model.GetLineCount();
    VisualRow last{lines, LastRowOfLine(view, lines)};
    return AdvanceRow(view, last, -(VisibleRows(view) - 1));
}

}  // namespace

void ReleaseViewFonts(EditorView& view)
{
    if (view.look.font) DeleteObject(view.look.font);
    if (view.look.rulerFont) DeleteObject(view.look.rulerFont);
    view.look.font = nullptr;
    view.look.rulerFont = nullptr;
    ResetGlyphFallback(view.look.glyphs);
}

void ApplyViewFont(EditorView& view)
{
    ViewLook& look = view.look;
    HDC dc = GetDC(nullptr);
    if (!dc) return;
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    look.dpi = dpi > 0 ? dpi : 96;
    int points = std::clamp(look.pointSize, 1, 400);
    const wchar_t* name = look.fontName.empty() ? kDefaultFontName : look.fontName.c_str();
    HFONT font = MakeFont(name, -MulDiv(points, dpi, 72));
    if (font) {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW tm = {};
        GetTextMetricsW(dc, &tm);
        SIZE narrow = {}, wide = {};
        GetTextExtentPoint32W(dc, L"0", 1, &narrow);
        GetTextExtentPoint32W(dc, L"\x3042", 1, &wide);  // あ
        INT digits[10] = {};
        if (!GetCharWidth32W(dc, L'0', L'9', digits)) std::fill(std::begin(digits), std::end(digits), narrow.cx);
        SelectObject(dc, old);
        if (look.font) DeleteObject(look.font);
        look.font = font;
        look.advances.clear();
        ResetGlyphFallback(look.glyphs);
        look.digitWidth = std::max(1, *std::max_element(std::begin(digits), std::end(digits)));
        look.fontHeight = std::max<int>(1, tm.tmHeight);
        look.ascent = tm.tmAscent;
        // The grid must hold a double-byte glyph in two columns.
        look.columnWidth = std::max<int>({1, static_cast<int>(narrow.cx), static_cast<int>((wide.cx + 1) / 2)});
    }
    UpdateMargins(view);
    if (look.rulerFont) DeleteObject(look.rulerFont);
    look.rulerFont = look.rulerHeight > 0 ? MakeFont(L"Tahoma", -std::max(6, look.rulerHeight - 2)) : nullptr;
    ReleaseDC(nullptr, dc);
    UpdateWrapWidth(view);
}

RECT TextArea(const EditorView& view)
{
    RECT client = {};
    if (view.window) GetClientRect(view.window, &client);
    client.left = std::min<LONG>(client.right, view.look.lineNumberWidth);
    client.top = std::min<LONG>(client.bottom, view.look.rulerHeight);
    return client;
}

int VisibleRows(const EditorView& view)
{
    RECT area = TextArea(view);
    return std::max(1, static_cast<int>(area.bottom - area.top) / std::max(1, view.look.RowHeight()));
}

int VisibleColumns(const EditorView& view)
{
    RECT area = TextArea(view);
    return std::max(1, static_cast<int>(area.right - area.left) / std::max(1, view.look.columnWidth));
}

void UpdateMargins(EditorView& view)
{
    ViewLook& look = view.look;
    look.rulerHeight = MulDiv(look.rulerSize, look.dpi, 96);
    int width = MulDiv(look.lineNumberSize, look.dpi, 96);
    look.lineNumbersShown = look.lineNumberSize >= kNumberedMarginSize;
    if (look.lineNumbersShown) {
        int digits = 1;
        for (int lines = view.model.GetLineCount(); lines >= 10; lines /= 10) ++digits;
        // Half a column either side of the largest number, and the border.
        width = std::max(width, digits * look.digitWidth + 2 * (look.columnWidth / 2) + 1);
    }
    look.lineNumberWidth = width;
}

void UpdateWrapWidth(EditorView& view)
{
    UpdateMargins(view);
    // Two columns stay free at the right edge for the line-end mark. A window shrunk to
    // almost nothing (minimized) does not break every line into single characters.
    int width = view.wrapOn ? std::max(kMinimumWrapColumns, VisibleColumns(view) - 2) : 0;
    if (view.wrap.Width() != width) view.wrap.SetWidth(width);
    if (view.wrapOn) view.leftColumn = 0;
    if (view.top.line > view.model.GetLineCount()) view.top = VisualRow{view.model.GetLineCount(), 0};
    if (view.wrapOn)
        view.top.row = std::min(view.top.row, LastRowOfLine(view, view.top.line));
    else
        view.top.row = 0;
}

RowBytes RowOf(EditorView& view, VisualRow row)
{
    int length = view.model.GetLineLength(row.line);
    if (!view.wrapOn) return RowBytes{0, length, true};
    const std::vector<int>& starts = view.wrap.RowStarts(row.line);
    if (starts.empty()) return RowBytes{0, length, true};
    size_t r = static_cast<size_t>(std::clamp(row.row, 0, static_cast<int>(starts.size()) - 1));
    int start = std::clamp(starts[r], 0, length);
    bool last = r + 1 >= starts.size();
    int end = last ? length : std::clamp(starts[r + 1], start, length);
    return RowBytes{start, end, last};
}

void LayoutRow(std::string_view line, RowBytes row, int tabWidth, std::vector<RowCell>* cells)
{
    cells->clear();
    int tab = std::max(1, tabWidth);
    int column = 0;
    size_t end = std::min(line.size(), static_cast<size_t>(std::max(0, row.end)));
    size_t i = static_cast<size_t>(std::max(0, row.start));
    while (i < end) {
        size_t n = SjisUnitLength(line.data(), end, i);
        int width = line[i] == '\t' ? tab - column % tab : static_cast<int>(n);
        cells->push_back(RowCell{static_cast<int>(i), static_cast<int>(n), column, width});
        column += width;
        i += n;
    }
}

VisualRow RowOfPosition(EditorView& view, TextPosition position)
{
    if (!view.wrapOn) return VisualRow{position.line, 0};
    return VisualRow{position.line, view.wrap.RowOfColumn(position.line, position.column)};
}

int ColumnInRow(EditorView& view, TextPosition position)
{
    RowBytes row = RowOf(view, RowOfPosition(view, position));
    std::string_view line = view.model.LineText(position.line);
    int tab = view.model.TabWidth();
    int column = 0;
    size_t target = static_cast<size_t>(std::max(0, position.column - 1));
    size_t end = std::min(line.size(), static_cast<size_t>(row.end));
    size_t i = static_cast<size_t>(row.start);
    while (i < end && i < target) {
        size_t n = SjisUnitLength(line.data(), end, i);
        column += line[i] == '\t' ? tab - column % tab : static_cast<int>(n);
        i += n;
    }
    return column;
}

int RowDistance(EditorView& view, VisualRow a, VisualRow b, int limit)
{
    if (RowBefore(b, a)) return -1;
    if (!view.wrapOn) return std::min(b.line - a.line, limit + 1);
    int distance = 0;
    VisualRow at = a;
    while (at.line < b.line) {
        distance += view.wrap.RowCount(at.line) - at.row;
        if (distance > limit) return limit + 1;
        at = VisualRow{at.line + 1, 0};
    }
    distance += b.row - at.row;
    return std::min(distance, limit + 1);
}

TextPosition PositionAtColumn(EditorView& view, VisualRow visualRow, int column)
{
    RowBytes row = RowOf(view, visualRow);
    std::string_view line = view.model.LineText(visualRow.line);
    std::vector<RowCell> cells;
    LayoutRow(line, row, view.model.TabWidth(), &cells);
    for (const RowCell& cell : cells) {
        // Before the middle of a cell: the boundary in front of it.
        if (column * 2 < cell.column * 2 + cell.width) return TextPosition{visualRow.line, cell.byte + 1};
    }
    if (!row.lastRowOfLine && !cells.empty()) {
        // Past a wrapped row: stay in front of its last character, which is still on it.
        return TextPosition{visualRow.line, cells.back().byte + 1};
    }
    return TextPosition{visualRow.line, row.end + 1};
}

TextPosition PositionAtPoint(EditorView& view, POINT point, int* unitByte)
{
    RECT area = TextArea(view);
    int rowHeight = std::max(1, view.look.RowHeight());
    int dy = point.y - area.top;
    int rows = dy >= 0 ? dy / rowHeight : -((-dy + rowHeight - 1) / rowHeight);
    VisualRow row = AdvanceRow(view, view.top, rows);
    int cw = std::max(1, view.look.columnWidth);
    int dx = std::max(0, static_cast<int>(point.x - area.left));
    // Columns in half-column steps so that the nearest boundary wins.
    int halfColumns = view.leftColumn * 2 + (dx * 2) / cw;
    TextPosition position = PositionAtColumn(view, row, (halfColumns + 1) / 2);
    if (unitByte) {
        *unitByte = -1;
        int column = halfColumns / 2;
        std::string_view line = view.model.LineText(row.line);
        std::vector<RowCell> cells;
        LayoutRow(line, RowOf(view, row), view.model.TabWidth(), &cells);
        for (const RowCell& cell : cells) {
            if (column >= cell.column && column < cell.column + cell.width) {
                *unitByte = cell.byte;
                break;
            }
        }
    }
    return position;
}

POINT PointOfPosition(EditorView& view, TextPosition position)
{
    RECT area = TextArea(view);
    int visible = VisibleRows(view);
    VisualRow row = RowOfPosition(view, position);
    int distance = RowDistance(view, view.top, row, visible + 1);
    if (distance < 0 || distance > visible + 1) return POINT{-30000, -30000};
    int column = ColumnInRow(view, position);
    return POINT{area.left + (column - view.leftColumn) * view.look.columnWidth,
                 area.top + distance * view.look.RowHeight()};
}

void EnsureCaretVisible(EditorView& view, int margin)
{
    TextPosition caret = view.model.Caret();
    VisualRow row = RowOfPosition(view, caret);
    int visible = VisibleRows(view);
    margin = std::clamp(margin, 0, (visible - 1) / 3);  // a low view keeps its rows for the text
    if (RowBefore(AdvanceRow(view, row, -margin), view.top) || RowBefore(row, view.top)) {
        view.top = AdvanceRow(view, row, -margin);
    } else if (RowDistance(view, view.top, row, visible) >= visible - margin) {
        view.top = AdvanceRow(view, row, -(visible - 1 - margin));
    }
    if (!view.wrapOn) {
        int column = ColumnInRow(view, caret);
        int columns = VisibleColumns(view);
        if (column < view.leftColumn) {
            view.leftColumn = std::max(0, column - columns / 4);
        } else if (column >= view.leftColumn + columns - 1) {
            view.leftColumn = column - columns + 1 + columns / 4;
        }
    }
}

void ScrollRows(EditorView& view, int rows)
{
    VisualRow target = AdvanceRow(view, view.top, rows);
    VisualRow last = LastTopRow(view);
    if (RowBefore(last, target)) target = last;
    if (rows < 0 && RowBefore(view.top, target)) target = view.top;  // never scroll the wrong way
    view.top = target;
}

void ScrollColumns(EditorView& view, int columns)
{
    if (view.wrapOn) return;
    long long left = static_cast<long long>(view.leftColumn) + columns;
    view.leftColumn = static_cast<int>(std::clamp<long long>(left, 0, 1 << 24));
}

namespace {

bool SameScrollInfo(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

void UpdateScrollBars(EditorView& view)
{
    if (!view.window) return;
    SCROLLINFO vertical = {};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    // Vertical position in lines: exact without wrapping, and cheap with it (counting the
    // rows above the top in a huge wrapped text would read the whole text).
    vertical.nMax = std::max(0, view.model.GetLineCount() - 1);
    vertical.nPage = static_cast<UINT>(VisibleRows(view));
    vertical.nPos = view.top.line - 1;

    SCROLLINFO horizontal = vertical;
    // Wrapped text never scrolls sideways: without "disable when not needed" the empty
    // range hides the bar instead of leaving a dead one.
    if (view.wrapOn) horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    int columns = VisibleColumns(view);
    // The range grows in steps so that typing at the end of the widest line does not
    // change it with every character.
    int widest = (std::max(view.widestColumns + 2, view.leftColumn + columns) + 63) / 64 * 64;
    horizontal.nMax = view.wrapOn ? 0 : widest;
    horizontal.nPage = view.wrapOn ? 0 : static_cast<UINT>(columns);
    horizontal.nPos = view.wrapOn ? 0 : view.leftColumn;

    ViewScrollBars& bars = view.scrollBars;
    bool verticalChanged = !SameScrollInfo(vertical, bars.vertical);
    bool horizontalChanged = !SameScrollInfo(horizontal, bars.horizontal);
    if (!verticalChanged && !horizontalChanged) return;
    bars.vertical = vertical;
    bars.horizontal = horizontal;
    // The bars take their new values at once but are drawn by a timer, after the text:
    // a run of key repeats paints the text at every step and the bars a few times a second.
    bool redrawNow = GetTickCount() - bars.lastRedraw >= kScrollBarIdleMs;
    if (verticalChanged) SetScrollInfo(view.window, SB_VERT, &vertical, redrawNow);
    if (horizontalChanged) SetScrollInfo(view.window, SB_HORZ, &horizontal, redrawNow);
    if (redrawNow) {
        bars.lastRedraw = GetTickCount();
        return;
    }
    bars.verticalStale = bars.verticalStale || verticalChanged;
    bars.horizontalStale = bars.horizontalStale || horizontalChanged;
    if (!bars.redrawPending) {
        bars.redrawPending = SetTimer(view.window, kScrollBarTimer, kScrollBarRedrawMs, nullptr) != 0;
        if (!bars.redrawPending) RedrawPendingScrollBars(view);  // no timer: draw now after all
    }
}

void RedrawPendingScrollBars(EditorView& view)
{
    if (!view.window) return;
    ViewScrollBars& bars = view.scrollBars;
    if (bars.redrawPending) KillTimer(view.window, kScrollBarTimer);
    bars.redrawPending = false;
    bars.lastRedraw = GetTickCount();
    // Each bar drawn is a round trip to the display: only the ones that changed.
    if (bars.verticalStale) SetScrollInfo(view.window, SB_VERT, &bars.vertical, TRUE);
    if (bars.horizontalStale) SetScrollInfo(view.window, SB_HORZ, &bars.horizontal, TRUE);
    bars.verticalStale = bars.horizontalStale = false;
}

void PlaceCaret(EditorView& view)
{
    if (!view.window) return;
    POINT at = PointOfPosition(view, view.model.Caret());
    RECT area = TextArea(view);
    bool inside = at.x >= area.left && at.x <= area.right && at.y >= area.top && at.y < area.bottom;
    if (view.caretCreated) {
        if (inside)
            SetCaretPos(at.x, at.y + view.look.lineSpacing / 2);
        else
            SetCaretPos(-30000, -30000);
    }
    if (view.imeComposing) {
        HIMC context = ImmGetContext(view.window);
        if (context) {
            COMPOSITIONFORM form = {};
            form.dwStyle = CFS_POINT;
            form.ptCurrentPos = at;
            ImmSetCompositionWindow(context, &form);
            ImmReleaseContext(view.window, context);
        }
    }
}

}  // namespace kvte::textcontrol
