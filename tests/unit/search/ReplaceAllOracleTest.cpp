// Replace all on many small texts against the single pass written out plainly on the
// string: each match of the text as it was, replaced from the last to the first.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ModelSearchView.h"
#include "search/FindReplace.h"

namespace {

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
    std::vector<std::pair<std::size_t, std::size_t>> ranges;  // start, end
    std::size_t from = 0;
    while (from <= text.size()) {
        int at = regex.Find(text.c_str(), static_cast<int>(from), false);
        if (at < 0) break;
        std::size_t start = static_cast<std::size_t>(at), end = start + std::strlen(regex.GetHitText());
        std::size_t const first = start - (Inside(text, start) ? 1 : 0);  // an empty match stays empty
        ranges.emplace_back(first, start == end ? first : end + (Inside(text, end) ? 1 : 0));
        from = end == start ? end + (end < text.size() && (static_cast<unsigned char>(text[end]) >= 0x81) ? 2 : 1) : end;
        if (Inside(text, from)) ++from;
    }
    ModelSearchView model(text);
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        model.model.SelectRange(static_cast<int>(it->first) + 1, static_cast<int>(it->second) + 1);
        model.model.InsertText(with);
    }
    std::string const result = model.Text();
    int const caret = ranges.empty() ? 0 : static_cast<int>(result.size() - (text.size() - ranges.back().second));
    return {result, static_cast<int>(ranges.size()), caret};
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

TEST(ReplaceAllOracle, FollowsTheSinglePassAndOneUndoTakesItBack)
{
    struct {
        char const* text;
        bool regular;
    } const patterns[] = {
        {"a", false},      {"ab", false},     {"\x93\x8c", false}, {"b+", true},     {"a\\s", true},
        {"\\s", true},     {"[^a]", true},    {"\x93\x8c.", true},  {"a|b ", true},   {"[ab]{2}", true},
        {"(?i)a", true},   {"b\\r", true},    {"\\n", true},       {"\\s+", true},   {"\\r\\n?a", true},
        {"[^b]+", true},   {" \\S", true},    {"a\\r|\\nb", true},  {"^", true},      {"$", true},
        {"^a", true},      {"a$", true},      {"\\b", true},       {"\\ba", true},   {"\\B", true},
        {"\\A", true},     {"\\z", true},     {"x*", true},        {"a*", true},     {"\\s*", true},
        {"\\n?", true},    {"b?$", true},     {"(?:a|)", true},    {"\\r?", true},   {"[^a]*", true},
    };
    std::mt19937 rng(14);
    for (int round = 0; round < 300; ++round) {
        std::string const text = RandomText(rng);
        for (auto const& pattern : patterns) {
            char const* with = kReplacements[rng() % (sizeof kReplacements / sizeof *kReplacements)];
            std::string const where = "pattern '" + std::string(pattern.text) + "' in '" + text + "' with '" + with + "'";
            Expected const expected = SinglePass(text, pattern.text, pattern.regular, with);
            ModelSearchView pass(text);
            SearchState state;
            std::strcpy(state.text, pattern.text);
            state.regularExpression = pattern.regular;
            // Replace all goes down from the top whatever the direction and the caret say.
            state.down = round % 2 == 0;
            pass.model.SelectRange(1, static_cast<int>(pass.model.GetTextLength()) + 1);
            int const count = ReplaceAll(state, pass.view, with);
            ASSERT_EQ(count, expected.count) << where;
            ASSERT_EQ(pass.Text(), expected.text) << where;
            ASSERT_EQ(pass.Selection(), std::make_pair(expected.caret, expected.caret)) << where;
            ASSERT_EQ(pass.model.HighlightText(), pattern.regular ? "" : pattern.text) << where;
            if (pass.Text() != text) {
                ASSERT_TRUE(pass.model.Undo());
                ASSERT_EQ(pass.Text(), text) << "one undo: " << where;
                ASSERT_FALSE(pass.model.CanUndo()) << where;
            }
        }
    }
}

}  // namespace
