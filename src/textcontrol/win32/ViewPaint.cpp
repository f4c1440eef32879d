// Painting of a view into a back buffer: only the rows that the paint area touches, each
// character on the column grid, with emphasis, links, search highlights, the selection,
// the marks, the line-number area and the ruler.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "encoding/CharacterCodesInline.h"
#include "textcontrol/model/LineStyle.h"
#include "textcontrol/win32/SupplementaryGlyphs.h"
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

using encoding_detail::CombineSurrogates;
using encoding_detail::IsHighSurrogate;
using encoding_detail::IsLowSurrogate;

static_assert(kNoColour == CLR_INVALID, "the styles' \"no colour\" is the system's invalid colour");

struct PaintContext {
    PaintContext(EditorView& v, HDC target) : view(v), dc(target) {}
    EditorView& view;
    HDC dc;
    RECT area = {};  // text area
    int rowHeight = 1;
    int textOffset = 0;  // from a row's top to its text cell
    LineColours colours;
    VisualRow caretRow;
    // Styles of the line being painted, its bytes and its line end.
    int styledLine = 0;
    std::vector<StyleRun> styles;
    LineStyleScratch styleScratch;
    std::string lineBytes;
    std::vector<RowCell> cells;
    std::vector<wchar_t> units;
    std::vector<INT> advances;
    std::vector<std::pair<COLORREF, std::vector<POINT>>> lines;  // strokes by colour
    int widest = 0;
};

COLORREF Colour(const EditorView& view, int index) { return view.look.colours[index]; }

void FillColour(HDC dc, const RECT& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);  // the cheapest solid fill
}

// Lines are gathered by colour while a paint runs and drawn at its end, one call per
// colour: hundreds of small strokes (marks, ticks, underlines) cost one system call.
void AddLine(PaintContext& c, COLORREF colour, int x1, int y1, int x2, int y2)
{
    std::vector<POINT>* points = nullptr;
    for (auto& batch : c.lines) {
        if (batch.first == colour) {
            points = &batch.second;
            break;
        }
    }
    if (!points) {
        c.lines.emplace_back(colour, std::vector<POINT>());
        points = &c.lines.back().second;
    }
    points->push_back(POINT{x1, y1});
    points->push_back(POINT{x2, y2});
}

// Each stroke excludes its end point, as LineTo does, so strokes joined end to start
// draw a path.
void AddPath(PaintContext& c, COLORREF colour, std::initializer_list<POINT> path)
{
    const POINT* previous = nullptr;
    for (const POINT& p : path) {
        if (previous) AddLine(c, colour, previous->x, previous->y, p.x, p.y);
        previous = &p;
    }
}

void DrawGatheredLines(PaintContext& c)
{
    std::vector<DWORD> counts;
    for (auto& batch : c.lines) {
        HPEN pen = CreatePen(PS_SOLID, 1, batch.first);
        if (!pen) continue;
        HGDIOBJ old = SelectObject(c.dc, pen);
        counts.assign(batch.second.size() / 2, 2);
        PolyPolyline(c.dc, batch.second.data(), counts.data(), static_cast<DWORD>(counts.size()));
        SelectObject(c.dc, old);
        DeleteObject(pen);
    }
    c.lines.clear();
}

void LoadLine(PaintContext& c, int line)
{
    TextModel& model = c.view.model;
    // Styling may move the model's gap; the line's bytes are read after it.
    StyleLine(model, line, c.colours, &c.styleScratch, &c.styles);
    std::string_view bytes = model.LineText(line);
    c.lineBytes.assign(bytes.data(), bytes.size());
    c.styledLine = line;
}

LineColours ColoursOf(const EditorView& view)
{
    LineColours colours;
    colours.text = Colour(view, VIEW_COLOR_TEXT);
    colours.background = Colour(view, VIEW_COLOR_BACKGROUND);
    colours.url = Colour(view, VIEW_COLOR_URL);
    colours.urlUnderline = Colour(view, VIEW_COLOR_URL_UNDERLINE);
    colours.mail = Colour(view, VIEW_COLOR_MAIL);
    colours.mailUnderline = Colour(view, VIEW_COLOR_MAIL_UNDERLINE);
    colours.findText = Colour(view, VIEW_COLOR_FIND_TEXT);
    colours.findBack = Colour(view, VIEW_COLOR_FIND_BACK);
    return colours;
}

// The run that holds `byte`, searched from `*run` on: the cells of a row come in byte order.
const ByteStyle& StyleOf(const PaintContext& c, int byte, size_t* run)
{
    if (*run >= c.styles.size() || c.styles[*run].start > byte) *run = 0;
    while (*run + 1 < c.styles.size() && c.styles[*run].start + c.styles[*run].length <= byte) ++*run;
    return c.styles[*run].style;
}

int CellX(const PaintContext& c, int column)
{
    return c.area.left + (column - c.view.leftColumn) * c.view.look.columnWidth;
}

void DrawTabMark(PaintContext& c, int x, int y, int width)
{
    COLORREF colour = Colour(c.view, VIEW_COLOR_TAB_MARK);
    int cw = c.view.look.columnWidth;
    int mid = y + c.view.look.fontHeight / 2;
    int size = std::max(2, std::min(cw, c.view.look.fontHeight) / 3);
    int left = x + 1;
    int right = std::min(x + width - 1, left + 2 * size);
    AddLine(c, colour, left, mid, right, mid);
    AddPath(c, colour, {{right - size, mid - size}, {right, mid}, {right - size - 1, mid + size + 1}});
}

void DrawHalfSpaceMark(PaintContext& c, int x, int y)
{
    COLORREF colour = Colour(c.view, VIEW_COLOR_HALF_SPACE_MARK);
    int cw = c.view.look.columnWidth;
    int bottom = y + c.view.look.fontHeight - 3;
    int depth = std::max(2, c.view.look.fontHeight / 6);
    AddPath(c, colour,
            {{x + 1, bottom - depth}, {x + 1, bottom}, {x + cw - 2, bottom}, {x + cw - 2, bottom - depth - 1}});
}

void DrawFullSpaceMark(PaintContext& c, int x, int y)
{
    COLORREF colour = Colour(c.view, VIEW_COLOR_FULL_SPACE_MARK);
    int cw = c.view.look.columnWidth;
    int h = c.view.look.fontHeight;
    int left = x + 2, top = y + 2, right = x + 2 * cw - 2, bottom = y + h - 2;
    AddPath(c, colour, {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
}

void DrawLineEndMark(PaintContext& c, int x, int rowTop)
{
    EditorView& view = c.view;
    int cw = view.look.columnWidth;
    if (view.look.ownerDrawLineEnd) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_VIEW_MARK;
        item.CtlID = static_cast<UINT>(view.id);
        item.itemID = static_cast<UINT>(view.id);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = VIEW_MARK_LINE_END;
        item.hwndItem = view.window;
        item.hDC = c.dc;
        item.rcItem = RECT{x, rowTop, x + 2 * cw, rowTop + c.rowHeight};
        int saved = SaveDC(c.dc);
        SendToParent(view, WM_DRAWITEM, static_cast<WPARAM>(view.id), reinterpret_cast<LPARAM>(&item));
        RestoreDC(c.dc, saved);
        return;
    }
    COLORREF colour = Colour(view, VIEW_COLOR_LINE_END_MARK);
    int y = rowTop + c.textOffset;
    int h = view.look.fontHeight;
    int right = x + cw - 2;
    int bottom = y + h - 4;
    int head = std::max(2, cw / 3);
    AddPath(c, colour, {{right, y + h / 3}, {right, bottom}, {x + 1, bottom}});
    AddLine(c, colour, x + 1, bottom, x + 2 + head, bottom - head - 1);
    AddLine(c, colour, x + 1, bottom, x + 2 + head, bottom + head + 1);
}

void DrawEofMark(PaintContext& c, int x, int rowTop)
{
    SetTextColor(c.dc, Colour(c.view, VIEW_COLOR_EOF_MARK));
    SetBkMode(c.dc, TRANSPARENT);
    RECT clip = {c.area.left, rowTop, c.area.right, rowTop + c.rowHeight};
    ExtTextOutW(c.dc, x, rowTop + c.textOffset, ETO_CLIPPED, &clip, L"[EOF]", 5, nullptr);
}

int NaturalAdvance(PaintContext& c, wchar_t unit)
{
    std::vector<unsigned char>& advances = c.view.look.advances;
    if (advances.empty()) advances.assign(0x10000, 0);
    unsigned char& known = advances[unit];
    if (known == 0) {
        INT width = 0;
        // 255 marks a width that does not fit the table: such a glyph is never on the grid.
        known = GetCharWidth32W(c.dc, unit, unit, &width) && width > 0 && width < 255
                    ? static_cast<unsigned char>(width)
                    : 255;
    }
    return known;
}

bool IsCombiningMark(wchar_t unit) { return (unit >= 0x0300 && unit <= 0x036F) || unit == 0x3099 || unit == 0x309A; }

// While it lives, text is drawn with a font that stands in for the view's font where that
// lacks a glyph: on the view font's baseline, whatever the stand-in's ascent. y stays the
// top of the text cell for the caller.
class StandInScope {
public:
    StandInScope(PaintContext& c, HFONT font) : dc_(c.dc), baseline_(c.view.look.ascent)
    {
        if (!font) return;
        old_ = SelectObject(dc_, font);
        oldAlign_ = SetTextAlign(dc_, TA_LEFT | TA_BASELINE);
    }
    ~StandInScope()
    {
        if (!old_) return;
        SetTextAlign(dc_, oldAlign_);
        SelectObject(dc_, old_);
    }
    StandInScope(const StandInScope&) = delete;
    StandInScope& operator=(const StandInScope&) = delete;
    int Y(int top) const { return old_ ? top + baseline_ : top; }

private:
    HDC dc_;
    int baseline_;
    HGDIOBJ old_ = nullptr;
    UINT oldAlign_ = TA_LEFT | TA_TOP;
};

// The font to draw one character of these units with when the view's font has no glyph
// for it; null when the view's font has one or no installed font has.
HFONT StandInFor(PaintContext& c, const wchar_t* units, int n)
{
    GlyphFallback& glyphs = c.view.look.glyphs;
    if (n == 2 && IsHighSurrogate(units[0]) && IsLowSurrogate(units[1])) {
        std::uint32_t codePoint = CombineSurrogates(units[0], units[1]);
        if (HasSupplementaryGlyph(c.dc, codePoint)) return nullptr;
        return StandInFont(glyphs, c.view.look.font, codePoint, &codePoint, 1);
    }
    // A character is one unit or a base and its mark; a pair of units names it in the cache.
    if (n < 1 || n > 2) return nullptr;
    bool all = true;
    std::uint32_t codePoints[2] = {};
    std::uint64_t key = 0;
    for (int i = 0; i < n; ++i) {
        all = all && HasGlyph(glyphs, c.dc, units[i]);
        codePoints[i] = units[i];
        key = key << 32 | units[i];
    }
    return all ? nullptr : StandInFont(glyphs, c.view.look.font, key, codePoints, n);
}

// Draws one character of several UTF-16 units at x: a surrogate pair by glyph index (see
// SupplementaryGlyphs.h); a base character and a combining mark with the mark over the
// base: from the base's origin when the font gives the mark an advance of its own (the IPA
// fonts draw such a mark into the box of the character before it), else after the base
// as usual for marks without advance; two spacing characters side by side.
void DrawSeveralUnits(PaintContext& c, int x, int top, const RECT& clip, const wchar_t* units, int n)
{
    StandInScope standIn(c, StandInFor(c, units, n));
    int y = standIn.Y(top);
    if (n == 2 && IsHighSurrogate(units[0]) && IsLowSurrogate(units[1])) {
        std::uint32_t codePoint = CombineSurrogates(units[0], units[1]);
        WORD glyph = TheSupplementaryGlyphs().Find(c.dc, codePoint);
        if (glyph) {
            ExtTextOutW(c.dc, x, y, ETO_CLIPPED | ETO_GLYPH_INDEX, &clip, reinterpret_cast<LPCWSTR>(&glyph), 1,
                        nullptr);
            return;
        }
    } else if (n == 2 && IsCombiningMark(units[1])) {
        ABC mark = {};
        if (GetCharABCWidthsW(c.dc, units[1], units[1], &mark) &&
            mark.abcA + static_cast<int>(mark.abcB) + mark.abcC > 0) {
            INT sameOrigin[2] = {0, 0};
            ExtTextOutW(c.dc, x, y, ETO_CLIPPED, &clip, units, 2, sameOrigin);
            return;
        }
    }
    ExtTextOutW(c.dc, x, y, ETO_CLIPPED, &clip, units, static_cast<UINT>(n), nullptr);
}

// Draws the characters of cells [first, last) that share one style in as few calls as
// the text allows: single UTF-16 units go together with their grid advances; a
// character of several units (a surrogate pair, a combined pair) is drawn alone.
void DrawCells(PaintContext& c, size_t first, size_t last, int rowTop, const ByteStyle& style)
{
    const RowCell& head = c.cells[first];
    const RowCell& tail = c.cells[last - 1];
    int x = CellX(c, head.column);
    int right = CellX(c, tail.column + tail.width);
    int cw = c.view.look.columnWidth;
    RECT clip = {std::max<LONG>(x, c.area.left), rowTop, std::min<LONG>(right, c.area.right), rowTop + c.rowHeight};
    if (clip.left >= clip.right) return;
    if (style.back != kNoColour) FillColour(c.dc, clip, style.back);
    SetTextColor(c.dc, style.text);
    SetBkMode(c.dc, TRANSPARENT);
    int y = rowTop + c.textOffset;
    bool onGrid = true;
    auto flush = [&](int startX) {
        // Glyphs that fall on the grid by themselves take the system's faster path.
        if (!c.units.empty())
            ExtTextOutW(c.dc, startX, y, ETO_CLIPPED, &clip, c.units.data(), static_cast<UINT>(c.units.size()),
                        onGrid ? nullptr : c.advances.data());
        c.units.clear();
        c.advances.clear();
        onGrid = true;
    };
    int runX = x;
    for (size_t i = first; i < last; ++i) {
        const RowCell& cell = c.cells[i];
        int cellX = CellX(c, cell.column);
        const char* bytes = c.lineBytes.data() + cell.byte;
        wchar_t out[kMaxUnitUtf16];
        // Tabs and the other control bytes (a zero byte above all) have no glyph of their
        // own: the font's stand-in box is wider than the cell and was drawn over the
        // neighbours. They keep their cell empty.
        const bool control = static_cast<unsigned char>(bytes[0]) < 0x20;
        int n = control ? 0 : UnitToUtf16(bytes, static_cast<size_t>(cell.bytes), out);
        // A character the view's font lacks is drawn alone, with a font that has it.
        if (n == 1 && !HasGlyph(c.view.look.glyphs, c.dc, out[0]) && StandInFor(c, out, 1)) {
            flush(runX);
            DrawSeveralUnits(c, cellX, y, clip, out, 1);
        } else if (n == 1) {
            if (c.units.empty()) runX = cellX;
            c.units.push_back(out[0]);
            c.advances.push_back(cell.width * cw);
            onGrid = onGrid && NaturalAdvance(c, out[0]) == cell.width * cw;
        } else {
            flush(runX);
            if (n > 1) DrawSeveralUnits(c, cellX, y, clip, out, n);
        }
    }
    flush(runX);
    if (style.underline != kNoColour) {
        int under = std::min(y + c.view.look.ascent + 1, rowTop + c.rowHeight - 1);
        AddLine(c, style.underline, clip.left, under, clip.right, under);
    }
}

void DrawMarks(PaintContext& c, int rowTop)
{
    const bool* marks = c.view.look.marks;
    if (!marks[MARK_TAB] && !marks[MARK_HALF_SPACE] && !marks[MARK_FULL_SPACE]) return;
    int y = rowTop + c.textOffset;
    for (const RowCell& cell : c.cells) {
        int x = CellX(c, cell.column);
        if (x + cell.width * c.view.look.columnWidth <= c.area.left || x >= c.area.right) continue;
        const char* b = c.lineBytes.data() + cell.byte;
        if (cell.bytes == 1 && b[0] == '\t' && marks[MARK_TAB])
            DrawTabMark(c, x, y, cell.width * c.view.look.columnWidth);
        else if (cell.bytes == 1 && b[0] == ' ' && marks[MARK_HALF_SPACE])
            DrawHalfSpaceMark(c, x, y);
        else if (cell.bytes == 2 && static_cast<unsigned char>(b[0]) == 0x81 && b[1] == 0x40 && marks[MARK_FULL_SPACE])
            DrawFullSpaceMark(c, x, y);
    }
}

void DrawLineNumber(PaintContext& c, VisualRow row, int rowTop)
{
    EditorView& view = c.view;
    int width = view.look.lineNumberWidth;
    if (width <= 0) return;
    RECT strip = {0, rowTop, std::max(0, width - 1), rowTop + c.rowHeight};
    bool marked = row.row == 0 && view.model.IsBookmarked(row.line);
    COLORREF numberColour =
        row.line == c.caretRow.line ? Colour(view, VIEW_COLOR_CARET_LINE_NUMBER) : Colour(view, VIEW_COLOR_LINE_NUMBER);
    if (marked) {
        // A bookmark shows the number inverted (or fills a strip too narrow for numbers).
        FillColour(c.dc, strip, Colour(view, VIEW_COLOR_LINE_NUMBER));
        numberColour = Colour(view, VIEW_COLOR_BACKGROUND);
    }
    int cw = view.look.columnWidth;
    if (row.row != 0 || !view.look.lineNumbersShown) return;
    wchar_t text[16];
    int n = swprintf(text, 16, L"%d", row.line);
    if (n <= 0) return;
    SetTextColor(c.dc, numberColour);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextAlign(c.dc, TA_RIGHT | TA_TOP);
    ExtTextOutW(c.dc, strip.right - cw / 2, rowTop + c.textOffset, ETO_CLIPPED, &strip, text, static_cast<UINT>(n),
                nullptr);
    SetTextAlign(c.dc, TA_LEFT | TA_TOP);
}

void RememberShownLine(EditorView& view, int line, bool lastLine)
{
    ShownLine shown;
    shown.line = line;
    shown.endState = lastLine ? 0 : view.model.LineStartState(line + 1);
    shown.rows = view.wrapOn ? view.wrap.RowCount(line) : 1;
    for (ShownLine& known : view.shownLines) {
        if (known.line == line) {
            known = shown;
            return;
        }
    }
    if (view.shownLines.size() >= 1024) view.shownLines.clear();  // never grows without bound
    view.shownLines.push_back(shown);
}

void PaintRow(PaintContext& c, VisualRow row, int rowTop)
{
    EditorView& view = c.view;
    if (c.styledLine != row.line) LoadLine(c, row.line);
    RowBytes bytes = RowOf(view, row);
    LayoutRow(c.lineBytes, bytes, view.model.TabWidth(), &c.cells);
    int endColumn = c.cells.empty() ? 0 : c.cells.back().column + c.cells.back().width;
    c.widest = std::max(c.widest, endColumn);

    // Cells of one style run, skipping cells left of the view.
    size_t i = 0;
    size_t run = 0;
    while (i < c.cells.size() && CellX(c, c.cells[i].column + c.cells[i].width) <= c.area.left) ++i;
    while (i < c.cells.size() && CellX(c, c.cells[i].column) < c.area.right) {
        const ByteStyle& style = StyleOf(c, c.cells[i].byte, &run);
        const int runEnd = c.styles[run].start + c.styles[run].length;
        size_t j = i + 1;
        while (j < c.cells.size() && c.cells[j].byte < runEnd && CellX(c, c.cells[j].column) < c.area.right) ++j;
        DrawCells(c, i, j, rowTop, style);
        i = j;
    }
    DrawMarks(c, rowTop);

    int endX = CellX(c, endColumn);
    bool lastLine = row.line == view.model.GetLineCount();
    if (bytes.lastRowOfLine) RememberShownLine(view, row.line, lastLine);
    if (bytes.lastRowOfLine) {
        const ByteStyle& endStyle = c.styles.back().style;
        if (endStyle.back != kNoColour && !lastLine) {
            RECT cell = {endX, rowTop, endX + view.look.columnWidth, rowTop + c.rowHeight};
            FillColour(c.dc, cell, endStyle.back);
        }
        if (!lastLine && view.look.marks[MARK_LINE_END]) DrawLineEndMark(c, endX, rowTop);
        if (lastLine && view.look.marks[MARK_EOF]) DrawEofMark(c, endX, rowTop);
    }
    if (view.look.marks[MARK_CARET_UNDERLINE] && row.line == c.caretRow.line && row.row == c.caretRow.row) {
        int y = rowTop + c.rowHeight - 1;
        AddLine(c, Colour(view, VIEW_COLOR_CARET_UNDERLINE), c.area.left, y, c.area.right, y);
    }
    DrawLineNumber(c, row, rowTop);
}

void PaintRuler(PaintContext& c, int caretColumn)
{
    EditorView& view = c.view;
    int height = view.look.rulerHeight;
    if (height <= 0) return;
    RECT client;
    GetClientRect(view.window, &client);
    RECT ruler = {0, 0, client.right, height};
    FillColour(c.dc, ruler, Colour(view, VIEW_COLOR_RULER_BACK));
    int cw = view.look.columnWidth;
    int caretX = CellX(c, caretColumn);
    if (caretX >= c.area.left && caretX < c.area.right) {
        RECT mark = {caretX, height / 2, caretX + cw, height - 1};
        FillColour(c.dc, mark, Colour(view, VIEW_COLOR_RULER_CARET));
    }
    COLORREF lineColour = Colour(view, VIEW_COLOR_RULER_LINE);
    AddLine(c, lineColour, 0, height - 1, client.right, height - 1);
    HGDIOBJ oldFont = view.look.rulerFont ? SelectObject(c.dc, view.look.rulerFont) : nullptr;
    SetTextColor(c.dc, Colour(view, VIEW_COLOR_RULER_TEXT));
    SetBkMode(c.dc, TRANSPARENT);
    RECT clip = {c.area.left, 0, c.area.right, height - 1};
    for (int column = view.leftColumn; CellX(c, column) < c.area.right; ++column) {
        int x = CellX(c, column);
        int tick = column % 10 == 0 ? height - 1 : column % 5 == 0 ? height / 2 : std::max(2, height / 4);
        if (x >= c.area.left) AddLine(c, lineColour, x, height - 1 - tick, x, height - 1);
        if (column % 10 == 0 && column > 0) {
            wchar_t text[16];
            int n = swprintf(text, 16, L"%d", column);
            if (n > 0) ExtTextOutW(c.dc, x + 2, 0, ETO_CLIPPED, &clip, text, static_cast<UINT>(n), nullptr);
        }
    }
    if (oldFont) SelectObject(c.dc, oldFont);
}

VisualRow NextRow(EditorView& view, VisualRow row, bool* past)
{
    if (view.wrapOn && row.row + 1 < view.wrap.RowCount(row.line)) return VisualRow{row.line, row.row + 1};
    *past = row.line >= view.model.GetLineCount();
    return VisualRow{row.line + 1, 0};
}

}  // namespace

void ReleaseBackBuffer(EditorView& view)
{
    ViewBackBuffer& buffer = view.backBuffer;
    if (buffer.dc) {
        SelectObject(buffer.dc, buffer.oldBitmap);
        DeleteDC(buffer.dc);
    }
    if (buffer.bitmap) DeleteObject(buffer.bitmap);
    buffer = ViewBackBuffer();
}

namespace {

// The back buffer at the window's size, made again only when the size changed.
HDC BackBufferFor(EditorView& view, HDC target, int width, int height)
{
    ViewBackBuffer& buffer = view.backBuffer;
    if (buffer.dc && buffer.width == width && buffer.height == height) return buffer.dc;
    ReleaseBackBuffer(view);
    buffer.dc = CreateCompatibleDC(target);
    buffer.bitmap = buffer.dc ? CreateCompatibleBitmap(target, width, height) : nullptr;
    if (!buffer.bitmap) {
        ReleaseBackBuffer(view);
        return nullptr;
    }
    buffer.oldBitmap = SelectObject(buffer.dc, buffer.bitmap);
    buffer.width = width;
    buffer.height = height;
    return buffer.dc;
}

}  // namespace

void PaintView(EditorView& view, HDC target, const RECT& paintArea, HRGN region)
{
    RECT client;
    GetClientRect(view.window, &client);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;
    HDC dc = BackBufferFor(view, target, width, height);
    if (!dc) return;
    int saved = SaveDC(dc);
    if (view.look.font) SelectObject(dc, view.look.font);

    PaintContext c(view, dc);
    c.area = TextArea(view);
    c.rowHeight = std::max(1, view.look.RowHeight());
    c.textOffset = view.look.lineSpacing / 2;
    c.colours = ColoursOf(view);
    c.caretRow = RowOfPosition(view, view.model.Caret());
    FillColour(dc, paintArea, Colour(view, VIEW_COLOR_BACKGROUND));

    VisualRow row = view.top;
    bool past = row.line > view.model.GetLineCount();
    for (int y = c.area.top; !past && y < c.area.bottom; y += c.rowHeight) {
        RECT rowRect = {0, y, width, y + c.rowHeight};
        bool wanted =
            y + c.rowHeight > paintArea.top && y < paintArea.bottom && (!region || RectInRegion(region, &rowRect));
        if (wanted) PaintRow(c, row, y);
        row = NextRow(view, row, &past);
    }
    if (view.look.lineNumberWidth > 0) {
        int x = view.look.lineNumberWidth - 1;
        AddLine(c, Colour(view, VIEW_COLOR_LINE_NUMBER_BORDER), x, c.area.top, x, height);
    }
    RECT rulerRect = {0, 0, width, c.area.top};
    if (paintArea.top < c.area.top && (!region || RectInRegion(region, &rulerRect)))
        PaintRuler(c, ColumnInRow(view, view.model.Caret()));
    DrawGatheredLines(c);

    BitBlt(target, paintArea.left, paintArea.top, paintArea.right - paintArea.left, paintArea.bottom - paintArea.top,
           dc, paintArea.left, paintArea.top, SRCCOPY);
    RestoreDC(dc, saved);
    if (c.widest > view.widestColumns) {
        view.widestColumns = c.widest;
        UpdateScrollBars(view);
    }
}

}  // namespace kvte::textcontrol
