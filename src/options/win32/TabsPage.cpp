// The page "タブの設定": which tab a file opened or dropped goes to, whether New always
// makes a tab, and the width of the tabs in pixels. Section "tab".
#include <windows.h>

#include <commctrl.h>

#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "resources/resource.h"

namespace {

constexpr RadioValue kOnOpen[] = {
    {IDC_TABS_OPEN_CLOSE, 0},
    {IDC_TABS_OPEN_UNTITLED, 1},
    {IDC_TABS_OPEN_NEW, 2},
};
constexpr RadioValue kOnDrag[] = {
    {IDC_TABS_DRAG_CLOSE, 0},
    {IDC_TABS_DRAG_UNTITLED, 1},
    {IDC_TABS_DRAG_NEW, 2},
};
constexpr CheckKey kOnNew[] = {{IDC_TABS_ON_NEW, "OnNew"}};
constexpr int kWidthLow = 50;
constexpr int kWidthHigh = 300;
constexpr int kDefaultWidth = 120;

void Initialise(HWND page)
{
    ProfileFile* settings = SettingsOfPage(page);
    if (settings == nullptr) return;
    SetSection(*settings, "tab");
    TickRadio(page, kOnOpen, 3, GetInt(*settings, "OnOpen"));
    TickRadio(page, kOnDrag, 3, GetInt(*settings, "OnDrag"));
    ShowCheckKeys(page, *settings, kOnNew, 1);
    SetUpSpin(page, IDC_TABS_WIDTH_SPIN, IDC_TABS_WIDTH_EDIT, kWidthLow, kWidthHigh, GetInt(*settings, "width"));
}

void Apply(HWND page)
{
    ProfileBatch batch;
    BeginPage(page, batch);
    SetSection(batch, "tab");
    int value = 0;
    if (TickedRadio(page, kOnOpen, 3, value)) WriteInt(batch, "OnOpen", value);
    if (TickedRadio(page, kOnDrag, 3, value)) WriteInt(batch, "OnDrag", value);
    WriteCheckKeys(page, batch, kOnNew, 1);
    int width = 0;
    if (ReadWholeNumber(page, IDC_TABS_WIDTH_EDIT, kWidthLow, kWidthHigh, width)) {
        WriteInt(batch, "width", width);
        const OptionsHost* host = HostOfPage(page);
        if (host && host->tabBarWidth) *host->tabBarWidth = width;
    }
    CommitPage(page, batch);
    if (width == 0) ShowPageMessage(page, IDS_MSG_BAD_TAB_WIDTH, MB_ICONERROR);
}

INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_TABS_DEFAULT_WIDTH) {
            SendDlgItemMessageW(page, IDC_TABS_WIDTH_SPIN, UDM_SETPOS32, 0, kDefaultWidth);
            return TRUE;
        }
        return FALSE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\タブ.html");
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(page);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK TabsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
