// The pattern language: each construct against a text that tells its meaning apart, and
// the errors of malformed patterns. (Where matches fall is the reference tests' business;
// these pin down what the parser makes of a pattern, which the reference shares.)
#include <gtest/gtest.h>

#include "RegexTestSupport.h"
#include "regex/RegexCharSet.h"

using namespace regextest;

namespace {

TEST(RegexSyntax, EachConstructFindsWhatItMeans)
{
    struct Case {
        char const *pattern, *text, *expected;  // expected: "offset:hit" or "-1"
    } const cases[] = {
        // Literals and escapes.
        {"a\\tb", "a\tb", "0:a\tb"},
        {"\\r\\n", "x\r\ny", "1:\r\n"},
        {"\\.\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$", "x.*+?()[]{}|^$", "1:.*+?()[]{}|^$"},
        {"\\x41\\x62", "zAb", "1:Ab"},
        {"a{,2}", "a{,2}", "0:a{,2}"},  // not a count: literal braces
        {"x{", "x{", "0:x{"},
        // Dot and classes.
        {"a.c", "a\nc a\rc", "-1"},
        {"[^abc]+", "abxyzc", "2:xyz"},
        {"[a-c]+", "zabcd", "1:abc"},
        {"[]a]+", "x]a]", "1:]a]"},
        {"[a-]+", "x-a-", "1:-a-"},
        {"[ぁ-ん]+", "カタカナひらがなです", "8:ひらがなです"},
        {"[亜-腕]+", "かな漢字かな", "4:漢字"},
        {"[ァ-ヶ]+", "ひらカタカナ漢字", "4:カタカナ"},
        {"[a-zあ-ん]+", "ABcdえおカ", "2:cdえお"},
        {"[\\d\\s]+", "ab1 2c", "2:1 2"},
        {"[\\]]", "a]", "1:]"},
        {"[\\b]", "a\bb", "1:\b"},
        // Predefined classes.
        {"\\d+", "ab123c", "2:123"},
        {"\\d", "１２３", "-1"},  // full-width digits are not \d
        {"\\D+", "12ab3", "2:ab"},
        {"\\w+", "「漢字かなカナー」", "2:漢字かなカナー"},
        {"\\W+", "ab、。cd", "2:、。"},
        {"\\s+", "a \t\r\nb", "1: \t\r\n"},
        {"\\s", "あ　い", "2:　"},  // full-width space
        {"\\S+", "  ab  ", "2:ab"},
        {"[^\\W]+", " ab ", "1:ab"},  // a set that holds code 0, negated
        // Groups, alternation and which alternative wins.
        {"(?:ab|cd)+", "xcdabz", "1:cdab"},
        {"a|ab", "ab", "0:a"},
        {"x|abc|ab", "zabc", "1:abc"},
        {"(a|ab)(c|bcd)", "abcd", "0:abcd"},
        {"東京|大阪", "大阪と東京", "0:大阪"},  // leftmost wins over pattern order
        // Quantifiers.
        {"a*?", "aaa", "0:"},
        {"a??b", "ab", "0:ab"},
        {"a{2}", "aaaa", "0:aa"},
        {"a{2,}", "a aaaa", "2:aaaa"},
        {"a{2,3}", "aaaa", "0:aaa"},
        {"a{2,3}?", "aaaa", "0:aa"},
        {"あ{2}", "ああああ", "0:ああ"},
        {"<.+?>", "<a><b>", "0:<a>"},
        {"(ab){0}c", "abc", "2:c"},
        {"(|a)*", "aa", "0:aa"},  // no second pass after an empty one (Perl: "")
        // Letter case.
        {"(?i)hello", "say HeLLo", "4:HeLLo"},
        {"(?i)ｈｅｌｌｏ", "ＨＥＬＬＯ", "0:ＨＥＬＬＯ"},
        {"(?i)[a-c]+", "xABCd", "1:ABC"},
        {"(?i)[^a]+", "aAbB", "2:bB"},
        {"(?i:a)b", "ABAb", "2:Ab"},
        {"a(?i)b", "aBAB", "0:aB"},
        {"(?i)a(?-i)b", "ABAb", "2:Ab"},
        {"(?i)a(?-i:b)c", "ABCAbC", "3:AbC"},
        {"(?:(?i)a)b", "AB Ab", "3:Ab"},  // (?i) ends with its group
        {"(?i)x|y", "Y", "0:Y"},          // and reaches the later branches
        {"(?i)ぁ", "ア", "-1"},           // kana have no letter case
        // Anchors: lines end at CR LF, lone CR and lone LF, never between CR and LF.
        {"^two$", "one\r\ntwo\r\n", "5:two"},
        {"^$", "a\r\n\r\nb", "3:"},
        {"^cd$", "ab\rcd\nef", "3:cd"},
        {"\\Atwo", "one\r\ntwo", "-1"},
        {"o\\z", "two\r\n", "-1"},
        {"x$\\r\\n^y", "x\r\ny", "0:x\r\ny"},
        {"\\b漢字\\b", "漢字かな、漢字。", "10:漢字"},
        {"\\Bcat", "cat concat", "7:cat"},
    };
    for (Case const& c : cases) EXPECT_EQ(FindResult(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
    EXPECT_EQ(FindResult("$", "one\r\ntwo", 4), "8:");
}

TEST(RegexSyntax, BadPatternsReportCodeAndOffsetAndFindNothing)
{
    struct ErrorCase {
        char const* pattern;
        int error, offset;  // offsets count bytes
    } const cases[] = {{"ab\\", REGEXP_TRAILING_BACKSLASH, 2},
                       {"a\\q", REGEXP_BAD_ESCAPE, 1},
                       {"\\x4", REGEXP_BAD_ESCAPE, 0},
                       {"[\\A]", REGEXP_BAD_ESCAPE, 1},
                       {"[\\9]", REGEXP_BAD_ESCAPE, 1},
                       {"\\Z", REGEXP_BAD_ESCAPE, 0},
                       {"a[bc", REGEXP_MISSING_BRACKET, 1},
                       {"[]", REGEXP_MISSING_BRACKET, 0},
                       {"[z-a]", REGEXP_BAD_CLASS_RANGE, 1},
                       {"[ん-ぁ]", REGEXP_BAD_CLASS_RANGE, 1},
                       {"[a-\\d]", REGEXP_BAD_CLASS_RANGE, 1},
                       {"(ab", REGEXP_MISSING_PAREN, 0},
                       {"あい(う", REGEXP_MISSING_PAREN, 4},
                       {"ソ\\q", REGEXP_BAD_ESCAPE, 2},
                       {"a(b(c)", REGEXP_MISSING_PAREN, 1},
                       {"ab)", REGEXP_UNMATCHED_PAREN, 2},
                       {"*a", REGEXP_NOTHING_TO_REPEAT, 0},
                       {"a|+", REGEXP_NOTHING_TO_REPEAT, 2},
                       {"(?i)*", REGEXP_NOTHING_TO_REPEAT, 4},
                       {"a**", REGEXP_NOTHING_TO_REPEAT, 2},
                       {"a{2}{3}", REGEXP_NOTHING_TO_REPEAT, 4},
                       {"{2}", REGEXP_NOTHING_TO_REPEAT, 0},
                       {"a{3,2}", REGEXP_BAD_REPEAT_COUNT, 1},
                       {"a{1001}", REGEXP_BAD_REPEAT_COUNT, 1},
                       {"(?x)", REGEXP_BAD_GROUP, 0},
                       {"(?<n>a)", REGEXP_BAD_GROUP, 0},
                       {"(a{1000}){1000}", REGEXP_TOO_LARGE, 0}};
    for (ErrorCase const& c : cases) {
        CKRegExp regex;
        regex.Read(S(c.pattern).c_str(), true);
        EXPECT_EQ(regex.GetError(), c.error) << c.pattern;
        EXPECT_EQ(regex.GetErrorOffset(), c.offset) << c.pattern;
        EXPECT_EQ(regex.Find("a*b{2}(?x)[]\\", 0, false), -1) << c.pattern;
        EXPECT_STRNE(CKRegExp::DescribeError(c.error), "unknown error");
    }
    CKRegExp regex;
    regex.Read((std::string(300, '(') + "a" + std::string(300, ')')).c_str(), true);
    EXPECT_EQ(regex.GetError(), REGEXP_TOO_LARGE);
    regex.Read("a", true);  // a good pattern afterwards clears the error
    EXPECT_EQ(regex.GetError(), REGEXP_OK);
    EXPECT_EQ(regex.Find("ba", 0, false), 1);
}

// What the compiler builds byte classes from: reversed or out-of-range ranges are dropped,
// touching ones become one.
TEST(RegexCharSet, NormalizedRangesAreSortedDisjointAndNotAdjacent)
{
    CharSet set;
    for (auto [low, high] : {std::pair<std::uint32_t, std::uint32_t>{'x', 'z'}, {'d', 'f'}, {'a', 'c'}, {'y', 'y'},
                             {'q', 'p'}, {kMaxCharCode + 1, kMaxCharCode + 2}, {kMaxCharCode, kMaxCharCode + 9}})
        CharSetAdd(set, low, high);
    CharSetNormalize(set);
    std::vector<std::uint32_t> bounds;
    for (CodeRange r : set.ranges) bounds.insert(bounds.end(), {r.low, r.high});
    EXPECT_EQ(bounds, (std::vector<std::uint32_t>{'a', 'f', 'x', 'z', kMaxCharCode, kMaxCharCode}));
}

}  // namespace
