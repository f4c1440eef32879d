// The extension dialog: an edit box for the extension and a drop-down list of the
// environments, in the order the folder search returns them.
#include <windows.h>

#include "emphasis/win32/EnvironmentMenu.h"
#include "options/win32/FileTypeEntry.h"
#include "options/win32/PageControls.h"
#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"

namespace {

constexpr int kExtensionLimit = 259;  // characters

struct EntryDialog {
    const char* programFolder;
    FileTypeRow* entry;
};

int MessageOf(ExtensionProblem problem)
{
    switch (problem) {
    case ExtensionProblem::Empty:
        return IDS_MSG_EXTENSION_EMPTY;
    case ExtensionProblem::Equals:
        return IDS_MSG_EXTENSION_EQUALS;
    case ExtensionProblem::Bracket:
        return IDS_MSG_EXTENSION_BRACKET;
    case ExtensionProblem::LineEnd:
        return IDS_MSG_EXTENSION_LINE_END;
    default:
        return IDS_MSG_EXTENSION_FIRST_CHARACTER;
    }
}

void Initialise(HWND dialog, const EntryDialog& data)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    FillCombo(dialog, IDC_FILE_TYPE_ENVIRONMENT, ListEnvironmentFiles(data.programFolder), data.entry->environment);
    SendDlgItemMessageW(dialog, IDC_FILE_TYPE_EXTENSION, EM_LIMITTEXT, kExtensionLimit, 0);
    SetDlgItemTextW(dialog, IDC_FILE_TYPE_EXTENSION, WideFromInternal(data.entry->extension).c_str());
}

// True when the entry took the dialog's texts; otherwise the user has been told why.
bool Accept(HWND dialog, const EntryDialog& data)
{
    HWND edit = GetDlgItem(dialog, IDC_FILE_TYPE_EXTENSION);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(edit, &typed[0], static_cast<int>(typed.size()))));
    const std::string extension = InternalFromWide(typed);
    const ExtensionProblem problem = CheckExtension(extension);
    if (problem != ExtensionProblem::None) {
        ShowMessage(dialog, MessageOf(problem), MB_ICONWARNING);
        SetFocus(edit);
        return false;
    }
    data.entry->extension = std::string(TrimBlanks(extension));
    std::string environment;
    if (ComboSelection(dialog, IDC_FILE_TYPE_ENVIRONMENT, environment)) data.entry->environment = environment;
    return true;
}

INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        Initialise(dialog, *reinterpret_cast<const EntryDialog*>(lParam));
        return TRUE;
    }
    const auto* data = reinterpret_cast<const EntryDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message != WM_COMMAND || data == nullptr) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        if (Accept(dialog, *data)) EndDialog(dialog, 1);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ExtensionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(dialog, message, wParam, lParam);
}

}  // namespace

int RunExtensionDialog(HINSTANCE instance, HWND owner, const char* programFolder, FileTypeRow& entry)
{
    // The dialog works on a copy, so that Cancel leaves the entry as it was.
    FileTypeRow working = entry;
    EntryDialog data{programFolder ? programFolder : "", &working};
    const INT_PTR result = ShowModalDialog(
        ModalDialogRequest{instance, IDD_FILE_TYPE_ENTRY, owner, &ExtensionDialogProc, reinterpret_cast<LPARAM>(&data)});
    if (result != 1) return 0;
    entry = working;
    return 1;
}
