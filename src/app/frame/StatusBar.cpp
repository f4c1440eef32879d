// The status bar's window, its parts and texts.
#include "app/frame/StatusBar.h"

#include <commctrl.h>

#include "app/frame/DpiScale.h"

namespace {

// Distances of the first five right edges from the right of the client area, at 96 DPI;
// the last part holds the longest encoding label, "UTF16BE BOM".
constexpr int kPartOffsets[kStatusPartCount] = {350, 250, 200, 150, 110, 0};

}  // namespace

bool CreateStatusBar(StatusBar& bar, HWND parent, HINSTANCE instance)
{
    bar.parent = parent;
    bar.instance = instance;
    bar.window =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0, 0,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance, nullptr);
    return bar.window != nullptr;
}

void DestroyStatusBar(StatusBar& bar)
{
    if (bar.window && IsWindow(bar.window)) DestroyWindow(bar.window);
    bar.window = nullptr;
}

void StatusPartRightEdges(int width, int dpi, int edges[kStatusPartCount])
{
    for (int i = 0; i < kStatusPartCount; ++i) edges[i] = width - ScaleForDpi(kPartOffsets[i], dpi);
}

void LayoutStatusBar(const StatusBar& bar, int width, int dpi, WPARAM sizeType, LPARAM packedSize)
{
    if (bar.window == nullptr) return;
    int edges[kStatusPartCount];
    StatusPartRightEdges(width, dpi, edges);
    SendMessageW(bar.window, SB_SETPARTS, kStatusPartCount, reinterpret_cast<LPARAM>(edges));
    SendMessageW(bar.window, WM_SIZE, sizeType, packedSize);
}

int StatusBarHeight(const StatusBar& bar)
{
    if (bar.window == nullptr) return 0;
    RECT client;
    return GetClientRect(bar.window, &client) ? client.bottom - client.top : 0;
}

void SetStatusBarText(const StatusBar& bar, int part, const wchar_t* text)
{
    if (bar.window == nullptr || part < 0 || part >= kStatusPartCount) return;
    SendMessageW(bar.window, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text ? text : L""));
}

void ShowStatusNotice(const StatusBar& bar, const wchar_t* text)
{
    SetStatusBarText(bar, kStatusHelp, text);
}
