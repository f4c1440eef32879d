// A kept placement stays while its caption can be reached, else moves onto the nearest monitor.
#include <gtest/gtest.h>
#include <climits>

#include "app/frame/WindowPlacement.h"
#include "../support/TempFolder.h"

namespace {

TEST(WindowPlacement, OffEveryMonitorMovesOntoTheNearest)
{
    const ScreenRect left{0, 0, 1920, 1040}, right{1920, 0, 3200, 1000};
    struct Case {
        ScreenRect window, monitor;
        std::vector<ScreenRect> areas;
        ScreenRect expected;
    } const cases[] = {
        {{1872, 100, 2672, 700}, {}, {left}, {1872, 100, 2672, 700}},  // 48 pixels of caption on it
        {{1873, 100, 2673, 700}, {}, {left}, {1120, 100, 1920, 700}},  // 47 are not
        {{3400, 100, 4200, 700}, {3200, 0, 4480, 1024}, {left}, {200, 100, 1000, 700}},  // its monitor gone
        {{3400, 100, 4200, 700}, {3200, 0, 4480, 0}, {left}, {1120, 100, 1920, 700}},    // a monitor of no height
        {{100, -16, 900, 500}, {}, {left}, {100, -16, 900, 500}},      // half the caption strip on it
        {{-5000, -5000, -2000, -3000}, {}, {left}, {0, 0, 1920, 1040}},  // larger than the monitor
        {{2400, 1350, 2800, 1650}, {}, {left, right}, {2400, 700, 2800, 1000}},  // the nearer of two
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceOnMonitors(c.window, c.monitor, c.areas), c.expected) << c.window.left;
    EXPECT_EQ(RectFromPlace(INT_MAX, INT_MIN, INT_MAX, -1), (ScreenRect{kFarthest, -kFarthest, 2 * kFarthest, -kFarthest}));
}

// A placement written back is read as it was; a stored size of nothing (an edited or
// damaged file) is no placement, so the window takes its place from [main] instead.
TEST(WindowPlacement, KeptPlacementIsReadBackAndAnEmptySizeIsNone)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    TempFolder::Write(path, "[main]\r\n");
    ProfileFile settings;
    ASSERT_TRUE(OpenProfile(settings, path.c_str(), "main"));
    const KeptPlacement written{{-30, 40, 770, 640}, {-1280, 0, 0, 1024}, true};
    ASSERT_TRUE(WritePlacement(settings, written));
    const struct {
        int width, height;
        bool kept;
    } sizes[] = {{800, 600, true}, {0, 600, false}, {800, 0, false}, {-800, 600, false}, {800, -1, false}};
    for (const auto& [width, height, kept] : sizes) {
        SetSection(settings, "placement");
        WriteInt(settings, "width", width);
        WriteInt(settings, "height", height);
        KeptPlacement read;
        ASSERT_EQ(ReadPlacement(settings, read), kept) << width << "x" << height;
        if (kept) {
            EXPECT_TRUE(read.window == written.window && read.monitor == written.monitor && read.maximized);
        }
    }
}

}  // namespace
