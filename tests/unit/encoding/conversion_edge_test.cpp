// The documented behaviour of each conversion on small texts: replacements, marks,
// escape sequences, half-width katakana, and the bytes that have no character.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "encoding/Conversion.h"
#include "TestText.h"

namespace {

std::u16string ToUtf16(const std::string& internal, bool mark = false)
{
    return Converted<char16_t>(
        internal, [mark](char16_t* d, const char* s, std::int64_t c) { return InternalToUtf16(d, s, mark, c); });
}
std::string FromUtf16(const std::u16string& units)
{
    return Converted<char>(units, [](char* d, const char16_t* s, std::int64_t c) { return Utf16ToInternal(d, s, c); });
}
std::u16string Utf8ToUnits(const std::string& utf8)
{
    return Converted<char16_t>(utf8, [](char16_t* d, const char* s, std::int64_t c) { return Utf8ToUtf16(d, s, c); });
}
std::string UnitsToUtf8(const std::u16string& units, bool mark = false)
{
    return Converted<char>(units,
                           [mark](char* d, const char16_t* s, std::int64_t c) { return Utf16ToUtf8(d, s, mark, c); });
}
std::string ToJis(const std::string& internal)
{
    return Converted<char>(internal, [](char* d, const char* s, std::int64_t c) { return InternalToJis(d, s, c); });
}
std::string FromJis(const std::string& jis)
{
    return Converted<char>(jis, [](char* d, const char* s, std::int64_t c) { return JisToInternal(d, s, c); });
}
std::string ToEuc(const std::string& internal)
{
    return Converted<char>(internal, [](char* d, const char* s, std::int64_t c) { return InternalToEuc(d, s, c); });
}
std::string FromEuc(const std::string& euc)
{
    return Converted<char>(euc, [](char* d, const char* s, std::int64_t c) { return EucToInternal(d, s, c); });
}

TEST(ConversionEdges, ReadingACharacterNeverPassesTheAvailableBytes)
{
    // A lead byte with nothing after it in range is one byte, and an empty range is the end,
    // however the bytes beyond the range continue.
    const char text[] = "\x82\xA0";
    EXPECT_EQ(ReadInternalChar(text, 0).length, 0);
    EXPECT_EQ(ReadInternalChar(text, 1).length, 1);
    EXPECT_EQ(ReadInternalChar(text, 2).code, 0x82A0);
    EXPECT_EQ(ReadInternalChar(nullptr, 4).length, 0);
}

TEST(ConversionEdges, EmptySourceGivesTerminatorAndRequestedMark)
{
    EXPECT_EQ(ToUtf16(""), u"");
    EXPECT_EQ(ToUtf16("", true), u"\uFEFF");
    EXPECT_EQ(InternalToUtf16(nullptr, "", true, 0), 1);
    EXPECT_EQ(UnitsToUtf8(u"", true), Bytes({0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(Utf16ToUtf8(nullptr, u"", true, 0), 3);
    EXPECT_EQ(FromUtf16(u""), "");
    EXPECT_EQ(Utf8ToUnits(""), u"");
    EXPECT_EQ(ToJis(""), "");
    EXPECT_EQ(FromJis(""), "");
    EXPECT_EQ(ToEuc(""), "");
    EXPECT_EQ(FromEuc(""), "");
    // A null source reads as empty rather than crashing.
    EXPECT_EQ(InternalToJis(nullptr, static_cast<const char*>(nullptr), 0), 0);
}

TEST(ConversionEdges, HalfWidthKatakanaMergeWithFollowingMarks)
{
    EXPECT_EQ(ToUtf16(Bytes({0xB6, 0xDE})), u"\u30AC");        // ｶﾞ -> ガ
    EXPECT_EQ(ToUtf16(Bytes({0xCA, 0xDF})), u"\u30D1");        // ﾊﾟ -> パ
    EXPECT_EQ(ToUtf16(Bytes({0xDC, 0xDF})), u"\u30EF\u309C");  // ﾜﾟ stays two
    EXPECT_EQ(ToUtf16(Bytes({0xB2, 0xDE})), u"\u30F8");        // ｲﾞ -> ヸ
    // ｷﾟ and ｾﾟ merge into JIS X 0213 codes, written as their published sequences.
    EXPECT_EQ(ToUtf16(Bytes({0xB7, 0xDF})), u"\u30AD\u309A");
    EXPECT_EQ(ToUtf16(Bytes({0xBE, 0xDF})), u"\u30BB\u309A");
    EXPECT_EQ(FromUtf16(u"\u30BB\u309A"), Bytes({0x83, 0x9C}));
    EXPECT_EQ(ToEuc(Bytes({0xB7, 0xDF})), Bytes({0xA5, 0xF8}));
}

TEST(ConversionEdges, HalfWidthKatakanaAreWidenedInEucAndJis)
{
    EXPECT_EQ(ToEuc(Bytes({0xB1})), Bytes({0xA5, 0xA2}));  // ｱ -> ア, never SS2
    EXPECT_EQ(FromEuc(Bytes({0x8E, 0xB1})), Bytes({0xB1}));
    EXPECT_EQ(ToJis(Bytes({0xB1})), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x25, 0x22}));
}

TEST(ConversionEdges, JisEscapesAroundKanji)
{
    const std::string kan = Bytes({0x8A, 0xBF});  // 漢
    EXPECT_EQ(ToJis(kan + "a"), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x61}));
    EXPECT_EQ(ToJis(kan), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x34, 0x41}));
    EXPECT_EQ(ToJis(kan + "\r\n"), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x0D, 0x0A}));
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x42, 0x34, 0x41, 0x1B, 0x28, 0x42})), kan);
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x40, 0x34, 0x41})), kan);
}

TEST(ConversionEdges, JisRomanAndShiftOutKatakana)
{
    // ESC ( J, then SO: 7-bit bytes are half-width katakana until SI.
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x28, 0x4A, 0x0E, 0x31, 0x32, 0x0F, 0x31})), Bytes({0xB1, 0xB2, 0x31}));
    // SO outside Roman is an ordinary byte.
    EXPECT_EQ(FromJis(Bytes({0x0E, 0x31})), Bytes({0x0E, 0x31}));
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x28, 0x49, 0x31, 0x5F})), Bytes({0xB1, 0xDF}));
    // Above 0x5F there is no katakana: the byte stays as it is instead of becoming a lead.
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x28, 0x49, 0x61, 0x62})), "ab");
}

TEST(ConversionEdges, PlaneTwoCharacter)
{
    const std::string f040 = Bytes({0xF0, 0x40});
    EXPECT_EQ(ToEuc(f040), Bytes({0x8F, 0xA1, 0xA1}));
    EXPECT_EQ(ToJis(f040), Bytes({0x1B, 0x24, 0x28, 0x50, 0x21, 0x21}));
    EXPECT_EQ(FromEuc(Bytes({0x8F, 0xA1, 0xA1})), f040);
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x28, 0x50, 0x21, 0x21})), f040);
    // A plane-2 row that Shift_JIS-2004 has no lead for converts to "?".
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x28, 0x50, 0x22, 0x21})), "?");
}

TEST(ConversionEdges, Jisx0212KanjiThroughJisAndEuc)
{
    // JIS X 0212 0x3021 (丂) is U+4E02, which JIS X 0213 has in plane 1.
    const std::uint16_t code = Jisx0212ToSjis(0x3021);
    ASSERT_NE(code, 0);
    EXPECT_EQ(SjisCodeToUnicode(code), u'\u4E02');
    const std::string expected = Bytes({code >> 8, code & 0xFF});
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x28, 0x44, 0x30, 0x21})), expected);
    EXPECT_EQ(FromEuc(Bytes({0x8F, 0xB0, 0xA1})), expected);
    // Non-kanji rows of JIS X 0212 give "?".
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x28, 0x44, 0x22, 0x2F})), "?");
    EXPECT_EQ(Jisx0212ToSjis(0x2221), 0);
    EXPECT_EQ(Jisx0212ToSjis(0x6E21), 0);
}

TEST(ConversionEdges, DocumentedReplacements)
{
    EXPECT_EQ(ToUtf16(Bytes({0x81, 0x60})), u"\uFF5E");  // ～ as code page 932 has it
    EXPECT_EQ(FromUtf16(u"\u301C"), "?");
    EXPECT_EQ(FromUtf16(u"\u00A5"), "\x5C");
    EXPECT_EQ(Utf8ToUnits(Bytes({0xF0, 0x9F, 0x98, 0x80})), u"?");  // a four-byte character without a code
    EXPECT_EQ(FromUtf16(u"\U0001F600"), "??");                      // a surrogate pair without one
    EXPECT_EQ(ToUtf16(Bytes({0x87, 0x9F})), u"\u4FF1");             // added in 2004
    EXPECT_EQ(ToUtf16(Bytes({0x98, 0x73})), u"\U00020B9F");         // added in 2004, above U+FFFF
    EXPECT_EQ(ToUtf16(Bytes({0x82, 0xFA})), u"\u3013");             // never assigned
    EXPECT_EQ(ToUtf16(Bytes({0xFC, 0x5A})), u"\u9B1D");
    EXPECT_EQ(FromUtf16(u"\u30FB"), Bytes({0x81, 0x45}));
    EXPECT_EQ(FromUtf16(u"\u2225"), Bytes({0x81, 0x61}));
    EXPECT_EQ(FromUtf16(u"\"'-~\\"), "\"'-~\\");
    EXPECT_EQ(FromUtf16(u"\uFF61\uFF9F"), Bytes({0xA1, 0xDF}));
    EXPECT_EQ(FromUtf16(u"\uFEFFa\uFEFF"), "a?");  // only the first mark is skipped
}

TEST(ConversionEdges, Utf8DecodingRules)
{
    EXPECT_EQ(Utf8ToUnits(Bytes({0xEF, 0xBB, 0xBF, 0x61})), u"a");
    EXPECT_EQ(Utf8ToUnits(Bytes({0xE6, 0x97, 0xA5, 0xC3, 0xA9})), u"\u65E5\u00E9");
    EXPECT_EQ(Utf8ToUnits(Bytes({0x80, 0xBF})), u"\u0080\u00BF");  // stray continuation bytes
    EXPECT_EQ(Utf8ToUnits(Bytes({0xC1, 0x81})), u"A");             // overlong forms accepted
    EXPECT_EQ(Utf8ToUnits(Bytes({0xED, 0xA0, 0x80})), u"\xD800");  // a lone surrogate form
    EXPECT_EQ(Utf8ToUnits(Bytes({0xFC, 0x80, 0x80, 0x80, 0x80, 0x80, 0x61})), u"?a");
    EXPECT_EQ(UnitsToUtf8(u"a\u00E9\u65E5\xD800"), Bytes({0x61, 0xC3, 0xA9, 0xE6, 0x97, 0xA5, 0xED, 0xA0, 0x80}));
}

// A byte without a character never ends the text, never eats the byte after it and
// never makes a conversion read past the terminator.
TEST(ConversionEdges, BytesWithoutCharacterKeepTheText)
{
    // Lead before a line break and before the terminator.
    EXPECT_EQ(ToUtf16(Bytes({0x82, 0x0A, 0x61})), u"\uFFFD\na");
    EXPECT_EQ(ToUtf16(Bytes({0x61, 0x82})), u"a\uFFFD");
    EXPECT_EQ(ToJis(Bytes({0x61, 0x82})), Bytes({0x61, 0x82}));
    EXPECT_EQ(ToEuc(Bytes({0x82, 0x0D, 0x0A})), Bytes({0x82, 0x0D, 0x0A}));
    // Single bytes without a character survive a trip through UTF-16.
    const std::string odd = Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x61});
    EXPECT_EQ(ToUtf16(odd), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3a");
    EXPECT_EQ(FromUtf16(ToUtf16(odd)), odd);
    EXPECT_EQ(FromJis(ToJis(odd)), odd);
    // Overlong zero and cut-off sequences do not end or swallow the text.
    EXPECT_EQ(Utf8ToUnits(Bytes({0x61, 0xC0, 0x80, 0x62})), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUnits(Bytes({0x61, 0xE6, 0x97})), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUnits(Bytes({0xE6, 0x0A, 0x62})), u"\uFFFD\nb");
    EXPECT_EQ(Utf8ToUnits(Bytes({0xF0, 0x9F, 0x0A})), u"\uFFFD\n");
    // Half a character in EUC-JP or JIS keeps the byte that follows.
    EXPECT_EQ(FromEuc(Bytes({0xA4, 0x0A, 0x61})), Bytes({0xA4, 0x0A, 0x61}));
    EXPECT_EQ(FromEuc(Bytes({0x61, 0xA4})), Bytes({0x61, 0xA4}));
    EXPECT_EQ(FromEuc(Bytes({0x8F, 0xA1})), Bytes({0x8F, 0xA1}));
    EXPECT_EQ(FromEuc(Bytes({0x8E, 0x0A})), Bytes({0x8E, 0x0A}));
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x42, 0x34, 0x0D, 0x0A})), Bytes({0x34, 0x0D, 0x0A}));
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x42, 0x34})), Bytes({0x34}));
    // An escape cut off by the end of the text is copied.
    EXPECT_EQ(FromJis(Bytes({0x61, 0x1B, 0x24, 0x28})), Bytes({0x61, 0x1B, 0x24, 0x28}));
    EXPECT_EQ(FromJis(Bytes({0x1B, 0x24, 0x41, 0x61})), Bytes({0x1B, 0x24, 0x41, 0x61}));
}

TEST(ConversionContract, CapacityDecidesBetweenCountAndMinusOne)
{
    const std::string text = Bytes({0x8A, 0xBF, 0x61});  // 漢a -> 10 JIS bytes
    char buffer[16];
    EXPECT_EQ(InternalToJis(nullptr, text.c_str(), 0), 10);
    EXPECT_EQ(InternalToJis(buffer, text.c_str(), 11), 10);
    EXPECT_EQ(InternalToJis(buffer, text.c_str(), 10), -1);
    EXPECT_EQ(InternalToJis(buffer, text.c_str(), 0), -1);
    EXPECT_EQ(InternalToJis(buffer, text.c_str(), -5), -1);
    // Too small: exactly capacity units are touched, the last one a terminator.
    std::memset(buffer, 0x5A, sizeof buffer);
    EXPECT_EQ(InternalToJis(buffer, text.c_str(), 4), -1);
    EXPECT_EQ(buffer[3], 0);
    EXPECT_EQ(buffer[4], 0x5A);
    char16_t units[4] = {0x5A, 0x5A, 0x5A, 0x5A};
    EXPECT_EQ(InternalToUtf16(units, "ab", true, 3), -1);
    EXPECT_EQ(units[3], 0x5A);
    EXPECT_EQ(InternalToUtf16(units, "ab", true, 4), 3);
}

TEST(ConversionContract, Utf16ToInternalRunsInPlace)
{
    const std::u16string text = u"\uFEFF漢字かなカナ abc ｶﾞ\u301C";
    std::u16string buffer = text;  // units, then reused for the bytes
    char* bytes = reinterpret_cast<char*>(&buffer[0]);
    const std::int64_t n = Utf16ToInternal(bytes, buffer.c_str(), static_cast<std::int64_t>(buffer.size() * 2 + 2));
    ASSERT_GE(n, 0);
    EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(n)), FromUtf16(text));
}

TEST(ConversionContract, RangeFormKeepsZeroAndStopsAtTheEnd)
{
    const std::string withZero("a\0\x82\xA0", 4);
    std::u16string units(8, u'x');
    EXPECT_EQ(InternalToUtf16(&units[0], std::string_view(withZero), false, 8), 3);
    EXPECT_EQ(units.substr(0, 3), std::u16string(u"a\0\u3042", 3));
    char back[8];
    EXPECT_EQ(Utf16ToInternal(back, std::u16string_view(units.data(), 3), 8), 4);
    EXPECT_EQ(std::string(back, 4), withZero);
    // The range ends inside a character: the lead stands alone, nothing past it is read.
    EXPECT_EQ(InternalToUtf16(&units[0], std::string_view(withZero.data(), 3), false, 8), 3);
    EXPECT_EQ(units[2], kNoCharacterUnit);
    char jis[32];
    EXPECT_EQ(InternalToJis(jis, std::string_view("\x8A\xBF\0a", 4), 32), 11);
    EXPECT_EQ(std::string(jis, 11), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x00, 0x61}));
}

}  // namespace

namespace {

// The count of replaced characters that a conversion reports, checked in both modes.
template <typename Convert>
std::int64_t ReplacedBy(Convert convert)
{
    std::int64_t counting = -1, writing = -1;
    const std::int64_t n = convert(nullptr, 0, &counting);
    EXPECT_GE(n, 0);
    std::vector<char> buffer(static_cast<std::size_t>(n + 1) * 2);
    EXPECT_EQ(convert(buffer.data(), n + 1, &writing), n);
    EXPECT_EQ(counting, writing);
    return writing;
}

}  // namespace

TEST(ConversionEdges, CharactersAboveTheBmpAndSequences)
{
    // 𠀋𡈽 (above U+FFFF), ㉑, か゚ (a sequence), ㇰ, and 𠮟 (added in 2004).
    const std::string internal = Bytes({0x87, 0xA0, 0x88, 0x61, 0x84, 0xBF, 0x82, 0xF5, 0x83, 0xEC, 0x98, 0x73});
    const std::u16string utf16 = u"\U0002000B\U0002123D\u3251\u304B\u309A\u31F0\U00020B9F";
    EXPECT_EQ(ToUtf16(internal), utf16);
    EXPECT_EQ(FromUtf16(utf16), internal);
    // UTF-8: a surrogate pair is one four-byte form, and comes back as the pair.
    EXPECT_EQ(UnitsToUtf8(u"\U00020089"), Bytes({0xF0, 0xA0, 0x82, 0x89}));
    EXPECT_EQ(Utf8ToUnits(Bytes({0xF0, 0xA0, 0x82, 0x89})), u"\U00020089");
    EXPECT_EQ(UnitsToUtf8(u"\U0001F600"), Bytes({0xF0, 0x9F, 0x98, 0x80}));
    // A lone high surrogate, and a low one before a high one, keep three-byte forms.
    EXPECT_EQ(UnitsToUtf8(u"\xD840"
                          u"a"),
              Bytes({0xED, 0xA1, 0x80, 0x61}));
    EXPECT_EQ(UnitsToUtf8(u"\xDC89\xD840"), Bytes({0xED, 0xB2, 0x89, 0xED, 0xA1, 0x80}));
    // Longest match: a base alone keeps its code; the mark after another character is "?".
    EXPECT_EQ(FromUtf16(u"\u304B"), Bytes({0x82, 0xA9}));
    EXPECT_EQ(FromUtf16(u"a\u309A"), "a?");
    EXPECT_EQ(FromUtf16(u"\u304B\u309A\u309A"), Bytes({0x82, 0xF5, '?'}));
    // ˩˥ is one code, ˥˩ another; a third mark after a sequence stands alone.
    EXPECT_EQ(FromUtf16(u"\u02E9\u02E5"), Bytes({0x86, 0x85}));
    EXPECT_EQ(FromUtf16(u"\u02E5\u02E9"), Bytes({0x86, 0x86}));
    EXPECT_EQ(FromUtf16(u"\u02E9\u02E5\u02E9"), Bytes({0x86, 0x85, 0x86, 0x84}));
    EXPECT_EQ(FromUtf16(u"\u00E6\u0300"), Bytes({0x86, 0x63}));
    EXPECT_EQ(FromUtf16(u"\u0300"), Bytes({0x86, 0x7B}));  // the mark alone has a code
}

TEST(ConversionEdges, SequencesInPlaceAndAtTheCapacity)
{
    // In place: the bytes of the base are rewritten, never more than was read.
    std::u16string units = u"x\u304B\u309A\U00020089y";
    char* bytes = reinterpret_cast<char*>(&units[0]);
    const std::int64_t n = Utf16ToInternal(bytes, units.c_str(), static_cast<std::int64_t>(units.size() * 2));
    EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(n)), Bytes({'x', 0x82, 0xF5, 0xF0, 0x40, 'y'}));
    // Every capacity too small gives -1 and writes nothing past it.
    const std::u16string source = u"\u304B\u309A";
    for (std::int64_t capacity = 1; capacity <= 3; ++capacity) {
        char out[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
        const std::int64_t r = Utf16ToInternal(out, source.c_str(), capacity);
        EXPECT_EQ(r, capacity == 3 ? 2 : -1);
        for (std::int64_t k = capacity; k < 8; ++k) EXPECT_EQ(out[k], '#') << capacity;
    }
}

TEST(ConversionEdges, ConversionsCountTheCharactersTheyReplaced)
{
    auto toUtf16 = [](const std::string& s) {
        return ReplacedBy([&](char* d, std::int64_t c, std::int64_t* r) {
            return InternalToUtf16(reinterpret_cast<char16_t*>(d), s, false, c, r);
        });
    };
    auto fromUtf16 = [](const std::u16string& s) {
        return ReplacedBy([&](char* d, std::int64_t c, std::int64_t* r) { return Utf16ToInternal(d, s, c, r); });
    };
    auto fromUtf8 = [](const std::string& s) {
        return ReplacedBy([&](char* d, std::int64_t c, std::int64_t* r) {
            return Utf8ToUtf16(reinterpret_cast<char16_t*>(d), s, c, r);
        });
    };
    auto fromJis = [](const std::string& s) {
        return ReplacedBy([&](char* d, std::int64_t c, std::int64_t* r) { return JisToInternal(d, s, c, r); });
    };
    auto fromEuc = [](const std::string& s) {
        return ReplacedBy([&](char* d, std::int64_t c, std::int64_t* r) { return EucToInternal(d, s, c, r); });
    };
    EXPECT_EQ(toUtf16(Bytes({0x82, 0xA0, 0xF0, 0x40, 0x82, 0xF5})), 0);
    EXPECT_EQ(toUtf16(Bytes({0x82, 0xFA, 'a', 0x81})), 2);  // unmapped, and a lone lead
    EXPECT_EQ(fromUtf16(u"a\U00020089\u304B\u309A"), 0);
    EXPECT_EQ(fromUtf16(u"\U0001F600\uD55C\xD800\u309A"), 4);  // a pair counts once
    EXPECT_EQ(fromUtf8(Bytes({0xF0, 0xA0, 0x82, 0x89})), 0);
    EXPECT_EQ(fromUtf8(Bytes({0xF0, 0x9F, 0x98, 0x80, 0xFC, 0x80, 0x80, 0x80, 0x80, 0x80})), 2);
    EXPECT_EQ(fromUtf8(Bytes({0xE6, 0x97, 'a'})), 0);  // U+FFFD, counted by the next stage
    EXPECT_EQ(fromJis(Bytes({0x1B, 0x24, 0x28, 0x44, 0x22, 0x2F, 0x1B, 0x24, 0x42, 0x34, 0x41})), 1);
    EXPECT_EQ(fromEuc(Bytes({0x8F, 0xA2, 0xAF, 0xFF, 0xA1, 0xB4, 0xC1})), 2);
}
