// The find and replace dialogs on a real view, driven by a script run inside each dialog's
// loop: fresh state, history lists, buttons, messages. Finding itself is proved natively.
#include <windows.h>

#include <gtest/gtest.h>

#include "../../unit/support/TempFolder.h"
#include "../support/ModalRecorder.h"
#include "../textcontrol/ViewTestSupport.h"
#include "resources/resource.h"
#include "search/SearchHistory.h"
#include "search/win32/SearchDialogs.h"

namespace {

using Texts = std::vector<std::wstring>;

// What the script saw at its last "look" (the search lists at every look), and its steps:
// "text:...", "with:...", "click:<id>", "regex", "anycase", "up", "look".
struct Seen {
    bool down = false, regex = false, replaceEnabled = false, matchCaseEnabled = false;
    Texts replaceList;
    std::vector<Texts> lists;
    HWND dialog = nullptr;
} seen;
Texts script;

Texts ComboList(HWND combo)
{
    Texts items;
    for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

void Look(HWND dialog)
{
    seen.dialog = dialog;
    seen.down = IsDlgButtonChecked(dialog, IDC_SEARCH_DOWN) == BST_CHECKED;
    seen.regex = IsDlgButtonChecked(dialog, IDC_SEARCH_REGEX) == BST_CHECKED;
    seen.lists.push_back(ComboList(GetDlgItem(dialog, IDC_SEARCH_TEXT)));
    if (HWND with = GetDlgItem(dialog, IDC_REPLACE_TEXT)) seen.replaceList = ComboList(with);
    seen.replaceEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_REPLACE_ONE)) != FALSE;
    seen.matchCaseEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_SEARCH_MATCH_CASE)) != FALSE;
}

void RunScript(HWND dialog)
{
    Look(dialog);
    for (std::wstring const& step : script) {
        if (step.rfind(L"text:", 0) == 0) SetDlgItemTextW(dialog, IDC_SEARCH_TEXT, step.c_str() + 5);
        if (step.rfind(L"with:", 0) == 0) SetDlgItemTextW(dialog, IDC_REPLACE_TEXT, step.c_str() + 5);
        if (step == L"regex") CheckDlgButton(dialog, IDC_SEARCH_REGEX, BST_CHECKED);
        if (step == L"anycase") CheckDlgButton(dialog, IDC_SEARCH_MATCH_CASE, BST_UNCHECKED);
        if (step == L"up") CheckRadioButton(dialog, IDC_SEARCH_UP, IDC_SEARCH_DOWN, IDC_SEARCH_UP);
        if (step.rfind(L"click:", 0) == 0) SendMessageW(dialog, WM_COMMAND, std::stoi(step.substr(6)), 0);
        if (step == L"look") Look(dialog);
    }
}

struct SearchDialogsTest : testing::Test {
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
    state.down = false;
    state.regularExpression = true;  // the last search was upward and regular
    ASSERT_EQ(1, SetText(view.id(), "ab \x93\x8c\x8b\x9e ab \x93\x8c\x8b\x9e"));
    script = {L"text:東京", L"click:1"};
    ShowFindDialog(context);
    EXPECT_TRUE(seen.down);
    EXPECT_TRUE(seen.regex) << "kept from the last search";
    EXPECT_EQ(seen.lists, (std::vector<Texts>{{L"東京", L"older"}}));
    EXPECT_EQ(SelectionStart(), 4);
    EXPECT_EQ(ReadHistory(settings, kFindHistory, kHistoryCount), (std::vector<std::string>{"\x93\x8c\x8b\x9e", "older"}));
    FindNextDownCommand(context);  // F3
    EXPECT_EQ(SelectionStart(), 12);
}

TEST_F(SearchDialogsTest, ReplaceFindsFirstAndReplaceAllReportsInAMessageOwnedByTheDialog)
{
    AddHistory(settings, "old with", kReplaceHistory, kHistoryCount);
    ASSERT_EQ(1, SetText(view.id(), "cat dog cat"));
    script = {L"with:cow", L"text:cat", L"click:1", L"click:1001", L"regex", L"click:1005", L"look", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_EQ(view.Text(), "cow dog cat");
    EXPECT_EQ(SelectionStart(), 9);
    EXPECT_TRUE(seen.replaceEnabled) << "enabled by the find";
    EXPECT_TRUE(seen.matchCaseEnabled) << "letter case counts for regular expressions too";
    EXPECT_EQ(seen.replaceList, (Texts{L"cow", L"old with"}));
    modal.answers = {IDYES};
    script = {L"text:c", L"with:bb", L"up", L"click:1019", L"click:2"};
    ShowReplaceDialog(context);
    EXPECT_EQ(view.Text(), "bbow dog bbat");
    ASSERT_EQ(Numbers(), (std::vector<int>{IDS_MSG_CONFIRM_REPLACE_ALL, IDS_MSG_REPLACE_ALL_DONE}));
    EXPECT_NE(modal.shown[1].text.find(L"全部で2箇所"), std::wstring::npos);
    EXPECT_EQ(modal.shown[1].owner, seen.dialog);
    // A bad pattern is reported with its place instead of a count.
    modal.shown.clear();
    modal.answers = {IDYES};
    script = {L"text:東京(", L"regex", L"with:x", L"click:1019", L"click:2"};
    ShowReplaceDialog(context);
    ASSERT_EQ(Numbers(), (std::vector<int>{IDS_MSG_CONFIRM_REPLACE_ALL, IDS_PATTERN_MISSING_PAREN}));
    EXPECT_NE(modal.shown[1].text.find(L"3文字目"), std::wstring::npos);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONWARNING));
}

TEST_F(SearchDialogsTest, AnyLetterCaseFindsEitherAndTheBoxIsKept)
{
    ASSERT_EQ(1, SetText(view.id(), "abc ABC"));
    script = {L"text:ABC", L"anycase", L"click:1"};
    ShowFindDialog(context);
    EXPECT_EQ(SelectionStart(), 1);
    EXPECT_FALSE(state.matchCase);
}

}  // namespace
