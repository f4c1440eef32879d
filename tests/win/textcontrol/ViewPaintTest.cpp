// What a view paints, read back from the window: colours of the background, the
// selection, search matches, bookmarks and the ruler; and scrolling by bar and wheel.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

namespace {

const COLORREF kText = RGB(10, 20, 30);
const COLORREF kBack = RGB(250, 240, 230);

COLORREF Pixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void PlainColours(int view)
{
    SetViewColor(view, VIEW_COLOR_TEXT, kText, 0);
    SetViewColor(view, VIEW_COLOR_BACKGROUND, kBack, 0);
}

// A pixel near the top-left of a cell: background, never glyph ink, and right of where a
// caret at the cell would stand.
COLORREF CellCorner(const ViewFixture& f, int line, int column, int left = 0, int top = 0)
{
    int w = DrawMetrics(f.id(), 0), h = DrawMetrics(f.id(), 1);
    return Pixel(f.view(), left + (column - 1) * w + 3, top + (line - 1) * h);
}

// The client area as pixels.
std::vector<unsigned> Capture(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<unsigned> pixels(static_cast<size_t>(r.right) * static_cast<size_t>(r.bottom));
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixels;
}

// What the screen shows after the view repainted only what a step touched must equal
// a repaint of everything. The caret is hidden so that it cannot differ.
void ExpectSameAsFullRepaint(const ViewFixture& f, const char* step)
{
    UpdateWindow(f.view());
    std::vector<unsigned> partial = Capture(f.view());
    InvalidateRect(f.view(), nullptr, FALSE);
    UpdateWindow(f.view());
    EXPECT_TRUE(partial == Capture(f.view())) << "after " << step;
}

}  // namespace

TEST(ViewPaint, RepaintingOnlyTheTouchedRowsShowsTheSameAsARepaintOfEverything)
{
    ViewFixture f;
    HideCaret(f.view());
    SetOption(f.id(), OPTION_RULER_HEIGHT, 10, 0);
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 50, 0);
    for (int mark = 0; mark < VIEW_MARK_COUNT; ++mark) ShowMark(f.id(), mark, 1, 0);
    AddEmphasis(f.id(), "/*", "*/", 4, RGB(0, 128, 0), 0, 6, 0);
    AddEmphasis(f.id(), "int", nullptr, 1, RGB(0, 0, 255), 0, 1, 0);
    SetText(f.id(), "int a;\r\nint b;\r\n\tint c;\r\nend");
    f.Paint();
    SetSelection(f.id(), 1, 7, 1, 7);
    f.Type(L"x");
    ExpectSameAsFullRepaint(f, "typing");
    f.Key(VK_DOWN, true);
    f.Key(VK_RIGHT, true);
    ExpectSameAsFullRepaint(f, "extending the selection");
    f.Key(VK_UP, true);
    f.Key(VK_UP, true);
    ExpectSameAsFullRepaint(f, "shrinking it across the anchor");
    f.Key(VK_HOME);
    f.Type(L"/*");
    ExpectSameAsFullRepaint(f, "opening a comment that colours the lines below");
    f.Type(L"\b");
    ExpectSameAsFullRepaint(f, "closing it again");
    f.Type(L"\r");
    ExpectSameAsFullRepaint(f, "a new line");
    f.Drag(f.PointAt(2, 2), f.PointAt(3, 3));
    ExpectSameAsFullRepaint(f, "a mouse selection");
    SetWrap(f.id(), 1, 0, 1);
    f.Key(VK_HOME, false, true);
    f.Key(VK_END);
    f.Paint();
    for (int i = 0; i < 100; ++i) {  // the first line wraps, the lines below move
        f.Type(L"w");
        UpdateWindow(f.view());
    }
    ExpectSameAsFullRepaint(f, "typing into a wrapped line");
}

TEST(ViewPaint, BackgroundSelectionAndSearchMatchesUseTheirColours)
{
    ViewFixture f;
    PlainColours(f.id());
    SetViewColor(f.id(), VIEW_COLOR_FIND_BACK, RGB(255, 255, 0), 0);
    SetText(f.id(), "abcdef\r\nxyz");
    SetHighlightText(f.id(), "e", 0, 1);
    SelectRange(f.id(), 2, 4);  // "bc"
    f.Paint();
    EXPECT_EQ(kBack, CellCorner(f, 1, 1));
    EXPECT_EQ(kText, CellCorner(f, 1, 2));  // selected: drawn inverted
    EXPECT_EQ(kText, CellCorner(f, 1, 3));
    EXPECT_EQ(kBack, CellCorner(f, 1, 4));
    EXPECT_EQ(RGB(255, 255, 0), CellCorner(f, 1, 5));
    EXPECT_EQ(kBack, CellCorner(f, 2, 1));
    EXPECT_EQ(kBack, CellCorner(f, 5, 30));  // below the text
    SetSelection(f.id(), 1, 1, 2, 1);        // a selection going on below takes the line end
    f.Paint();
    EXPECT_EQ(kText, CellCorner(f, 1, 7));
    EXPECT_EQ(kBack, CellCorner(f, 1, 8));
}

TEST(ViewPaint, LineNumberAreaMarksBookmarksAndRulerHasItsBackground)
{
    ViewFixture f;
    PlainColours(f.id());
    SetViewColor(f.id(), VIEW_COLOR_LINE_NUMBER, RGB(0, 0, 200), 0);
    SetViewColor(f.id(), VIEW_COLOR_RULER_BACK, RGB(200, 200, 200), 0);
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 50, 0);
    SetOption(f.id(), OPTION_RULER_HEIGHT, 10, 0);
    SetText(f.id(), "one\r\ntwo\r\nthree");
    SetBookmark(f.id(), 2, 1, 1);
    f.Paint();
    int h = DrawMetrics(f.id(), 1);
    EXPECT_EQ(RGB(200, 200, 200), Pixel(f.view(), 60, 1));
    EXPECT_EQ(RGB(0, 0, 200), Pixel(f.view(), 1, 10 + h + 1));  // bookmarked line 2
    EXPECT_EQ(kBack, Pixel(f.view(), 1, 10 + 2 * h + 1));       // line 3 is not
    EXPECT_EQ(kBack, CellCorner(f, 1, 1, 50, 10));              // text starts after the margins
    SetBookmark(f.id(), 2, 0, 1);
    f.Paint();
    EXPECT_EQ(kBack, Pixel(f.view(), 1, 10 + h + 1));
}

TEST(ViewPaint, ScrollBarAndWheelMoveTheFirstVisibleLine)
{
    ViewFixture f;
    std::string text;
    for (int i = 1; i <= 300; ++i) text += "row\r\n";
    SetText(f.id(), text.c_str());
    auto firstVisibleLine = [&] {
        f.Click(f.PointAt(1, 1));
        return GetCaretLine(f.id());
    };
    SendMessageW(f.view(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(f.view(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(3, firstVisibleLine());
    SendMessageW(f.view(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    int afterWheel = firstVisibleLine();
    EXPECT_GT(afterWheel, 3);
    SendMessageW(f.view(), WM_VSCROLL, SB_BOTTOM, 0);
    int rows = 400 / DrawMetrics(f.id(), 1);
    EXPECT_GE(firstVisibleLine() + rows, 301);  // the last line is on screen, not past it
    EXPECT_LE(firstVisibleLine() + rows, 303);
    SendMessageW(f.view(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(1, firstVisibleLine());
}

TEST(ViewPaint, TypingPastTheRightEdgeScrollsSideways)
{
    ViewFixture f;
    f.Type(std::wstring(300, L'x'));
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS | SIF_RANGE;
    GetScrollInfo(f.view(), SB_HORZ, &info);
    EXPECT_GT(info.nPos, 200);
    EXPECT_GE(info.nMax, 300);
    f.Key(VK_HOME);
    GetScrollInfo(f.view(), SB_HORZ, &info);
    EXPECT_EQ(0, info.nPos);
    SetWrap(f.id(), 1, 0, 1);  // wrapping never scrolls sideways
    f.Key(VK_END);
    GetScrollInfo(f.view(), SB_HORZ, &info);
    EXPECT_EQ(0, info.nPos);
}

namespace {

// The pixels of the cells [column, column + width) of line 1 (no margins), row by row.
std::vector<unsigned> CellPixels(const ViewFixture& f, int column, int width)
{
    RECT client;
    GetClientRect(f.view(), &client);
    const std::vector<unsigned> all = Capture(f.view());
    const int w = DrawMetrics(f.id(), 0), h = DrawMetrics(f.id(), 1);
    std::vector<unsigned> cell;
    for (int y = 0; y < h; ++y)
        for (int x = (column - 1) * w; x < (column - 1 + width) * w; ++x)
            cell.push_back(all[static_cast<size_t>(y) * static_cast<size_t>(client.right) + static_cast<size_t>(x)]);
    return cell;
}

int Ink(const std::vector<unsigned>& pixels)
{
    int ink = 0;
    for (unsigned p : pixels)
        ink += (p & 0xFFFFFF) != (GetRValue(kBack) << 16 | GetGValue(kBack) << 8 | GetBValue(kBack));
    return ink;
}

}  // namespace

TEST(ViewPaint, CharactersAboveTheBmpAndSequencesDrawAsGlyphsInTheirOwnCells)
{
    ViewFixture f;
    PlainColours(f.id());
    HideCaret(f.view());
    SetFont(f.id(), "IPAGothic", 16, 0);
    // 𠀋 𡈽 (surrogate pairs), か゚ (か and a combining mark), か, then a space.
    SetText(f.id(), "\x87\xA0\x88\x61\x82\xF5\x82\xA9 ");
    SetSelection(f.id(), 1, 11, 1, 11);
    f.Paint();
    const std::vector<unsigned> first = CellPixels(f, 1, 2), second = CellPixels(f, 3, 2);
    EXPECT_GT(Ink(first), 0);
    EXPECT_GT(Ink(second), 0);
    // Two different glyphs, not twice the font's glyph for a missing character.
    EXPECT_NE(first, second);
    // The mark is drawn into the cell of its base, and nothing spills into the next cell.
    const std::vector<unsigned> kaMark = CellPixels(f, 5, 2), ka = CellPixels(f, 7, 2);
    EXPECT_GT(Ink(kaMark), Ink(ka));
    EXPECT_EQ(Ink(CellPixels(f, 9, 1)), 0);
}
