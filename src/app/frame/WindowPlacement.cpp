// Where the main window comes back.
#include "app/frame/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

#include "config/ProfileBatch.h"

namespace {

bool Reachable(const ScreenRect& window, const ScreenRect& area)
{
    const int top = std::max(window.top, area.top);
    const int bottom = std::min(window.top + kReachableHeight * 2, area.bottom);
    const int width = std::min(window.right, area.right) - std::max(window.left, area.left);
    return width >= kReachableWidth && bottom - top >= kReachableHeight;
}

// Squared distance from a point to a rectangle: 0 inside it.
std::int64_t DistanceSquared(std::int64_t x, std::int64_t y, const ScreenRect& area)
{
    const std::int64_t dx = x < area.left ? area.left - x : x > area.right ? x - area.right : 0;
    const std::int64_t dy = y < area.top ? area.top - y : y > area.bottom ? y - area.bottom : 0;
    return dx * dx + dy * dy;
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

const char* const kKeys[] = {"x", "y", "width", "height", "maximized",
                             "monitor_x", "monitor_y", "monitor_width", "monitor_height"};

}  // namespace

ScreenRect PlaceOnMonitors(const ScreenRect& window, const ScreenRect& monitor, const std::vector<ScreenRect>& workAreas)
{
    if (workAreas.empty()) return window;
    for (const ScreenRect& area : workAreas) {
        if (Reachable(window, area)) return window;
    }
    const std::int64_t cx = (std::int64_t{window.left} + window.right) / 2;
    const std::int64_t cy = (std::int64_t{window.top} + window.bottom) / 2;
    const ScreenRect* nearest = &workAreas.front();
    for (const ScreenRect& area : workAreas) {
        if (DistanceSquared(cx, cy, area) < DistanceSquared(cx, cy, *nearest)) nearest = &area;
    }
    const ScreenRect& area = *nearest;
    const int width = std::clamp(window.Width(), 1, std::max(area.Width(), 1));
    const int height = std::clamp(window.Height(), 1, std::max(area.Height(), 1));
    const bool knownMonitor = monitor.Width() > 0 && monitor.Height() > 0;
    int left = knownMonitor ? area.left + (window.left - monitor.left) : window.left;
    int top = knownMonitor ? area.top + (window.top - monitor.top) : window.top;
    left = Clamp(left, area.left, area.right - width);
    top = Clamp(top, area.top, area.bottom - height);
    return {left, top, left + width, top + height};
}

ScreenRect RectFromPlace(int x, int y, int width, int height)
{
    x = std::clamp(x, -kFarthest, kFarthest), y = std::clamp(y, -kFarthest, kFarthest);
    return {x, y, x + std::clamp(width, 0, kFarthest), y + std::clamp(height, 0, kFarthest)};
}

bool ReadPlacement(ProfileFile& settings, KeptPlacement& placement)
{
    if (!SetSection(settings, "placement")) return false;
    int values[9];
    for (int i = 0; i < 9; ++i) values[i] = GetInt(settings, kKeys[i]);
    if (values[2] <= 0 || values[3] <= 0) return false;
    placement.window = RectFromPlace(values[0], values[1], values[2], values[3]);
    placement.maximized = values[4] == 1;
    placement.monitor = RectFromPlace(values[5], values[6], values[7], values[8]);
    return true;
}

bool WritePlacement(ProfileFile& settings, const KeptPlacement& placement)
{
    const ScreenRect& w = placement.window;
    const ScreenRect& m = placement.monitor;
    const int values[9] = {w.left, w.top, w.Width(), w.Height(), placement.maximized ? 1 : 0,
                           m.left, m.top, m.Width(), m.Height()};
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, "placement")) return false;
    for (int i = 0; i < 9; ++i) WriteInt(batch, kKeys[i], values[i]);
    return CommitBatch(batch);
}
