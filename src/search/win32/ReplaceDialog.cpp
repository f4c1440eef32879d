// The replace dialog (141): find, replace, replace all and the two histories. It stays
// open until cancelled; its messages are owned by the dialog itself.
#include <cwchar>

#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"
#include "search/FindReplace.h"
#include "search/SearchHistory.h"
#include "search/win32/ControlSearchView.h"
#include "search/win32/HistoryCombo.h"
#include "search/win32/SearchDialogFields.h"
#include "search/win32/SearchDialogs.h"

namespace {

SearchView DialogView(HWND dialog, const SearchContext& context, ControlBinding& binding)
{
    binding = ControlBinding{context.view, dialog, context.showNotice, context.noticeContext};
    return MakeControlSearchView(binding);
}

void OpenReplaceDialog(HWND dialog, const SearchContext& context)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&context));
    CheckRadioButton(dialog, IDC_SEARCH_UP, IDC_SEARCH_DOWN, IDC_SEARCH_DOWN);
    FillHistory(GetDlgItem(dialog, IDC_SEARCH_TEXT), *context.settings, kFindHistory, kHistoryCount);
    FillHistory(GetDlgItem(dialog, IDC_REPLACE_TEXT), *context.settings, kReplaceHistory, kHistoryCount);
    ShowSearchOptions(dialog, context);
    SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
}

std::string TakeReplacement(HWND dialog, const SearchContext& context)
{
    std::string const replacement = ComboText(GetDlgItem(dialog, IDC_REPLACE_TEXT));
    RememberInCombo(dialog, IDC_REPLACE_TEXT, *context.settings, kReplaceHistory, replacement);
    return replacement;
}

// Message number (its text takes the count as %d), owned by the dialog.
void ShowCount(HWND dialog, int number, int count)
{
    wchar_t format[256];
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), format, 256) <= 0) format[0] = L'\0';
    wchar_t message[300];
    std::swprintf(message, 300, format, count);
    ShowMessageBox(dialog, number, message, L"KelvaraTextEditor", MB_ICONINFORMATION);
}

void ReplaceEverywhere(HWND dialog, const SearchContext& context)
{
    if (ShowMessage(dialog, IDS_MSG_CONFIRM_REPLACE_ALL, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    std::string const text = TakeSearchFields(dialog, context);
    context.state->down = true;  // replace all always goes down from the top
    RememberInCombo(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory, text);
    std::string const replacement = TakeReplacement(dialog, context);
    ControlBinding binding;
    int const count = ReplaceAll(*context.state, DialogView(dialog, context, binding), replacement.c_str(),
                                 IsDlgButtonChecked(dialog, IDC_REPLACE_IN_SELECTION) == BST_CHECKED);
    if (count < 0) return;  // the pattern's fault has been shown instead
    ShowCount(dialog, IDS_MSG_REPLACE_ALL_DONE, count);
}

void CountEverywhere(HWND dialog, const SearchContext& context)
{
    std::string const text = TakeSearchFields(dialog, context);
    RememberInCombo(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory, text);
    ControlBinding binding;
    int const count = CountMatches(*context.state, DialogView(dialog, context, binding),
                                   IsDlgButtonChecked(dialog, IDC_REPLACE_IN_SELECTION) == BST_CHECKED);
    if (count >= 0) ShowCount(dialog, IDS_MSG_MATCH_COUNT, count);
}

void ReplaceCommand(HWND dialog, const SearchContext& context, int id)
{
    ControlBinding binding;
    switch (id) {
    case IDOK: {
        std::string const text = TakeSearchFields(dialog, context);
        RememberInCombo(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory, text);
        FindNext(*context.state, DialogView(dialog, context, binding), 0);
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ONE), TRUE);
        break;
    }
    case IDC_REPLACE_ONE: {
        // The search is the last find's; only the replacement is read from the dialog.
        std::string const replacement = TakeReplacement(dialog, context);
        ReplaceCurrent(*context.state, DialogView(dialog, context, binding), replacement.c_str());
        break;
    }
    case IDC_REPLACE_ALL:
        ReplaceEverywhere(dialog, context);
        break;
    case IDC_REPLACE_COUNT:
        CountEverywhere(dialog, context);
        break;
    case IDC_SEARCH_MARK_ALL: {
        std::string const text = TakeSearchFields(dialog, context);
        RememberInCombo(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory, text);
        MarkAllMatches(*context.state, DialogView(dialog, context, binding));
        break;
    }
    case IDC_REPLACE_CLEAR_FIND_HISTORY:
        ClearHistoryOnRequest(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory,
                              IDS_MSG_CONFIRM_CLEAR_FIND_HISTORY, IDS_MSG_FIND_HISTORY_CLEARED);
        break;
    case IDC_REPLACE_CLEAR_REPLACE_HISTORY:
        ClearHistoryOnRequest(dialog, IDC_REPLACE_TEXT, *context.settings, kReplaceHistory,
                              IDS_MSG_CONFIRM_CLEAR_REPLACE_HISTORY, IDS_MSG_REPLACE_HISTORY_CLEARED);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK ReplaceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OpenReplaceDialog(dialog, *reinterpret_cast<const SearchContext*>(lParam));
            return FALSE;  // the focus is set
        }
        const auto* context = reinterpret_cast<const SearchContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_COMMAND && context && HIWORD(wParam) == BN_CLICKED) {
            ReplaceCommand(dialog, *context, LOWORD(wParam));
            return TRUE;
        }
    } catch (...) {
        // Memory ran out in a history or a text: the dialog stays as it was.
    }
    return FALSE;
}

}  // namespace

void ShowReplaceDialog(const SearchContext& context)
{
    ShowModalDialog(ModalDialogRequest{context.instance, IDD_REPLACE, context.owner, &ReplaceDialogProc,
                                       reinterpret_cast<LPARAM>(&context)});
}
