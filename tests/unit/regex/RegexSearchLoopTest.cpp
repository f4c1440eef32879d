// How the search commands use CKRegExp: repeated F3 and Shift+F3, replace-all loops with
// empty matches, the hit text, and patterns that would make a backtracking engine explode.
#include <gtest/gtest.h>

#include <random>

#include "RegexTestSupport.h"
#include "regex/RegexPikeVm.h"
#include "regex/RegexProgram.h"
#include "regex/SjisChar.h"

using namespace regextest;

namespace {

// A replace-all loop as the editor runs it on a document: find from the caret, replace
// the match, put the caret after the replacement; after an empty match step one
// character further (what KRegExp.h asks of callers). Returns the new text.
std::string ReplaceAll(char const* pattern, bool regular, std::string text, std::string const& replacement, int& count)
{
    CKRegExp regex;
    regex.Read(pattern, regular);
    count = 0;
    int caret = 0;
    while (count < 10000) {
        int at = regex.Find(text.c_str(), caret, false);
        if (at < 0) break;
        std::size_t length = std::string(regex.GetHitText()).size();
        text.replace(static_cast<std::size_t>(at), length, replacement);
        ++count;
        caret = at + static_cast<int>(replacement.size());
        if (length == 0) {
            if (static_cast<std::size_t>(caret) >= text.size()) break;
            caret = static_cast<int>(SjisNextCharOffset(text.c_str(), text.size(), static_cast<std::size_t>(caret)));
        }
    }
    return text;
}

TEST(RegexSearchLoop, ReplaceAllEndsWithEmptyMatches)
{
    int count = 0;
    EXPECT_EQ(ReplaceAll("x*", true, "abc", "-", count), "-a-b-c-");
    EXPECT_EQ(count, 4);
    EXPECT_EQ(ReplaceAll("^", true, "a\r\nb\r\n", "> ", count), "> a\r\n> b\r\n> ");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(U(ReplaceAll("", true, S("あい"), "-", count)), "あい");  // an empty search finds nothing
    EXPECT_EQ(count, 0);
    EXPECT_EQ(U(ReplaceAll("\\b", true, S("ab かな"), "|", count)), "|ab| |かな|");
    EXPECT_EQ(U(ReplaceAll(S("ソ").c_str(), false, S("ソ\\ソソ"), "x", count)), "x\\xx");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(ReplaceAll("a", false, "aaa", "aa", count), "aaaaaa");  // the replacement is not searched again
}

TEST(RegexSearchLoop, RepeatedFindsDownAndUpVisitEveryMatchOnce)
{
    std::string const text = S("東京 大阪 東京\r\n東京");
    CKRegExp regex;
    regex.Read(S("東京").c_str(), false);
    std::vector<int> down;
    for (int caret = 0;;) {
        int at = regex.Find(text.c_str(), caret, false);
        if (at < 0) break;
        down.push_back(at);
        caret = at + 4;  // the caret stands after the selected match
    }
    EXPECT_EQ(down, (std::vector<int>{0, 10, 16}));
    std::vector<int> up;
    for (int selectionStart = static_cast<int>(text.size());;) {
        int at = regex.Find(text.c_str(), selectionStart, true);
        if (at < 0) break;
        up.push_back(at);
        selectionStart = at;  // Shift+F3 searches before the selected match
    }
    EXPECT_EQ(up, (std::vector<int>{16, 10, 0}));
}

TEST(RegexSearchLoop, BackwardGivesTheForwardMatchOfTheGreatestStart)
{
    // The match found backwards may reach past the starting position.
    EXPECT_EQ(FindResult("a+", "xaaay", 3, true), "2:aa");
    EXPECT_EQ(FindResult("a+", "xaaay", 2, true), "1:aaa");
    EXPECT_EQ(FindResult("a.*", "ab\r\nac", 6, true), "4:ac");
    EXPECT_EQ(FindResult("$", "ab", 3, true), "2:");  // positions beyond the end are clamped
    EXPECT_EQ(FindResult("a", "ab", 0, true), "-1");
    EXPECT_EQ(FindResult("a", "ab", -5, false), "0:a");
    EXPECT_EQ(FindResult("a", "ab", 3, false), "-1");
}

TEST(RegexSearchLoop, HitTextIsKeptUntilTheNextSuccess)
{
    CKRegExp regex;
    EXPECT_STREQ(regex.GetHitText(), "");
    EXPECT_EQ(regex.Find("abc", 0, false), -1);  // no pattern yet
    regex.Read("b+", true);
    EXPECT_EQ(regex.Find("abbc", 0, false), 1);
    EXPECT_STREQ(regex.GetHitText(), "bb");
    EXPECT_EQ(regex.Find("xyz", 0, false), -1);
    EXPECT_STREQ(regex.GetHitText(), "bb");
    EXPECT_EQ(regex.Find(nullptr, 0, false), -1);
    regex.Read(nullptr, true);
    EXPECT_EQ(regex.Find("abbc", 0, false), -1);
    EXPECT_EQ(regex.GetError(), REGEXP_OK);
}

TEST(RegexSearchLoop, ReadingTheSamePatternAgainKeepsItsMeaning)
{
    // The search code reads the pattern before every search; a repeated Read is free but
    // must still tell literal from regular text and keep a bad pattern's error.
    CKRegExp regex;
    regex.Read("a.", true);
    EXPECT_EQ(regex.Find("xa.ab", 0, false), 1);
    regex.Read("a.", true);
    EXPECT_EQ(regex.Find("xa.ab", 2, false), 3);
    regex.Read("a.", false);
    EXPECT_EQ(regex.Find("xabxa.", 0, false), 4);
    regex.Read("a(", true);
    EXPECT_EQ(regex.GetError(), REGEXP_MISSING_PAREN);
    regex.Read("a(", true);
    EXPECT_EQ(regex.GetError(), REGEXP_MISSING_PAREN);
    EXPECT_EQ(regex.Find("a(", 0, false), -1);
    regex.Read("a(", false);
    EXPECT_EQ(regex.GetError(), REGEXP_OK);
    EXPECT_EQ(regex.Find("a(", 0, false), 0);
    regex.Read("", false);
    EXPECT_EQ(regex.Find("a(", 0, false), -1);
}

TEST(RegexSearchLoop, ExplosivePatternsRunInLinearTime)
{
    // A backtracking engine needs exponential time for these; here they take milliseconds.
    std::string const run(1 << 20, 'a');
    CKRegExp regex;
    for (char const* pattern : {"(a*)*b", "(a|aa)*b", "(a+)+b", "(a|a?)+$x", "(?:a*?){20}b"}) {
        regex.Read(pattern, true);
        EXPECT_EQ(regex.Find(run.c_str(), 0, false), -1) << pattern;
        EXPECT_EQ(regex.Find(run.c_str(), static_cast<int>(run.size()), true), -1) << pattern;
    }
    regex.Read("(a*)*$", true);
    EXPECT_EQ(regex.Find(run.c_str(), 0, false), 0);
    EXPECT_EQ(std::string(regex.GetHitText()).size(), run.size());
    EXPECT_EQ(regex.Find(run.c_str(), static_cast<int>(run.size()), true), static_cast<int>(run.size()) - 1);
}

TEST(RegexSearchLoop, ManyDfaStatesStillGiveThePikeVmAnswer)
{
    // "a" some twenty characters before the end of a match: the DFA needs about 2^20 states,
    // far over its cache, which it then keeps emptying; the answers must not change.
    std::mt19937 rng(7);
    std::string text;
    for (int i = 0; i < 50000; ++i) text.push_back("ab"[rng() % 2]);
    text +=
        "a"
        "abababababababababab"
        "c";
    for (char const* pattern : {"a[ab]{20}c", "[ab]*a[ab]{16}", "b[ab]{18}a"}) {
        RegexParseResult parsed = ParseRegex(pattern);
        RegexProgram program;
        ASSERT_TRUE(CompileRegex(*parsed.root, false, program));
        RegexMatch expected;
        ASSERT_TRUE(PikeVmSearch(program, text.c_str(), text.size(), 1000, expected));
        CKRegExp regex;
        regex.Read(pattern, true);
        EXPECT_EQ(regex.Find(text.c_str(), 1000, false), static_cast<int>(expected.start)) << pattern;
        EXPECT_EQ(std::string(regex.GetHitText()).size(), expected.end - expected.start) << pattern;
        // Backwards from just after that start gives it again.
        EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(expected.start) + 1, true),
                  static_cast<int>(expected.start))
            << pattern;
    }
}

}  // namespace
