// The find dialog (125) and the F3 and Shift+F3 commands.
#include "platform/ModalUi.h"
#include "resources/resource.h"
#include "search/FindReplace.h"
#include "search/SearchHistory.h"
#include "search/SearchOptions.h"
#include "search/win32/ControlSearchView.h"
#include "search/win32/HistoryCombo.h"
#include "search/win32/SearchDialogFields.h"
#include "search/win32/SearchDialogs.h"

namespace {

// The dialog opens downward, with the options and the selection as ShowSearchOptions puts them.
void OpenFindDialog(HWND dialog, const SearchContext& context)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&context));
    CheckRadioButton(dialog, IDC_SEARCH_UP, IDC_SEARCH_DOWN, IDC_SEARCH_DOWN);
    FillHistory(GetDlgItem(dialog, IDC_SEARCH_TEXT), *context.settings, kFindHistory, kHistoryCount);
    ShowSearchOptions(dialog, context);
    SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
}

void FindCommand(HWND dialog, const SearchContext& context, int id)
{
    switch (id) {
    case IDOK: {
        std::string const text = TakeSearchFields(dialog, context);
        AddHistory(*context.settings, text.c_str(), kFindHistory, kHistoryCount);
        EndDialog(dialog, 1);
        break;
    }
    case IDC_SEARCH_MARK_ALL: {
        std::string const text = TakeSearchFields(dialog, context);
        AddHistory(*context.settings, text.c_str(), kFindHistory, kHistoryCount);
        ControlBinding binding{context.view, dialog, context.showNotice, context.noticeContext};
        MarkAllMatches(*context.state, MakeControlSearchView(binding));
        EndDialog(dialog, 0);
        break;
    }
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_FIND_CLEAR_HISTORY:
        ClearHistoryOnRequest(dialog, IDC_SEARCH_TEXT, *context.settings, kFindHistory,
                              IDS_MSG_CONFIRM_CLEAR_FIND_HISTORY, IDS_MSG_FIND_HISTORY_CLEARED);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OpenFindDialog(dialog, *reinterpret_cast<const SearchContext*>(lParam));
            return FALSE;  // the focus is set
        }
        const auto* context = reinterpret_cast<const SearchContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_COMMAND && context && HIWORD(wParam) == BN_CLICKED) {
            FindCommand(dialog, *context, LOWORD(wParam));
            return TRUE;
        }
    } catch (...) {
        // Memory ran out in a history or a text: the dialog stays as it was.
    }
    return FALSE;
}

// Runs the dialog; true when it ended with its find button.
bool RunFindDialog(const SearchContext& context)
{
    return ShowModalDialog(ModalDialogRequest{context.instance, IDD_FIND, context.owner, &FindDialogProc,
                                              reinterpret_cast<LPARAM>(&context)}) == 1;
}

void FindAgain(const SearchContext& context, bool (*find)(SearchState&, const SearchView&))
{
    if (context.state->text[0] == '\0') {
        ShowFindDialog(context);
        return;
    }
    ReadSearchOptions(*context.settings, *context.state);  // wrap-around as the settings say now
    ControlBinding binding{context.view, context.owner, context.showNotice, context.noticeContext};
    find(*context.state, MakeControlSearchView(binding));
}

}  // namespace

void ShowFindDialog(const SearchContext& context)
{
    if (!RunFindDialog(context)) return;
    ControlBinding binding{context.view, context.owner, context.showNotice, context.noticeContext};
    FindNext(*context.state, MakeControlSearchView(binding), -1);
}

void FindNextDownCommand(const SearchContext& context) { FindAgain(context, &FindNextDown); }

void FindNextUpCommand(const SearchContext& context) { FindAgain(context, &FindNextUp); }

void MarkAllMatchesCommand(const SearchContext& context)
{
    FindAgain(context, [](SearchState& state, const SearchView& view) { return MarkAllMatches(state, view) > 0; });
}
