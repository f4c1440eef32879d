// The main window's placement kept between runs, and where it goes when the monitors
// changed meanwhile. Portable: rectangles in, rectangle out; the Win32 side gathers the
// monitors and moves the window.
// Kept in [placement] x, y, width, height (the restored window, screen pixels), maximized,
// and monitor_x, monitor_y, monitor_width, monitor_height (the work area it was on).
#pragma once

#include <vector>

#include "config/ProfileFile.h"

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct KeptPlacement {
    ScreenRect window;
    ScreenRect monitor;  // empty when not known
    bool maximized = false;
};

// A window is reachable on a work area when at least this much of its top strip (where
// the caption is) lies on it.
constexpr int kReachableWidth = 48;
constexpr int kReachableHeight = 16;

// window as it is when some work area shows enough of its top strip; otherwise moved onto
// the work area nearest to its centre: shrunk to fit, at the same offset from that area's
// corner as it had from its own monitor's (kept when monitor is empty), then pulled inside.
// No work areas at all: window unchanged.
ScreenRect PlaceOnMonitors(const ScreenRect& window, const ScreenRect& monitor, const std::vector<ScreenRect>& workAreas);

// The rectangle of a place read from the settings, its numbers cut to +-kFarthest (beyond
// any screen) so that no sum of them overflows.
constexpr int kFarthest = 1 << 20;
ScreenRect RectFromPlace(int x, int y, int width, int height);

// The kept placement; false when none was kept (no width or height).
bool ReadPlacement(ProfileFile& settings, KeptPlacement& placement);
// In one write of the settings file.
bool WritePlacement(ProfileFile& settings, const KeptPlacement& placement);
