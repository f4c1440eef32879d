// What the pages and the extension dialog share: reading and setting their controls, and
// the one batch in which a page writes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "config/ProfileBatch.h"
#include "options/win32/OptionsDialog.h"

bool IsTicked(HWND page, int control);
void SetTicked(HWND page, int control, bool ticked);
void EnableControl(HWND page, int control, bool enabled);

// Attaches the spin to its edit box and gives it the range and the position.
void SetUpSpin(HWND page, int spin, int edit, int low, int high, int position);
// The spin's position (the last valid one when its box holds something else).
int SpinPosition(HWND page, int spin);

// Fills a combo box with texts and selects the one equal byte for byte to chosen, or the
// first when none is. The combo's own style says whether it sorts.
void FillCombo(HWND page, int combo, const std::vector<std::string>& texts, const std::string& chosen);
// The selected entry's text; false when nothing is selected.
bool ComboSelection(HWND page, int combo, std::string& text);

// The settings and host that the page's dialog was opened with.
ProfileFile* SettingsOfPage(HWND page);
const OptionsHost* HostOfPage(HWND page);

// Starts the page's batch; CommitPage writes it and, when the write fails, says so once per
// OK of the dialog (message 10).
bool BeginPage(HWND page, ProfileBatch& batch);
void CommitPage(HWND page, ProfileBatch& batch);

// Shows a help page (a wide text such as L"_RESOURCE\\全般設定.html") through the host.
void ShowPageHelp(HWND page, const wchar_t* topic);
// A string-table message owned by the options dialog.
int ShowPageMessage(HWND page, int number, unsigned style);

// No exception leaves a page's procedure: a failed allocation inside a page's handler is
// reported with message 2 and the message counts as not handled.
void ReportPageFailure(HWND page);
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR GuardedPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Handle(page, message, wParam, lParam);
    } catch (...) {
        ReportPageFailure(page);
        return FALSE;
    }
}
