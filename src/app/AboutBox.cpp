// The about box: the versions of the program, of the editing control and of the
// regular-expression class, and two buttons that open the project's web page and the
// mail program without closing the box.
#include <cwchar>
#include <string>

#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "platform/ModalUi.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr double kProgramVersion = 3.36;

std::wstring Formatted(const wchar_t* format, double value)
{
    wchar_t text[64];
    std::swprintf(text, 64, format, value);
    return text;
}

std::wstring VersionText()
{
    std::wstring text = Formatted(L"KelvaraTextEditor Ver%.2f", kProgramVersion);
    text += Formatted(L"\nTarvikTextEditorControlForWin32 Ver%.2f", GetControlVersion() / 100.0);
    if (const int beta = GetControlBeta()) text += L"β" + std::to_wstring(beta);
    text += L"\nKRegExp.DLL Ver1.1.4.2";
    text += L"\n\nCopyright (C) KelvaraProject";
    return text;
}

void CaptionWith(HWND dialog, int control, int textNumber)
{
    wchar_t text[256];
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(textNumber), text, 256) > 0) {
        SetDlgItemTextW(dialog, control, text);
    }
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, VersionText().c_str());
        CaptionWith(dialog, IDC_ABOUT_WEB_SITE, IDS_WEB_ADDRESS);
        CaptionWith(dialog, IDC_ABOUT_MAIL, IDS_MAIL_ADDRESS);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT_WEB_SITE:
            OpenProjectWebPage(dialog);
            return TRUE;
        case IDC_ABOUT_MAIL:
            OpenSupportMail(dialog);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

int AboutCommand(void* context, int)
{
    const KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    ShowModalDialog(ModalDialogRequest{app.instance, IDD_ABOUT, app.mainWindow, &AboutProc, 0});
    return 0;
}
