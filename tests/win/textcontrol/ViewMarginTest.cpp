// The ruler and the line-number margin at the screen's DPI: the sizes a view is given are
// pixels at 96 DPI, and the margin always holds the document's largest line number whole,
// however many digits it has and whatever the font. The same tests run at 96 DPI and, in
// a prefix of their own, at 144 DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "textcontrol/win32/ViewText.h"

using viewtest::ViewFixture;

namespace {

const COLORREF kBack = RGB(255, 255, 255);
const COLORREF kNumber = RGB(200, 0, 0);
const COLORREF kBorder = RGB(0, 200, 0);
const COLORREF kRulerBack = RGB(230, 230, 250);
const COLORREF kRulerLine = RGB(0, 0, 200);

const char kGothic[] = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック

int ScreenDpi()
{
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// The width of text in the font a view makes of this name and size.
int TextWidth(const wchar_t* face, int points, const std::wstring& text)
{
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(points, ScreenDpi(), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

std::string Lines(int count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 3);
    for (int i = 1; i < count; ++i) text += "x\r\n";
    return text + "x";
}

// A view with both margins in colours of their own.
void Prepare(ViewFixture& f, int ruler, int margin, int points)
{
    SetFont(f.id(), kGothic, points, 0);
    SetViewColor(f.id(), VIEW_COLOR_BACKGROUND, kBack, 0);
    SetViewColor(f.id(), VIEW_COLOR_LINE_NUMBER, kNumber, 0);
    SetViewColor(f.id(), VIEW_COLOR_CARET_LINE_NUMBER, kNumber, 0);
    SetViewColor(f.id(), VIEW_COLOR_LINE_NUMBER_BORDER, kBorder, 0);
    SetViewColor(f.id(), VIEW_COLOR_RULER_BACK, kRulerBack, 0);
    SetViewColor(f.id(), VIEW_COLOR_RULER_LINE, kRulerLine, 0);
    SetOption(f.id(), OPTION_RULER_HEIGHT, ruler, 0);
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, margin, 1);
}

// The client area as pixels 0x00RRGGBB, row by row.
struct Screen {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;
    COLORREF At(int x, int y) const
    {
        unsigned p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
};

Screen Capture(ViewFixture& f)
{
    f.Paint();
    RECT r;
    GetClientRect(f.view(), &r);
    Screen s;
    s.width = r.right;
    s.height = r.bottom;
    s.pixels.resize(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = s.width;
    info.bmiHeader.biHeight = -s.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(f.view());
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, s.width, s.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, s.width, s.height, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(s.height), s.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(f.view(), dc);
    return s;
}

struct Margin {
    int width = -1;                   // the border's x + 1; -1 when no border was found
    int inkLeft = -1, inkRight = -1;  // extent of whatever the margin shows, -1 none
};

// Reads the margin off the screen below the ruler: its border and the ink of the numbers.
Margin ReadMargin(ViewFixture& f, int top)
{
    Screen s = Capture(f);
    Margin m;
    int y = top + DrawMetrics(f.id(), 1) / 2;
    for (int x = 0; x < s.width && m.width < 0; ++x)
        if (s.At(x, y) == kBorder) m.width = x + 1;
    for (int yy = top; m.width > 0 && yy < s.height; ++yy) {
        for (int x = 0; x < m.width - 1; ++x) {
            if (s.At(x, yy) == kBack) continue;
            if (m.inkLeft < 0 || x < m.inkLeft) m.inkLeft = x;
            m.inkRight = std::max(m.inkRight, x);
        }
    }
    return m;
}

// The ruler's height: its bottom line is the first row drawn in the line colour at the
// left edge, where no tick stands.
int RulerHeight(ViewFixture& f)
{
    Screen s = Capture(f);
    for (int y = 0; y < s.height; ++y)
        if (s.At(1, y) == kRulerLine) return y + 1;
    return 0;
}

// The largest number shows whole: nothing of it is cut at the left edge and its ink is as
// wide as its text less the side bearings of its outer digits.
void ExpectWholeNumbers(const Margin& m, int textWidth, int digitWidth)
{
    ASSERT_GT(m.width, 0) << "no border found";
    ASSERT_GE(m.inkLeft, 0) << "no number shown";
    EXPECT_GE(m.inkLeft, 1) << "the number touches the window's edge";
    EXPECT_LT(m.inkRight, m.width - 1);
    EXPECT_GE(m.inkRight - m.inkLeft + 1, textWidth - digitWidth / 2);
    EXPECT_GE(m.width, textWidth);
}

}  // namespace

TEST(ViewMargins, SizesAreGivenAt96DpiAndTheMarginHoldsTheLargestLineNumberOfAHugeFile)
{
    const int dpi = ScreenDpi();
    ViewFixture f(0, 640, 400);
    Prepare(f, 10, 50, 12);
    SetText(f.id(), Lines(10).c_str());
    int ruler = RulerHeight(f);
    EXPECT_EQ(ruler, MulDiv(10, dpi, 96));
    // Two digits fit the margin as given.
    EXPECT_EQ(ReadMargin(f, ruler).width, MulDiv(50, dpi, 96));

    ASSERT_NE(SetText(f.id(), Lines(3000000).c_str()), 0);
    f.Key(VK_END, false, true);
    ASSERT_EQ(GetCaretLine(f.id()), 3000000);
    Margin huge = ReadMargin(f, ruler);
    SCOPED_TRACE(dpi);
    ExpectWholeNumbers(huge, TextWidth(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", 12, L"3000000"),
                       DrawMetrics(f.id(), 0));
    EXPECT_GE(huge.width, MulDiv(50, dpi, 96));

    // Back to a short text, the margin is the given size again.
    SetText(f.id(), Lines(3).c_str());
    EXPECT_EQ(ReadMargin(f, ruler).width, MulDiv(50, dpi, 96));
}

TEST(ViewMargins, TheMarginGrowsWithTheFontAndWithTheDigitsAnEditAdds)
{
    const wchar_t face[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";
    ViewFixture f(0, 640, 400);
    Prepare(f, 0, 50, 36);
    SetText(f.id(), Lines(9).c_str());
    Margin nine = ReadMargin(f, 0);
    ExpectWholeNumbers(nine, TextWidth(face, 36, L"9"), DrawMetrics(f.id(), 0));

    // The tenth line brings a second digit: the margin widens at once.
    f.Key(VK_END, false, true);
    InsertText(f.id(), "\r\nx");
    ASSERT_EQ(GetLineCount(f.id()), 10);
    Margin ten = ReadMargin(f, 0);
    ExpectWholeNumbers(ten, TextWidth(face, 36, L"10"), DrawMetrics(f.id(), 0));
    EXPECT_GT(ten.width, nine.width);

    // Undone, the margin narrows again; a smaller font needs less than the given size.
    Undo(f.id());
    EXPECT_EQ(ReadMargin(f, 0).width, nine.width);
    SetFont(f.id(), kGothic, 9, 1);
    EXPECT_EQ(ReadMargin(f, 0).width, MulDiv(50, ScreenDpi(), 96));
}

TEST(ViewMargins, ANarrowStripShowsNoNumbersAndZeroHidesBoth)
{
    const int dpi = ScreenDpi();
    ViewFixture f(0, 640, 400);
    Prepare(f, 0, 4, 12);
    SetText(f.id(), Lines(3000000).c_str());
    Margin strip = ReadMargin(f, 0);
    EXPECT_EQ(strip.width, MulDiv(4, dpi, 96));
    EXPECT_EQ(strip.inkLeft, -1);  // the strip only marks bookmarks

    Prepare(f, 0, 0, 12);
    EXPECT_EQ(ReadMargin(f, 0).width, -1);
    EXPECT_EQ(RulerHeight(f), 0);
}
