// Shows the main window's toolbar and status bar in a frame window, with the status parts
// filled as for a wrapped UTF-8 file, and puts the pointer on a toolbar button so that its
// balloon tooltip shows; a picture of the screen is then taken from outside
// (scripts/bars-screenshot.sh).
// Usage: kvte_bars_shots [none|button] [SECONDS]
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/frame/StatusBar.h"
#include "app/frame/Title.h"
#include "app/frame/ToolBar.h"
#include "resources/resource.h"

namespace {

const wchar_t kFrameClass[] = L"KvteBarsShotFrame";
ToolBar theToolBar;
StatusBar theStatusBar;

void Pump(int milliseconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        LayoutStatusBar(theStatusBar, LOWORD(lParam), 96, wParam, lParam);
        ResizeToolBar(theToolBar, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring pointer = argc > 1 ? argv[1] : L"none";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 8;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    // No caption: under a display without a window manager Wine draws the caption's
    // buttons with a font that may be missing.
    HWND frame = CreateWindowW(kFrameClass, L"KelvaraTextEditor", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 20, 110, 640,
                               200, nullptr, nullptr, instance, nullptr);
    if (!CreateToolBar(theToolBar, frame, instance, 96) || !CreateStatusBar(theStatusBar, frame, instance)) return 1;
    ShowWindow(frame, SW_SHOWNORMAL);
    RECT client;
    GetClientRect(frame, &client);
    SendMessageW(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    SetStatusBarText(theStatusBar, kStatusHelp, L"新規に文書を作成します。");
    SetStatusBarText(theStatusBar, kStatusCaret, CaretStatusText(12, 7).c_str());
    SetStatusBarText(theStatusBar, kStatusWrap, L"折返");
    SetStatusBarText(theStatusBar, kStatusWriteProtect, L"書禁");
    SetStatusBarText(theStatusBar, kStatusLineEnding, LineEndingLabel(1));
    SetStatusBarText(theStatusBar, kStatusEncoding, L"UTF8");
    Pump(300);

    POINT at = {client.right - 40, 100};  // off the toolbar
    if (pointer == L"button") {
        RECT button;
        SendMessageW(theToolBar.window, TB_GETRECT, IDM_FILE_OPEN, reinterpret_cast<LPARAM>(&button));
        at = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        ClientToScreen(theToolBar.window, &at);
    } else {
        ClientToScreen(frame, &at);
    }
    SetCursorPos(at.x - 3, at.y);
    Pump(100);
    SetCursorPos(at.x, at.y);
    Pump(seconds * 1000);
    DestroyToolBar(theToolBar);
    DestroyStatusBar(theStatusBar);
    DestroyWindow(frame);
    return 0;
}
