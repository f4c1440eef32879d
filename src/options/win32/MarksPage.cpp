// The page "マーク設定": which marks the views draw. Section "editor2"; two buttons tick
// or clear all six at once.
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"

namespace {

constexpr CheckKey kKeys[] = {
    {IDC_MARKS_LINE_END, "vCrlf"},       {IDC_MARKS_LINE_END + 1, "vNormalSpace"},
    {IDC_MARKS_LINE_END + 2, "vHalfSpace"}, {IDC_MARKS_LINE_END + 3, "vTab"},
    {IDC_MARKS_LINE_END + 4, "vEOF"},    {IDC_MARKS_LINE_END + 5, "vUnderLine"},
};
constexpr size_t kCount = sizeof kKeys / sizeof kKeys[0];

void TickAll(HWND page, bool ticked)
{
    for (const CheckKey& key : kKeys) SetTicked(page, key.control, ticked);
}

INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        if (ProfileFile* settings = SettingsOfPage(page)) {
            SetSection(*settings, "editor2");
            ShowCheckKeys(page, *settings, kKeys, kCount);
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_MARKS_SHOW_ALL || LOWORD(wParam) == IDC_MARKS_HIDE_ALL) {
            TickAll(page, LOWORD(wParam) == IDC_MARKS_SHOW_ALL);
            return TRUE;
        }
        return FALSE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\マーク色設定.html");
        return TRUE;
    case WM_OPTION_APPLY: {
        ProfileBatch batch;
        BeginPage(page, batch);
        SetSection(batch, "editor2");
        WriteCheckKeys(page, batch, kKeys, kCount);
        CommitPage(page, batch);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK MarksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
