// The find-in-files dialog (161): the text, the folder (typed, from its history or chosen
// with the browse button), the file masks, subfolders, regular expression and letter case.
// It only gathers the request; the search itself runs beside the window (FindInFilesRun).
#include <shlobj.h>

#include <cwchar>

#include "platform/ModalUi.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "search/SearchHistory.h"
#include "search/SearchOptions.h"
#include "search/win32/HistoryCombo.h"
#include "search/win32/SearchDialogFields.h"
#include "search/win32/SearchDialogs.h"

namespace {

struct FilesDialog {
    const SearchContext* context;
    FileSearchRequest* request;
    std::string* folder;
};

void OpenFilesDialog(HWND dialog, FilesDialog& run)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    ProfileFile& settings = *run.context->settings;
    FileSearchChoices choices;
    ReadFileSearchChoices(settings, choices);
    run.context->state->regularExpression = choices.regularExpression;
    FillHistory(GetDlgItem(dialog, IDC_SEARCH_TEXT), settings, kFindHistory, kHistoryCount);
    FillHistory(GetDlgItem(dialog, IDC_FILES_FOLDER), settings, kFolderHistory, kHistoryCount);
    FillHistory(GetDlgItem(dialog, IDC_FILES_MASKS), settings, kMaskHistory, kHistoryCount);
    SetComboText(GetDlgItem(dialog, IDC_FILES_FOLDER), choices.folder);
    SetComboText(GetDlgItem(dialog, IDC_FILES_MASKS), choices.masks);
    CheckDlgButton(dialog, IDC_FILES_SUBFOLDERS, choices.subfolders ? BST_CHECKED : BST_UNCHECKED);
    ShowSearchOptions(dialog, *run.context);  // letter case, the regex box, a selected line
    SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
}

void BrowseForFolder(HWND dialog)
{
    wchar_t title[128];
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_FILES_CHOOSE_FOLDER, title, 128) <= 0) title[0] = L'\0';
    BROWSEINFOW info = {};
    info.hwndOwner = dialog;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return;
    wchar_t path[MAX_PATH];
    if (SHGetPathFromIDListW(chosen, path)) SetDlgItemTextW(dialog, IDC_FILES_FOLDER, path);
    CoTaskMemFree(chosen);
}

// Takes the fields into the request, the state and the settings; false (the dialog stays)
// when the folder is not there.
bool TakeFilesFields(HWND dialog, FilesDialog& run)
{
    const SearchContext& context = *run.context;
    ProfileFile& settings = *context.settings;
    FileSearchChoices choices;
    choices.folder = ComboText(GetDlgItem(dialog, IDC_FILES_FOLDER));
    choices.masks = ComboText(GetDlgItem(dialog, IDC_FILES_MASKS));
    if (choices.masks.empty()) choices.masks = "*";
    const DWORD attributes = GetFileAttributesW(WideFromInternal(choices.folder).c_str());
    if (choices.folder.empty() || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        wchar_t format[256], text[1400];
        if (LoadStringW(GetModuleHandleW(nullptr), IDS_FILES_NO_FOLDER, format, 256) <= 0) format[0] = L'\0';
        std::swprintf(text, 1400, format, WideFromInternal(choices.folder).c_str());
        ShowMessageBox(dialog, IDS_FILES_NO_FOLDER, text, L"KelvaraTextEditor", MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, IDC_FILES_FOLDER));
        return false;
    }
    const bool down = context.state->down;
    const std::string text = TakeSearchFields(dialog, context);
    context.state->down = down;  // this dialog has no direction
    choices.regularExpression = context.state->regularExpression;
    choices.subfolders = IsDlgButtonChecked(dialog, IDC_FILES_SUBFOLDERS) == BST_CHECKED;
    WriteFileSearchChoices(settings, choices);
    AddHistory(settings, text.c_str(), kFindHistory, kHistoryCount);
    AddHistory(settings, choices.folder.c_str(), kFolderHistory, kHistoryCount);
    AddHistory(settings, choices.masks.c_str(), kMaskHistory, kHistoryCount);
    run.request->pattern = text;
    run.request->regularExpression = choices.regularExpression;
    run.request->ignoreCase = !context.state->matchCase;
    run.request->masks = choices.masks;
    run.request->subfolders = choices.subfolders;
    *run.folder = choices.folder;
    return !text.empty();
}

INT_PTR CALLBACK FilesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OpenFilesDialog(dialog, *reinterpret_cast<FilesDialog*>(lParam));
            return FALSE;  // the focus is set
        }
        auto* run = reinterpret_cast<FilesDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message != WM_COMMAND || !run || HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            if (TakeFilesFields(dialog, *run)) EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_FILES_BROWSE:
            BrowseForFolder(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    } catch (...) {
        // Memory ran out in a history or a text: the dialog stays as it was.
    }
    return FALSE;
}

}  // namespace

bool ShowFindInFilesDialog(const SearchContext& context, FileSearchRequest& request, std::string& folder)
{
    FilesDialog run{&context, &request, &folder};
    return ShowModalDialog(ModalDialogRequest{context.instance, IDD_FIND_IN_FILES, context.owner, &FilesDialogProc,
                                              reinterpret_cast<LPARAM>(&run)}) == 1;
}
