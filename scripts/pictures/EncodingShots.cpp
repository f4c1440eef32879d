// Shows the encoding choices for a picture taken from outside (scripts/encoding-screenshot.sh):
// dialog 160 (reopening in an encoding), the Open dialog with its encoding list dropped down,
// the Save As dialog with its encoding list, mark box and line-ending list (dropped down), or
// status bars with the encoding labels. Once the window has settled it prints "shown X Y W H"
// (its place on the screen); after the time given it closes.
// Usage: kvte_encoding_shots choice|open|save|status FOLDER [SECONDS]
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include "app/frame/StatusBar.h"
#include "documents/SaveFormat.h"
#include "documents/win32/EncodingDialogs.h"
#include "resources/resource.h"

namespace {

int seconds = 8;
int dropped = 0;  // the list dropped down in the file dialog's added controls (0: none)

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK FindAddedControls(HWND window, LPARAM found)
{
    if (GetDlgItem(window, IDC_FILE_ENCODING) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The window's place on the screen, with the list dropped down from combo when given.
void PrintPlace(HWND window, HWND combo = nullptr)
{
    RECT rect;
    GetWindowRect(window, &rect);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    RECT list;
    if (combo && GetComboBoxInfo(combo, &info) && GetWindowRect(info.hwndList, &list)) UnionRect(&rect, &rect, &list);
    std::printf("shown %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

// After two seconds a list is dropped down and the place printed; after the time, closed.
void CALLBACK Stage(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int ticks = 0;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialogWindow, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    HWND added = nullptr;
    EnumChildWindows(dialog, &FindAddedControls, reinterpret_cast<LPARAM>(&added));
    if (++ticks * 250 == 2000) {
        SetForegroundWindow(dialog);
        HWND combo = added && dropped ? GetDlgItem(added, dropped) : nullptr;
        if (combo) {
            SetFocus(combo);
            SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        }
        PrintPlace(dialog, combo);
    }
    if (ticks * 250 < (2 + seconds) * 1000) return;
    KillTimer(nullptr, timer);
    if (added && dropped) SendDlgItemMessageW(added, dropped, CB_SHOWDROPDOWN, FALSE, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// Four status bars, one under the other, each with a file's parts.
int ShowStatusBars(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"KvteEncodingShotFrame";
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(wc.lpszClassName, L"", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 20, 20, 640, 4 * 26,
                               nullptr, nullptr, instance, nullptr);
    struct Part {
        const wchar_t *caret, *ending, *encoding;
    } const parts[] = {{L"1行：1桁", L"CRLF", L"CP932"},
                       {L"12行：5桁", L"CR", L"UTF16BE BOM"},
                       {L"3行：1桁", L"LF", L"UTF8 BOM"},
                       {L"1行：1桁", L"CRLF", L"S-JIS?"}};
    StatusBar bars[4];
    for (int i = 0; i < 4; ++i) {
        HWND host = CreateWindowW(wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, i * 26, 640, 26,
                                  frame, nullptr, instance, nullptr);
        if (!CreateStatusBar(bars[i], host, instance)) return 1;
        ShowWindow(bars[i].window, SW_SHOW);
        RECT client;
        GetClientRect(host, &client);
        LayoutStatusBar(bars[i], client.right, 96, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        SetStatusBarText(bars[i], kStatusCaret, parts[i].caret);
        SetStatusBarText(bars[i], kStatusLineEnding, parts[i].ending);
        SetStatusBarText(bars[i], kStatusEncoding, parts[i].encoding);
    }
    ShowWindow(frame, SW_SHOWNORMAL);
    const DWORD end = GetTickCount() + static_cast<DWORD>(2 + seconds) * 1000;
    bool printed = false;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!printed && GetTickCount() + static_cast<DWORD>(seconds) * 1000 >= end) {
            PrintPlace(frame);
            printed = true;
        }
        Sleep(10);
    }
    DestroyWindow(frame);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring which = argc > 1 ? argv[1] : L"choice";
    const std::wstring folder = argc > 2 ? argv[2] : L"";
    if (argc > 3) seconds = _wtoi(argv[3]);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (which == L"status") return ShowStatusBars(instance);

    SetTimer(nullptr, 0, 250, &Stage);
    if (which == L"choice") {
        ChooseEncoding(instance, nullptr, EncodingChoiceIndex(EncodingCode::Cp932));
        return 0;
    }
    // A folder with a few files of the kinds the filter lists.
    for (const wchar_t* name : {L"議事録.txt", L"readme.txt", L"住所録.txt", L"ﾒﾓ.txt"}) {
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    const bool save = which == L"save";
    FileDialogRequest request{nullptr, L"テキストファイル(*.txt)\0*.txt\0全てのファイル(*.*)\0*.*\0",
                              save ? L"名前をつけて保存" : L"ファイルを開く", save};
    request.initialFolder = folder.c_str();
    request.initialName = save ? L"議事録.txt" : L"";
    FileDialogEncoding encoding;
    encoding.save = save;
    // A UTF-8 file with its mark, saved with its own line ending (CR LF).
    Document document;
    document.encoding = EncodingCode::Utf8Bom;
    SaveOffer offer = OfferSave(document, SaveSettings{0, 4, false, false});
    if (save) encoding.offer = &offer;
    dropped = save ? IDC_FILE_LINE_ENDING : IDC_FILE_ENCODING;
    ExtendFileDialog(request, encoding);
    std::wstring path;
    ShowFileDialog(request, path);
    return 0;
}
