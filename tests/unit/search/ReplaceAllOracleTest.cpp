// Replace all on many small texts against two oracles: the single pass written out plainly
// on the string (each match of the text as it was, replaced from the last to the first),
// and, for patterns whose matches never depend on the text before them and are never
// empty, the loop that finds, replaces the selection and finds again through the view.
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
    bool loop;  // matches never depend on the text before them and are never empty
};

TEST(ReplaceAllOracle, FollowsTheSinglePassAndTheRepeatedFindLoop)
{
    Pattern const patterns[] = {
        {"a", false, true},    {"ab", false, true},   {"\x93\x8c", false, true}, {"b+", true, true},
        {"a\\s", true, true},   {"\\s", true, true},    {"[^a]", true, true},      {"\x93\x8c.", true, true},
        {"a|b ", true, true},  {"[ab]{2}", true, true}, {"(?i)a", true, true},    {"b\\r", true, true},
        {"\\n", true, true},    {"\\s+", true, true},   {"\\r\\n?a", true, true},   {"[^b]+", true, true},
        {" \\S", true, true},   {"a\\r|\\nb", true, true}, {"^", true, false},       {"$", true, false},
        {"^a", true, false},   {"a$", true, false},   {"\\b", true, false},      {"\\ba", true, false},
        {"\\B", true, false},   {"\\A", true, false},   {"\\z", true, false},      {"x*", true, false},
        {"a*", true, false},   {"\\s*", true, false},  {"\\n?", true, false},     {"b?$", true, false},
        {"(?:a|)", true, false}, {"\\r?", true, false}, {"[^a]*", true, false},
    };
    std::mt19937 rng(14);
    for (int round = 0; round < 300; ++round) {
        std::string const text = RandomText(rng);
        for (auto const& pattern : patterns) {
            char const* with = kReplacements[rng() % (sizeof kReplacements / sizeof *kReplacements)];
            std::string const where = "pattern '" + std::string(pattern.text) + "' in '" + text + "' with '" + with + "'";
            Expected const expected = SinglePass(text, pattern.text, pattern.regular, with);
            ModelSearchView pass(text);
            SearchState passState;
            SetSearch(passState, pattern.text, pattern.regular);
            int const passCount = ReplaceAll(passState, pass.view, with);
            ASSERT_EQ(passCount, expected.count) << where;
            ASSERT_EQ(pass.Text(), expected.text) << where;
            ASSERT_EQ(pass.Selection(), std::make_pair(expected.caret, expected.caret)) << where;
            if (!pattern.loop) continue;
            ModelSearchView loop(text);
            SearchState loopState;
            SetSearch(loopState, pattern.text, pattern.regular);
            ASSERT_EQ(LoopReplaceAll(loopState, loop.view, with), passCount) << where;
            ASSERT_EQ(loop.Text(), expected.text) << where;
            ASSERT_EQ(loop.Selection(), std::make_pair(expected.caret, expected.caret)) << where;
            ASSERT_EQ(pass.model.HighlightText(), loop.model.HighlightText()) << where;
            if (passCount > 0) {
                ASSERT_TRUE(pass.model.Undo());
                ASSERT_EQ(pass.Text(), text) << "one undo: " << where;
            }
        }
    }
}

}  // namespace
