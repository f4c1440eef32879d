// Find next, F3 and Shift+F3, replace and replace all on a text model, as the program runs
// them on the current view.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ModelSearchView.h"
#include "search/FindReplace.h"
#include "search/PatternError.h"

namespace {

void SetSearch(SearchState& state, char const* text, bool regular = false, bool down = true, bool wrap = false)
{
    std::strncpy(state.text, text, sizeof state.text - 1);
    state.regularExpression = regular;
    state.down = down;
    state.wrap = wrap;
}

using Range = std::pair<int, int>;

// Runs the steps ('f' find next with the default sound, 'd' F3, 'u' Shift+F3) and gives
// the selection after each, or "-" when nothing was found.
std::string Walk(ModelSearchView& v, SearchState& state, const char* steps)
{
    std::string seen;
    for (const char* step = steps; *step; ++step) {
        bool found = *step == 'f' ? FindNext(state, v.view, -1)
                                  : *step == 'd' ? FindNextDown(state, v.view) : FindNextUp(state, v.view);
        auto [start, end] = v.Selection();
        seen += (seen.empty() ? "" : " ") + (found ? std::to_string(start) + "-" + std::to_string(end) : "-");
    }
    return seen;
}

TEST(FindNext, RepeatedDownwardAndUpwardSearchesVisitEveryMatchInTurn)
{
    ModelSearchView v("ab xab\r\nab");
    SearchState state;
    SetSearch(state, "ab");
    // Nothing found leaves the selection; upward starts before the selected match.
    EXPECT_EQ(Walk(v, state, "fdddudu"), "0-2 4-6 8-10 - 4-6 8-10 4-6");
    EXPECT_EQ(Walk(v, state, "uu"), "0-2 -");
    EXPECT_EQ(v.Selection(), Range(0, 2));
    EXPECT_EQ(v.beeps, (std::vector<int>{0, 0})) << "F3 and Shift+F3 give the default sound";
}

TEST(FindNext, UpwardVisitsEveryMatchSoundsAsAskedAndReplacesNeverReplaceAReplacementAgain)
{
    // 東京 in Shift_JIS: 93 8C 8B 9E; 東京都 adds 93 73.
    const std::string tokyo = "\x93\x8C\x8B\x9E", tokyoTo = tokyo + "\x93\x73";
    const std::string text = tokyo + " a " + tokyo + "\r\n" + tokyo;
    const int end = static_cast<int>(text.size()) + 1;
    ModelSearchView v(text);
    SearchState state;
    SetSearch(state, tokyo.c_str(), false, false);
    v.model.SelectRange(end, end);
    EXPECT_EQ(Walk(v, state, "ffff"), "13-17 7-11 0-4 -");
    EXPECT_FALSE(FindNext(state, v.view, 0));
    EXPECT_EQ(v.beeps, std::vector<int>{-1}) << "silence when asked for none";
    // Replace from the end upward, as the dialog's button does: select, then replace.
    v.model.SelectRange(end, end);
    ASSERT_TRUE(FindNext(state, v.view, -1));
    while (ReplaceCurrent(state, v.view, tokyoTo.c_str())) {
    }
    EXPECT_EQ(v.Text(), tokyoTo + " a " + tokyoTo + "\r\n" + tokyoTo);
}

TEST(FindNext, F3KeepsTheLastPatternAndMarking)
{
    ModelSearchView v("abc abc");
    SearchState state;
    SetSearch(state, "abc");
    FindNext(state, v.view, 0);
    int calls = v.highlightCalls;
    FindNextDown(state, v.view);
    FindNextUp(state, v.view);
    EXPECT_EQ(v.highlightCalls, calls);
    // F3 uses the pattern of the last find, not a text the dialog set without a search.
    SetSearch(state, "bc");
    v.model.SelectRange(1, 1);
    ASSERT_TRUE(FindNextDown(state, v.view));
    EXPECT_EQ(v.Selection(), Range(0, 3));
}

TEST(FindNext, ABadPatternIsReportedWithItsPositionAndSearchesNothing)
{
    ModelSearchView v("ab(c");
    SearchState state;
    SetSearch(state, "\x93\x8c\x8b\x9e(c", true);  // two kanji, then an unclosed group
    EXPECT_FALSE(FindNext(state, v.view, -1));
    ASSERT_EQ(v.badPatterns.size(), 1u);
    EXPECT_EQ(v.badPatterns[0].first, PatternErrorMessage(REGEXP_MISSING_PAREN));
    EXPECT_EQ(v.badPatterns[0].second, PatternErrorPosition(state.text, state.regex->GetErrorOffset()));
    EXPECT_TRUE(v.beeps.empty()) << "reported, not sounded as not found";
    EXPECT_FALSE(FindNextDown(state, v.view));
    EXPECT_EQ(v.badPatterns.size(), 2u) << "F3 reports it again";
    EXPECT_EQ(ReplaceAll(state, v.view, "x"), -1);
    EXPECT_EQ(v.Text(), "ab(c");
}

TEST(PatternError, EveryErrorHasItsOwnMessageAndPositionsCountCharacters)
{
    for (int error = REGEXP_TRAILING_BACKSLASH; error <= REGEXP_TOO_LARGE; ++error) {
        EXPECT_EQ(PatternErrorMessage(error), 35 + error - 1);
        EXPECT_LT(PatternErrorMessage(error), kUnknownPatternErrorMessage);
    }
    EXPECT_EQ(PatternErrorMessage(99), kUnknownPatternErrorMessage);
    char const pattern[] = "\x93\x8c" "a\x8b\x9e";  // kanji, a, kanji
    for (auto [offset, position] : {Range(0, 1), Range(2, 2), Range(3, 3), Range(5, 4), Range(500, 4)})
        EXPECT_EQ(PatternErrorPosition(pattern, static_cast<std::size_t>(offset)), position) << offset;
    EXPECT_EQ(PatternErrorPosition(nullptr, 3), 1);
}

TEST(FindNext, AMatchEndingOnTheCrSelectsTheWholeLineBreakAndEmptyMatchesMoveOn)
{
    ModelSearchView v("a \r\nb\r\n");
    SearchState state;
    SetSearch(state, "\\s", true);
    EXPECT_EQ(Walk(v, state, "fddd"), "1-2 2-4 5-7 -");
    // Upward, a match starting on the LF takes its CR too.
    SetSearch(state, "\\nb", true, false);
    v.model.SelectRange(8, 8);
    EXPECT_EQ(Walk(v, state, "f"), "2-5");
    ModelSearchView empty("ab");
    SetSearch(state, "x*", true);
    EXPECT_EQ(Walk(empty, state, "fdd"), "1-1 2-2 -");
}

TEST(ReplaceCurrent, WithNothingSelectedOnlyFindsThenReplacesTheSelectedMatch)
{
    ModelSearchView v("cat dog cat");
    SearchState state;
    SetSearch(state, "cat");
    ASSERT_TRUE(ReplaceCurrent(state, v.view, "cow"));
    EXPECT_EQ(v.Text() + " " + std::to_string(v.Selection().first), "cat dog cat 0");
    ASSERT_TRUE(ReplaceCurrent(state, v.view, "cow"));
    EXPECT_EQ(v.Text() + " " + std::to_string(v.Selection().first), "cow dog cat 8");
    EXPECT_FALSE(ReplaceCurrent(state, v.view, "cow"));
    EXPECT_EQ(v.Text(), "cow dog cow");
    EXPECT_TRUE(v.beeps.empty()) << "the replace dialog finds without a sound";
}

TEST(ReplaceAll, KeepsZeroBytesBetweenMatchesAndAWriteProtectedViewReplacesNothing)
{
    ModelSearchView v(std::string("a\0b\r\na", 6));
    SearchState state;
    SetSearch(state, "a");
    EXPECT_EQ(ReplaceAll(state, v.view, "\x93\x8c"), 2);
    EXPECT_EQ(v.Text(), std::string("\x93\x8c\0b\r\n\x93\x8c", 8));
    v.model.SetEditable(false);
    SetSearch(state, "b");
    EXPECT_EQ(ReplaceAll(state, v.view, "c"), 0);
    EXPECT_EQ(v.Text(), std::string("\x93\x8c\0b\r\n\x93\x8c", 8));
}

}  // namespace

TEST(ReplaceAll, ExpandsGroupsForEachMatchAndLiteralReplacementsStandAsWritten)
{
    // 2024年12月 / 1999年1月 in Shift_JIS: 年 = 94 4E, 月 = 8C 8E.
    const std::string text = "2024\x94\x4E" "12\x8C\x8E\r\n1999\x94\x4E" "1\x8C\x8E";
    ModelSearchView v(text);
    SearchState state;
    SetSearch(state, "(\\d+)\x94\x4E(\\d+)\x8C\x8E", true);
    EXPECT_EQ(ReplaceAll(state, v.view, "$2/\\1\\n"), 2);
    EXPECT_EQ(v.Text(), "12/2024\r\n\r\n1/1999\r\n");
    SetSearch(state, "/", false);
    EXPECT_EQ(ReplaceAll(state, v.view, "$1\\n"), 2);
    EXPECT_EQ(v.Text(), "12$1\\n2024\r\n\r\n1$1\\n1999\r\n");
}

TEST(ReplaceCurrent, ExpandsTheSelectedMatchOrTheSelectionAsAWholeMatch)
{
    ModelSearchView v("ab ab cd");
    SearchState state;
    SetSearch(state, "(a)(b)", true);
    v.model.SelectRange(1, 3);
    EXPECT_TRUE(ReplaceCurrent(state, v.view, "$2$1"));
    EXPECT_EQ(v.Text(), "ba ab cd");
    v.model.SelectRange(7, 9);  // "cd" is no match: the whole of it is \0, its groups empty
    ReplaceCurrent(state, v.view, "[\\0$1]");
    EXPECT_EQ(v.Text(), "ba ab [cd]");
}

TEST(FindNext, WrapsOnceFromTheOtherEndInEitherLetterCaseAndSaysSoOrThatNothingWasFound)
{
    ModelSearchView v("Ab x ab");
    SearchState state;
    SetSearch(state, "ab", false, true, true);
    state.matchCase = false;
    EXPECT_EQ(Walk(v, state, "fdd"), "0-2 5-7 0-2");
    SetSearch(state, "ab", false, false, true);
    EXPECT_EQ(Walk(v, state, "ff"), "5-7 0-2");  // upward from before the selection
    SetSearch(state, "abc", false, true, true);
    EXPECT_EQ(Walk(v, state, "f"), "-");
    using N = SearchNotice;
    EXPECT_EQ(v.notices, (std::vector<std::pair<N, std::string>>{{N::WrappedToTop, "ab"}, {N::WrappedToBottom, "ab"},
                                                                  {N::NotFound, "abc"}}));
}

TEST(ReplaceAll, InTheSelectionTreatsItAsTheWholeTextAndSelectsTheResultAndCountsAlike)
{
    ModelSearchView v("ab ab ab ab");
    SearchState state;
    SetSearch(state, "^ab|ab$", true);
    v.model.SelectRange(4, 9);  // "ab ab"
    EXPECT_EQ(CountMatches(state, v.view, true) * 10 + CountMatches(state, v.view), 22);
    EXPECT_EQ(ReplaceAll(state, v.view, "xyz", true), 2);
    EXPECT_EQ(v.Text(), "ab xyz xyz ab");
    EXPECT_EQ(v.Selection(), std::make_pair(3, 10));
    v.model.SelectRange(1, 1);
    EXPECT_EQ(ReplaceAll(state, v.view, "xyz", true), 0) << "nothing selected";
}

TEST(SearchTextFromSelection, EscapesOperatorsOnlyForRegularExpressionsAndRefusesLineBreaks)
{
    EXPECT_EQ(SearchTextFromSelection("a.b(\x83\x5C)*", false), "a.b(\x83\x5C)*");
    EXPECT_EQ(SearchTextFromSelection("a.b(\x83\x5C)*\\[x]{2}+?^$|", true),
              "a\\.b\\(\x83\x5C\\)\\*\\\\\\[x\\]\\{2\\}\\+\\?\\^\\$\\|");
    EXPECT_EQ(SearchTextFromSelection("a\r\nb", false), "");
    EXPECT_EQ(SearchTextFromSelection(std::string(1024, 'a'), false), "");
}

TEST(MarkAllMatches, MarksRegularMatchesWholeOverLineBreaksAndNoEmptyOnes)
{
    ModelSearchView v("ab\r\nAB x");
    SearchState state;
    SetSearch(state, "(?i)b\\s?|x*", true);
    EXPECT_EQ(MarkAllMatches(state, v.view), 6);  // "b\r" with its LF, "B ", and four empty ones
    EXPECT_EQ(v.marks, (std::vector<Range>{{2, 5}, {6, 8}, {8, 9}}));
}
