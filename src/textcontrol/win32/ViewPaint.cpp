// Painting of a view into a back buffer: only the rows that the paint area touches, each
// character on the column grid, with emphasis, links, search highlights, the selection,
// the marks, the line-number area and the ruler.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

double gPhase[8];
static double PNow(){ LARGE_INTEGER f,t; QueryPerformanceFrequency(&f); QueryPerformanceCounter(&t); return t.QuadPart*1000.0/f.QuadPart; }
namespace kvte::textcontrol {

namespace {

constexpr COLORREF kNoColour = CLR_INVALID;

// How one byte of a line is drawn.
struct ByteStyle {
    COLORREF text = 0;
    COLORREF back = kNoColour;       // kNoColour: the view's background
    COLORREF underline = kNoColour;  // kNoColour: none
    bool operator==(const ByteStyle& o) const { return text == o.text && back == o.back && underline == o.underline; }
    bool operator!=(const ByteStyle& o) const { return !(*this == o); }
};

struct PaintContext {
    PaintContext(EditorView& v, HDC target) : view(v), dc(target) {}
    EditorView& view;
    HDC dc;
    RECT area = {};       // text area
    int rowHeight = 1;
    int textOffset = 0;   // from a row's top to its text cell
    TextPosition selectionFirst, selectionLast;
    bool hasSelection = false;
    VisualRow caretRow;
    // Styles of the line being painted, one per byte plus one for its line end.
    int styledLine = 0;
    std::vector<ByteStyle> styles;
    std::string lineBytes;
    std::vector<RowCell> cells;
    std::vector<ColourRun> colourRuns;
    std::vector<LinkRun> linkRuns;
    std::vector<HighlightRun> highlightRuns;
    std::vector<wchar_t> units;
    std::vector<INT> advances;
    int widest = 0;
};

COLORREF Colour(const EditorView& view, int index) { return view.look.colours[index]; }

void FillColour(HDC dc, const RECT& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);  // the cheapest solid fill
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A pen for one drawing, deleted when it goes out of scope.
class ScopedPen {
public:
    ScopedPen(HDC dc, COLORREF colour) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, colour))
    {
        old_ = pen_ ? SelectObject(dc_, pen_) : nullptr;
    }
    ~ScopedPen()
    {
        if (old_) SelectObject(dc_, old_);
        if (pen_) DeleteObject(pen_);
    }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void StyleLine(PaintContext& c, int line)
{
    EditorView& view = c.view;
    TextModel& model = view.model;
    // The run queries may move the model's gap; the line's bytes are read after them.
    model.LineColourRuns(line, &c.colourRuns);
    c.linkRuns.clear();
    if (model.LinkKinds()) model.LineLinkRuns(line, &c.linkRuns);
    c.highlightRuns.clear();
    if (!model.HighlightText().empty()) model.LineHighlightRuns(line, &c.highlightRuns);
    std::string_view bytes = model.LineText(line);
    c.lineBytes.assign(bytes.data(), bytes.size());
    int length = static_cast<int>(c.lineBytes.size());

    ByteStyle plain;
    plain.text = Colour(view, VIEW_COLOR_TEXT);
    c.styles.assign(static_cast<size_t>(length) + 1, plain);
    auto apply = [&](int start, int count, auto change) {
        int from = std::clamp(start, 0, length);
        int to = std::clamp(start + count, from, length);
        for (int i = from; i < to; ++i) change(c.styles[static_cast<size_t>(i)]);
    };
    for (const ColourRun& run : c.colourRuns)
        apply(run.start, run.length, [&](ByteStyle& s) { s.text = run.colour & 0x00FFFFFF; });
    for (const LinkRun& run : c.linkRuns) {
        bool mail = run.kind == kLinkMail;
        COLORREF text = Colour(view, mail ? VIEW_COLOR_MAIL : VIEW_COLOR_URL);
        COLORREF under = Colour(view, mail ? VIEW_COLOR_MAIL_UNDERLINE : VIEW_COLOR_URL_UNDERLINE);
        apply(run.start, run.length, [&](ByteStyle& s) { s.text = text; s.underline = under; });
    }
    for (const HighlightRun& run : c.highlightRuns)
        apply(run.start, run.length, [&](ByteStyle& s) {
            s.text = Colour(view, VIEW_COLOR_FIND_TEXT);
            s.back = Colour(view, VIEW_COLOR_FIND_BACK);
        });
    if (c.hasSelection && line >= c.selectionFirst.line && line <= c.selectionLast.line) {
        int from = line == c.selectionFirst.line ? c.selectionFirst.column - 1 : 0;
        // A selection that goes on below takes this line's end with it.
        int to = line == c.selectionLast.line ? c.selectionLast.column - 1 : length + 1;
        from = std::clamp(from, 0, length + 1);
        to = std::clamp(to, from, length + 1);
        for (int i = from; i < to; ++i) {
            ByteStyle& s = c.styles[static_cast<size_t>(i)];
            s.text = Colour(view, VIEW_COLOR_BACKGROUND);
            s.back = Colour(view, VIEW_COLOR_TEXT);
            s.underline = kNoColour;
        }
    }
    c.styledLine = line;
}

int CellX(const PaintContext& c, int column)
{
    return c.area.left + (column - c.view.leftColumn) * c.view.look.columnWidth;
}

void DrawTabMark(PaintContext& c, int x, int y, int width)
{
    ScopedPen pen(c.dc, Colour(c.view, VIEW_COLOR_TAB_MARK));
    int cw = c.view.look.columnWidth;
    int mid = y + c.view.look.fontHeight / 2;
    int size = std::max(2, std::min(cw, c.view.look.fontHeight) / 3);
    int left = x + 1;
    int right = std::min(x + width - 1, left + 2 * size);
    Line(c.dc, left, mid, right, mid);
    Line(c.dc, right - size, mid - size, right, mid);
    Line(c.dc, right, mid, right - size, mid + size);
}

void DrawHalfSpaceMark(PaintContext& c, int x, int y)
{
    ScopedPen pen(c.dc, Colour(c.view, VIEW_COLOR_HALF_SPACE_MARK));
    int cw = c.view.look.columnWidth;
    int bottom = y + c.view.look.fontHeight - 3;
    int depth = std::max(2, c.view.look.fontHeight / 6);
    MoveToEx(c.dc, x + 1, bottom - depth, nullptr);
    LineTo(c.dc, x + 1, bottom);
    LineTo(c.dc, x + cw - 2, bottom);
    LineTo(c.dc, x + cw - 2, bottom - depth - 1);
}

void DrawFullSpaceMark(PaintContext& c, int x, int y)
{
    ScopedPen pen(c.dc, Colour(c.view, VIEW_COLOR_FULL_SPACE_MARK));
    int cw = c.view.look.columnWidth;
    int h = c.view.look.fontHeight;
    HGDIOBJ oldBrush = SelectObject(c.dc, GetStockObject(NULL_BRUSH));
    Rectangle(c.dc, x + 2, y + 2, x + 2 * cw - 1, y + h - 1);
    SelectObject(c.dc, oldBrush);
}

void DrawLineEndMark(PaintContext& c, int x, int rowTop)
{
    EditorView& view = c.view;
    int cw = view.look.columnWidth;
    if (view.look.ownerDrawLineEnd) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_VIEW_MARK;
        item.CtlID = static_cast<UINT>(view.id);
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
    ScopedPen pen(c.dc, Colour(view, VIEW_COLOR_LINE_END_MARK));
    int y = rowTop + c.textOffset;
    int h = view.look.fontHeight;
    int right = x + cw - 2;
    int bottom = y + h - 4;
    int head = std::max(2, cw / 3);
    MoveToEx(c.dc, right, y + h / 3, nullptr);
    LineTo(c.dc, right, bottom);
    LineTo(c.dc, x + 1, bottom);
    Line(c.dc, x + 1, bottom, x + 1 + head, bottom - head);
    Line(c.dc, x + 1, bottom, x + 1 + head, bottom + head);
}

void DrawEofMark(PaintContext& c, int x, int rowTop)
{
    SetTextColor(c.dc, Colour(c.view, VIEW_COLOR_EOF_MARK));
    SetBkMode(c.dc, TRANSPARENT);
    RECT clip = {c.area.left, rowTop, c.area.right, rowTop + c.rowHeight};
    ExtTextOutW(c.dc, x, rowTop + c.textOffset, ETO_CLIPPED, &clip, L"[EOF]", 5, nullptr);
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
    auto flush = [&](int startX) {
        if (!c.units.empty())
            ExtTextOutW(c.dc, startX, y, ETO_CLIPPED, &clip, c.units.data(), static_cast<UINT>(c.units.size()), c.advances.data());
        c.units.clear();
        c.advances.clear();
    };
    int runX = x;
    for (size_t i = first; i < last; ++i) {
        const RowCell& cell = c.cells[i];
        int cellX = CellX(c, cell.column);
        const char* bytes = c.lineBytes.data() + cell.byte;
        wchar_t out[kMaxUnitUtf16];
        int n = bytes[0] == '\t' ? 0 : UnitToUtf16(bytes, static_cast<size_t>(cell.bytes), out);
        if (n == 1) {
            if (c.units.empty()) runX = cellX;
            c.units.push_back(out[0]);
            c.advances.push_back(cell.width * cw);
        } else {
            flush(runX);
            if (n > 1) ExtTextOutW(c.dc, cellX, y, ETO_CLIPPED, &clip, out, static_cast<UINT>(n), nullptr);
        }
    }
    flush(runX);
    if (style.underline != kNoColour) {
        ScopedPen pen(c.dc, style.underline);
        int under = std::min(y + c.view.look.ascent + 1, rowTop + c.rowHeight - 1);
        Line(c.dc, clip.left, under, clip.right, under);
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
    COLORREF numberColour = row.line == c.caretRow.line ? Colour(view, VIEW_COLOR_CARET_LINE_NUMBER) : Colour(view, VIEW_COLOR_LINE_NUMBER);
    if (marked) {
        // A bookmark shows the number inverted (or fills a strip too narrow for numbers).
        FillColour(c.dc, strip, Colour(view, VIEW_COLOR_LINE_NUMBER));
        numberColour = Colour(view, VIEW_COLOR_BACKGROUND);
    }
    int cw = view.look.columnWidth;
    if (row.row != 0 || width < 3 * cw) return;
    wchar_t text[16];
    int n = swprintf(text, 16, L"%d", row.line);
    if (n <= 0) return;
    SetTextColor(c.dc, numberColour);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextAlign(c.dc, TA_RIGHT | TA_TOP);
    ExtTextOutW(c.dc, strip.right - cw / 2, rowTop + c.textOffset, ETO_CLIPPED, &strip, text, static_cast<UINT>(n), nullptr);
    SetTextAlign(c.dc, TA_LEFT | TA_TOP);
}

void PaintRow(PaintContext& c, VisualRow row, int rowTop)
{
    EditorView& view = c.view;
    double p0=PNow();
    if (c.styledLine != row.line) StyleLine(c, row.line);
    double p1=PNow(); gPhase[0]+=p1-p0;
    RowBytes bytes = RowOf(view, row);
    LayoutRow(c.lineBytes, bytes, view.model.TabWidth(), &c.cells);
    int endColumn = c.cells.empty() ? 0 : c.cells.back().column + c.cells.back().width;
    c.widest = std::max(c.widest, endColumn);

    // Runs of cells with one style, skipping cells left of the view.
    size_t i = 0;
    while (i < c.cells.size() && CellX(c, c.cells[i].column + c.cells[i].width) <= c.area.left) ++i;
    while (i < c.cells.size() && CellX(c, c.cells[i].column) < c.area.right) {
        const ByteStyle& style = c.styles[static_cast<size_t>(c.cells[i].byte)];
        size_t j = i + 1;
        while (j < c.cells.size() && c.styles[static_cast<size_t>(c.cells[j].byte)] == style &&
               CellX(c, c.cells[j].column) < c.area.right)
            ++j;
        DrawCells(c, i, j, rowTop, style);
        i = j;
    }
    double p2=PNow(); gPhase[1]+=p2-p1;
    DrawMarks(c, rowTop);
    double p3=PNow(); gPhase[2]+=p3-p2;

    int endX = CellX(c, endColumn);
    bool lastLine = row.line == view.model.GetLineCount();
    if (bytes.lastRowOfLine) {
        const ByteStyle& endStyle = c.styles.back();
        if (endStyle.back != kNoColour && !lastLine) {
            RECT cell = {endX, rowTop, endX + view.look.columnWidth, rowTop + c.rowHeight};
            FillColour(c.dc, cell, endStyle.back);
        }
        if (!lastLine && view.look.marks[MARK_LINE_END]) DrawLineEndMark(c, endX, rowTop);
        if (lastLine && view.look.marks[MARK_EOF]) DrawEofMark(c, endX, rowTop);
    }
    if (view.look.marks[MARK_CARET_UNDERLINE] && row.line == c.caretRow.line && row.row == c.caretRow.row) {
        ScopedPen pen(c.dc, Colour(view, VIEW_COLOR_CARET_UNDERLINE));
        Line(c.dc, c.area.left, rowTop + c.rowHeight - 1, c.area.right, rowTop + c.rowHeight - 1);
    }
    double p4=PNow(); gPhase[3]+=p4-p3;
    DrawLineNumber(c, row, rowTop);
    gPhase[4]+=PNow()-p4;
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
    ScopedPen pen(c.dc, Colour(view, VIEW_COLOR_RULER_LINE));
    Line(c.dc, 0, height - 1, client.right, height - 1);
    HGDIOBJ oldFont = view.look.rulerFont ? SelectObject(c.dc, view.look.rulerFont) : nullptr;
    SetTextColor(c.dc, Colour(view, VIEW_COLOR_RULER_TEXT));
    SetBkMode(c.dc, TRANSPARENT);
    RECT clip = {c.area.left, 0, c.area.right, height - 1};
    for (int column = view.leftColumn; CellX(c, column) < c.area.right; ++column) {
        int x = CellX(c, column);
        int tick = column % 10 == 0 ? height - 1 : column % 5 == 0 ? height / 2 : std::max(2, height / 4);
        if (x >= c.area.left) Line(c.dc, x, height - 1 - tick, x, height - 1);
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

void PaintView(EditorView& view, HDC target, const RECT& paintArea)
{
    RECT client;
    GetClientRect(view.window, &client);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;
    double a0=PNow();
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(target, width, height) : nullptr;
    if (!bitmap) {
        if (dc) DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = view.look.font ? SelectObject(dc, view.look.font) : nullptr;

    PaintContext c(view, dc);
    c.area = TextArea(view);
    c.rowHeight = std::max(1, view.look.RowHeight());
    c.textOffset = view.look.lineSpacing / 2;
    c.selectionFirst = view.model.SelectionStart();
    c.selectionLast = view.model.SelectionEnd();
    c.hasSelection = view.model.HasSelection();
    c.caretRow = RowOfPosition(view, view.model.Caret());
    FillColour(dc, paintArea, Colour(view, VIEW_COLOR_BACKGROUND));

    VisualRow row = view.top;
    bool past = row.line > view.model.GetLineCount();
    for (int y = c.area.top; !past && y < c.area.bottom; y += c.rowHeight) {
        if (y + c.rowHeight > paintArea.top && y < paintArea.bottom) PaintRow(c, row, y);
        row = NextRow(view, row, &past);
    }
    if (view.look.lineNumberWidth > 0) {
        ScopedPen pen(dc, Colour(view, VIEW_COLOR_LINE_NUMBER_BORDER));
        int x = view.look.lineNumberWidth - 1;
        Line(dc, x, c.area.top, x, height);
    }
    double r0=PNow();
    PaintRuler(c, ColumnInRow(view, view.model.Caret()));
    gPhase[5]+=PNow()-r0;

    BitBlt(target, paintArea.left, paintArea.top, paintArea.right - paintArea.left,
           paintArea.bottom - paintArea.top, dc, paintArea.left, paintArea.top, SRCCOPY);
    if (oldFont) SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    gPhase[6]+=PNow()-a0;
    if (c.widest > view.widestColumns) {
        view.widestColumns = c.widest;
        UpdateScrollBars(view);
    }
}

}  // namespace kvte::textcontrol
