// The ruler and the line-number margin at the screen's DPI: sizes are given in pixels at
// 96 DPI, and the margin holds the document's largest line number whole. Also run at
// 144 DPI, in a prefix of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

namespace {
const unsigned kBack = 0xFFFFFF, kBorder = 0x00C800, kRulerLine = 0x0000C8;  // 0x00RRGGBB

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i < count; ++i) text += "x\r\n";
    return text + "x";
}

// The ruler's height (its bottom line at the left edge), the margin's border x + 1, and
// the extent of the numbers' ink; -1 for what does not show.
struct Margins {
    int ruler = 0, width = -1, inkLeft = -1, inkRight = -1;
};

Margins Read(const ViewFixture& f)
{
    f.Paint();
    RECT r;
    GetClientRect(f.view(), &r);
    const std::vector<unsigned> s = viewtest::Capture(f.view());
    auto at = [&](int x, int y) { return s[static_cast<size_t>(y) * static_cast<size_t>(r.right) + x] & 0xFFFFFF; };
    Margins m;
    for (int y = 0; y < r.bottom && !m.ruler; ++y)
        if (at(1, y) == kRulerLine) m.ruler = y + 1;
    for (int x = 0, y = m.ruler + DrawMetrics(f.id(), 1) / 2; x < r.right && m.width < 0; ++x)
        if (at(x, y) == kBorder) m.width = x + 1;
    for (int y = m.ruler; y < r.bottom; ++y)
        for (int x = 0; x < m.width - 1; ++x)
            if (at(x, y) != kBack) {
                m.inkLeft = m.inkLeft < 0 ? x : std::min(m.inkLeft, x);
                m.inkRight = std::max(m.inkRight, x);
            }
    return m;
}
}  // namespace

TEST(ViewMargins, SizesAreGivenAt96DpiAndTheMarginHoldsTheLargestLineNumberOfAHugeFile)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ViewFixture f;
    SetFont(f.id(), "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E", 12, 0);  // ＭＳ ゴシック
    const std::pair<int, COLORREF> colours[] = {{VIEW_COLOR_BACKGROUND, RGB(255, 255, 255)},
        {VIEW_COLOR_LINE_NUMBER, RGB(200, 0, 0)}, {VIEW_COLOR_CARET_LINE_NUMBER, RGB(200, 0, 0)},
        {VIEW_COLOR_LINE_NUMBER_BORDER, RGB(0, 200, 0)}, {VIEW_COLOR_RULER_LINE, RGB(0, 0, 200)}};
    for (const auto& c : colours) SetViewColor(f.id(), c.first, c.second, 0);
    SetOption(f.id(), OPTION_RULER_HEIGHT, 10, 0);
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 50, 1);
    SetText(f.id(), Lines(10).c_str());
    Margins small = Read(f);
    EXPECT_EQ(small.ruler, MulDiv(10, dpi, 96));
    EXPECT_EQ(small.width, MulDiv(50, dpi, 96));  // two digits fit as given

    ASSERT_NE(SetText(f.id(), Lines(3000000).c_str()), 0);
    f.Key(VK_END, false, true);
    Margins huge = Read(f);
    const int digits = 7 * DrawMetrics(f.id(), 0);  // "3000000" in the fixed-pitch font
    // Whole: not cut at the left edge, as wide as its text less the outer side bearings.
    EXPECT_GE(huge.inkLeft, 1);
    EXPECT_LT(huge.inkRight, huge.width - 1);
    EXPECT_GE(huge.inkRight - huge.inkLeft + 1, digits - DrawMetrics(f.id(), 0) / 2);
    EXPECT_GE(huge.width, std::max(digits, MulDiv(50, dpi, 96)));

    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 4, 1);  // a strip that only marks bookmarks
    EXPECT_EQ(Read(f).width, MulDiv(4, dpi, 96));
    EXPECT_EQ(Read(f).inkLeft, -1);
    SetOption(f.id(), OPTION_RULER_HEIGHT, 0, 0);
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 0, 1);
    EXPECT_EQ(Read(f).ruler + Read(f).width, -1);  // no ruler, no border
}
