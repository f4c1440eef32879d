// The page "確認設定": which questions are asked before the program ends and before every
// tab is closed. Section "notice".
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"

namespace {

constexpr CheckKey kKeys[] = {
    {IDC_CONFIRM_ON_END, "OnEnd"},
    {IDC_CONFIRM_ON_CLOSE_ALL, "OnCloseAll"},
};

INT_PTR Handle(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        if (ProfileFile* settings = SettingsOfPage(page)) {
            SetSection(*settings, "notice");
            ShowCheckKeys(page, *settings, kKeys, 2);
        }
        return TRUE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\確認設定.html");
        return TRUE;
    case WM_OPTION_APPLY: {
        ProfileBatch batch;
        BeginPage(page, batch);
        SetSection(batch, "notice");
        WriteCheckKeys(page, batch, kKeys, 2);
        CommitPage(page, batch);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK ConfirmPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
