// Until the frame keeps its status bar, the bar is found as the child of its class of this
// thread's main window, so that this works whoever created it.
#include "app/frame/StatusText.h"

#include <windows.h>

#include <commctrl.h>

namespace {

BOOL CALLBACK FindStatusBar(HWND window, LPARAM found)
{
    wchar_t className[32];
    if (GetClassNameW(window, className, 32) == 0 || lstrcmpW(className, L"KelvaraTextEditorWc") != 0) return TRUE;
    HWND bar = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    if (bar == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = bar;
    return FALSE;
}

}  // namespace

void SetStatusText(int part, const wchar_t* text)
{
    HWND bar = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindStatusBar, reinterpret_cast<LPARAM>(&bar));
    if (bar == nullptr) return;
    SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text ? text : L""));
}
