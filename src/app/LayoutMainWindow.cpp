// The layout of the main window's children: toolbar at the top, the tab bar below it
// (or at the top when the toolbar is hidden), the current view below the tab bar and the
// status bar at the bottom.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/ToolBarAndStatusBar.h"
#include "app/frame/LayoutGeometry.h"
#include "documents/TabBarLayout.h"
#include "textcontrol/win32/EditControl.h"

void LayoutMainWindow(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    LayoutMainWindow(window, SIZE_RESTORED, client.right - client.left, client.bottom - client.top);
}

void LayoutMainWindow(HWND, WPARAM sizeType, int width, int height)
{
    FrameState& frame = theApp.frame;
    // Laid out from what is shown, not from the settings: a toggle that could not be
    // stored still shows or hides its bar.
    const MainLayout layout = ComputeMainLayout(height, ToolBarHeight(frame.toolBar), IsBarShown(frame.toolBar.window),
                                                StatusBarHeight(frame.statusBar), IsBarShown(frame.statusBar.window),
                                                theApp.documents.list.barHeight, frame.dpi);
    // WM_SIZE arrives while the window is being made: what does not exist yet is left alone.
    if (theApp.tabBar.barWindow) LayoutBar(theApp.tabBar, 0, layout.tabBarY, width);
    MoveView(CurrentView(), 0, layout.viewY, width, layout.viewHeight > 0 ? layout.viewHeight : 0);
    const LPARAM packedSize = MAKELPARAM(width, height);
    LayoutStatusBar(frame.statusBar, width, frame.dpi, sizeType, packedSize);
    ResizeToolBar(frame.toolBar, sizeType, packedSize);
    UpdateTitle();
}
