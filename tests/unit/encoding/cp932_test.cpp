// Windows Shift-JIS against Python's cp932 codec, asked while the test runs, and which
// Shift-JIS a file is.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "TestText.h"
#include "encoding/FileText.h"
#include "encoding/SjisBytes.h"

namespace {

std::string Pair(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

// Every pair both ways. Read, it gives the codec's character, or one reported "?" where the
// codec has none, the code is user-defined or no internal code gives the character back.
// Written, an internal code gives the codec's code for its character, but the IBM copy
// (FA40-FC4B) where the codec picks the NEC-selected one (ED40-EEFC); "?" where Windows
// has no such character.
TEST(Cp932, EveryPairBothWaysAgainstTheCodec)
{
    std::istringstream codec(Python("for l in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):\n"
                                    "    for t in range(0x40, 0xFD):\n"
                                    "        try: u = bytes([l, t]).decode('cp932')\n"
                                    "        except UnicodeDecodeError: continue\n"
                                    "        print(l * 256 + t, ord(u), int.from_bytes(u.encode('cp932'), 'big'))\n"));
    std::map<unsigned, char16_t> read;
    std::map<char16_t, unsigned> written, ibm;
    for (unsigned code, unit, back; codec >> code >> unit >> back;) {
        read[code] = unit >= 0xE000 && unit < 0xF900 ? 0 : static_cast<char16_t>(unit);
        written[static_cast<char16_t>(unit)] = back;
        if (code >= 0xFA40) ibm.emplace(static_cast<char16_t>(unit), code);
    }
    if (read.size() < 7000) GTEST_SKIP() << "python3 with its cp932 codec is needed";
    for (unsigned code = 0x8140; code <= 0xFCFC; ++code) {
        if (!sjis::IsLeadByte(code >> 8) || !sjis::IsTrailByte(code & 0xFF)) continue;
        SCOPED_TRACE(testing::Message() << std::hex << code);
        std::int64_t replaced = -1, lost = 0;
        const std::string text = FromCp932(Pair(code), &replaced);
        const char16_t unit = read.count(code) ? read[code] : 0;
        if (replaced == 0)
            EXPECT_EQ(InternalTextToUtf16(text), std::u16string(1, unit));
        else  // no character, or one that no internal code gives back (0 gives 0, never 1)
            EXPECT_TRUE(text == "?" && replaced == 1 && SjisCodeToUnicode(UnicodeToSjisCode(unit)) != (unit ? unit : 1));
        const std::u16string units = ToUtf16(Pair(code), &lost);
        const auto back = units.size() == 1 && lost == 0 ? written.find(units[0]) : written.end();
        const unsigned expected = back == written.end()                               ? '?'
                                  : back->second >= 0xED40 && back->second <= 0xEEFC ? ibm.at(units[0])
                                                                                      : back->second;
        EXPECT_EQ(ToCp932(Pair(code), &replaced), expected < 0x100 ? std::string(1, char(expected)) : Pair(expected));
        EXPECT_EQ(replaced, back == written.end() ? 1 : 0);
    }
}

TEST(Cp932, SingleBytesPassAndWindowsFilesAreRecognisedOnlyWhereTheBytesShowIt)
{
    for (const std::string& text : {Bytes({0xB6, 0xDE, 0x80, 0xA0, 0xFD, 0xFF}), Bytes({0x81, 0x0A, 0xFA, 0x20, 0xFC})})
        EXPECT_TRUE(FromCp932(text) == text && ToCp932(text) == text);
    const std::string roman = Bytes({0x82, 0xA0, 0xFA, 0x40});  // あⅰ, the IBM form
    using E = EncodingCode;
    using F = SjisFlavour;
    EXPECT_EQ(ChooseSjisFlavour(E::ShiftJis, F::Recognise, roman), E::Cp932);
    for (const std::string& end : {Bytes({0xED, 0x40}), Bytes({0xEE, 0xFC}), Bytes({0xFC, 0x4B})})  // the ranges' ends
        EXPECT_EQ(ChooseSjisFlavour(E::ShiftJis, F::Recognise, end), E::Cp932);
    EXPECT_EQ(ChooseSjisFlavour(E::ShiftJis, F::Recognise, Bytes({0x87, 0x40})), E::ShiftJis);  // ① is in both
    EXPECT_EQ(ChooseSjisFlavour(E::ShiftJis, F::Recognise, roman + Bytes({0xF0, 0x40})), E::ShiftJis);  // only in
    EXPECT_EQ(ChooseSjisFlavour(E::ShiftJis, F::Recognise, roman + Bytes({0x85, 0x40})), E::ShiftJis);  // 2004
    EXPECT_EQ(ChooseSjisFlavour(E::Undetermined, F::Recognise, roman), E::Undetermined);
    EXPECT_EQ(ChooseSjisFlavour(E::Undetermined, F::Cp932, "ab"), E::Cp932);

    // Opened as Windows Shift-JIS in the bytes' own buffer; saved, ∵ takes its first code.
    const std::string file = Bytes({0x82, 0xA0, 0x82, 0xA2, 0x0D, 0x0A, 0xFA, 0x40, 0xFA, 0x5B});  // あい ⅰ∵
    DecodedFile decoded;
    ASSERT_TRUE(DecodeFileBytes(std::string(file), true, decoded, SjisFlavour::Recognise));
    EXPECT_TRUE(decoded.encoding == E::Cp932 && decoded.replaced == 0);
    EXPECT_EQ(InternalTextToUtf16(decoded.text), u"あい\r\nⅰ∵");
    std::string saved;
    ASSERT_TRUE(EncodeFileBytes(decoded.text, E::Cp932, LineEndingCode::Automatic, saved));
    EXPECT_EQ(saved, Bytes({0x82, 0xA0, 0x82, 0xA2, 0x0D, 0x0A, 0xFA, 0x40, 0x81, 0xE6}));
}

}  // namespace
