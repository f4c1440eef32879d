// The main window's placement against the monitors present now.
#include "app/MainWindowPlacement.h"

#include <vector>

#include "app/frame/WindowPlacement.h"

namespace {

ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        try {
            reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(FromRect(info.rcWork));
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

void KeepMainWindowPlacement(HWND window, ProfileFile& settings)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST), &info)) return;
    // The restored rectangle is in work-area coordinates: shifted by the task bar when it
    // sits on the left or at the top.
    RECT normal = placement.rcNormalPosition;
    OffsetRect(&normal, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    // A window minimised at exit comes back as it would have been restored.
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED || IsZoomed(window) ||
                           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
    WritePlacement(settings, {FromRect(normal), FromRect(info.rcWork), maximized});
}

void ChooseMainWindowPlacement(ProfileFile& settings, int& x, int& y, int& width, int& height, int& show)
{
    KeptPlacement kept;
    bool keep = SetSection(settings, "main") && GetInt(settings, "keep_placement") == 1;
    if (keep && ReadPlacement(settings, kept)) {
        x = kept.window.left;
        y = kept.window.top;
        width = kept.window.Width();
        height = kept.window.Height();
        if (kept.maximized && (show == SW_SHOWNORMAL || show == SW_SHOWDEFAULT || show == SW_SHOW)) {
            show = SW_SHOWMAXIMIZED;
        }
    }
    if (x == static_cast<int>(CW_USEDEFAULT) || width == static_cast<int>(CW_USEDEFAULT)) return;
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    const ScreenRect placed = PlaceOnMonitors(RectFromPlace(x, y, width, height), kept.monitor, areas);
    x = placed.left;
    y = placed.top;
    width = placed.Width();
    height = placed.Height();
}
