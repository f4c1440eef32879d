// The documented behaviour of each conversion on small texts: replacements and their
// count, marks, escape sequences, half-width katakana, the bytes that have no character,
// names, and the contract of capacity, ranges and in-place conversion.
#include <gtest/gtest.h>

#include <cstring>

#include "encoding/NameText.h"
#include "TestText.h"

namespace {

template <typename T>
struct Plain {
    using type = T;  // keeps from and to out of the deduction, so literals convert
};

// One conversion: its text (checked by Converted) and its count of replaced characters
// (-1 for the conversions that replace nothing and have no count).
template <typename Out, typename In>
void Check(std::basic_string<Out> (*convert)(const std::basic_string<In>&, Count),
           const typename Plain<std::basic_string<In>>::type& from,
           const typename Plain<std::basic_string<Out>>::type& to, std::int64_t replaced = 0)
{
    std::int64_t got = -2;
    EXPECT_EQ(convert(from, &got), to) << testing::PrintToString(from);
    EXPECT_EQ(got, replaced) << testing::PrintToString(from);
}

TEST(ConversionEdges, EachConversion)
{
    const std::string kan = Bytes({0x8A, 0xBF});     // 漢
    Check(ToUtf16, Bytes({0x81, 0xAD, 0x81, 0xB0}), u"'~");                              // written back as ASCII
    Check(ToUtf16, Bytes({0x82, 0x0A, 0x61}), u"\uFFFD\na", 1);  // a lone lead never eats the line break
    Check(ToUtf16, Bytes({0x61, 0x82}), u"a\uFFFD", 1);          // nor the terminator
    Check(ToUtf16, Bytes({0x82, 0xFA, 'a'}), u"\u3013a", 1);     // unmapped
    Check(ToUtf16, Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x61}), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3a");
    Check(FromUtf16, u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3a", Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x61}));
    Check(ToUtf16, Bytes({0x82, 0xA0, 0xF0, 0x40, 0x82, 0xF5}), u"\u3042\U00020089\u304B\u309A");
    Check(FromUtf16, u"\u3042\U00020089\u304B\u309A", Bytes({0x82, 0xA0, 0xF0, 0x40, 0x82, 0xF5}));
    Check(FromUtf16, u"\u00A5", "\x5C");
    Check(FromUtf16, u"\U0001F600\uD55C\xD800\u309A", "?????", 4);  // a pair counts once
    Check(FromUtf16, u"\u30FB\u2225", Bytes({0x81, 0x45, 0x81, 0x61}));
    Check(FromUtf16, u"\"'-~\\", "\"'-~\\");
    Check(FromUtf16, u"\uFF61\uFF9F", Bytes({0xA1, 0xDF}));
    Check(FromUtf16, u"\uFEFFa\uFEFF", "a?", 1);  // only the first mark is skipped
    // Longest match: a base alone keeps its code; a mark after another character is "?".
    Check(FromUtf16, u"\u304B", Bytes({0x82, 0xA9}));
    Check(FromUtf16, u"a\u309A", "a?", 1);
    Check(FromUtf16, u"\u304B\u309A\u309A", Bytes({0x82, 0xF5, '?'}), 1);
    Check(FromUtf16, u"\u02E9\u02E5\u02E9", Bytes({0x86, 0x85, 0x86, 0x84}));  // ˩˥ is one code, a third mark alone
    Check(FromUtf16, u"\u02E5\u02E9", Bytes({0x86, 0x86}));
    Check(FromUtf16, u"\u0300", Bytes({0x86, 0x7B}));  // the mark alone has a code
    Check(Utf8ToUnits, Bytes({0xEF, 0xBB, 0xBF, 0x61}), u"a");
    Check(Utf8ToUnits, Bytes({0x80, 0xBF}), u"\u0080\u00BF");      // stray continuation bytes
    Check(Utf8ToUnits, Bytes({0xC1, 0x81}), u"A");                 // overlong forms accepted
    Check(Utf8ToUnits, Bytes({0xED, 0xA0, 0x80}), u"\xD800");      // a lone surrogate form
    Check(Utf8ToUnits, Bytes({0xF0, 0x9F, 0x98, 0x80}), u"?", 1);  // a four-byte character without a code
    Check(Utf8ToUnits, Bytes({0xF0, 0xA0, 0x82, 0x89}), u"\U00020089");
    Check(Utf8ToUnits, Bytes({0xFC, 0x80, 0x80, 0x80, 0x80, 0x80, 0x61}), u"?a", 1);
    // Overlong zero and cut-off sequences neither end nor swallow the text.
    Check(Utf8ToUnits, Bytes({0x61, 0xC0, 0x80, 0x62}), u"a\uFFFDb");
    Check(Utf8ToUnits, Bytes({0x61, 0xE6, 0x97}), u"a\uFFFD");
    Check(Utf8ToUnits, Bytes({0xE6, 0x0A, 0x62}), u"\uFFFD\nb");
    Check(Utf8ToUnits, Bytes({0xF0, 0x9F, 0x0A}), u"\uFFFD\n");
    Check(ToJis, kan + "a\r\n", Bytes({0x1B, 0x24, 0x42, 0x34, 0x41, 0x1B, 0x28, 0x42, 'a', 0x0D, 0x0A}), -1);
    Check(ToJis, kan, Bytes({0x1B, 0x24, 0x42, 0x34, 0x41}), -1);  // no escape back at the end
    Check(ToJis, Bytes({0xB6, 0xDE, 0x87, 0x40}),                  // ｶﾞ widened and merged; ① is no JIS X 0208
          Bytes({0x1B, 0x24, 0x42, 0x25, 0x2C, 0x1B, 0x24, 0x28, 0x4F, 0x2D, 0x21}), -1);
    Check(ToJis, Bytes({0xF0, 0x40}), Bytes({0x1B, 0x24, 0x28, 0x50, 0x21, 0x21}), -1);
    Check(ToJis, Bytes({0x61, 0x82}), Bytes({0x61, 0x82}), -1);
    Check(ToEuc, Bytes({0xF0, 0x40}), Bytes({0x8F, 0xA1, 0xA1}), -1);
    Check(ToEuc, Bytes({0x82, 0x0D, 0x0A}), Bytes({0x82, 0x0D, 0x0A}), -1);
    Check(FromJis, Bytes({0x1B, 0x24, 0x40, 0x34, 0x41}), kan);
    Check(FromJis, Bytes({0x1B, 0x24, 0x28, 0x51, 0x34, 0x41}), kan);
    // ESC ( J, then SO: 7-bit bytes are half-width katakana until SI; SO outside Roman is a byte.
    Check(FromJis, Bytes({0x1B, 0x28, 0x4A, 0x0E, 0x31, 0x32, 0x0F, 0x31}), Bytes({0xB1, 0xB2, 0x31}));
    Check(FromJis, Bytes({0x0E, 0x31}), Bytes({0x0E, 0x31}));
    Check(FromJis, Bytes({0x1B, 0x28, 0x49, 0x31, 0x5F, 0x61}), Bytes({0xB1, 0xDF, 0x61}));  // no katakana above 0x5F
    Check(FromJis, Bytes({0x1B, 0x24, 0x28, 0x50, 0x22, 0x21}), "?", 1);  // a plane-2 row without a lead
    Check(FromJis, Bytes({0x1B, 0x24, 0x28, 0x44, 0x22, 0x2F}), "?", 1);  // JIS X 0212 outside the kanji
    // Half a character keeps the byte that follows; a cut-off escape is copied.
    Check(FromJis, Bytes({0x1B, 0x24, 0x42, 0x34, 0x0D, 0x0A}), Bytes({0x34, 0x0D, 0x0A}));
    Check(FromJis, Bytes({0x1B, 0x24, 0x42, 0x34}), Bytes({0x34}));
    Check(FromJis, Bytes({0x61, 0x1B, 0x24, 0x28}), Bytes({0x61, 0x1B, 0x24, 0x28}));
    Check(FromJis, Bytes({0x1B, 0x24, 0x41, 0x61}), Bytes({0x1B, 0x24, 0x41, 0x61}));
    Check(FromEuc, Bytes({0x8E, 0xB1}), Bytes({0xB1}));
    Check(FromEuc, Bytes({0x8F, 0xA2, 0xAF, 0xFF, 0xA1, 0xB4, 0xC1}), "??" + kan, 2);  // 0212 outside kanji, FF A1
    Check(FromEuc, Bytes({0xA4, 0x0A, 0x61}), Bytes({0xA4, 0x0A, 0x61}));
    Check(FromEuc, Bytes({0x61, 0xA4}), Bytes({0x61, 0xA4}));
    Check(FromEuc, Bytes({0x8F, 0xA1}), Bytes({0x8F, 0xA1}));
    Check(FromEuc, Bytes({0x80, 0xA0, 0xFF, 0x61}), Bytes({0x80, 0xA0, 0xFF, 0x61}));  // bytes of no character
    Check(FromEuc, Bytes({0x8E, 0x0A}), Bytes({0x8E, 0x0A}));
    EXPECT_EQ(UnitsToUtf8(u"a\u00E9\u65E5\xD800"), Bytes({0x61, 0xC3, 0xA9, 0xE6, 0x97, 0xA5, 0xED, 0xA0, 0x80}));
    EXPECT_EQ(UnitsToUtf8(u"\U0001F600"), Bytes({0xF0, 0x9F, 0x98, 0x80}));
    // A lone high surrogate, and a low one before a high one, keep three-byte forms.
    EXPECT_EQ(UnitsToUtf8(u"\xDC89\xD840"), Bytes({0xED, 0xB2, 0x89, 0xED, 0xA1, 0x80}));
    EXPECT_EQ(Converted<char16_t>([](char16_t* d, std::int64_t c, Count) { return InternalToUtf16(d, "", true, c); }),
              u"\uFEFF");
    EXPECT_EQ(Converted<char>([](char* d, std::int64_t c, Count) { return Utf16ToUtf8(d, u"", true, c); }),
              Bytes({0xEF, 0xBB, 0xBF}));
    // JIS X 0212 0x3021 (丂) is U+4E02, which JIS X 0213 has in plane 1.
    const std::uint16_t code = Jisx0212ToSjis(0x3021);
    ASSERT_EQ(SjisCodeToUnicode(code), u'\u4E02');
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x28, 0x44, 0x30, 0x21})), Bytes({code >> 8, code & 0xFF}));
    EXPECT_EQ(FromEuc(Bytes({0x8F, 0xB0, 0xA1})), Bytes({code >> 8, code & 0xFF}));
    const std::uint16_t last = Jisx0212ToSjis(0x6D22);  // 黿 (U+9EFF), in JIS X 0212's last row of kanji
    ASSERT_EQ(SjisCodeToUnicode(last), u'\u9EFF');
    EXPECT_EQ(FromEuc(Bytes({0x8F, 0xED, 0xA2})), Bytes({last >> 8, last & 0xFF}));
    EXPECT_EQ(Jisx0212ToSjis(0x2221) + Jisx0212ToSjis(0x6E21), 0);
    const std::string odd = Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x61});
    EXPECT_EQ(FromJis(ToJis(odd)), odd);
}

// Names convert code for code: nothing widened or merged, a trail byte 0x5C stays, a lone lead
// gives U+FFFD, every other byte comes back; a name is held when it comes back the same.
TEST(ConversionEdges, NamesCodeForCode)
{
    auto name = [](const std::string& internal) {
        std::u16string utf16;
        EXPECT_TRUE(NameToUtf16(internal, utf16));
        return utf16;
    };
    auto back = [](const std::u16string& utf16) {
        std::string internal;
        EXPECT_TRUE(NameFromUtf16(utf16, internal));
        return internal;
    };
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_TRUE(lead ? name(one) == u"\uFFFD" : back(name(one)) == one) << b;
    }
    const struct {
        std::string internal;
        std::u16string utf16;
    } cases[] = {
        {"\xB6\xDE\xB7\xDE\xBE\xDF", u"\uFF76\uFF9E\uFF77\uFF9E\uFF7E\uFF9F"},            // ｶﾞｷﾞｾﾟ
        {"C:\\\xC3\xBD\xC4\\\x95\x5C\x83\x5C", u"C:\\\uFF83\uFF7D\uFF84\\\u8868\u30BD"},  // ﾃｽﾄ\表ソ
        {"\x82\xA9\x81\x4B", u"\u304B\u309C"},            // the spacing sound mark stays two codes
        {"\x82\xF5\x87\xA0", u"\u304B\u309A\U0002000B"},  // a sequence and a surrogate pair
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(name(c.internal), c.utf16);
        EXPECT_EQ(back(c.utf16), c.internal);
    }
    EXPECT_EQ(back(u"\uFEFFx"), "?x");
    EXPECT_TRUE(IsNameHeld(u"C:\\\U0002000B\u30C6\\\uFF71 \U0002A6B2.ini") && IsNameHeld(u""));
    for (std::u16string_view name : {u"C:\\\uD55C\uAD6D\uC5B4", u"a\u00A5b", u"\uFEFFname", u"\U0001F600", u"x\xD800"})
        EXPECT_FALSE(IsNameHeld(name));  // Korean, ¥ (back as "\"), a mark, an emoji, a lone surrogate
}

// A paste reports how many characters went in as "?": the mark and a character without a
// code count once each (a pair once), either form of 〜 none.
TEST(ConversionEdges, NamesCountWhatBecameAQuestionMark)
{
    const std::pair<std::u16string, std::int64_t> cases[] = {
        {u"a\u301C\uFF5Eb", 0}, {u"\uFEFF\uD55C", 2}, {u"\U0001F600x\uD55C\uD55C", 3}, {u"", 0}};
    for (const auto& [utf16, lost] : cases) {
        std::string internal;
        std::int64_t replaced = -1;
        EXPECT_TRUE(NameFromUtf16(utf16, internal, &replaced));
        EXPECT_EQ(replaced, lost) << internal;
    }
}

// Every conversion above also ran with a capacity one unit too small (TestText.h).
TEST(ConversionContract, CapacityRangesAndInPlace)
{
    char buffer[16];
    for (std::int64_t capacity : {0, -5}) EXPECT_EQ(InternalToJis(buffer, "a", capacity), -1);
    // Too small: exactly capacity units are touched, the last one a terminator.
    std::memset(buffer, 0x5A, sizeof buffer);
    EXPECT_EQ(InternalToJis(buffer, "\x8A\xBF\x61", 4), -1);
    EXPECT_EQ(std::string(buffer + 3, 2), Bytes({0, 0x5A}));
    EXPECT_EQ(InternalToJis(nullptr, static_cast<const char*>(nullptr), 0), 0);  // a null source is empty
    const InternalChar se = ReadInternalChar("\xBE\xDF");                        // ｾﾟ is one character
    EXPECT_TRUE(se.code == 0x839C && se.length == 2);
    const InternalChar none = ReadInternalChar("\x82\xA0", 1);  // a character never passes the range
    EXPECT_EQ(none.length + ReadInternalChar("\x82\xA0", 0).length + ReadInternalChar(nullptr, 4).length, 1);
    // The range form: a zero is a character, and a range ending inside a character leaves
    // the lead alone, reading nothing past it.
    const std::string withZero("a\0\x82\xA0", 4);
    std::u16string units(8, u'x');
    EXPECT_EQ(InternalToUtf16(&units[0], std::string_view(withZero), false, 8), 3);
    EXPECT_EQ(units.substr(0, 3), std::u16string(u"a\0\u3042", 3));
    EXPECT_EQ(Utf16ToInternal(buffer, std::u16string_view(units.data(), 3), 8), 4);
    EXPECT_EQ(std::string(buffer, 4), withZero);
    EXPECT_EQ(InternalToUtf16(&units[0], std::string_view(withZero.data(), 3), false, 8), 3);
    EXPECT_EQ(units[2], kNoCharacterUnit);
    EXPECT_EQ(InternalToJis(buffer, std::string_view("\x8A\xBF\0a", 4), 16), 10);
    EXPECT_EQ(std::string(buffer, 10), Bytes({0x1B, 0x24, 0x42, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x00, 0x61}));
    char back[8];
    EXPECT_EQ(JisToInternal(back, std::string_view(buffer, 10), 8), 4);
    EXPECT_EQ(std::string(back, 4), std::string("\x8A\xBF\0a", 4));
    // UTF-16 to InternalText in place: the bytes of a base are rewritten, never more than was read.
    const std::u16string text = u"\uFEFF漢字かなカナ abc ｶﾞ\u301C\u304B\u309A\U00020089y";
    std::u16string inPlace = text;
    char* bytes = reinterpret_cast<char*>(&inPlace[0]);
    const std::int64_t n = Utf16ToInternal(bytes, inPlace.c_str(), static_cast<std::int64_t>(inPlace.size() * 2 + 2));
    ASSERT_GE(n, 0);
    EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(n)), FromUtf16(text));
}

}  // namespace

// A chosen UTF code takes the mark its file starts with, and only that code's mark; the names
// and the list's entries stand for their codes.
TEST(ConversionEdges, ChosenCodesTakeTheirOwnMarkAndNamesTheirCodes)
{
    const std::tuple<EncodingCode, std::string_view, EncodingCode> cases[] = {
        {EncodingCode::Utf8, "\xEF\xBB\xBFx", EncodingCode::Utf8Bom},   {EncodingCode::Utf8, "\xEF\xBB", EncodingCode::Utf8},
        {EncodingCode::Utf16Le, "\xFF\xFE", EncodingCode::Utf16LeBom}, {EncodingCode::Utf16Le, "\xFE\xFF", EncodingCode::Utf16Le},
        {EncodingCode::Utf16Be, "\xFE\xFF", EncodingCode::Utf16BeBom}, {EncodingCode::EucJp, "\xFF\xFE", EncodingCode::EucJp},
    };
    for (const auto& [chosen, start, code] : cases) EXPECT_EQ(ChosenCodeForFile(chosen, start), code) << start;
    for (int i = 0; i < kEncodingChoiceCount; ++i) {
        EncodingCode named = EncodingCode::NoEvidence;
        EXPECT_TRUE(EncodingForName(kEncodingChoices[i].name, false, named));
        EXPECT_EQ(named, kEncodingChoices[i].code);
        EXPECT_EQ(EncodingChoiceIndex(named), i);
    }
    EXPECT_EQ(EncodingChoiceIndex(EncodingCode::Utf16BeBom), 6);
    EXPECT_EQ(EncodingChoiceIndex(EncodingCode::NoEvidence), 0) << "a file with no evidence stands for sjis";
    EXPECT_EQ(WithMark(EncodingCode::Utf16Be, true), EncodingCode::Utf16BeBom);
    EXPECT_EQ(WithMark(EncodingCode::Cp932, true), EncodingCode::Cp932);
    EXPECT_TRUE(TakesMark(EncodingCode::Utf8) && TakesMark(EncodingCode::Utf16LeBom) && !TakesMark(EncodingCode::Jis));
    EXPECT_TRUE(HasMark(EncodingCode::Utf8Bom) && HasMark(EncodingCode::Utf16BeBom) && !HasMark(EncodingCode::Utf8));
}
