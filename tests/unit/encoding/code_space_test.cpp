// Exhaustive checks over the whole double-byte code space and the half-width katakana.
#include <gtest/gtest.h>

#include <set>

#include "encoding/Conversion.h"
#include "encoding/EncodingTables.h"
#include "Published501.h"
#include "TestText.h"

namespace {

bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

template <typename Visit>
void ForEachPair(Visit visit)
{
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        if (IsLead(lead))
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                if (IsTrail(trail)) visit(lead << 8 | trail);
}

std::u16string ToUtf16Of(const std::string& internal)
{
    return Converted<char16_t>(
        internal, [](char16_t* d, const char* s, std::int64_t c) { return InternalToUtf16(d, s, false, c); });
}

std::string FromUtf16Of(const std::u16string& units)
{
    return Converted<char>(units, [](char* d, const char16_t* s, std::int64_t c) { return Utf16ToInternal(d, s, c); });
}

// Internal -> UTF-16 -> UTF-8 -> UTF-16 -> internal, as saving and opening a UTF-8 file do.
std::string ThroughUtf8(const std::string& internal, std::string* utf8Out = nullptr)
{
    const std::string utf8 = Converted<char>(
        ToUtf16Of(internal), [](char* d, const char16_t* s, std::int64_t c) { return Utf16ToUtf8(d, s, false, c); });
    if (utf8Out) *utf8Out = utf8;
    return FromUtf16Of(
        Converted<char16_t>(utf8, [](char16_t* d, const char* s, std::int64_t c) { return Utf8ToUtf16(d, s, c); }));
}

std::string PairText(unsigned code) { return Bytes({static_cast<int>(code >> 8), static_cast<int>(code & 0xFF)}); }

// The five codes whose character is written back with another code (or as ASCII).
bool IsNotProduced(unsigned code) { return code == 0x81D2 || (code >= 0x81AD && code <= 0x81B0); }

std::u16string Utf16Of(char32_t codePoint)
{
    if (codePoint < 0x10000) return std::u16string(1, static_cast<char16_t>(codePoint));
    return {static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF))};
}

TEST(CodeSpace, EveryMappedPairRoundTripsThroughUtf16AndUtf8)
{
    int mapped = 0, unmapped = 0, twoUnits = 0;
    ForEachPair([&](unsigned code) {
        const std::string text = PairText(code);
        const std::u16string units = ToUtf16Of(text);
        ASSERT_TRUE(units.size() == 1 || units.size() == 2) << std::hex << code;
        char16_t direct[2];
        ASSERT_EQ(SjisCodeToUtf16(static_cast<std::uint16_t>(code), direct), static_cast<int>(units.size()));
        EXPECT_EQ(std::u16string(direct, units.size()), units);
        EXPECT_EQ(SjisCodeToUnicode(static_cast<std::uint16_t>(code)), units[0]);
        if (units == u"\u3013" && code != 0x81AC) {
            ++unmapped;
            return;
        }
        ++mapped;
        twoUnits += units.size() == 2;
        if (code != 0x8145) {
            EXPECT_NE(units[0], u'\u30FB') << std::hex << code;  // no placeholder any more
        }
        if (IsNotProduced(code)) {
            EXPECT_NE(FromUtf16Of(units), text) << std::hex << code;
            return;
        }
        EXPECT_EQ(FromUtf16Of(units), text) << std::hex << code;
        std::string utf8;
        EXPECT_EQ(ThroughUtf8(text, &utf8), text) << std::hex << code;
        // A surrogate pair is one four-byte form, never two three-byte ones.
        if (units.size() == 2 && units[0] >= 0xD800) {
            EXPECT_EQ(utf8.size(), 4u) << std::hex << code;
        }
    });
    EXPECT_EQ(mapped, 11233);
    EXPECT_EQ(unmapped, 47);  // never assigned
    EXPECT_EQ(twoUnits, 303 + 25);
    EXPECT_EQ(mapped + unmapped, 60 * 188);
}

TEST(CodeSpace, The501CodesGiveExactlyThePublishedCharacters)
{
    int aboveBmp = 0, sequences = 0;
    for (const PublishedCharacter& p : kPublished501) {
        std::u16string expected = Utf16Of(p.first);
        if (p.second) expected += Utf16Of(p.second);
        aboveBmp += p.first > 0xFFFF;
        sequences += p.second != 0;
        EXPECT_EQ(ToUtf16Of(PairText(p.code)), expected) << std::hex << p.code;
        EXPECT_EQ(FromUtf16Of(expected), PairText(p.code)) << std::hex << p.code;
        if (p.second) {
            EXPECT_EQ(SequenceToSjisCode(static_cast<char16_t>(p.first), static_cast<char16_t>(p.second)), p.code);
        } else {
            EXPECT_EQ(CodePointToSjisCode(p.first), p.code) << std::hex << p.code;
        }
    }
    EXPECT_EQ(aboveBmp, 303);  // 302, and 0x9873 of the 2004 additions
    EXPECT_EQ(sequences, 25);
}

TEST(CodeSpace, NotProducedCodesGoToTheirPreferredForm)
{
    EXPECT_EQ(UnicodeToSjisCode(0x30FB), 0x8145);
    EXPECT_EQ(SjisCodeToUnicode(0x81D2), u'\u2225');
    EXPECT_EQ(UnicodeToSjisCode(0x2225), 0x8161);
    EXPECT_EQ(SjisCodeToUnicode(0x81AD), u'\'');
    EXPECT_EQ(SjisCodeToUnicode(0x81B0), u'~');
    EXPECT_EQ(UnicodeToSjisCode(u'~'), u'~');
    // 0x815F and the other code page 932 forms keep their characters.
    EXPECT_EQ(SjisCodeToUnicode(0x815F), u'\uFF3C');
    EXPECT_EQ(SjisCodeToUnicode(0xFC5A), u'\u9B1D');
}

TEST(CodeSpace, EveryUnitWithACodeMapsToAPairThatMapsBack)
{
    // The reverse pages hold nothing that the forward table would not give back, apart
    // from the documented additions.
    const std::set<unsigned> added = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x00B5, 0x2211,
                                      0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3};
    int pages = 0;
    for (unsigned page = 0; page < 256; ++page) pages += UnicodeToSjisPages[page] != nullptr;
    EXPECT_EQ(pages, 133);
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        const unsigned code = UnicodeToSjisCode(static_cast<char16_t>(unit));
        EXPECT_EQ(CodePointToSjisCode(unit), code);
        if (code == 0 || added.count(unit)) continue;
        EXPECT_EQ(SjisCodeToUnicode(static_cast<std::uint16_t>(code)), unit) << std::hex << unit;
    }
    // The combining marks alone: U+309A has no code of its own, the others have.
    EXPECT_EQ(UnicodeToSjisCode(0x309A), 0);
    EXPECT_EQ(UnicodeToSjisCode(0x0300), 0x867B);
    EXPECT_EQ(CodePointToSjisCode(0x1F600), 0);
    EXPECT_EQ(CodePointToSjisCode(0x110000), 0);
}

TEST(CodeSpace, JisAndSjisArithmeticAreInverse)
{
    std::set<unsigned> seen[3];
    ForEachPair([&](unsigned code) {
        const unsigned jis = SjisToJisCode(static_cast<std::uint16_t>(code));
        const int plane = SjisCodePlane(static_cast<std::uint16_t>(code));
        ASSERT_GE(jis >> 8, 0x21u);
        ASSERT_LE(jis >> 8, 0x7Eu);
        ASSERT_GE(jis & 0xFF, 0x21u);
        ASSERT_LE(jis & 0xFF, 0x7Eu);
        EXPECT_TRUE(seen[plane].insert(jis).second) << "two codes share a row/cell";
        EXPECT_EQ(JisCodeToSjis(static_cast<std::uint16_t>(jis), plane), code) << std::hex << code;
    });
    EXPECT_EQ(seen[1].size(), 94u * 94u);
    // Plane 2: rows 1, 3-5, 8, 12-15 and 78-94.
    EXPECT_EQ(seen[2].size(), 26u * 94u);
    for (unsigned plane = 1; plane <= 2; ++plane)
        for (unsigned row = 0x21; row <= 0x7E; ++row)
            for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
                const unsigned code =
                    JisCodeToSjis(static_cast<std::uint16_t>(row << 8 | cell), static_cast<int>(plane));
                EXPECT_EQ(code != 0, seen[plane].count(row << 8 | cell) == 1);
            }
    EXPECT_EQ(JisCodeToSjis(0x2121, 3), 0);
    EXPECT_EQ(JisCodeToSjis(0x2020, 1), 0);
    EXPECT_EQ(SjisToJisCode(0x817F), 0);
    EXPECT_EQ(SjisToJisCode(0xA040), 0);
}

TEST(CodeSpace, EveryPairRoundTripsThroughJisAndEuc)
{
    ForEachPair([&](unsigned code) {
        const std::string text = PairText(code) + "a" + PairText(code);
        char jis[32], euc[16], back[16];
        const std::int64_t nj = InternalToJis(jis, text.c_str(), sizeof jis);
        ASSERT_GT(nj, 0);
        for (std::int64_t i = 0; i < nj; ++i) ASSERT_LT(static_cast<unsigned char>(jis[i]), 0x80u);
        const std::int64_t bj = JisToInternal(back, jis, sizeof back);
        EXPECT_EQ(std::string(back, static_cast<std::size_t>(bj)), text) << std::hex << code;
        const std::int64_t ne = InternalToEuc(euc, text.c_str(), sizeof euc);
        ASSERT_EQ(ne, code >= 0xF000 ? 7 : 5);
        const std::int64_t be = EucToInternal(back, euc, sizeof back);
        EXPECT_EQ(std::string(back, static_cast<std::size_t>(be)), text) << std::hex << code;
    });
}

TEST(CodeSpace, HalfWidthKatakanaAloneAndWithMarks)
{
    const std::u16string plain =
        u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    // Voiced: the bytes 0xA1 + index that have a voiced form, and that form.
    const std::u16string voicedFrom = u"ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎｳﾜｲｴｦ";
    const std::u16string voicedTo = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴヷヸヹヺ";
    const std::u16string semiFrom = u"ﾊﾋﾌﾍﾎ";
    const std::u16string semiTo = u"パピプペポ";
    const std::u16string semiPlane1From = u"ｶｷｸｹｺｾﾂﾄ";  // JIS X 0213 katakana with semi-voiced mark
    ASSERT_EQ(plain.size(), 63u);
    for (unsigned b = 0xA1; b <= 0xDF; ++b) {
        const char16_t half = static_cast<char16_t>(0xFF61 + b - 0xA1);
        EXPECT_EQ(ToUtf16Of(Bytes({static_cast<int>(b)})), std::u16string(1, plain[b - 0xA1]));
        EXPECT_EQ(SjisCodeToUnicode(static_cast<std::uint16_t>(b)), half);
        const auto v = voicedFrom.find(half);
        const std::u16string withVoiced = ToUtf16Of(Bytes({static_cast<int>(b), 0xDE}));
        if (v != std::u16string::npos) {
            EXPECT_EQ(withVoiced, std::u16string(1, voicedTo[v])) << std::hex << b;
        } else {
            EXPECT_EQ(withVoiced, std::u16string(1, plain[b - 0xA1]) + u"゛") << std::hex << b;
        }
        const auto s = semiFrom.find(half);
        const auto s2 = semiPlane1From.find(half);
        const std::string withSemi = Bytes({static_cast<int>(b), 0xDF});
        if (s != std::u16string::npos) {
            EXPECT_EQ(ToUtf16Of(withSemi), std::u16string(1, semiTo[s]));
        } else if (s2 != std::u16string::npos) {
            // Merged into a JIS X 0213 code: its published form, the kana and U+309A.
            EXPECT_EQ(ToUtf16Of(withSemi), std::u16string(1, plain[b - 0xA1]) + u"\u309A") << std::hex << b;
        } else {
            EXPECT_EQ(ToUtf16Of(withSemi), std::u16string(1, plain[b - 0xA1]) + u"゜") << std::hex << b;
        }
        const InternalChar merged = ReadInternalChar(withSemi.c_str());
        EXPECT_EQ(merged.length, (s != std::u16string::npos || s2 != std::u16string::npos) ? 2 : 1);
        if (s2 != std::u16string::npos) {
            EXPECT_EQ(merged.code, 0x8397 + s2);
        }
    }
    EXPECT_EQ(kHalfWidthKana.plain[0], 0x8142);
    EXPECT_EQ(kHalfWidthKana.plain[0xDE - 0xA1], 0x814A);
    EXPECT_EQ(kHalfWidthKana.plain[0xDF - 0xA1], 0x814B);
}

}  // namespace
