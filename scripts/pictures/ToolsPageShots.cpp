// Shows the options page of the tool list at (20, 20) in a window of its own, with a
// settings file of its own in the temp folder holding a few tools and a separator, so that
// a picture can be taken from outside (scripts/tools-screenshot.sh).
// Usage: kvte_tools_page_shots [SECONDS]
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "config/ProfileFile.h"
#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/tools_ids.h"
#include "tools/win32/ToolsPage.h"

namespace {

void CALLBACK EndShow(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 8;
    InitCommonControls();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string ini = InternalFromWide(std::wstring(temp) + L"kvte-tools-shots.ini");
    const std::string text = InternalFromWide(
        L"[tool]\r\nnum=5\r\n"
        L"name0=テキストの挿入 (kvtesample)\r\npath0=C:\\kvte\\tools\\kvtesample.exe\r\ntype0=1\r\n"
        L"name1=-\r\npath1=-\r\ntype1=-1\r\n"
        L"name2=行数を数える\r\npath2=D:\\kit\\bin\\linecount.exe\r\ntype2=0\r\n"
        L"name3=Grep\r\npath3=C:\\tools\\grep.exe -n\r\ntype3=1\r\n"
        L"name4=文字コード表\r\npath4=C:\\kvte\\tools\\codes.exe\r\ntype4=2\r\n");
    ReplaceWholeFile(ini.c_str(), text.data(), text.size());
    ProfileFile settings;
    OpenProfile(settings, ini.c_str(), "tool");

    RECT frame{0, 0, 495, 302};
    AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION, FALSE);
    HWND window = CreateWindowExW(0, L"#32770", L"ツール設定", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 20,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
    HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TOOL_PAGE), window, &ToolsPageProc,
                                   reinterpret_cast<LPARAM>(&settings));
    if (window == nullptr || page == nullptr) return 1;
    SetWindowPos(page, nullptr, 10, 10, 475, 282, SWP_NOZORDER);
    ShowWindow(page, SW_SHOW);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_TOOL_LIST, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    SetFocus(GetDlgItem(page, IDC_TOOL_LIST));
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), &EndShow);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteFileW(WideFromInternal(ini).c_str());
    return 0;
}
