// Replace all against two oracles on many small texts, patterns and replacements:
//   - the loop that finds from the caret, replaces the selection and finds again until
//     nothing is found, run through the same view (for patterns whose matches do not
//     depend on the text before them and are never empty, it must give the same text,
//     count, caret and marking);
//   - for every pattern, anchors and empty matches included, the single pass written out
//     plainly on the string: each match of the text as it was, replaced from the last to
//     the first with separate insertions.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ModelSearchView.h"
#include "search/FindReplace.h"

namespace {

void SetSearch(SearchState& state, std::string const& text, bool regular)
{
    std::memset(state.text, 0, sizeof state.text);
    text.copy(state.text, sizeof state.text - 1);
    state.regularExpression = regular;
    state.down = true;
}

// Find from the top, then replace the selection and find again, until nothing is found.
int LoopReplaceAll(SearchState& state, SearchView const& view, char const* replacement)
{
    view.moveCaretToTop(view.context);
    if (!FindNext(state, view, 0)) return 0;
    int count = 1;
    // A loop that never ends (a match the view cannot select) shows as a count of -1.
    while (count < 1000) {
        if (view.selectionRange(view.context, nullptr, nullptr) == -1) view.insertText(view.context, replacement);
        if (!FindNext(state, view, 0)) return count;
        ++count;
    }
    return -1;
}

bool Inside(std::string const& text, std::size_t at)
{
    return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n';
}

struct Expected {
    std::string text;
    int count = 0;
    int caret = 0;  // 0-based in the CR LF text
};

// The single pass with the terminated search of the engine, on a model of its own.
Expected SinglePass(std::string const& text, std::string const& pattern, bool regular, std::string const& with)
{
    CKRegExp regex;
    regex.Read(pattern.c_str(), regular);
    struct Range {
        std::size_t start, end;
    };
    std::vector<Range> ranges;
    std::size_t from = 0;
    while (from <= text.size()) {
        int at = regex.Find(text.c_str(), static_cast<int>(from), false);
        if (at < 0) break;
        std::size_t start = static_cast<std::size_t>(at), end = start + std::strlen(regex.GetHitText());
        Range range{start, end};
        if (start == end) {
            if (Inside(text, start)) range.start = range.end = start - 1;
        } else {
            if (Inside(text, start)) --range.start;
            if (Inside(text, end)) ++range.end;
        }
        ranges.push_back(range);
        from = end == start ? end + (end < text.size() && (static_cast<unsigned char>(text[end]) >= 0x81) ? 2 : 1) : end;
        if (Inside(text, from)) ++from;
    }
    ModelSearchView model(text);
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        model.model.SelectRange(static_cast<int>(it->start) + 1, static_cast<int>(it->end) + 1);
        model.model.InsertText(with);
    }
    Expected expected;
    expected.text = model.Text();
    expected.count = static_cast<int>(ranges.size());
    expected.caret = ranges.empty() ? 0 : static_cast<int>(expected.text.size() - (text.size() - ranges.back().end));
    return expected;
}

std::string RandomText(std::mt19937& rng)
{
    static char const* const pieces[] = {"a", "b", "ab", " ", "\x93\x8c", "\r\n", "\r\n", "A", "\x81\x40"};
    std::string text;
    int length = static_cast<int>(rng() % 12);
    for (int i = 0; i < length; ++i) text += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    return text;
}

char const* const kReplacements[] = {"", "x", "a", "ab", "\x93\x8c\x93\x8c", "\r\n", "\n", "\r", "\n\r"};

struct Pattern {
    char const* text;
    bool regular;
};

TEST(ReplaceAllOracle, MatchesTheRepeatedFindLoopWithoutAnchorsOrEmptyMatches)
{
    Pattern const patterns[] = {
        {"a", false},    {"ab", false},    {"\x93\x8c", false}, {"b+", true},   {"a\\s", true},     {"\\s", true},
        {"[^a]", true},  {"\x93\x8c.", true}, {"a|b ", true},  {"[ab]{2}", true}, {"(?i)a", true},  {"b\\r", true},
        {"\\n", true},   {"\\s+", true},   {"\\r\\n?a", true},  {"[^b]+", true}, {" \\S", true},     {"a\\r|\\nb", true},
    };
    std::mt19937 rng(14);
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        std::string const text = RandomText(rng);
        for (auto const& pattern : patterns) {
            char const* with = kReplacements[rng() % (sizeof kReplacements / sizeof *kReplacements)];
            ModelSearchView loop(text), pass(text);
            SearchState loopState, passState;
            SetSearch(loopState, pattern.text, pattern.regular);
            SetSearch(passState, pattern.text, pattern.regular);
            int loopCount = LoopReplaceAll(loopState, loop.view, with);
            int passCount = ReplaceAll(passState, pass.view, with);
            std::string const where = "pattern '" + std::string(pattern.text) + "' in '" + text + "' with '" + with + "'";
            ASSERT_EQ(passCount, loopCount) << where;
            ASSERT_EQ(pass.Text(), loop.Text()) << where;
            ASSERT_EQ(pass.Selection(), loop.Selection()) << where;
            ASSERT_EQ(pass.model.HighlightText(), loop.model.HighlightText()) << where;
            if (passCount > 0) {
                ASSERT_TRUE(pass.model.Undo());
                ASSERT_EQ(pass.Text(), text) << "one undo: " << where;
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 300 * static_cast<int>(sizeof patterns / sizeof *patterns));
}

TEST(ReplaceAllOracle, FollowsTheSinglePassWithAnchorsAndEmptyMatches)
{
    Pattern const patterns[] = {
        {"^", true},     {"$", true},      {"^a", true},    {"a$", true},    {"\\b", true},   {"\\ba", true},
        {"\\B", true},   {"\\A", true},    {"\\z", true},   {"x*", true},    {"a*", true},    {"\\s*", true},
        {"\\n?", true},  {"b?$", true},    {"(?:a|)", true}, {"\\r?", true}, {"[^a]*", true}, {"\\s", true},
    };
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string const text = RandomText(rng);
        for (auto const& pattern : patterns) {
            std::string const with = kReplacements[rng() % (sizeof kReplacements / sizeof *kReplacements)];
            Expected const expected = SinglePass(text, pattern.text, pattern.regular, with);
            ModelSearchView v(text);
            SearchState state;
            SetSearch(state, pattern.text, pattern.regular);
            std::string const where = "pattern '" + std::string(pattern.text) + "' in '" + text + "' with '" + with + "'";
            ASSERT_EQ(ReplaceAll(state, v.view, with.c_str()), expected.count) << where;
            ASSERT_EQ(v.Text(), expected.text) << where;
            ASSERT_EQ(v.Selection(), std::make_pair(expected.caret, expected.caret)) << where;
        }
    }
}

}  // namespace
