// The page "クリッカブル設定": which kinds of text the views make clickable, one box per
// bit of [editor1] clickable. Only the four known bits are written back, so a stored
// value with other bits set (the default 65535) becomes 15 at the first OK.
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"

namespace {

constexpr int kKinds = 4;  // mail address, http:, https://, ftp://

INT_PTR Handle(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        if (ProfileFile* settings = SettingsOfPage(page)) {
            SetSection(*settings, "editor1");
            const int stored = GetInt(*settings, "clickable");
            for (int bit = 0; bit < kKinds; ++bit) SetTicked(page, IDC_CLICKABLE_FIRST + bit, (stored >> bit) & 1);
        }
        return TRUE;
    case WM_OPTION_APPLY: {
        int value = 0;
        for (int bit = 0; bit < kKinds; ++bit) {
            if (IsTicked(page, IDC_CLICKABLE_FIRST + bit)) value |= 1 << bit;
        }
        ProfileBatch batch;
        BeginPage(page, batch);
        SetSection(batch, "editor1");
        WriteInt(batch, "clickable", value);
        CommitPage(page, batch);
        return TRUE;
    }
    default:  // no help topic: WM_OPTION_HELP is ignored
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK ClickablePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
