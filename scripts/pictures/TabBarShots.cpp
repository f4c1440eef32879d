// Shows a tab bar with Japanese file names, scrolled by one tab, in a frame window, and
// puts the pointer where asked so that the balloon tooltip or a button's frame shows; a
// picture of the screen is then taken from outside (scripts/tab-bar-screenshot.sh).
// Usage: kvte_tab_bar_shots [none|tab|close] [SECONDS]
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "documents/TabBarLayout.h"
#include "documents/win32/TabBar.h"
#include "platform/WideText.h"

namespace {

const wchar_t kFrameClass[] = L"KvteTabBarShotFrame";
TabBar theBar;

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

int AddTitled(DocumentsState& documents, const std::wstring& path)
{
    const int slot = AddDocument(documents.list, documents.host);
    if (slot >= 0 && !path.empty()) SetPath(*GetDocument(documents.list, slot), InternalFromWide(path));
    return slot;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring pointer = argc > 1 ? argv[1] : L"none";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 8;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    // No caption: under a display without a window manager Wine draws the caption's
    // buttons with a font that may be missing.
    HWND frame = CreateWindowW(kFrameClass, L"KelvaraTextEditor", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 20, 110, 640,
                               110, nullptr, nullptr, instance, nullptr);

    DocumentsState documents;
    documents.host.repaintBar = [](void*) { RepaintBar(theBar); };
    documents.host.rebuildNameTips = [](void*) { RebuildNameTips(theBar); };
    if (!CreateBar(theBar, documents, frame, instance)) return 1;

    SetPath(*GetDocument(documents.list, 0), InternalFromWide(L"C:\\\x6587\x66f8\\\x4f1a\x8b70.txt"));  // 会議
    const int minutes = AddTitled(documents, L"C:\\\x6587\x66f8\\\x8b70\x4e8b\x9332.txt");              // 議事録
    const int designNotes = AddTitled(documents, L"C:\\\x6587\x66f8\\\x4ed5\x69d8\x66f8.txt");        // 仕様書
    const int longName = AddTitled(
        documents,  // 日本語の長いファイル名のテスト.txt
        L"D:\\\x8cc7\x6599\\\x65e5\x672c\x8a9e\x306e\x9577\x3044\x30d5\x30a1\x30a4\x30eb\x540d\x306e\x30c6\x30b9"
        L"\x30c8.txt");
    AddTitled(documents, L"");
    AddTitled(documents, L"C:\\\x898b\x7a4d\\\xff76\xff80\xff76\xff85.txt");  // half-width ｶﾀｶﾅ
    GetDocument(documents.list, minutes)->modified = true;
    GetDocument(documents.list, designNotes)->writable = false;
    SelectSlot(documents.list, documents.host, longName);
    documents.list.firstVisibleTab = 1;

    ShowWindow(frame, SW_SHOWNORMAL);
    RECT client;
    GetClientRect(frame, &client);
    LayoutBar(theBar, 0, 0, client.right);
    Pump(300);

    POINT at = {client.right + 40, 60};  // off the bar
    const int w = documents.list.tabWidth;
    if (pointer == L"tab") at = {2 * w + w / 2, 8};  // the long name, third visible tab
    if (pointer == L"close") at = {client.right - 8, 8};
    ClientToScreen(theBar.barWindow, &at);
    SetCursorPos(at.x - 3, at.y);
    Pump(100);
    SetCursorPos(at.x, at.y);
    Pump(seconds * 1000);
    DestroyBar(theBar);
    DestroyWindow(frame);
    return 0;
}
