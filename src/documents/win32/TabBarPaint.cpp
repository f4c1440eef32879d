// Painting the tab bar: the tabs with their labels and marks, then the three buttons
// over the bar's right end, then the frame of the button under the pointer. Pens and
// brushes are made for each drawing call and deleted right after it.
#include "documents/win32/TabBar.h"

#include <string>

#include "documents/TabBarLayout.h"
#include "platform/WideText.h"

namespace {

constexpr int kButtonsWidth = 3 * kButtonWidth;
constexpr int kLabelTop = 3;
const COLORREF kLabelColour = RGB(0, 0, 0);
const COLORREF kWriteProtectedMark = RGB(255, 255, 0);
const COLORREF kModifiedMark = RGB(128, 128, 128);

// Runs draw with a 1-pixel pen and a solid brush of the same colour selected, so that a
// shape covers exactly the outline it is given; both are deleted right after.
template <typename Draw>
void InSolidColour(HDC dc, COLORREF colour, Draw draw)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    draw();
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// Covers exactly (left, top)-(right, bottom).
void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    InSolidColour(dc, colour, [&] { Rectangle(dc, left, top, right, bottom); });
}

void FillEllipse(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    InSolidColour(dc, colour, [&] { Ellipse(dc, left, top, right, bottom); });
}

void FillTriangle(HDC dc, POINT a, POINT b, POINT c, COLORREF colour)
{
    const POINT corners[3] = {a, b, c};
    InSolidColour(dc, colour, [&] { Polygon(dc, corners, 3); });
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void Frame(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void Text(HDC dc, int x, int y, std::string_view internal)
{
    const std::wstring wide = WideFromInternal(internal);
    TextOutW(dc, x, y, wide.data(), static_cast<int>(wide.size()));
}

COLORREF MarkColour(const Document& document, COLORREF tabBackground)
{
    switch (MarkOf(document)) {
    case TabMark::WriteProtected:
        return kWriteProtectedMark;
    case TabMark::Modified:
        return kModifiedMark;
    case TabMark::None:
        break;
    }
    return tabBackground;
}

// A vertical coordinate of the 16-pixel design in a bar of the list's height.
int Y(const DocumentList& list, int y) { return MulDiv(y, list.barHeight, kBarHeight); }

void PaintTab(HDC dc, const DocumentList& list, const VisibleTab& tab)
{
    const Document& document = *GetDocument(list, tab.slot);
    const int left = tab.left;
    const int w = list.tabWidth;
    const bool current = tab.position == list.currentTab;
    const COLORREF background = GetSysColor(current ? COLOR_BTNFACE : COLOR_WINDOW);
    if (current) {
        Fill(dc, left + 2, Y(list, 2), left + w, list.barHeight, background);
        SetBkMode(dc, TRANSPARENT);
    }

    const TabLabel label = LayoutTabLabel(document.fileName, w, list.charWidth);
    SetTextColor(dc, kLabelColour);
    Text(dc, left + kLabelLeft, Y(list, kLabelTop), label.text);
    if (label.cut) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        Text(dc, left + kLabelLeft + label.dotsOffset, Y(list, kLabelTop), "..");
    }

    FillEllipse(dc, left + 5, Y(list, 7), left + 10, Y(list, 12), MarkColour(document, background));
    if (current) SetBkMode(dc, OPAQUE);
    // The pen selected for the whole pass is the window colour.
    MoveToEx(dc, left + w, 0, nullptr);
    LineTo(dc, left + w, list.barHeight);
}

void PaintButtons(HDC dc, const DocumentList& list)
{
    const int width = list.barWidth;
    const int hotButton = list.hotButton;
    // The glyphs keep their width and sit in the middle of a taller bar.
    const int shift = (list.barHeight - kBarHeight) / 2;
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    Fill(dc, width - kButtonsWidth, 0, width, list.barHeight, GetSysColor(COLOR_WINDOW));
    FillTriangle(dc, {width - 43, 8 + shift}, {width - 39, 4 + shift}, {width - 39, 12 + shift}, ink);
    FillTriangle(dc, {width - 22, 8 + shift}, {width - 26, 4 + shift}, {width - 26, 12 + shift}, ink);
    Line(dc, width - 11, 5 + shift, width - 4, 12 + shift, ink);
    Line(dc, width - 5, 5 + shift, width - 12, 12 + shift, ink);
    if (hotButton >= kScrollLeftButton && hotButton <= kCloseButton) {
        const int left = width - kButtonsWidth + kButtonWidth * hotButton;
        Frame(dc, left, 0, left + kButtonWidth, list.barHeight, ink);
    }
}

}  // namespace

void PaintBar(const TabBar& bar, HDC dc)
{
    if (dc == nullptr || bar.documents == nullptr) return;
    const DocumentList& list = bar.documents->list;
    const int width = list.barWidth;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    Fill(dc, 0, 0, width, list.barHeight, window);

    HGDIOBJ oldFont = bar.tabFont ? SelectObject(dc, bar.tabFont) : nullptr;
    HPEN separator = CreatePen(PS_SOLID, 1, window);
    HGDIOBJ oldPen = SelectObject(dc, separator);
    SetBkColor(dc, window);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    try {
        for (const VisibleTab& tab : VisibleTabs(list)) PaintTab(dc, list, tab);
    } catch (...) {
        // Out of memory for the list of tabs: the bar stays blank, the buttons still work.
    }
    SelectObject(dc, oldPen);
    DeleteObject(separator);

    // Tabs reaching under the buttons are covered by them.
    PaintButtons(dc, list);
    if (oldFont) SelectObject(dc, oldFont);
}

void RepaintBar(const TabBar& bar)
{
    if (bar.barWindow == nullptr) return;
    HDC dc = GetDC(bar.barWindow);
    PaintBar(bar, dc);
    ReleaseDC(bar.barWindow, dc);
}
