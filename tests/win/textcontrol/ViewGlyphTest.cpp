// Characters that the view's font has no glyph for are drawn with a font that has one:
// the stand-in fonts themselves, what a view paints with a font that lacks kanji, and the
// whole character set with the default font.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "textcontrol/win32/GlyphFallback.h"
#include "textcontrol/win32/ViewText.h"

using namespace kvte::textcontrol;
using viewtest::ViewFixture;

namespace {

const wchar_t kLatinMono[] = L"DejaVu Sans Mono";                         // no kanji, no kana
const wchar_t kDefaultFace[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";  // ＭＳ ゴシック

HFONT MakeFont(const wchar_t* face, int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

bool FontHas(HDC dc, HFONT font, std::uint32_t codePoint)
{
    HGDIOBJ old = SelectObject(dc, font);
    bool has;
    if (codePoint > 0xFFFF) {
        has = HasSupplementaryGlyph(dc, codePoint);
    } else {
        wchar_t unit = static_cast<wchar_t>(codePoint);
        WORD glyph = 0xFFFF;
        has = GetGlyphIndicesW(dc, &unit, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
    }
    SelectObject(dc, old);
    return has;
}

// A device context with a font selected, released at the end.
struct FontDc {
    explicit FontDc(HFONT f) : font(f), dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, f)) {}
    ~FontDc()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(font);
    }
    HFONT font;
    HDC dc;
    HGDIOBJ old;
};

bool SkipWithoutFace(const wchar_t* face)
{
    HFONT font = MakeFont(face, -16);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, selected);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return lstrcmpiW(selected, face) != 0;
}

}  // namespace

TEST(ViewGlyphs, AStandInIsAFontOfTheSameHeightThatHasTheCharacterAndIsMadeOnce)
{
    if (SkipWithoutFace(kLatinMono)) GTEST_SKIP() << "no DejaVu Sans Mono";
    FontDc view(MakeFont(kLatinMono, -20));
    GlyphFallback fallback;
    EXPECT_TRUE(HasGlyph(fallback, view.dc, L'A'));
    EXPECT_FALSE(HasGlyph(fallback, view.dc, 0x6F22));  // 漢
    EXPECT_FALSE(HasSupplementaryGlyph(view.dc, 0x2000B));

    HDC probe = CreateCompatibleDC(nullptr);
    for (std::uint32_t cp : {0x6F22u, 0xFF71u /* ｱ */, 0x2000Bu /* 𠀋 */, 0x2A6B2u /* 𪚲 */}) {
        SCOPED_TRACE(cp);
        HFONT standIn = StandInFont(fallback, view.font, cp, &cp, 1);
        ASSERT_NE(standIn, nullptr);
        EXPECT_TRUE(FontHas(probe, standIn, cp));
        LOGFONTW lf = {};
        GetObjectW(standIn, sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, -20);
        EXPECT_EQ(StandInFont(fallback, view.font, cp, &cp, 1), standIn);  // remembered, not made again
    }
    // A base and its mark come from one font that has both: か゚.
    std::uint32_t pair[2] = {0x304B, 0x309A};
    HFONT both = StandInFont(fallback, view.font, std::uint64_t{0x304B} << 32 | 0x309A, pair, 2);
    ASSERT_NE(both, nullptr);
    EXPECT_TRUE(FontHas(probe, both, 0x304B) && FontHas(probe, both, 0x309A));
    DeleteDC(probe);

    // A code point that no font maps has no stand-in, now or when asked again.
    std::uint32_t none = 0x10FFFD;
    EXPECT_EQ(StandInFont(fallback, view.font, none, &none, 1), nullptr);
    EXPECT_EQ(StandInFont(fallback, view.font, none, &none, 1), nullptr);
    ResetGlyphFallback(fallback);
    EXPECT_TRUE(fallback.fonts.empty() && fallback.units.empty() && fallback.standIns.empty());
}

namespace {

// Pixels of a rectangle of the view's client area.
std::vector<COLORREF> Cell(HWND window, const RECT& r)
{
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

// What the font draws by itself for the units, in a cell of the same size and colours.
std::vector<COLORREF> DrawnByFont(HWND window, HFONT font, const std::wstring& units, int width, int height)
{
    HDC screen = GetDC(window);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, width, height};
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    // A kana and its mark as the view draws them: the mark from the kana's origin when the
    // font gives it an advance.
    ABC mark = {};
    INT sameOrigin[2] = {0, 0};
    bool overlay = units.size() == 2 && (units[1] == 0x3099 || units[1] == 0x309A) &&
                   GetCharABCWidthsW(dc, units[1], units[1], &mark) &&
                   mark.abcA + static_cast<int>(mark.abcB) + mark.abcC > 0;
    ExtTextOutW(dc, 0, 0, ETO_CLIPPED, &all, units.c_str(), static_cast<UINT>(units.size()),
                overlay ? sameOrigin : nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(window, screen);
    return pixels;
}

int Ink(const std::vector<COLORREF>& pixels)
{
    int n = 0;
    for (COLORREF p : pixels) n += p != RGB(255, 255, 255);
    return n;
}

}  // namespace

TEST(ViewGlyphs, CharactersTheFontLacksAreDrawnWithAStandInNotAsTheFontsEmptyBox)
{
    if (SkipWithoutFace(kLatinMono)) GTEST_SKIP() << "no DejaVu Sans Mono";
    ViewFixture f(0, 640, 200);
    SetFont(f.id(), "DejaVu Sans Mono", 12, 0);
    SetViewColor(f.id(), VIEW_COLOR_TEXT, RGB(0, 0, 0), 0);
    SetViewColor(f.id(), VIEW_COLOR_BACKGROUND, RGB(255, 255, 255), 0);
    // 漢 𠀋 ｱ か゚, each two columns wide, then a Latin letter the font has.
    const std::wstring units[] = {L"\x6F22", L"\xD840\xDC0B", L"\xFF71", L"\x304B\x309A"};
    std::wstring line;
    for (const std::wstring& u : units) line += u;
    SetText(f.id(), (WideToInternal(line.c_str(), line.size()) + "A").c_str());
    f.Key(VK_END);  // the caret out of the cells compared
    f.Paint();
    int w = DrawMetrics(f.id(), 0), h = DrawMetrics(f.id(), 1);
    HDC screen = GetDC(nullptr);
    HFONT own = MakeFont(kLatinMono, -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    int column = 0;
    for (const std::wstring& u : units) {
        SCOPED_TRACE(static_cast<unsigned>(u[0]));
        int cells = u == L"\xFF71" ? 1 : 2;  // half-width katakana takes one column
        RECT cell = {column * w, 0, (column + cells) * w, h};
        std::vector<COLORREF> shown = Cell(f.view(), cell);
        std::vector<COLORREF> box = DrawnByFont(f.view(), own, u, cells * w, h);
        EXPECT_GT(Ink(shown), 0);
        EXPECT_NE(shown, box) << "drawn as the font's own missing glyph";
        column += cells;
    }
    // The letter after them is still the view font's, on the grid.
    RECT letter = {column * w, 0, (column + 1) * w, h};
    EXPECT_EQ(Cell(f.view(), letter), DrawnByFont(f.view(), own, L"A", w, h));
    DeleteObject(own);
}

TEST(ViewGlyphs, EveryCharacterOfTheCharacterSetHasAGlyphWithTheDefaultFont)
{
    FontDc view(MakeFont(kDefaultFace, -16));
    GlyphFallback fallback;
    std::vector<std::string> missing;
    int checked = 0;
    auto check = [&](const char* bytes, size_t length) {
        wchar_t u[kMaxUnitUtf16];
        int n = UnitToUtf16(bytes, length, u);
        if (n < 1 || u[0] == 0xFFFD || (u[0] >= 0xE000 && u[0] <= 0xF8FF)) return;  // no character
        ++checked;
        std::uint32_t cps[2] = {u[0], n > 1 ? static_cast<std::uint32_t>(u[1]) : 0};
        bool supplementary = n == 2 && u[0] >= 0xD800 && u[0] <= 0xDBFF;
        std::uint64_t key = cps[0];
        if (supplementary) {
            cps[0] = 0x10000u + ((u[0] - 0xD800u) << 10) + (u[1] - 0xDC00u);
            key = cps[0];
            if (HasSupplementaryGlyph(view.dc, cps[0]) || StandInFont(fallback, view.font, key, cps, 1)) return;
        } else if (n == 1) {
            if (u[0] < 0x20 || (u[0] >= 0x7F && u[0] < 0xA0)) return;  // controls draw nothing
            if (HasGlyph(fallback, view.dc, u[0]) || StandInFont(fallback, view.font, key, cps, 1)) return;
        } else {
            key = std::uint64_t{u[0]} << 32 | u[1];
            bool own = HasGlyph(fallback, view.dc, u[0]) && HasGlyph(fallback, view.dc, u[1]);
            if (own || StandInFont(fallback, view.font, key, cps, 2)) return;
        }
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cps[0]));
        missing.push_back(name);
    };
    for (int b = 0x20; b <= 0xDF; ++b) {
        if (b >= 0x80 && b < 0xA1) continue;
        char one = static_cast<char>(b);
        check(&one, 1);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            check(two, 2);
        }
    }
    EXPECT_GT(checked, 11000);
    // The fonts that the setup installs hold them all between them.
    std::string list;
    for (const std::string& m : missing) list += m + " ";
    EXPECT_TRUE(missing.empty()) << list;
    ResetGlyphFallback(fallback);
}
