// The controls of the option pages: boxes, spins, drop-down lists, and the page's
// settings batch.
#include "options/win32/PageControls.h"

#include <commctrl.h>


#include "config/ProfileFile.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"

bool IsTicked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

void SetTicked(HWND page, int control, bool ticked)
{
    CheckDlgButton(page, control, ticked ? BST_CHECKED : BST_UNCHECKED);
}

void EnableControl(HWND page, int control, bool enabled) { EnableWindow(GetDlgItem(page, control), enabled); }

void SetUpSpin(HWND page, int spin, int edit, int low, int high, int position)
{
    HWND spinWindow = GetDlgItem(page, spin);
    SendMessageW(spinWindow, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page, edit)), 0);
    SendMessageW(spinWindow, UDM_SETRANGE32, low, high);
    SendMessageW(spinWindow, UDM_SETPOS32, 0, position);
}

int SpinPosition(HWND page, int spin)
{
    BOOL failed = FALSE;
    return static_cast<int>(SendDlgItemMessageW(page, spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

void FillCombo(HWND page, int combo, const std::vector<std::string>& texts, const std::string& chosen)
{
    HWND box = GetDlgItem(page, combo);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromInternal(text).c_str()));
    }
    LRESULT selected = 0;
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text;
        SendMessageW(box, CB_SETCURSEL, i, 0);
        if (ComboSelection(page, combo, text) && text == chosen) {
            selected = i;
            break;
        }
    }
    SendMessageW(box, CB_SETCURSEL, count > 0 ? selected : -1, 0);
}

bool ComboSelection(HWND page, int combo, std::string& text)
{
    HWND box = GetDlgItem(page, combo);
    const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return false;
    const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, selected, 0);
    if (length == CB_ERR) return false;
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<size_t>(length));
    text = InternalFromWide(wide);
    return true;
}

const OptionsHost* HostOfPage(HWND page)
{
    const OptionsDialog* options = OptionsOfPage(page);
    return options ? &options->host : nullptr;
}

ProfileFile* SettingsOfPage(HWND page)
{
    const OptionsHost* host = HostOfPage(page);
    return host ? host->settings : nullptr;
}

bool BeginPage(HWND page, ProfileBatch& batch)
{
    ProfileFile* settings = SettingsOfPage(page);
    if (settings == nullptr) return false;
    return BeginBatch(batch, *settings);
}

void CommitPage(HWND page, ProfileBatch& batch)
{
    if (CommitBatch(batch)) return;
    OptionsDialog* options = OptionsOfPage(page);
    if (options == nullptr || options->writeFailureShown) return;
    options->writeFailureShown = true;
    ShowPageMessage(page, IDS_MSG_SETTINGS_WRITE_FAILED, MB_ICONERROR);
}

void ShowPageHelp(HWND page, const wchar_t* topic)
{
    const OptionsHost* host = HostOfPage(page);
    if (host == nullptr || host->showHelpPage == nullptr) return;
    host->showHelpPage(GetParent(page), InternalFromWide(topic).c_str());
}

int ShowPageMessage(HWND page, int number, unsigned style)
{
    HWND owner = GetParent(page);
    return ShowMessage(owner ? owner : page, number, style);
}

void ReportPageFailure(HWND page) { ShowPageMessage(page, IDS_MSG_OUT_OF_MEMORY, MB_ICONERROR); }
