// What the tab bar draws, read back from its window: the current tab's background, the
// marks of write-protected and modified documents, where the ".." of a cut name falls,
// and the frame of the button under the pointer.
#include <gtest/gtest.h>

#include "TabBarFixture.h"

using tabbartest::BarFixture;

namespace {

const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kGrey = RGB(128, 128, 128);
constexpr int kMarkX = 7, kMarkY = 9;  // the middle of a tab's mark

// The leftmost column between from and to whose label rows hold a pixel other than
// background, or -1.
int FirstInk(const BarFixture& f, int from, int to, COLORREF background)
{
    for (int x = from; x < to; ++x)
        for (int y = 2; y < 16; ++y)
            if (f.Pixel(x, y) != background) return x;
    return -1;
}

}  // namespace

TEST(TabBarPaint, AFreshListShowsOneCurrentTabWithoutMarkOrFrame)
{
    BarFixture f;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(face, window);
    EXPECT_GT(f.documents.list.charWidth, 0);
    EXPECT_EQ(window, f.Pixel(1, 8));  // left of the tab's face
    EXPECT_EQ(face, f.Pixel(2, 2));    // its top-left corner
    EXPECT_EQ(face, f.Pixel(kMarkX, kMarkY));
    EXPECT_EQ(face, f.Pixel(119, 15));
    EXPECT_EQ(window, f.Pixel(120, 8));  // the separator
    EXPECT_EQ(window, f.Pixel(200, 8));  // no second tab
    EXPECT_NE(-1, FirstInk(f, 15, 60, face)) << "the label 無題";
    // No hover frame: the buttons' left and top edges are blank.
    const int w = f.Width();
    for (int x = w - 48; x < w; ++x) EXPECT_EQ(window, f.Pixel(x, 0)) << x;
    EXPECT_EQ(window, f.Pixel(w - 48, 8));
}

TEST(TabBarPaint, WriteProtectionShowsYellowOverModifiedGreyOnEveryTab)
{
    BarFixture f;
    const int second = f.Add("C:\\b.txt");
    Document& first = f.At(0);
    first.modified = true;
    first.writable = false;
    f.At(second).modified = true;
    RepaintBar(f.bar);
    EXPECT_EQ(kYellow, f.Pixel(kMarkX, kMarkY));
    EXPECT_EQ(kGrey, f.Pixel(120 + kMarkX, kMarkY));  // not the current tab

    first.writable = true;
    f.At(second).modified = false;
    RepaintBar(f.bar);
    EXPECT_EQ(kGrey, f.Pixel(kMarkX, kMarkY));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), f.Pixel(120 + kMarkX, kMarkY));  // the current one now
}

// The kept bytes are spaces, so the only ink after the label start is the "..": it
// starts 3 pixels further when the byte where the name is cut is not a lead byte.
TEST(TabBarPaint, TheDotsOfACutNameFollowTheLeadByteAtTheCut)
{
    BarFixture f;
    const int c = f.documents.list.charWidth;
    ASSERT_GT(c, 0);
    const int k = (120 - 15) / c;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::string kanji = "\x91\x53\x91\x53\x91\x53";  // 全全全

    SetPath(f.At(0), "C:\\" + std::string(static_cast<size_t>(k - 1), ' ') + kanji);
    RepaintBar(f.bar);
    const int atLead = FirstInk(f, 15, 120, face);
    SetPath(f.At(0), "C:\\" + std::string(static_cast<size_t>(k), ' ') + kanji);
    RepaintBar(f.bar);
    const int afterLead = FirstInk(f, 15, 120, face);

    const int dots = 15 + (k - 2) * c;
    ASSERT_NE(-1, atLead);
    EXPECT_GE(atLead, dots);
    EXPECT_LT(atLead, dots + c);
    EXPECT_EQ(atLead + 3, afterLead);
}

TEST(TabBarPaint, AHotButtonIsFramedAndHoldsTheCaptureUntilThePointerLeaves)
{
    BarFixture f;
    const int w = f.Width();
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT), window = GetSysColor(COLOR_WINDOW);

    f.MouseMove(w - 40, 8);
    EXPECT_EQ(0, f.documents.list.hotButton);
    EXPECT_EQ(f.bar.barWindow, GetCapture());
    EXPECT_EQ(ink, f.Pixel(w - 48, 8));
    EXPECT_EQ(ink, f.Pixel(w - 33, 8));
    EXPECT_EQ(window, f.Pixel(w - 32 + 1, 0));

    f.MouseMove(w - 8, 16);  // the bottom row still counts
    EXPECT_EQ(2, f.documents.list.hotButton);
    EXPECT_EQ(window, f.Pixel(w - 48, 8));
    EXPECT_EQ(ink, f.Pixel(w - 16, 8));
    EXPECT_EQ(f.bar.barWindow, GetCapture());

    f.MouseMove(w - 8, 40);  // below the bar, seen through the capture
    EXPECT_EQ(-1, f.documents.list.hotButton);
    EXPECT_EQ(window, f.Pixel(w - 16, 8));
    EXPECT_EQ(nullptr, GetCapture());
}
