// Double-byte characters: no match starts or ends inside one, whatever its trail byte
// looks like; "." and classes take a whole character.
#include <gtest/gtest.h>

#include "RegexTestSupport.h"

using namespace regextest;

namespace {

// Every ASCII byte that can be the second byte of a double-byte character, searched for
// as itself (literal) and as an escaped regular expression, forwards and backwards, in a
// text where it occurs once alone and twice as a trail byte.
TEST(RegexCharacters, AsciiLookingTrailBytesNeverMatch)
{
    for (int trail = 0x40; trail <= 0x7E; ++trail) {
        char const c = static_cast<char>(trail);
        std::string const pair = std::string("\x83") + c;  // e.g. ソ (0x83 0x5C), ポ (0x83 0x7C)
        std::string const text = pair + " " + std::string("\x95") + c + c + pair;
        std::size_t const alone = pair.size() + 3;  // the only c at a character start
        std::string const literal(1, c);
        std::string const escaped =
            std::string("\\x") + "0123456789ABCDEF"[trail >> 4] + "0123456789ABCDEF"[trail & 15];
        for (bool regular : {false, true}) {
            CKRegExp regex;
            regex.Read((regular ? escaped : literal).c_str(), regular);
            SCOPED_TRACE(testing::Message() << "byte " << trail << (regular ? " regex" : " literal"));
            EXPECT_EQ(regex.Find(text.c_str(), 0, false), static_cast<int>(alone));
            EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(alone) + 1, false), -1);
            EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), static_cast<int>(alone));
            EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(alone), true), -1);
            // Inside a class, and as the single-byte end of "." or a negated class.
            if (regular) {
                regex.Read(("[" + escaped + "]").c_str(), true);
                EXPECT_EQ(regex.Find(text.c_str(), 0, false), static_cast<int>(alone));
                regex.Read((escaped + "$").c_str(), true);
                EXPECT_EQ(regex.Find(text.c_str(), 0, false), -1);
            }
        }
    }
}

TEST(RegexCharacters, BackslashAndBarAfterSoAndPo)
{
    std::string const text = S("ソポ表\\|");
    EXPECT_EQ(Literal("\\", "ソポ表\\|"), "6:\\");
    EXPECT_EQ(FindResult("\\\\", "ソポ表\\|"), "6:\\");
    EXPECT_EQ(FindResult("\\|", "ソポ表\\|"), "7:|");
    EXPECT_EQ(FindResult("[\\\\|]", "ソポ表\\|"), "6:\\");
    EXPECT_EQ(Literal("|", "ソポ", 0), "-1");
    EXPECT_EQ(Literal("\\", "ソポ表", 6, true), "-1");
}

TEST(RegexCharacters, DotAndClassesTakeWholeCharacters)
{
    EXPECT_EQ(FindResult("^.$", "あ"), "0:あ");
    EXPECT_EQ(FindResult("^..$", "あい"), "0:あい");
    EXPECT_EQ(FindResult("^...$", "あい"), "-1");
    EXPECT_EQ(FindResult("[^x]", "ソ"), "0:ソ");
    EXPECT_EQ(FindResult("[^x]{2}", "aソ"), "0:aソ");
    EXPECT_EQ(FindResult("a.b", "aソb"), "0:aソb");
    EXPECT_EQ(FindResult("\\W", "ソ\\"), "2:\\");
    EXPECT_EQ(FindResult("[ァ-ヶ]+", "ひらカタカナ漢字"), "4:カタカナ");
    EXPECT_EQ(FindResult("[ソ-ポ]+", "アソタポヴ"), "2:ソタポ");
    EXPECT_EQ(FindResult("[^ソ]+", "ソ\\ソ"), "2:\\");
    EXPECT_EQ(FindResult("[a-zあ-ん]+", "ABcdえおカ"), "2:cdえお");
}

TEST(RegexCharacters, LoneLeadBytesAreCharactersOfTheirOwn)
{
    // A lead byte before a byte that cannot follow it stands alone: the line end after it
    // is not swallowed.
    std::string const text = "a\x83\r\nb\x83";
    CKRegExp regex;
    regex.Read("^.*$", true);
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), 0);
    EXPECT_STREQ(regex.GetHitText(), "a\x83");
    EXPECT_EQ(regex.Find(text.c_str(), 2, false), 4);
    EXPECT_STREQ(regex.GetHitText(), "b\x83");
    regex.Read("\x83", false);
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), 1);
    EXPECT_EQ(regex.Find((std::string("\x83\x5C\x83")).c_str(), 0, false), 2);
    EXPECT_EQ(regex.Find((std::string("\x83\x5C\x83")).c_str(), 3, true), 2);
    EXPECT_EQ(regex.Find("\x83\x5C", 0, false), -1);  // would end inside ソ
}

TEST(RegexCharacters, PositionsInsideACharacterMoveToTheNextBoundary)
{
    std::string const text = S("ソソ");
    CKRegExp regex;
    regex.Read("", true);
    regex.Read(".", true);
    EXPECT_EQ(regex.Find(text.c_str(), 1, false), 2);
    EXPECT_EQ(regex.Find(text.c_str(), 3, true), 2);  // start 2 is below 3
    EXPECT_EQ(regex.Find(text.c_str(), 2, true), 0);
    regex.Read("x*", true);
    EXPECT_EQ(regex.Find(text.c_str(), 1, false), 2);  // the empty match at the next boundary
}

TEST(RegexCharacters, LongRunsOfLeadBytes)
{
    // 0x88 is lead and trail at once: boundaries depend on the parity of the run.
    std::string text(100001, '\x88');
    text += "\\";
    CKRegExp regex;
    regex.Read("\\", false);
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), -1);  // the run is odd: its last 0x88 takes the backslash
    EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), -1);
    text = std::string(100000, '\x88') + "\\" + std::string(99999, '\x88') + "\\";
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), 100000);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, false), -1);
    EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), 100000);
    regex.Read("\\\\", true);
    EXPECT_EQ(regex.Find(text.c_str(), 0, false), 100000);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, false), -1);
    EXPECT_EQ(regex.Find(text.c_str(), static_cast<int>(text.size()), true), 100000);
    regex.Read("\x88\x88", false);
    EXPECT_EQ(regex.Find(text.c_str(), 1, false), 2);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, false), 100001);
    EXPECT_EQ(regex.Find(text.c_str(), 100002, true), 100001);
    EXPECT_EQ(regex.Find(text.c_str(), 100001, true), 99998);
}

}  // namespace
