// The search over a text of a given length: the same matches as the zero-terminated
// search, nothing read past the length, zero bytes searched like other characters; and
// the all-matches pass that replace-all and kvtefind --all share.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RegexTestSupport.h"
#include "regex/MatchPass.h"

using namespace regextest;

namespace {

TEST(RegexLengthSearch, AgreesWithTheTerminatedSearchAtEveryPositionBothWays)
{
    std::string const text = S("abc 東京\r\n日本 abcabc\r\nx\n表\\ ab");
    struct Pattern {
        char const* text;
        bool regular;
    } const patterns[] = {{"abc", false}, {"\\", false}, {"b.*c", true}, {"^.", true},    {"\\b\\w+", true},
                          {"x*", true},   {"\\s", true}, {"$", true},    {"[^a]+", true}};
    for (auto const& pattern : patterns) {
        CKRegExp terminated, counted;
        terminated.Read(pattern.text, pattern.regular);
        counted.Read(pattern.text, pattern.regular);
        for (int position = -1; position <= static_cast<int>(text.size()) + 1; ++position) {
            for (bool backward : {false, true}) {
                int want = terminated.Find(text.c_str(), position, backward);
                int got = counted.Find(text.data(), text.size(), position < 0 ? 0 : position, backward);
                if (position < 0 && backward) continue;  // the counted form has no negative positions
                ASSERT_EQ(got, want) << pattern.text << " from " << position << (backward ? " backward" : "");
                if (want >= 0) {
                    EXPECT_STREQ(counted.GetHitText(), terminated.GetHitText());
                    EXPECT_EQ(counted.GetHitLength(), std::string(terminated.GetHitText()).size());
                }
            }
        }
    }
}

TEST(RegexLengthSearch, ReadsNothingPastTheLength)
{
    // The bytes sit at the very end of their own allocation (the sanitizers catch a read
    // past it); a match that would need the byte after the length is not found.
    std::string const source = "xxab";
    std::unique_ptr<char[]> bytes(new char[source.size()]);
    std::copy(source.begin(), source.end(), bytes.get());
    CKRegExp regex;
    regex.Read("abc", false);
    EXPECT_EQ(regex.Find(bytes.get(), source.size(), 0, false), -1);
    regex.Read("ab$", true);
    EXPECT_EQ(regex.Find(bytes.get(), source.size(), 0, false), 2);
    EXPECT_EQ(regex.Find(bytes.get(), source.size(), source.size(), true), 2);
    regex.Read("b\\z", true);
    EXPECT_EQ(regex.Find(bytes.get(), 3, 0, false), -1) << "the length is the end of the text";
    EXPECT_EQ(regex.Find(bytes.get(), 4, 0, false), 3);
    // A lead byte as the last byte within the length is a character of its own.
    std::string const lead = S("ab東");
    regex.Read("\x93", false);
    EXPECT_EQ(regex.Find(lead.data(), 3, 0, false), 2);
}

TEST(RegexLengthSearch, ZeroBytesAreCharacters)
{
    std::string const text("a\0b\0a\0b", 7);
    CKRegExp regex;
    regex.Read("b", false);
    EXPECT_EQ(regex.Find(text.data(), text.size(), 3, false), 6);
    regex.Read("a[^b]b", true);
    EXPECT_EQ(regex.Find(text.data(), text.size(), 1, false), 4);
    regex.Read("a.b", true);
    EXPECT_EQ(regex.Find(text.data(), text.size(), 1, false), 4);
    EXPECT_EQ(regex.GetHitLength(), 3u);
    EXPECT_EQ(regex.Find(text.data(), text.size(), text.size(), true), 4);
}

std::vector<std::pair<std::size_t, std::size_t>> AllMatches(char const* pattern, std::string const& text)
{
    CKRegExp regex;
    regex.Read(pattern, true);
    std::vector<std::pair<std::size_t, std::size_t>> found;
    VisitAllMatches(regex, text.data(), text.size(), [&](std::size_t start, std::size_t length) {
        found.emplace_back(start, length);
        return true;
    });
    return found;
}

using Matches = std::vector<std::pair<std::size_t, std::size_t>>;

TEST(MatchPass, EachSearchStartsAfterThePreviousMatch)
{
    EXPECT_EQ(AllMatches("aa", "aaaaa"), (Matches{{0, 2}, {2, 2}}));
    EXPECT_EQ(AllMatches("a*", "baab"), (Matches{{0, 0}, {1, 2}, {3, 0}, {4, 0}}));
    // Past a double-byte character in one step after an empty match.
    EXPECT_EQ(AllMatches("x*", S("東a")), (Matches{{0, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(AllMatches("b", "aaa"), Matches{});
}

TEST(MatchPass, AMatchEndingOnTheCrGoesOnAfterTheLf)
{
    // "\s" takes the CR; the LF is part of the same line break, never a match of its own.
    EXPECT_EQ(AllMatches("\\s", "a\r\nb \r\n"), (Matches{{1, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(AllMatches("[^a]", "a\r\na"), (Matches{{1, 1}}));
    // A lone CR or LF is a line break by itself.
    EXPECT_EQ(AllMatches("\\s", "\r\r\n\n"), (Matches{{0, 1}, {1, 1}, {3, 1}}));
    // An empty match before a CR LF steps over the whole line break.
    EXPECT_EQ(AllMatches("x*", "\r\nb"), (Matches{{0, 0}, {2, 0}, {3, 0}}));
}

TEST(MatchPass, VisitCanStopThePass)
{
    CKRegExp regex;
    regex.Read("a", false);
    std::string const text = "aaaa";
    int seen = 0;
    std::size_t count = VisitAllMatches(regex, text.data(), text.size(), [&](std::size_t, std::size_t) {
        return ++seen < 2;
    });
    EXPECT_EQ(count, 2u);
}

}  // namespace
