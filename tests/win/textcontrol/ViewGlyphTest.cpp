// Characters that the view's font has no glyph for are drawn with a stand-in font that
// has one. Also run at 144 DPI, in a prefix of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "textcontrol/win32/ViewText.h"

using namespace kvte::textcontrol;

namespace {
// The pixels of a cell: as the view shows it at column `left`, or as `font` draws the
// units by itself (black on white).
std::vector<COLORREF> Cell(HWND window, HFONT font, const std::wstring& units, int left, int width, int height)
{
    HDC screen = GetDC(window);
    HDC dc = font ? CreateCompatibleDC(screen) : screen;
    HBITMAP bitmap = font ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    HGDIOBJ oldBitmap = font ? SelectObject(dc, bitmap) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    if (font) {
        RECT all = {0, 0, width, height};
        SetBkColor(dc, RGB(255, 255, 255));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &all, units.c_str(), static_cast<UINT>(units.size()), nullptr);
        left = 0;
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = left; x < left + width; ++x) pixels.push_back(GetPixel(dc, x, y));
    if (font) {
        SelectObject(dc, oldFont);
        DeleteObject(SelectObject(dc, oldBitmap));
        DeleteDC(dc);
    }
    ReleaseDC(window, screen);
    return pixels;
}
}  // namespace

TEST(ViewGlyphs, CharactersTheFontLacksAreDrawnWithAStandInNotAsTheFontsEmptyBox)
{
    const wchar_t face[] = L"DejaVu Sans Mono";  // no kanji, no kana
    viewtest::ViewFixture f(0, 640, 200);
    SetFont(f.id(), "DejaVu Sans Mono", 12, 0);
    SetViewColor(f.id(), VIEW_COLOR_TEXT, RGB(0, 0, 0), 0);
    SetViewColor(f.id(), VIEW_COLOR_BACKGROUND, RGB(255, 255, 255), 0);
    HDC screen = GetDC(nullptr);
    HFONT own = CreateFontW(-MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0,
                            0, 0, FIXED_PITCH | FF_MODERN, face);
    wchar_t selected[LF_FACESIZE] = {};
    HGDIOBJ old = SelectObject(screen, own);
    GetTextFaceW(screen, LF_FACESIZE, selected);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    if (lstrcmpiW(selected, face) != 0) GTEST_SKIP() << "no DejaVu Sans Mono";
    // 漢 𠀋 ｱ か゚ (two columns each but ｱ), then a Latin letter the font has.
    const std::wstring units[] = {L"\x6F22", L"\xD840\xDC0B", L"\xFF71", L"\x304B\x309A"};
    std::wstring line;
    for (const std::wstring& u : units) line += u;
    SetText(f.id(), (WideToInternal(line.c_str(), line.size()) + "A").c_str());
    f.Key(VK_END);  // the caret out of the cells compared
    f.Paint();
    int w = DrawMetrics(f.id(), 0), h = DrawMetrics(f.id(), 1), column = 0;
    for (const std::wstring& u : units) {
        int cells = u == L"\xFF71" ? 1 : 2;
        std::vector<COLORREF> shown = Cell(f.view(), nullptr, u, column * w, cells * w, h);
        EXPECT_NE(std::count(shown.begin(), shown.end(), RGB(255, 255, 255)), static_cast<long>(shown.size()))
            << static_cast<unsigned>(u[0]) << " draws nothing";
        EXPECT_NE(shown, Cell(f.view(), own, u, 0, cells * w, h)) << static_cast<unsigned>(u[0]) << " as a box";
        column += cells;
    }
    // The letter after them is the view font's, on the grid: nothing spilled into its cell.
    EXPECT_EQ(Cell(f.view(), nullptr, L"A", column * w, w, h), Cell(f.view(), own, L"A", 0, w, h));
    DeleteObject(own);
}
