#include "search/win32/SearchDialogFields.h"

#include <cstring>

#include "platform/ShowMessage.h"
#include "resources/resource.h"
#include "search/FindReplace.h"
#include "search/SearchHistory.h"
#include "search/SearchOptions.h"
#include "search/win32/HistoryCombo.h"
#include "textcontrol/win32/EditControl.h"

void ShowSearchOptions(HWND dialog, const SearchContext& context)
{
    SearchState& state = *context.state;
    ReadSearchOptions(*context.settings, state);
    CheckDlgButton(dialog, IDC_SEARCH_MATCH_CASE, state.matchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SEARCH_REGEX, state.regularExpression ? BST_CHECKED : BST_UNCHECKED);
    int line = 0, column = 0, line2 = 0, column2 = 0;
    if (GetSelection(context.view, &line, &column, &line2, &column2) != 0 || line != line2 || column2 <= column) return;
    const char* bytes = GetLineText(context.view, line);
    int const length = GetLineLength(context.view, line);
    if (!bytes || column < 1 || column2 - 1 > length) return;
    std::string const text = SearchTextFromSelection(
        std::string_view(bytes + column - 1, static_cast<std::size_t>(column2 - column)), state.regularExpression);
    if (!text.empty()) SetComboText(GetDlgItem(dialog, IDC_SEARCH_TEXT), text);
}

std::string TakeSearchFields(HWND dialog, const SearchContext& context)
{
    SearchState& state = *context.state;
    std::string const text = ComboText(GetDlgItem(dialog, IDC_SEARCH_TEXT));
    std::memset(state.text, 0, sizeof state.text);
    text.copy(state.text, sizeof state.text - 1);
    state.regularExpression = IsDlgButtonChecked(dialog, IDC_SEARCH_REGEX) == BST_CHECKED;
    state.down = IsDlgButtonChecked(dialog, IDC_SEARCH_DOWN) == BST_CHECKED;
    bool const matchCase = IsDlgButtonChecked(dialog, IDC_SEARCH_MATCH_CASE) == BST_CHECKED;
    if (matchCase != state.matchCase) {
        state.matchCase = matchCase;
        WriteSearchOptions(*context.settings, state);
    }
    return text;
}

void RememberInCombo(HWND dialog, int comboId, ProfileFile& settings, const char* section, const std::string& text)
{
    AddHistory(settings, text.c_str(), section, kHistoryCount);
    HWND combo = GetDlgItem(dialog, comboId);
    FillHistory(combo, settings, section, kHistoryCount);
    SetComboText(combo, text);
}

void ClearHistoryOnRequest(HWND dialog, int comboId, ProfileFile& settings, const char* section, int confirmNumber,
                           int doneNumber)
{
    if (ShowMessage(dialog, confirmNumber, MB_YESNO | MB_ICONQUESTION) == IDNO) return;
    ClearHistory(GetDlgItem(dialog, comboId), settings, section, kHistoryCount);
    ShowMessage(dialog, doneNumber, MB_ICONINFORMATION);
}
