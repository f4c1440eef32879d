// Where the main window's children go, as plain arithmetic on the bars' heights.
#pragma once

struct MainLayout {
    int tabBarY = 0;     // top of the tab bar
    int viewY = 0;       // top of the current view, just below the tab bar
    int viewHeight = 0;  // may be negative in a very low window; passed on as it is
};

// height: client height; toolBarHeight, statusBarHeight: the bars' client heights (also
// when hidden); shown: [indication] toolbar / statusbar is 1; tabBarHeight: the tab
// bar's height; dpi scales the gaps (at 96 one pixel below everything, three below the
// toolbar).
MainLayout ComputeMainLayout(int height, int toolBarHeight, bool toolBarShown, int statusBarHeight, bool statusBarShown,
                             int tabBarHeight, int dpi);
