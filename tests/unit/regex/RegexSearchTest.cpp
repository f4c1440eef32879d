// What the reference comparison cannot reach: every trail byte that looks like ASCII, long
// runs of lead bytes, zero bytes, the all-matches pass of replace-all, the hit text kept
// between searches, and texts too long for the reference.
#include <gtest/gtest.h>

#include <random>

#include "RegexTestSupport.h"
#include "regex/MatchPass.h"
#include "regex/RegexCaptures.h"
#include "regex/RegexPikeVm.h"
#include "regex/RegexProgram.h"

using namespace regextest;

namespace {

// Every ASCII byte that can be the second byte of a double-byte character, searched as
// itself (literal), escaped and in a class, forwards and backwards, in a text where it
// stands once alone and twice as a trail byte.
TEST(RegexSearch, AsciiLookingTrailBytesNeverMatch)
{
    for (int trail = 0x40; trail <= 0x7E; ++trail) {
        std::string const c(1, static_cast<char>(trail)), pair = "\x83" + c;  // e.g. ソ, ポ
        std::string const text = pair + " \x95" + c + c + pair;
        int const alone = static_cast<int>(pair.size()) + 3;
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", trail);
        for (auto const& [pattern, regular] :
             {std::pair<std::string, bool>{c, false}, {escaped, true}, {std::string("[") + escaped + "]", true}}) {
            CKRegExp regex;
            regex.Read(pattern.c_str(), regular);
            SCOPED_TRACE(pattern);
            EXPECT_EQ(regex.Find(text.c_str(), 0, false), alone);
            EXPECT_EQ(regex.Find(text.c_str(), alone + 1, false), -1);
            EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), alone);
            EXPECT_EQ(regex.Find(text.c_str(), alone, true), -1);
        }
    }
}

TEST(RegexSearch, LongRunsOfLeadBytes)
{
    // 0x88 is lead and trail at once: boundaries depend on the parity of the run, however
    // far back it starts.
    std::string text = std::string(100001, '\x88') + "\\";
    CKRegExp regex;
    regex.Read("\\", false);
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), -1);  // the run is odd: its last 0x88 takes the backslash
    EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), -1);
    text = std::string(100000, '\x88') + "\\" + std::string(99999, '\x88') + "\\";
    for (auto const& [pattern, regular] : {std::pair<char const*, bool>{"\\", false}, {"\\\\", true}}) {
        regex.Read(pattern, regular);
        EXPECT_EQ(regex.Find(text.c_str(), 0, false), 100000);
        EXPECT_EQ(regex.Find(text.c_str(), 100001, false), -1);
        EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), 100000);
    }
    regex.Read("\x88\x88", false);
    EXPECT_EQ(regex.Find(text.c_str(), 1, false), 2);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, false), 100001);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, true), 99998);
    regex.Read("a\x82", false);  // ends in a stray lead: never half of Ａ (82 60), found before a blank
    EXPECT_EQ(regex.Find("a\x82\x60 a\x82 ", 0, false), 4);
}

using Matches = std::vector<std::pair<std::size_t, std::size_t>>;

Matches AllMatches(char const* pattern, std::string const& text, std::size_t stopAfter = 100)
{
    CKRegExp regex;
    regex.Read(pattern, true);
    Matches found;
    std::size_t const count = VisitAllMatches(regex, text.data(), text.size(), [&](std::size_t at, std::size_t n) {
        found.emplace_back(at, n);
        return found.size() < stopAfter;
    });
    EXPECT_EQ(count, found.size());
    return found;
}

TEST(RegexSearch, AllMatchesGoOnAfterEachMatchAndLineBreak)
{
    EXPECT_EQ(AllMatches("aa", "aaaaa"), (Matches{{0, 2}, {2, 2}}));
    EXPECT_EQ(AllMatches("a*", "baab"), (Matches{{0, 0}, {1, 2}, {3, 0}, {4, 0}}));
    EXPECT_EQ(AllMatches("x*", S("東a")), (Matches{{0, 0}, {2, 0}, {3, 0}}));  // a whole character on
    // A match ending on the CR goes on after the LF, never matching the LF alone.
    EXPECT_EQ(AllMatches("\\s", "a\r\nb \r\n"), (Matches{{1, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(AllMatches("\\s", "\r\r\n\n"), (Matches{{0, 1}, {1, 1}, {3, 1}}));
    EXPECT_EQ(AllMatches("x*", "\r\nb"), (Matches{{0, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(AllMatches("a", "aaaa", 2), (Matches{{0, 1}, {1, 1}}));  // the visit can stop the pass
    EXPECT_EQ(AllMatches("a.b", std::string("a\0b\0a\0b", 7)), (Matches{{0, 3}, {4, 3}}));  // zero bytes are text
}

TEST(RegexSearch, HitTextAndPatternAreKeptUntilChanged)
{
    CKRegExp regex;
    EXPECT_STREQ(regex.GetHitText(), "");
    EXPECT_EQ(regex.Find("abc", 0, false), -1);  // no pattern yet
    regex.Read("b+", true);
    EXPECT_EQ(regex.Find("abbc", 0, false), 1);
    EXPECT_EQ(regex.Find("xyz", 0, false), -1);
    EXPECT_EQ(regex.Find(nullptr, 0, false), -1);
    EXPECT_STREQ(regex.GetHitText(), "bb");
    // The search code reads the pattern before every search: a repeated Read still tells
    // literal from regular text and keeps a bad pattern's error.
    regex.Read("a.", true);
    regex.Read("a.", true);
    EXPECT_EQ(regex.Find("xa.ab", 2, false), 3);
    regex.Read("a.", false);
    EXPECT_EQ(regex.Find("xabxa.", 0, false), 4);
    regex.Read("a(", true);
    regex.Read("a(", true);
    EXPECT_EQ(regex.GetError(), REGEXP_MISSING_PAREN);
    EXPECT_EQ(regex.Find("a(", 0, false), -1);
    regex.Read("a(", false);
    EXPECT_EQ(regex.GetError(), REGEXP_OK);
    EXPECT_EQ(regex.Find("a(", 0, false), 0);
    regex.Read(nullptr, true);
    EXPECT_EQ(regex.Find("abbc", 0, false), -1);
    // Positions beyond either end are clamped.
    EXPECT_EQ(FindResult("a", "ab", -5, false), "0:a");
    EXPECT_EQ(FindResult("$", "ab", 3, true), "2:");
}

TEST(RegexSearch, ExplosivePatternsRunInLinearTime)
{
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

TEST(RegexSearch, ManyDfaStatesStillGiveThePikeVmAnswer)
{
    // "a" some twenty characters before the end of a match: the DFA needs about 2^20 states,
    // far over its cache, which it then keeps emptying; the answers must not change.
    std::mt19937 rng(7);
    std::string text;
    for (int i = 0; i < 50000; ++i) text.push_back("ab"[rng() % 2]);
    text += "\x95\\\x83\\aababababababababababc";  // after 表ソ, whose trail bytes are the same
    for (char const* pattern : {"a[ab]{20}c", "[ab]*a[ab]{16}", "b[ab]{18}a", "\x83\x5C|d"}) {
        RegexParseResult parsed = ParseRegex(pattern);
        RegexProgram program;
        ASSERT_TRUE(CompileRegex(*parsed.root, false, program));
        RegexMatch expected;
        ASSERT_TRUE(PikeVmSearch(program, text.c_str(), text.size(), 1000, expected));
        EXPECT_FALSE(PikeVmSearch(program, text.c_str(), text.size(), text.size() - 3, expected));  // ends at the end
        CKRegExp regex;
        regex.Read(pattern, true);
        EXPECT_EQ(regex.Find(text.c_str(), 1000, false), static_cast<int>(expected.start)) << pattern;
        EXPECT_EQ(std::string(regex.GetHitText()).size(), expected.end - expected.start) << pattern;
        EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(expected.start) + 1, true),
                  static_cast<int>(expected.start));
    }
}

TEST(RegexSearch, GroupsOfASpanNoWayEndsAtAreRefused)
{
    RegexProgram program;
    ASSERT_TRUE(CompileRegex(*ParseRegex("(xyz)??").root, false, program, true));
    CaptureSlots slots;
    EXPECT_TRUE(PikeVmCaptures(program, "xyz", 3, 0, 3, slots));
    EXPECT_EQ(slots[3], 3u);
    // Threads of an earlier step stay behind the live ones and must not be taken for them.
    EXPECT_FALSE(PikeVmCaptures(program, "xyz", 3, 0, 2, slots));
    EXPECT_FALSE(PikeVmCaptures(program, "xyz", 3, 2, 1, slots));
    EXPECT_FALSE(PikeVmCaptures(program, "xyz", 2, 0, 3, slots));
}

}  // namespace

TEST(RegexSearch, ReadingTheSamePatternWithAnotherLetterCaseRecompiles)
{
    CKRegExp regex;
    for (bool regular : {false, true}) {
        regex.Read(S("ａb").c_str(), regular, true);
        EXPECT_EQ(regex.Find(S("xＡB").c_str(), 0, false), 1);
        regex.Read(S("ａb").c_str(), regular, false);
        EXPECT_EQ(regex.Find(S("xＡB").c_str(), 0, false), -1);
    }
}
