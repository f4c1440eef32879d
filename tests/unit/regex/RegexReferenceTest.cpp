// Every engine path of CKRegExp (literal search, lazy DFA plus Pike VM, the backward
// scan), in the zero-terminated and the counted form, against the slow reference matcher:
// forward and backward from every position of small texts, for chosen and random patterns.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ReferenceMatcher.h"
#include "RegexTestSupport.h"
#include "regex/RegexSyntax.h"

using namespace regextest;

namespace {

// The match and, after it, the span of each of groups 1-9 that took part.
std::string Describe(std::optional<reference::Match> m, std::vector<std::size_t> const& groups)
{
    std::string out = m ? std::to_string(m->start) + "+" + std::to_string(m->end - m->start) : "-1";
    for (std::size_t n = 1; m && n < 10; ++n)
        if (groups[2 * n] != std::string_view::npos)
            out += " " + std::to_string(n) + ":" + std::to_string(groups[2 * n]) + "-" + std::to_string(groups[2 * n + 1]);
    return out;
}

std::string Describe(int offset, CKRegExp& regex, char const* text, std::size_t length)
{
    RegExpGroups groups;
    bool const found = regex.GetGroups(text, length, groups);
    if (found != (offset >= 0) || (found && groups.start[0] != static_cast<std::size_t>(offset))) return "bad group 0";
    std::vector<std::size_t> slots(20, std::string_view::npos);
    for (int n = 1; n < 10; ++n)
        if (groups.Matched(n)) slots[2 * n] = groups.start[n], slots[2 * n + 1] = groups.end[n];
    std::optional<reference::Match> m;
    if (offset >= 0) m = reference::Match{groups.start[0], groups.end[0]};
    return Describe(m, slots);
}

// Checks Find at every position 0..size+1 in both directions, and the counted form (whose
// text is given without its terminator); false on the first mismatch. pattern and text
// are InternalText.
bool AgreesEverywhere(std::string const& pattern, std::string const& text, bool regular = true,
                       bool ignoreCase = false)
{
    RegexParseResult parsed =
        regular ? ParseRegex(pattern, ignoreCase) : RegexParseResult{MakeLiteralNode(pattern, ignoreCase), 0, 0, 0};
    CKRegExp regex;
    regex.Read(pattern.c_str(), regular, ignoreCase);
    if (!parsed.root) {
        EXPECT_NE(regex.GetError(), REGEXP_OK) << pattern;
        return regex.GetError() != REGEXP_OK;
    }
    reference::Matcher matcher(*parsed.root, text);
    std::unique_ptr<char[]> counted(new char[text.size()]);  // exactly the text: a read past it is caught
    std::copy(text.begin(), text.end(), counted.get());
    for (int pos = 0; pos <= static_cast<int>(text.size()) + 1; ++pos) {
        for (bool backward : {false, true}) {
            std::optional<reference::Match> expected = backward ? matcher.Backward(static_cast<std::size_t>(pos))
                                                                : matcher.Forward(static_cast<std::size_t>(pos));
            if (matcher.Aborted()) return true;     // too slow for the reference: nothing to compare
            if (pattern.empty()) expected.reset();  // an empty search finds nothing
            std::string const want = Describe(expected, matcher.groups);
            std::string const got = Describe(regex.Find(text.c_str(), pos, backward), regex, text.c_str(), text.size());
            std::string const gotCounted =
                Describe(regex.Find(counted.get(), text.size(), static_cast<std::size_t>(pos), backward), regex,
                         counted.get(), text.size());
            if (want != got || want != gotCounted) {
                ADD_FAILURE() << "pattern \"" << U(pattern) << "\" text \"" << U(text) << "\" pos " << pos
                              << (backward ? " backward" : " forward") << ": expected " << want << ", got " << got
                              << " (counted " << gotCounted << ")";
                return false;
            }
        }
    }
    return true;
}

TEST(RegexReference, ChosenPatternsAtEveryPosition)
{
    std::string const texts[] = {
        "abc abcabc\r\nxaay\r\n\r\nbb",
        S("ソ\\表ポ|能\\ ソa\r\nあいう漢字abc"),
        "aaaaaaaaab aab\r\nab",
        S("東京と大阪 東京タワー 大阪城\r\n"),
    };
    char const* const patterns[] = {
        "a",       "ab|b",    "a*",        "a+?",      "(a|ab)(c|bcd)?", "^",        "$",    "^$",
        "^a",      "b$",      "\\b",       "\\B",      "\\w+",           "\\W",      "[^a]", ".",
        ".*",      "(a*)*b",  "(a|b)*?c",  "a{2,3}",   "\\r\\n",         "\\\\",     "\\|",  "[\\\\|]+",
        "(?i)A+B", "x*",      "\\s*$",     "\\bab",    "c\\b",           "(?:^|a)b", "\\Aa", "b\\z",
        "(|a)+",   "(a?)*?b", "東京|大阪", "[ぁ-ん]+", "[^ぁ-ん]",       "\\w\\b",   "ソ",   "[ソ表]",
        "タワー?", "(a)|b",   "(?:(a)|b)+", "((a)(b)?)*c", "(a*)(a)",   "(a*?)(a*)", "(|a)*(b)",
        "(\\w+)\\s(\\w+)", "(東京|大阪)(タワー)?",
    };
    for (std::string const& text : texts)
        for (char const* pattern : patterns) ASSERT_TRUE(AgreesEverywhere(S(pattern), text));
}

TEST(RegexReference, LiteralModeAtEveryPosition)
{
    std::string const text = S("ソ\\表ポ|ab\\\\ ソ\r\n\\");
    for (std::string pattern : {std::string("\\"), std::string("|"), std::string("\\\\"), S("ソ"), std::string("ab"),
                                std::string("\r\n"), std::string("\x83"), std::string("\x83\x5C\x5C"), S("Ab"),
                                S("ａＢ|")}) {
        EXPECT_TRUE(AgreesEverywhere(pattern, text, false)) << U(pattern);
        EXPECT_TRUE(AgreesEverywhere(pattern, text + S("aB ＡＢ|ab"), false, true)) << U(pattern) << " either case";
    }
}

// Random patterns from a small grammar over an alphabet that mixes ASCII, double-byte
// characters whose trail bytes look like ASCII, and line ends.
class RandomPatterns {
public:
    explicit RandomPatterns(unsigned seed) : rng(seed) {}

    std::string Text(std::size_t maxChars)
    {
        static std::string const pieces[] = {"a",        "b",        "c",        " ",        "\r\n", "\n",   "\\", "|",
                                             "\x83\x5C", "\x83\x7C", "\x82\xA0", "\x88\x9F", "_",    "\x83", "A"};
        std::string text;
        std::size_t count = Pick(maxChars + 1);
        for (std::size_t i = 0; i < count; ++i) text += pieces[Pick(std::size(pieces))];
        return text;
    }

    std::string Pattern(int depth = 0)
    {
        std::string out;
        for (std::size_t i = 1 + Pick(3); i > 0; --i) out += Factor(depth);
        if (depth < 2 && Pick(4) == 0) out += "|" + Pattern(depth + 1);
        return out;
    }

private:
    std::mt19937 rng;
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); }

    std::string Factor(int depth)
    {
        static char const* const atoms[] = {
            "a",           "b",     "c",      ".",   "\\\\", "\\|", "\\w",      "\\W",      "\\s",
            "[ab]",        "[^a]",  "^",      "$",   "\\b",  "\\B", "\x83\x5C", "\x82\xA0", "[\x82\xA0-\x88\x9F]",
            "[^\x83\x5C]", "(?i)a", "\\r\\n", "\\A", "\\z",  "\x83"};
        std::string atom = (depth < 2 && Pick(5) == 0) ? "(" + Pattern(depth + 1) + ")" : atoms[Pick(std::size(atoms))];
        static char const* const quantifiers[] = {"", "", "", "*", "+", "?", "*?", "+?", "??", "{2}", "{0,2}", "{1,}"};
        std::string quantifier = quantifiers[Pick(std::size(quantifiers))];
        bool zeroWidth = atom == "^" || atom == "$" || atom == "\\b" || atom == "\\B" || atom == "\\A" || atom == "\\z";
        return zeroWidth ? atom : atom + quantifier;
    }
};

TEST(RegexReference, RandomPatternsAndTexts)
{
    RandomPatterns random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string const pattern = random.Pattern();
        ASSERT_TRUE(AgreesEverywhere(pattern, random.Text(8), true, round % 4 == 0)) << round;
    }
}

}  // namespace
