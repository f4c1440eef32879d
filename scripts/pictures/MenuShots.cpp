// Shows the menu bar with one of its popups (or the context menu) open and an entry
// highlighted, in a frame window, for a picture taken from outside
// (scripts/menu-screenshot.sh). The tools menu holds three tools from a scratch [tool].
// Usage: kvte_menu_shots POPUP SECONDS   (POPUP 0-6: the menu bar's popups, 7: context)
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/frame/Menus.h"
#include "platform/WideText.h"
#include "resources/resource.h"

namespace {

const wchar_t kFrameClass[] = L"KvteMenuShotFrame";
FrameState theFrame;
int thePopup = 0;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        if (MeasureMenuEntry(theFrame, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawMenuEntry(theFrame, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam), false)) return TRUE;
        break;
    case WM_TIMER:
        KillTimer(window, wParam);
        if (wParam == 1) {
            // Down to the second entry; in the help menu, open the first entry's submenu.
            PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
            if (thePopup == 6) {
                PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
                PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
            }
            PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        } else {
            EndMenu();
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool WriteTools(const std::wstring& path)
{
    // ツール検索 in Shift_JIS
    const std::string ini =
        "[tool]\r\nnum=4\r\ntype0=0\r\nname0=grep\r\ntype1=0\r\nname1=\x83\x63\x81\x5B\x83\x8B"
        "\x8C\x9F\x8D\xF5\r\ntype2=-1\r\ntype3=0\r\nname3=make\r\n";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
    CloseHandle(file);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    thePopup = argc > 1 ? _wtoi(argv[1]) : 0;
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 8;
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring iniPath = std::wstring(temp) + L"kvte-menu-shots.ini";
    ProfileFile settings{};
    if (!WriteTools(iniPath) || !OpenProfile(settings, InternalFromWide(iniPath).c_str(), "tool")) return 1;
    theFrame.checkMarkBitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_CHECKMARK), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!BuildMenus(theFrame, instance, settings)) return 1;
    DeleteFileW(iniPath.c_str());
    theFrame.menuEntries[theFrame.toolbarEntry].checked = true;
    theFrame.menuEntries[theFrame.statusbarEntry].checked = true;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    // No caption: under a display without a window manager Wine draws the caption's
    // buttons with a font that may be missing.
    HWND frame = CreateWindowW(kFrameClass, L"KelvaraTextEditor", WS_POPUP | WS_BORDER, 20, 20, 700, 320, nullptr,
                               theFrame.mainMenu, instance, nullptr);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);

    POINT at{60, 80};
    HMENU popup = theFrame.contextMenu;
    if (thePopup >= 0 && thePopup < 7) {
        RECT title;
        GetMenuItemRect(frame, theFrame.mainMenu, static_cast<UINT>(thePopup), &title);
        HiliteMenuItem(frame, theFrame.mainMenu, static_cast<UINT>(thePopup), MF_BYPOSITION | MF_HILITE);
        at = {title.left, title.bottom};
        popup = GetSubMenu(theFrame.mainMenu, thePopup);
    } else {
        ClientToScreen(frame, &at);
    }
    SetTimer(frame, 1, 400, nullptr);
    SetTimer(frame, 2, static_cast<UINT>(seconds * 1000), nullptr);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, frame, nullptr);
    DestroyWindow(frame);
    ReleaseFrame(theFrame);
    return 0;
}
