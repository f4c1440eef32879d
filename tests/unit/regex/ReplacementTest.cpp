// The replacement text: every escape, unmatched and missing groups, and what stands as written.
#include <gtest/gtest.h>

#include "RegexTestSupport.h"
#include "regex/Replacement.h"

using namespace regextest;

namespace {

TEST(Replacement, ExpandsTheFirstMatch)
{
    struct Case {
        char const* pattern;
        char const* text;
        char const* replacement;
        char const* expected;
    };
    Case const cases[] = {
        {"(\\d+)年(\\d+)月", "令和2024年12月です", "$2/$1", "12/2024"},
        {"(\\d+)年(\\d+)月", "2024年12月", "\\2月\\1年\\0$&", "12月2024年2024年12月2024年12月"},
        {"(a)|(b)", "b", "[$1][\\2]", "[][b]"},          // group 1 took no part
        {"(a)", "a", "$9\\9", ""},                      // groups the pattern does not have
        {"a", "a", "x\\ny\\tz", "x\r\ny\tz"},            // the text's line break, a tab
        {"a", "a", "\\\\$$\\", "\\$\\"},                 // escaped "\" and "$", a lone "\" at the end
        {"a", "a", "$0$x\\q$", "$0$x\\q$"},              // anything else as written
        {"a", "a", "ソ1表n", "ソ1表n"},                  // 0x5C trail bytes are no escapes
        {"((ア)(イ)?)+", "アイア", "<$1|$2|$3>", "<ア|ア|イ>"},  // last pass; a group it skipped keeps its earlier span
        {"(?:(x)|y)*", "xy", "[\\1]", "[x]"},
    };
    for (Case const& c : cases) {
        CKRegExp regex;
        regex.Read(S(c.pattern).c_str(), true);
        std::string const text = S(c.text);
        ASSERT_GE(regex.Find(text.c_str(), 0, false), 0) << c.pattern;
        RegExpGroups groups;
        ASSERT_TRUE(regex.GetGroups(text.c_str(), text.size(), groups));
        std::string out = "<";
        AppendReplacement(S(c.replacement), text.c_str(), groups, "\r\n", out);
        EXPECT_EQ("<" + std::string(c.expected), U(out)) << c.pattern << " -> " << c.replacement;
    }
}

TEST(Replacement, GroupsNeedTheTextThatWasSearched)
{
    CKRegExp regex;
    regex.Read("(b)", true);
    RegExpGroups groups;
    ASSERT_EQ(regex.Find("ab", 0, false), 1);
    EXPECT_FALSE(regex.GetGroups("ax", 2, groups) || regex.GetGroups("ab", 1, groups) || groups.Matched(0));
    EXPECT_TRUE(regex.GetGroups("ab", 2, groups) && groups.start[1] == 1u);
}

TEST(Replacement, AllMatchesInOnePassMakeTheLineBreaksSeparateInsertionsWould)
{
    CKRegExp regex;
    regex.Read("x|a", true);
    std::string replaced;
    std::size_t first = 9, end = 9;
    // The CR left between two matches, then a replacement that starts with LF: two line breaks.
    EXPECT_EQ(ReplaceAllMatches(regex, "yx\ra", 4, "\\n", true, "\n", replaced, first, end), 2u);
    EXPECT_EQ(replaced, "\n\r\n\n");
    EXPECT_TRUE(first == 1 && end == 4);
}

}  // namespace
