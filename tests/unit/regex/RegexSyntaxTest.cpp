// The pattern language: each construct against texts that tell its meaning apart, and
// the errors of malformed patterns.
#include <gtest/gtest.h>

#include <cstdio>

#include "RegexTestSupport.h"

using namespace regextest;

namespace {

struct Case {
    char const* pattern;
    char const* text;
    char const* expected;  // "offset:hit" or "-1"
};

void CheckCases(std::initializer_list<Case> cases)
{
    for (Case const& c : cases) {
        EXPECT_EQ(FindResult(c.pattern, c.text), c.expected) << "pattern " << c.pattern << " text " << c.text;
    }
}

TEST(RegexSyntax, LiteralsAndEscapes)
{
    CheckCases({
        {"abc", "xxabcxx", "2:abc"},
        {"a\\tb", "a\tb", "0:a\tb"},
        {"\\r\\n", "x\r\ny", "1:\r\n"},
        {"\\\\", "a\\b", "1:\\"},
        {"\\.\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$", "x.*+?()[]{}|^$", "1:.*+?()[]{}|^$"},
        {"\\x41\\x62", "zAb", "1:Ab"},
        {"a{,2}", "a{,2}", "0:a{,2}"},  // not a count: literal braces
        {"x{", "x{", "0:x{"},
        {"日本", "にほん日本語", "6:日本"},
    });
}

TEST(RegexSyntax, DotAndClasses)
{
    CheckCases({
        {"a.c", "abc", "0:abc"},
        {"a.c", "a\nc a\rc", "-1"},
        {"a.c", "aあc", "0:aあc"},
        {"[abc]+", "xxcabz", "2:cab"},
        {"[^abc]+", "abxyzc", "2:xyz"},
        {"[a-c]+", "zabcd", "1:abc"},
        {"[]a]+", "x]a]", "1:]a]"},
        {"[a-]+", "x-a-", "1:-a-"},
        {"[ぁ-ん]+", "カタカナひらがなです", "8:ひらがなです"},
        {"[^ぁ-ん]+", "ひらカタカナが", "4:カタカナ"},
        {"[亜-腕]+", "かな漢字かな", "4:漢字"},
        {"[\\d\\s]+", "ab1 2c", "2:1 2"},
        {"[\\]]", "a]", "1:]"},
        {"[\\b]", "a\bb", "1:\b"},
    });
}

TEST(RegexSyntax, PredefinedClasses)
{
    CheckCases({
        {"\\d+", "ab123c", "2:123"},
        {"\\d", "１２３", "-1"},  // full-width digits are not \d
        {"\\D+", "12ab3", "2:ab"},
        {"\\w+", "  foo_1 ", "2:foo_1"},
        {"\\w+", "「漢字かなカナー」", "2:漢字かなカナー"},
        {"\\W+", "ab、。cd", "2:、。"},
        {"\\s+", "a \t\r\nb", "1: \t\r\n"},
        {"\\s", "あ　い", "2:　"},  // full-width space
        {"\\S+", "  ab  ", "2:ab"},
    });
}

TEST(RegexSyntax, GroupsAlternationAndPreference)
{
    CheckCases({
        {"(ab)+", "xababab", "1:ababab"},
        {"(?:ab|cd)+", "xcdabz", "1:cdab"},
        {"a|ab", "ab", "0:a"},  // the left alternative wins at the same start
        {"ab|a", "ab", "0:ab"},
        {"x|abc|ab", "zabc", "1:abc"},
        {"(a|ab)(c|bcd)", "abcd", "0:abcd"},
        {"(a|ab)(c|bcd)", "abc", "0:abc"},
        {"東京|大阪", "大阪と東京", "0:大阪"},  // leftmost wins over pattern order
        {"", "abc", "-1"},
    });
}

TEST(RegexSyntax, Quantifiers)
{
    CheckCases({
        {"a*", "aaa", "0:aaa"},
        {"a*?", "aaa", "0:"},
        {"a+?", "aaa", "0:a"},
        {"a??b", "ab", "0:ab"},
        {"a{2}", "aaaa", "0:aa"},
        {"a{2,}", "a aaaa", "2:aaaa"},
        {"a{2,3}", "aaaa", "0:aaa"},
        {"a{2,3}?", "aaaa", "0:aa"},
        {"あ{2}", "ああああ", "0:ああ"},
        {"<.+>", "<a><b>", "0:<a><b>"},
        {"<.+?>", "<a><b>", "0:<a>"},
        {"(ab){0}c", "abc", "2:c"},
        {"x(a|b)*?y", "xababy", "0:xababy"},
        {"(|a)*", "aa", "0:aa"},  // no second pass after an empty one (Perl: "")
    });
}

TEST(RegexSyntax, IgnoreCase)
{
    CheckCases({
        {"(?i)hello", "say HeLLo", "4:HeLLo"},
        {"(?i)ｈｅｌｌｏ", "ＨＥＬＬＯ", "0:ＨＥＬＬＯ"},
        {"(?i)[a-c]+", "xABCd", "1:ABC"},
        {"(?i)[^a]+", "aAbB", "2:bB"},
        {"(?i:a)b", "ABAb", "2:Ab"},
        {"a(?i)b", "aBAB", "0:aB"},
        {"(?i)a(?-i)b", "ABAb", "2:Ab"},
        {"(?:(?i)a)b", "AB Ab", "3:Ab"},  // (?i) ends with its group
        {"(?i)x|y", "Y", "0:Y"},          // and reaches the later branches
        {"(?i)ぁ", "ア", "-1"},           // kana have no letter case
        {"(?i)\\d", "a1", "1:1"},
    });
}

TEST(RegexSyntax, AnchorsAtLineEndsOfCrLfText)
{
    std::string text = "one\r\ntwo\r\n\r\nthree";
    EXPECT_EQ(FindResult("^two$", text), "5:two");
    EXPECT_EQ(FindResult("o$", text), "7:o");
    EXPECT_EQ(FindResult("^t", text, 1), "5:t");
    EXPECT_EQ(FindResult("^$", text), "10:");   // the empty line
    EXPECT_EQ(FindResult("$", text, 4), "8:");  // never between CR and LF
    EXPECT_EQ(FindResult("^", text, 4), "5:");
    EXPECT_EQ(FindResult("ee$", text), "15:ee");          // end of text
    EXPECT_EQ(FindResult("^.*$", "ab\rcd\nef"), "0:ab");  // lone CR and LF end lines too
    EXPECT_EQ(FindResult("^cd$", "ab\rcd\nef"), "3:cd");
    EXPECT_EQ(FindResult("\\Aone", text), "0:one");
    EXPECT_EQ(FindResult("\\Atwo", text), "-1");
    EXPECT_EQ(FindResult("e\\z", text), "16:e");
    EXPECT_EQ(FindResult("o\\z", text), "-1");
    EXPECT_EQ(FindResult("x$\\r\\n^y", "x\r\ny"), "0:x\r\ny");
}

TEST(RegexSyntax, WordBoundaries)
{
    CheckCases({
        {"\\bcat\\b", "concat cat", "7:cat"},
        {"\\Bcat", "cat concat", "7:cat"},
        {"\\b漢字\\b", "漢字かな、漢字。", "10:漢字"},
        {"\\b\\w+$", "foo bar", "4:bar"},
    });
}

struct ErrorCase {
    char const* pattern;
    int error;
    int offset;
};

TEST(RegexSyntax, BadPatternsReportCodeAndOffsetAndFindNothing)
{
    ErrorCase const cases[] = {
        {"ab\\", REGEXP_TRAILING_BACKSLASH, 2},  {"a\\q", REGEXP_BAD_ESCAPE, 1},
        {"\\x4", REGEXP_BAD_ESCAPE, 0},          {"[\\A]", REGEXP_BAD_ESCAPE, 1},
        {"a[bc", REGEXP_MISSING_BRACKET, 1},     {"[]", REGEXP_MISSING_BRACKET, 0},
        {"[z-a]", REGEXP_BAD_CLASS_RANGE, 1},    {"[ん-ぁ]", REGEXP_BAD_CLASS_RANGE, 1},
        {"[a-\\d]", REGEXP_BAD_CLASS_RANGE, 1},  {"(ab", REGEXP_MISSING_PAREN, 0},
        {"あい(う", REGEXP_MISSING_PAREN, 4},  // offsets count bytes
        {"ソ\\q", REGEXP_BAD_ESCAPE, 2},         {"a(b(c)", REGEXP_MISSING_PAREN, 1},
        {"ab)", REGEXP_UNMATCHED_PAREN, 2},      {"*a", REGEXP_NOTHING_TO_REPEAT, 0},
        {"a|+", REGEXP_NOTHING_TO_REPEAT, 2},    {"(?i)*", REGEXP_NOTHING_TO_REPEAT, 4},
        {"a**", REGEXP_NOTHING_TO_REPEAT, 2},    {"a{2}{3}", REGEXP_NOTHING_TO_REPEAT, 4},
        {"{2}", REGEXP_NOTHING_TO_REPEAT, 0},    {"a{3,2}", REGEXP_BAD_REPEAT_COUNT, 1},
        {"a{1001}", REGEXP_BAD_REPEAT_COUNT, 1}, {"(?x)", REGEXP_BAD_GROUP, 0},
        {"(?<n>a)", REGEXP_BAD_GROUP, 0},        {"(a{1000}){1000}", REGEXP_TOO_LARGE, 0},
    };
    for (ErrorCase const& c : cases) {
        CKRegExp regex;
        regex.Read(S(c.pattern).c_str(), true);
        EXPECT_EQ(regex.GetError(), c.error) << c.pattern;
        EXPECT_EQ(regex.GetErrorOffset(), c.offset) << c.pattern;
        EXPECT_EQ(regex.Find("a*b{2}(?x)[]\\", 0, false), -1) << c.pattern;
        EXPECT_STRNE(CKRegExp::DescribeError(c.error), "unknown error");
    }
    std::string deep(300, '(');
    CKRegExp regex;
    regex.Read((deep + "a" + std::string(300, ')')).c_str(), true);
    EXPECT_EQ(regex.GetError(), REGEXP_TOO_LARGE);
    // A good pattern afterwards clears the error.
    regex.Read("a", true);
    EXPECT_EQ(regex.GetError(), REGEXP_OK);
    EXPECT_EQ(regex.Find("ba", 0, false), 1);
}

}  // namespace
