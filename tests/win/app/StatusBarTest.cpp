// The status bar's parts: their right edges (also at another DPI and in a window too
// narrow for them) and SetStatusText.
#include "FrameFixture.h"

#include <array>

#include "app/frame/StatusBar.h"
#include "app/frame/StatusText.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct StatusBarTest : FrameFixture {};

std::array<int, kStatusPartCount> Edges(int width, int dpi)
{
    std::array<int, kStatusPartCount> edges{};
    StatusPartRightEdges(width, dpi, edges.data());
    return edges;
}

TEST(StatusPartEdges, ScaleTheirDistancesFromTheRightByTheDpi)
{
    EXPECT_EQ(Edges(800, 96), (std::array<int, 6>{500, 600, 650, 700, 740, 800}));
    EXPECT_EQ(Edges(800, 144), (std::array<int, 6>{350, 500, 575, 650, 710, 800}));
    EXPECT_EQ(Edges(800, 192), (std::array<int, 6>{200, 400, 500, 600, 680, 800}));
}

TEST_F(StatusBarTest, AWindowTwoHundredFiftyWideGivesTheFirstPartANegativeEdge)
{
    Start();
    ASSERT_EQ(theApp.frame.dpi, 96);
    SendMessageW(theApp.mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(250, 200));
    std::array<int, kStatusPartCount> edges{};
    ASSERT_EQ(SendMessageW(theApp.frame.statusBar.window, SB_GETPARTS, kStatusPartCount,
                           reinterpret_cast<LPARAM>(edges.data())),
              kStatusPartCount);
    EXPECT_EQ(edges, (std::array<int, 6>{-50, 50, 100, 150, 190, 250}));
}

TEST_F(StatusBarTest, SetStatusTextWritesAPartAndIgnoresOthers)
{
    Start();
    SetStatusText(kStatusHelp, L"新規に文書を作成します。");
    EXPECT_EQ(StatusPart(kStatusHelp), L"新規に文書を作成します。");
    SetStatusText(kStatusHelp, nullptr);
    EXPECT_EQ(StatusPart(kStatusHelp), L"");
    SetStatusText(6, L"x");
    SetStatusText(-1, L"x");
    EXPECT_EQ(StatusPart(kStatusEncoding), L"S-JIS");
}

TEST_F(StatusBarTest, TheViewsLinkHintsShowInTheFirstPart)
{
    Start();
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 5, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"ダブルクリックするとブラウザを開きます。");
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 6, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"ダブルクリックするとメーラーを開きます。");
    SendMessageW(theApp.mainWindow, WM_VIEW_LINK_HOVER, 0, 0);
    EXPECT_EQ(StatusPart(kStatusHelp), L"");
}

}  // namespace
