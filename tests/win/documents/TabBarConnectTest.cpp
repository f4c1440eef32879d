// The bar on the documents' real windows: what the list does through its host reaches
// the bar that the main window holds, and nothing breaks once the bar is gone.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "documents/win32/DocumentWindows.h"
#include "documents/win32/TabBar.h"
#include "textcontrol/win32/EditControl.h"

TEST(TabBarConnect, TheListRepaintsAndRetipsTheMainWindowsBar)
{
    HWND main = CreateWindowW(L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, main);
    DocumentsState documents;
    DocumentWindows windows;
    ConnectDocumentWindows(windows, documents, main);
    ConnectTabBar(windows);
    AddDocument(documents.list, documents.host);  // before the bar exists: nothing to draw on

    TabBar bar;
    ASSERT_TRUE(CreateBar(bar, documents, main, GetModuleHandleW(nullptr)));
    LayoutBar(bar, 0, 0, 600);
    ASSERT_GE(AddDocument(documents.list, documents.host), 0);
    ASSERT_GE(AddDocument(documents.list, documents.host), 0);
    ASSERT_TRUE(RemoveDocument(documents.list, documents.host, 0));  // rebuilds the tooltips

    EXPECT_EQ(3 + 3, SendMessageW(bar.tipWindow, TTM_GETTOOLCOUNT, 0, 0));
    HDC dc = GetDC(bar.barWindow);
    // The right neighbour of the closed tab is current at the left edge.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(dc, 100, 15));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetPixel(dc, 238, 15));
    ReleaseDC(bar.barWindow, dc);

    DestroyBar(bar);
    AddDocument(documents.list, documents.host);
    EXPECT_EQ(4, documents.list.tabCount);
    for (int slot = 0; slot < documents.list.slotCount; ++slot) DestroyView(slot);
    DestroyWindow(main);
}
