#include "app/frame/LayoutGeometry.h"

#include "app/frame/DpiScale.h"
MainLayout ComputeMainLayout(int height, int toolBarHeight, bool toolBarShown, int statusBarHeight, bool statusBarShown,
                             int tabBarHeight, int dpi)
{
    // The view's height counts the toolbar out first and gives it back when it is hidden.
    int available = height - toolBarHeight - ScaleForDpi(1, dpi);
    if (statusBarShown) available -= statusBarHeight;
    MainLayout layout;
    if (toolBarShown) {
        layout.tabBarY = toolBarHeight + ScaleForDpi(3, dpi);
    } else {
        layout.tabBarY = 0;
        available += toolBarHeight;
    }
    layout.viewY = layout.tabBarY + tabBarHeight;
    layout.viewHeight = available - tabBarHeight;
    return layout;
}
