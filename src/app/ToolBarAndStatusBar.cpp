// Creation and toggles of the toolbar and the status bar.
#include "app/ToolBarAndStatusBar.h"

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "documents/win32/TabBar.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr char kToolBarKey[] = "toolbar";
constexpr char kStatusBarKey[] = "statusbar";

bool ShownInSettings(ProfileFile& settings, const char* key)
{
    SetSection(settings, "indication");
    return GetInt(settings, key) == 1;
}

// Shows or hides a bar as the settings say and checks its toggle to match.
void ApplyShown(KelvaraApp& app, HWND bar, const char* key, int command)
{
    const bool shown = ShownInSettings(*app.settings, key);
    SetCommandChecked(app.commands, command, shown);
    if (!shown) ShowWindow(bar, SW_HIDE);
}

// At start anything but 1 (a 2 left by hand, a missing key) hid the bar, so the toggle
// shows it and stores 1.
void Toggle(KelvaraApp& app, HWND bar, const char* key, int command)
{
    const bool shown = !IsBarShown(bar);
    SetSection(*app.settings, "indication");
    WriteInt(*app.settings, key, shown ? 1 : 0);
    ShowWindow(bar, shown ? SW_SHOW : SW_HIDE);
    SetCommandChecked(app.commands, command, shown);
    RECT client;
    GetClientRect(app.mainWindow, &client);
    SendMessageW(app.mainWindow, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    RedrawView(CurrentView());
    if (app.tabBar.barWindow) RepaintBar(app.tabBar);
}

}  // namespace

bool IsBarShown(HWND bar) { return bar != nullptr && (GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0; }

int ToggleToolBarCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    Toggle(app, app.frame.toolBar.window, kToolBarKey, IDM_VIEW_TOOLBAR);
    return 0;
}

int ToggleStatusBarCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    Toggle(app, app.frame.statusBar.window, kStatusBarKey, IDM_VIEW_STATUSBAR);
    return 0;
}

bool CreateBars(KelvaraApp& app)
{
    FrameState& frame = app.frame;
    if (!CreateToolBar(frame.toolBar, app.mainWindow, app.instance, frame.dpi)) return false;
    ApplyShown(app, frame.toolBar.window, kToolBarKey, IDM_VIEW_TOOLBAR);
    if (!CreateStatusBar(frame.statusBar, app.mainWindow, app.instance)) return false;
    ApplyShown(app, frame.statusBar.window, kStatusBarKey, IDM_VIEW_STATUSBAR);
    return true;
}
