// The find and replace dialogs driven by messages on a real view: their fresh state, the
// histories in their combo boxes, the buttons and the messages they show; F3 and the
// commands through the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../../unit/support/TempFolder.h"
#include "../support/ModalRecorder.h"
#include "../textcontrol/ViewTestSupport.h"
#include "resources/resource.h"
#include "search/SearchHistory.h"
#include "search/win32/SearchDialogs.h"

namespace {

// What a script saw of a dialog, and what it does next; the script runs inside the
// dialog's own loop, so it reaches the test through these.
struct Seen {
    bool downTicked = false, upTicked = false, regexTicked = false, replaceEnabled = true, matchCaseEnabled = true;
    std::wstring field;
    std::vector<std::wstring> list, replaceList;
    HWND dialog = nullptr;
};
Seen seen;
std::vector<std::wstring> script;  // steps: "text:...", "with:...", "click:<id>", "regex", "look", ...

std::vector<std::wstring> ComboList(HWND combo)
{
    std::vector<std::wstring> items;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

void Click(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Look(HWND dialog)
{
    seen.dialog = dialog;
    seen.downTicked = IsDlgButtonChecked(dialog, IDC_SEARCH_DOWN) == BST_CHECKED;
    seen.upTicked = IsDlgButtonChecked(dialog, IDC_SEARCH_UP) == BST_CHECKED;
    seen.regexTicked = IsDlgButtonChecked(dialog, IDC_SEARCH_REGEX) == BST_CHECKED;
    wchar_t field[256] = {};
    GetDlgItemTextW(dialog, IDC_SEARCH_TEXT, field, 256);
    seen.field = field;
    seen.list = ComboList(GetDlgItem(dialog, IDC_SEARCH_TEXT));
    if (HWND with = GetDlgItem(dialog, IDC_REPLACE_TEXT)) seen.replaceList = ComboList(with);
    if (HWND one = GetDlgItem(dialog, IDC_REPLACE_ONE)) seen.replaceEnabled = IsWindowEnabled(one) != FALSE;
    if (HWND matchCase = GetDlgItem(dialog, IDC_REPLACE_MATCH_CASE))
        seen.matchCaseEnabled = IsWindowEnabled(matchCase) != FALSE;
}

void RunScript(HWND dialog)
{
    Look(dialog);
    for (std::wstring const& step : script) {
        if (step.rfind(L"text:", 0) == 0) SetDlgItemTextW(dialog, IDC_SEARCH_TEXT, step.c_str() + 5);
        if (step.rfind(L"with:", 0) == 0) SetDlgItemTextW(dialog, IDC_REPLACE_TEXT, step.c_str() + 5);
        if (step == L"regex") CheckDlgButton(dialog, IDC_SEARCH_REGEX, BST_CHECKED);
        if (step == L"plain") CheckDlgButton(dialog, IDC_SEARCH_REGEX, BST_UNCHECKED);
        if (step == L"up") CheckRadioButton(dialog, IDC_SEARCH_UP, IDC_SEARCH_DOWN, IDC_SEARCH_UP);
        if (step.rfind(L"click:", 0) == 0) Click(dialog, std::stoi(step.substr(6)));
        if (step == L"look") Look(dialog);
    }
}

class SearchDialogsTest : public ::testing::Test {
protected:
    viewtest::ViewFixture view;
    TempFolder folder;
    ProfileFile settings{};
    SearchState state;
    ModalRecorder modal;
    SearchContext context;

    void SetUp() override
    {
        OpenProfile(settings, folder.File("kvte.ini").c_str(), "main");
        context = SearchContext{&state, &settings, view.id(), view.parent(), GetModuleHandleW(nullptr)};
        modal.realDialogs = {IDD_FIND, IDD_REPLACE};
        modal.dialogScript = &RunScript;
        seen = Seen();
        script.clear();
    }
    std::string Selected()
    {
        int start = 0, end = 0;
        GetSelectionRange(view.id(), &start, &end);
        return view.Text().substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start));
    }
    int SelectionStart()
    {
        int start = 0;
        GetSelectionRange(view.id(), &start, nullptr);
        return start;
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (auto const& message : modal.shown) numbers.push_back(message.number);
        return numbers;
    }
};

TEST_F(SearchDialogsTest, TheFindDialogOpensFreshShowsTheHistoryAndSearchesAtOnce)
{
    AddHistory(settings, "older", kFindHistory, kHistoryCount);
    AddHistory(settings, "\x93\x8c\x8b\x9e", kFindHistory, kHistoryCount);  // 東京
    std::strcpy(state.text, "last");
    state.down = false;
    state.regularExpression = true;  // the last search was upward and regular
    ASSERT_EQ(1, SetText(view.id(), "ab \x93\x8c\x8b\x9e ab \x93\x8c\x8b\x9e"));
    script = {L"text:東京", L"click:1"};
    ShowFindDialog(context);
    EXPECT_TRUE(seen.downTicked);
    EXPECT_FALSE(seen.upTicked);
    EXPECT_FALSE(seen.regexTicked);
    EXPECT_EQ(seen.field, L"");
    EXPECT_EQ(seen.list, (std::vector<std::wstring>{L"東京", L"older"}));
    EXPECT_STREQ(state.text, "\x93\x8c\x8b\x9e");
    EXPECT_TRUE(state.down);
    EXPECT_FALSE(state.regularExpression);
    EXPECT_EQ(SelectionStart(), 4);
    EXPECT_EQ(ReadHistory(settings, kFindHistory, kHistoryCount),
              (std::vector<std::string>{"\x93\x8c\x8b\x9e", "older"}));
    // F3 finds the next one; Shift+F3 goes back before it.
    FindNextDownCommand(context);
    EXPECT_EQ(SelectionStart(), 12);
    FindNextUpCommand(context);
    EXPECT_EQ(SelectionStart(), 4);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(SearchDialogsTest, CancelSearchesNothingAndUpwardSearchesFromTheCaret)
{
    ASSERT_EQ(1, SetText(view.id(), "xa xa"));
    script = {L"text:xa", L"click:2"};
    ShowFindDialog(context);
    EXPECT_EQ(0, GetSelectionRange(view.id(), nullptr, nullptr));
    EXPECT_STREQ(state.text, "");
    SelectRange(view.id(), 6, 6);
    script = {L"text:x.", L"regex", L"up", L"click:1"};
    ShowFindDialog(context);
    EXPECT_EQ(SelectionStart(), 4);
    EXPECT_TRUE(state.regularExpression);
    EXPECT_FALSE(state.down);
}

TEST_F(SearchDialogsTest, ClearingTheHistoryAsksFirstAndEmptiesTheList)
{
    AddHistory(settings, "one", kFindHistory, kHistoryCount);
    modal.answers = {IDNO};
    script = {L"click:1000", L"look", L"click:2"};
    ShowFindDialog(context);
    EXPECT_EQ(Numbers(), std::vector<int>{IDS_MSG_CONFIRM_CLEAR_FIND_HISTORY});
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(seen.list, std::vector<std::wstring>{L"one"});
    modal.shown.clear();
    modal.answers = {IDYES};
    ShowFindDialog(context);
    EXPECT_EQ(Numbers(), (std::vector<int>{IDS_MSG_CONFIRM_CLEAR_FIND_HISTORY, IDS_MSG_FIND_HISTORY_CLEARED}));
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_TRUE(seen.list.empty());
    EXPECT_TRUE(ReadHistory(settings, kFindHistory, kHistoryCount).empty());
}

TEST_F(SearchDialogsTest, F3WithoutASearchTextOpensTheFindDialog)
{
    ASSERT_EQ(1, SetText(view.id(), "abc abc"));
    modal.realDialogs.clear();
    FindNextDownCommand(context);
    FindNextUpCommand(context);
    EXPECT_EQ(modal.dialogs, (std::vector<int>{IDD_FIND, IDD_FIND}));
    EXPECT_EQ(0, GetSelectionRange(view.id(), nullptr, nullptr));
}

TEST_F(SearchDialogsTest, ReplaceNeedsAFindFirstThenReplacesAndFindsTheNext)
{
    AddHistory(settings, "old with", kReplaceHistory, kHistoryCount);
    ASSERT_EQ(1, SetText(view.id(), "cat dog cat dog"));
    script = {L"look", L"with:cow", L"text:cat", L"click:1", L"click:1001", L"look", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_EQ(view.Text(), "cow dog cat dog");
    EXPECT_EQ(Selected(), "cat");
    EXPECT_TRUE(seen.replaceEnabled) << "enabled by the find";
    EXPECT_EQ(seen.list, std::vector<std::wstring>{L"cat"});
    EXPECT_EQ(seen.replaceList, (std::vector<std::wstring>{L"cow", L"old with"}));
    EXPECT_TRUE(modal.shown.empty()) << "no sound, no message";
    // A fresh dialog has the replace button disabled again.
    script = {L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_FALSE(seen.replaceEnabled);
    EXPECT_TRUE(seen.downTicked);
}

TEST_F(SearchDialogsTest, TheRegularExpressionBoxDisablesTheLetterCaseBox)
{
    script = {L"regex", L"click:1005", L"look", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_FALSE(seen.matchCaseEnabled);
    script = {L"regex", L"click:1005", L"plain", L"click:1005", L"look", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_TRUE(seen.matchCaseEnabled);
}

TEST_F(SearchDialogsTest, ReplaceAllAsksThenCountsInAMessageOwnedByTheDialog)
{
    ASSERT_EQ(1, SetText(view.id(), "a1 a2\r\na3"));
    SelectRange(view.id(), 9, 9);
    modal.answers = {IDNO};
    script = {L"text:a", L"with:bb", L"up", L"click:1019", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_EQ(view.Text(), "a1 a2\r\na3") << "No replaces nothing";
    modal.shown.clear();
    modal.answers = {IDYES};
    ShowReplaceDialog(context);
    EXPECT_EQ(view.Text(), "bb1 bb2\r\nbb3");
    ASSERT_EQ(Numbers(), (std::vector<int>{IDS_MSG_CONFIRM_REPLACE_ALL, IDS_MSG_REPLACE_ALL_DONE}));
    EXPECT_NE(modal.shown[1].text.find(L"全部で3箇所"), std::wstring::npos);
    EXPECT_EQ(modal.shown[1].owner, seen.dialog);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_TRUE(state.down) << "replace all goes down whatever the dialog shows";
    EXPECT_EQ(ReadHistory(settings, kReplaceHistory, kHistoryCount), std::vector<std::string>{"bb"});
    EXPECT_EQ(ReadHistory(settings, kFindHistory, kHistoryCount), std::vector<std::string>{"a"});
    Undo(view.id());
    EXPECT_EQ(view.Text(), "a1 a2\r\na3") << "one undo takes it all back";
    // No match: the count 0.
    modal.shown.clear();
    modal.answers = {IDYES};
    script = {L"text:zz", L"with:y", L"click:1019", L"click:2"};
    ShowReplaceDialog(context);
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_NE(modal.shown[1].text.find(L"全部で0箇所"), std::wstring::npos);
}

TEST_F(SearchDialogsTest, ABadPatternIsReportedWithItsPlaceInsteadOfACount)
{
    ASSERT_EQ(1, SetText(view.id(), "abc"));
    modal.answers = {IDYES};
    script = {L"text:東京(", L"regex", L"with:x", L"click:1019", L"click:2"};
    ShowReplaceDialog(context);
    ASSERT_EQ(Numbers(), (std::vector<int>{IDS_MSG_CONFIRM_REPLACE_ALL, IDS_PATTERN_MISSING_PAREN}));
    EXPECT_NE(modal.shown[1].text.find(L"3文字目"), std::wstring::npos);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONWARNING));
    modal.shown.clear();
    script = {L"text:a{2,1}", L"regex", L"click:1"};
    ShowFindDialog(context);
    ASSERT_EQ(Numbers(), std::vector<int>{IDS_PATTERN_BAD_REPEAT_COUNT});
    EXPECT_EQ(modal.shown[0].owner, view.parent());
}

}  // namespace
