// Where a kept window placement comes back: as it was while its caption can be reached,
// else on the nearest monitor, at the same place relative to it, shrunk to fit.
#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "app/frame/WindowPlacement.h"

namespace {

const ScreenRect kLeft{0, 0, 1920, 1040}, kRight{1920, 0, 3200, 1000};

TEST(WindowPlacement, OffEveryMonitorMovesOntoTheNearest)
{
    struct Case {
        const char* what;
        ScreenRect window, monitor;
        std::vector<ScreenRect> areas;
        ScreenRect expected;
    } cases[] = {
        {"on a monitor", {100, 100, 900, 700}, {}, {kLeft, kRight}, {100, 100, 900, 700}},
        {"48 pixels of caption reachable", {1872, 100, 2672, 700}, {}, {kLeft}, {1872, 100, 2672, 700}},
        {"47 pixels are not", {1873, 100, 2673, 700}, {}, {kLeft}, {1120, 100, 1920, 700}},
        {"its monitor gone: same offset on the other", {3400, 100, 4200, 700}, {3200, 0, 4480, 1024}, {kLeft},
         {200, 100, 1000, 700}},
        {"caption above the top", {100, -40, 900, 500}, {}, {kLeft}, {100, 0, 900, 540}},
        {"larger than the monitor", {-5000, -5000, -2000, -3000}, {}, {kLeft}, {0, 0, 1920, 1040}},
        {"the nearest of two", {2400, 1350, 2800, 1650}, {}, {kLeft, kRight}, {2400, 700, 2800, 1000}},
        {"no monitors known", {-5000, 0, -4000, 500}, {}, {}, {-5000, 0, -4000, 500}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceOnMonitors(c.window, c.monitor, c.areas), c.expected) << c.what;
}

TEST(WindowPlacement, KeptBetweenRuns)
{
    TempFolder folder;
    ProfileFile settings{};
    ASSERT_TRUE(OpenProfile(settings, folder.File("kvte.ini").c_str(), "main"));
    KeptPlacement placement;
    EXPECT_FALSE(ReadPlacement(settings, placement)) << "nothing kept yet";
    ASSERT_TRUE(WritePlacement(settings, {{-10, 20, 790, 620}, kRight, true}));
    ASSERT_TRUE(ReadPlacement(settings, placement));
    EXPECT_TRUE(placement.window == (ScreenRect{-10, 20, 790, 620}) && placement.monitor == kRight && placement.maximized);
}

}  // namespace
