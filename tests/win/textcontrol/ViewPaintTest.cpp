// What a view paints, read back from the window: the style runs of a line drawn in their
// colours, and a partial repaint equal to a full one.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

namespace {
const COLORREF kText = RGB(10, 20, 30), kBack = RGB(250, 240, 230), kFind = RGB(255, 255, 0);

// Near the top-left of a cell: background, never glyph ink nor the caret.
COLORREF CellCorner(const ViewFixture& f, int line, int column)
{
    HDC dc = GetDC(f.view());
    COLORREF colour = GetPixel(dc, (column - 1) * DrawMetrics(f.id(), 0) + 3, (line - 1) * DrawMetrics(f.id(), 1));
    ReleaseDC(f.view(), dc);
    return colour;
}

// What the screen shows after the view repainted only what a step touched must equal a
// repaint of everything.
void ExpectSameAsFullRepaint(const ViewFixture& f, const char* step)
{
    UpdateWindow(f.view());
    std::vector<unsigned> partial = viewtest::Capture(f.view());
    f.Paint();
    EXPECT_TRUE(partial == viewtest::Capture(f.view())) << "after " << step;
}
}  // namespace

TEST(ViewPaint, StyleRunsAreDrawnInTheirColoursUpToTheLineEnd)
{
    ViewFixture f;
    SetViewColor(f.id(), VIEW_COLOR_TEXT, kText, 0);
    SetViewColor(f.id(), VIEW_COLOR_BACKGROUND, kBack, 0);
    SetViewColor(f.id(), VIEW_COLOR_FIND_BACK, kFind, 0);
    SetText(f.id(), "abcdef\r\nxyz");
    SetHighlightText(f.id(), "a", 0, 1);
    f.Drag(f.PointAt(1, 2), f.PointAt(2, 1));  // from "b" on, taking the line end
    f.Paint();
    // The match keeps its colour; the selection (which wins over a match) is inverted.
    const COLORREF expected[] = {kFind, kText, kText, kText, kText, kText, kText, kBack};
    for (int column = 1; column <= 8; ++column) EXPECT_EQ(expected[column - 1], CellCorner(f, 1, column)) << column;
    EXPECT_EQ(kBack, CellCorner(f, 2, 1));
}

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
    SetBookmark(f.id(), 2, 1, 0);
    f.Paint();
    SetSelection(f.id(), 1, 7, 1, 7);
    f.Type(L"x");
    ExpectSameAsFullRepaint(f, "typing");
    f.Key(VK_DOWN, true), f.Key(VK_RIGHT, true);
    ExpectSameAsFullRepaint(f, "extending the selection");
    f.Key(VK_UP, true), f.Key(VK_UP, true);
    ExpectSameAsFullRepaint(f, "shrinking it across the anchor");
    f.Key(VK_HOME);
    f.Type(L"/*");
    ExpectSameAsFullRepaint(f, "opening a comment that colours the lines below");
    f.Type(L"\b\r");
    ExpectSameAsFullRepaint(f, "closing it and a new line");
    f.Drag(f.PointAt(2, 2), f.PointAt(3, 3));
    ExpectSameAsFullRepaint(f, "a mouse selection");
    SetWrap(f.id(), 1, 0, 1);
    f.Key(VK_HOME, false, true);
    f.Key(VK_END);
    for (int i = 0; i < 100; ++i) f.Type(L"w"), UpdateWindow(f.view());  // the first line wraps
    ExpectSameAsFullRepaint(f, "typing into a wrapped line");
}
