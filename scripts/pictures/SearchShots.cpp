// Shows the find or the replace dialog over an editing view, with the histories filled and
// the search history's list dropped down, for a picture taken from outside
// (scripts/search-screenshot.sh). The settings live in a temporary file.
// Usage: kvte_search_shots find|replace [SECONDS]  (how long the list stays open)
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "config/ProfileFile.h"
#include "resources/resource.h"
#include "search/SearchHistory.h"
#include "search/win32/SearchDialogs.h"
#include "textcontrol/win32/EditControl.h"

namespace {

const wchar_t kFrameClass[] = L"KvteSearchShotFrame";
int seconds = 8;
bool dropList = true;  // the search history's list shown open

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND TheDialog()
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialogWindow, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

// While the dialog is up: a replacement typed and the search history's list kept open
// (opened late: Wine closes it again when the dialog is activated after it); after the time, closed.
void CALLBACK Stage(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int ticks = 0;
    HWND dialog = TheDialog();
    if (!dialog) return;
    HWND combo = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    if (++ticks == 1) SetDlgItemTextW(dialog, IDC_REPLACE_TEXT, L"大阪");
    if (ticks * 250 < (2 + seconds) * 1000) {
        // Once everything has settled; the picture script waits for the word "dropped".
        if (ticks * 250 == 2000) {
            SetForegroundWindow(dialog);
            SetFocus(combo);
            if (dropList) SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
            std::printf("dropped\n");
            std::fflush(stdout);
        }
        return;
    }
    KillTimer(nullptr, timer);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring which = argc > 1 ? argv[1] : L"find";
    if (argc > 2) seconds = _wtoi(argv[2]);
    // A fourth argument "controls": the dialog as it opens, every control in sight.
    dropList = !(argc > 3 && std::wstring(argv[3]) == L"controls");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
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
    HWND frame = CreateWindowW(kFrameClass, L"KelvaraTextEditor", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 20, 20, 640,
                               360, nullptr, nullptr, instance, nullptr);
    SetViewCount(1);
    if (!CreateView(0, frame, 0, 0, 638, 358)) return 1;
    // 東京都と大阪府、東京駅から大阪駅まで。 and a second line, in Shift_JIS.
    SetText(0, "\x93\x8c\x8b\x9e\x93\x73\x82\xc6\x91\xe5\x8d\xe3\x95\x7b\x81\x41\x93\x8c\x8b\x9e\x89\x77\x82\xa9"
               "\x82\xe7\x91\xe5\x8d\xe3\x89\x77\x82\xdc\x82\xc5\x81\x42\r\nKelvaraTextEditor 3.36\r\n");
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    char path[MAX_PATH * 2];
    std::snprintf(path, sizeof path, "%lskvte-search-shots.ini", temp);
    DeleteFileW((std::wstring(temp) + L"kvte-search-shots.ini").c_str());
    ProfileFile settings{};
    OpenProfile(settings, path, "main");
    // 大阪, 東京駅, 正規表現 [0-9]+ 件, Kelvara, 東京 (the most recent last).
    for (const char* text : {"\x91\xe5\x8d\xe3", "\x93\x8c\x8b\x9e\x89\x77", "[0-9]+\x8c\x8f", "Kelvara", "\x93\x8c\x8b\x9e"})
        AddHistory(settings, text, kFindHistory, kHistoryCount);
    for (const char* text : {"Osaka", "\x91\xe5\x8d\xe3"}) AddHistory(settings, text, kReplaceHistory, kHistoryCount);

    SearchState state;
    SearchContext context{&state, &settings, 0, frame, instance};
    SetTimer(nullptr, 0, 250, &Stage);
    if (which == L"replace")
        ShowReplaceDialog(context);
    else
        ShowFindDialog(context);
    DestroyView(0);
    DestroyWindow(frame);
    DeleteFileW((std::wstring(temp) + L"kvte-search-shots.ini").c_str());
    return 0;
}
