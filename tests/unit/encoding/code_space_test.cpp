// Exhaustive checks over the whole double-byte code space, the 501 codes among them against
// their published characters.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "encoding/EncodingTables.h"
#include "encoding/NameText.h"
#include "Published501.h"
#include "TestText.h"

namespace {

std::u16string Utf16Of(char32_t c)
{
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

// Every pair through UTF-16, UTF-8 (as saving and opening a UTF-8 file do), JIS and EUC-JP;
// a pair with "a" between two copies, so that the escapes of JIS are opened and closed.
// Names convert each pair code for code, an unassigned one to U+FFFD; the JIS arithmetic
// gives each pair its own row and cell, and back; and only the units of codes have codes.
TEST(CodeSpace, EveryPairRoundTripsThroughEveryEncodingAndAsAName)
{
    int mapped = 0, twoUnits = 0;
    std::set<unsigned> reached[2], produced;
    std::map<unsigned, PublishedCharacter> published;
    for (const PublishedCharacter& p : Published501()) published[p.code] = p;
    ASSERT_EQ(published.size(), 501u);
    for (unsigned lead = 0x81; lead <= 0xFC; lead += lead == 0x9F ? 0x41 : 1)
        for (unsigned trail = 0x40; trail <= 0xFC; trail += trail == 0x7E ? 2 : 1) {
            const unsigned code = lead << 8 | trail;
            const std::uint16_t row = SjisToJisCode(static_cast<std::uint16_t>(code));
            const int plane = SjisCodePlane(static_cast<std::uint16_t>(code));
            ASSERT_TRUE(row >> 8 >= 0x21 && row >> 8 <= 0x7E && (row & 0xFF) >= 0x21 && (row & 0xFF) <= 0x7E);
            EXPECT_EQ(JisCodeToSjis(row, plane), code) << std::hex << code;
            reached[plane - 1].insert(row);
            const std::string text = Bytes({static_cast<int>(lead), static_cast<int>(trail)});
            const std::u16string units = ToUtf16(text);
            if (const auto p = published.find(code); p != published.end()) {
                const PublishedCharacter& c = p->second;
                EXPECT_EQ(units, Utf16Of(c.first) + (c.second ? Utf16Of(c.second) : u"")) << std::hex << code;
                EXPECT_EQ(c.second ? SequenceToSjisCode(static_cast<char16_t>(c.first), static_cast<char16_t>(c.second))
                                   : CodePointToSjisCode(c.first),
                          code);
            }
            char16_t direct[2];  // read by the string only once the call has written it
            EXPECT_EQ(std::u16string(direct, SjisCodeToUtf16(static_cast<std::uint16_t>(code), direct)), units);
            EXPECT_EQ(SjisCodeToUnicode(static_cast<std::uint16_t>(code)), units[0]);
            const std::string twice = text + "a" + text, jis = ToJis(twice);
            for (unsigned char b : jis) ASSERT_LT(b, 0x80u);
            EXPECT_EQ(FromJis(jis), twice) << std::hex << code;
            EXPECT_TRUE(ToEuc(twice).size() == (code >= 0xF000 ? 7u : 5u) && FromEuc(ToEuc(twice)) == twice) << code;
            std::u16string name;
            std::string nameBack;
            char16_t unit[kMaxNameUnitUtf16];
            ASSERT_TRUE(NameToUtf16(text, name) && NameFromUtf16(name, nameBack));
            ASSERT_EQ(name, std::u16string(unit, static_cast<std::size_t>(NameUnitToUtf16(text.data(), 2, unit))));
            const bool assigned = units != u"\u3013" || code == 0x81AC;
            EXPECT_EQ(name == u"\uFFFD", !assigned) << std::hex << code;
            if (!assigned) continue;
            ++mapped;
            twoUnits += units.size() == 2;
            if (units.size() == 1) produced.insert(units[0]);
            EXPECT_EQ(name, units);
            EXPECT_TRUE(IsNameHeld(name)) << std::hex << code;
            // Five codes whose character is written back with another code (or as ASCII).
            const bool notProduced = code == 0x81D2 || (code >= 0x81AD && code <= 0x81B0);
            EXPECT_EQ(FromUtf16(units) == text, !notProduced) << std::hex << code;
            EXPECT_EQ(nameBack == text, !notProduced) << std::hex << code;
            if (notProduced) continue;
            const std::string utf8 = UnitsToUtf8(units);
            EXPECT_EQ(FromUtf16(Utf8ToUnits(utf8)), text) << std::hex << code;
            EXPECT_TRUE(units.size() == 1 || units[0] < 0xD800 || utf8.size() == 4) << "a pair is one four-byte form";
        }
    EXPECT_EQ(mapped, 11233);
    EXPECT_EQ(twoUnits, 303 + 25);
    // Plane 2 has rows 1, 3-5, 8, 12-15 and 78-94: whatever JIS code is not reached gives 0.
    EXPECT_EQ(reached[0].size() + reached[1].size(), 94u * 94u + 26u * 94u);
    for (unsigned jis = 0x2121; jis <= 0x7E7E; jis += (jis & 0xFF) == 0x7E ? 0xA3 : 1)
        for (int plane = 1; plane <= 2; ++plane)
            EXPECT_EQ(JisCodeToSjis(static_cast<std::uint16_t>(jis), plane) != 0, reached[plane - 1].count(jis) == 1);
    EXPECT_EQ(JisCodeToSjis(0x2121, 3) + JisCodeToSjis(0x2020, 1) + SjisToJisCode(0x817F) + SjisToJisCode(0xA040), 0);
    // The reverse pages give a code to no unit that no code gives, apart from the single
    // bytes and the documented additions.
    for (unsigned b = 1; b < 0x100; ++b) produced.insert(SjisCodeToUnicode(static_cast<std::uint16_t>(b)));
    for (unsigned added : {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x00B5, 0x2211, 0x2014, 0x2016, 0x2212, 0x301C})
        produced.insert(added);
    produced.erase(0xFFFD);  // what a lone lead byte gives
    for (unsigned unit = 1; unit < 0x10000; ++unit)
        EXPECT_EQ(UnicodeToSjisCode(static_cast<char16_t>(unit)) != 0, produced.count(unit) == 1) << std::hex << unit;
}

}  // namespace
