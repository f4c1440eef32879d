// The name conversion: code for code, and the held test.
#include <gtest/gtest.h>

#include <string>

#include "encoding/NameText.h"

namespace {

std::u16string ToUtf16(const std::string& internal)
{
    std::u16string utf16;
    EXPECT_TRUE(NameToUtf16(internal, utf16));
    return utf16;
}

std::string FromUtf16(const std::u16string& utf16)
{
    std::string internal;
    EXPECT_TRUE(NameFromUtf16(utf16, internal));
    return internal;
}

TEST(NameText, HalfWidthKanaAndSoundMarksStayAsTheyAre)
{
    // "ｶﾞｷﾞｸﾞ": each katakana and each mark is a code of its own, both ways.
    std::string kana = "\xB6\xDE\xB7\xDE\xB8\xDE";
    EXPECT_EQ(ToUtf16(kana), u"\uFF76\uFF9E\uFF77\uFF9E\uFF78\uFF9E");
    EXPECT_EQ(FromUtf16(ToUtf16(kana)), kana);
    // "ﾃｽﾄ\テスト" with a path separator between: nothing widened, the backslash kept.
    std::string path = "C:\\\xC3\xBD\xC4\\\x83\x65\x83\x58\x83\x67";
    EXPECT_EQ(ToUtf16(path), u"C:\\\uFF83\uFF7D\uFF84\\\u30C6\u30B9\u30C8");
    EXPECT_EQ(FromUtf16(ToUtf16(path)), path);
    // A full-width kana followed by the spacing sound mark stays two codes.
    std::string kaMark = "\x82\xA9\x81\x4B";
    EXPECT_EQ(ToUtf16(kaMark), u"\u304B\u309C");
    EXPECT_EQ(FromUtf16(u"\u304B\u309C"), kaMark);
}

TEST(NameText, TrailBytesEqualToBackslashAreNotSeparators)
{
    // "表ソフト能": 0x5C as the trail byte of three characters.
    std::string name = "\x95\x5C\x83\x5C\x83\x74\x83\x67\x94\x5C";
    std::u16string utf16 = ToUtf16(name);
    EXPECT_EQ(utf16, u"\u8868\u30BD\u30D5\u30C8\u80FD");
    EXPECT_EQ(FromUtf16(utf16), name);
    EXPECT_TRUE(IsNameHeld(utf16));
}

TEST(NameText, EverySingleByteComesBackAsItself)
{
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        std::u16string utf16 = ToUtf16(one);
        ASSERT_EQ(utf16.size(), 1u) << b;
        bool loneLead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (loneLead) {
            EXPECT_EQ(utf16[0], u'\uFFFD') << b;
        } else {
            EXPECT_EQ(FromUtf16(utf16), one) << b;
        }
    }
}

TEST(NameText, EveryDoubleByteCodeComesBackAsItself)
{
    int codes = 0, twoUnits = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
            char16_t unit[kMaxNameUnitUtf16];
            const int n = NameUnitToUtf16(code.data(), 2, unit);
            const std::u16string utf16 = ToUtf16(code);
            ASSERT_EQ(utf16, std::u16string(unit, static_cast<std::size_t>(n))) << std::hex << (lead << 8 | trail);
            if (utf16 == u"\uFFFD") continue;  // never assigned: no character
            ++codes;
            twoUnits += n == 2;
            // The five codes that the table maps to another code's character (or ASCII).
            const unsigned value = lead << 8 | trail;
            const bool other = value == 0x81D2 || (value >= 0x81AD && value <= 0x81B0);
            EXPECT_EQ(FromUtf16(utf16) == code, !other) << std::hex << value;
            EXPECT_TRUE(IsNameHeld(utf16)) << std::hex << value;  // the character, if not the code
        }
    }
    EXPECT_EQ(codes, 11233);
    EXPECT_EQ(ToUtf16("\x82\xFA\x81\xAC"), u"\uFFFD\u3013");  // never assigned, and 〓 itself
    EXPECT_EQ(twoUnits, 303 + 25);                            // surrogate pairs and sequences
}

TEST(NameText, CharactersAboveTheBmpAndSequences)
{
    // "𠀋𡈽" and "ｱ 𪚲 テ" as folder names (surrogate pairs); "か゚" (a sequence) is one code.
    const std::string kanji = "\x87\xA0\x88\x61";
    EXPECT_EQ(ToUtf16(kanji), u"\U0002000B\U0002123D");
    EXPECT_EQ(FromUtf16(u"\U0002000B\U0002123D"), kanji);
    EXPECT_TRUE(IsNameHeld(u"C:\\\U0002000B\U0002123D\\kvte.ini"));
    const std::u16string mixed = u"\uFF71 \U0002A6B2 \u30C6";
    EXPECT_TRUE(IsNameHeld(mixed));
    EXPECT_EQ(ToUtf16(FromUtf16(mixed)), mixed);
    EXPECT_EQ(FromUtf16(u"\u304B\u309A"), "\x82\xF5");
    EXPECT_EQ(ToUtf16("\x82\xF5"), u"\u304B\u309A");
    // Half-width katakana with a sound mark stay two codes, even where they would merge
    // into a JIS X 0213 code in a file's text.
    EXPECT_EQ(ToUtf16("\xBE\xDF"), u"\uFF7E\uFF9F");
    EXPECT_EQ(FromUtf16(u"\uFF7E\uFF9F"), "\xBE\xDF");
}

TEST(NameText, NamesThatInternalTextCannotHold)
{
    EXPECT_TRUE(IsNameHeld(u"C:\\Users\\\u30C6\u30B9\u30C8\\kvte.ini"));
    EXPECT_TRUE(IsNameHeld(u""));
    EXPECT_FALSE(IsNameHeld(u"C:\\\uD55C\uAD6D\uC5B4"));  // Korean
    EXPECT_FALSE(IsNameHeld(u"a\u00A5b"));                // comes back as "a\b"
    EXPECT_FALSE(IsNameHeld(u"\uFEFFname"));              // a leading mark is not dropped silently
    EXPECT_EQ(FromUtf16(u"\uFEFFx"), "?x");
    EXPECT_FALSE(IsNameHeld(u"\U0001F600"));  // an emoji has no code
    const char16_t loneSurrogate[] = {u'x', 0xD800};
    EXPECT_FALSE(IsNameHeld(std::u16string_view(loneSurrogate, 2)));
}

TEST(NameText, ZeroBytesAreKept)
{
    std::string withZero("a\0b", 3);
    EXPECT_EQ(ToUtf16(withZero), std::u16string(u"a\0b", 3));
    EXPECT_EQ(FromUtf16(std::u16string(u"a\0b", 3)), withZero);
}

}  // namespace
