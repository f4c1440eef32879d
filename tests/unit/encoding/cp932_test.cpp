// Windows Shift-JIS against Python's cp932 codec, asked while the test runs: every code
// read, every internal code written, and which Shift-JIS a file is.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "TestText.h"
#include "encoding/FileText.h"

namespace {

// Each Windows double-byte code with its character and the codec's own code for it
// (absent: the codec reads no character there).
struct WindowsCode {
    char16_t unit;
    unsigned codecCode;
};

std::map<unsigned, WindowsCode> AskCodec()
{
    std::map<unsigned, WindowsCode> codes;
    FILE* pipe = popen(
        "python3 -c \"\n"
        "leads = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))\n"
        "for lead in leads:\n"
        "    for t in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):\n"
        "        try: u = bytes([lead, t]).decode('cp932')\n"
        "        except UnicodeDecodeError: continue\n"
        "        print(lead * 256 + t, ord(u), int.from_bytes(u.encode('cp932'), 'big'))\n"
        "\"",
        "r");
    if (!pipe) return codes;
    unsigned code = 0, unit = 0, codec = 0;
    while (std::fscanf(pipe, "%u %u %u", &code, &unit, &codec) == 3)
        codes[code] = {static_cast<char16_t>(unit), codec};
    pclose(pipe);
    return codes;
}

std::string Pair(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

bool IsPair(unsigned lead, unsigned trail)
{
    return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) && trail >= 0x40 && trail <= 0xFC &&
           trail != 0x7F;
}

class Cp932Test : public testing::Test {
protected:
    static void SetUpTestSuite() { codes = new std::map<unsigned, WindowsCode>(AskCodec()); }
    static void TearDownTestSuite() { delete codes; }
    void SetUp() override
    {
        if (codes->size() < 7000) GTEST_SKIP() << "python3 with its cp932 codec is needed";
    }
    static std::map<unsigned, WindowsCode>* codes;
};
std::map<unsigned, WindowsCode>* Cp932Test::codes = nullptr;

// Every pair reads as the codec's character, or as one reported "?" where the codec has
// none, the code is user-defined (private use) or the internal text lacks the character.
TEST_F(Cp932Test, EveryCodeReadsAsTheCodecsCharacterOrAReportedReplacement)
{
    int kept = 0;
    for (unsigned code = 0x8140; code <= 0xFCFC; ++code) {
        if (!IsPair(code >> 8, code & 0xFF)) continue;
        SCOPED_TRACE(testing::Message() << std::hex << code);
        std::int64_t replaced = -1;
        const std::string text = FromCp932(Pair(code), &replaced);
        const auto found = codes->find(code);
        const bool userDefined = found != codes->end() && found->second.unit >= 0xE000 && found->second.unit < 0xF900;
        if (replaced == 0 && found != codes->end() && !userDefined) {
            EXPECT_EQ(InternalTextToUtf16(text), std::u16string(1, found->second.unit));
            ++kept;
        } else {
            EXPECT_EQ(text, "?");
            EXPECT_EQ(replaced, 1);
            if (found != codes->end() && !userDefined) {
                // Lacking means no internal code gives this very character back.
                const std::uint16_t internal = UnicodeToSjisCode(found->second.unit);
                EXPECT_TRUE(internal == 0 || SjisCodeToUnicode(internal) != found->second.unit);
            }
        }
    }
    EXPECT_GT(kept, 7500);
}

// Every internal code writes the codec's code for its character, except that a character
// Windows holds twice goes to the IBM copy (FA40-FC4B) and never to the NEC-selected one
// (ED40-EEFC); a character Windows lacks becomes one reported "?".
TEST_F(Cp932Test, EveryInternalCodeWritesTheWindowsFormOfItsCharacter)
{
    std::map<char16_t, unsigned> ibmCopy;
    for (const auto& [code, windows] : *codes)
        if (code >= 0xFA40 && !ibmCopy.count(windows.unit)) ibmCopy[windows.unit] = code;
    std::map<char16_t, unsigned> codecCode;
    for (const auto& [code, windows] : *codes) codecCode[windows.unit] = windows.codecCode;
    for (unsigned code = 0x8140; code <= 0xFCFC; ++code) {
        if (!IsPair(code >> 8, code & 0xFF)) continue;
        SCOPED_TRACE(testing::Message() << std::hex << code);
        std::int64_t lost = 0, replaced = -1;
        const std::u16string units = ToUtf16(Pair(code), &lost);
        const std::string written = ToCp932(Pair(code), &replaced);
        const auto found = units.size() == 1 && lost == 0 ? codecCode.find(units[0]) : codecCode.end();
        if (found == codecCode.end()) {
            EXPECT_EQ(written, "?");
            EXPECT_EQ(replaced, 1);
            continue;
        }
        unsigned expected = found->second;
        if (expected >= 0xED40 && expected <= 0xEEFC) expected = ibmCopy.at(units[0]);
        EXPECT_EQ(written, expected < 0x100 ? std::string(1, static_cast<char>(expected)) : Pair(expected));
        EXPECT_EQ(replaced, 0);
    }
}

// Bytes that are no pair pass both ways as they are: half-width katakana stay half-width.
TEST(Cp932Bytes, SingleBytesAndLoneLeadsAreKept)
{
    for (const std::string& text : {Bytes({0xB6, 0xDE, 0xCA, 0xDF, 0x41}), Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}),
                                    Bytes({0x81, 0x0D, 0x0A, 0xFC}), Bytes({0xFA, 0x20, 0xED})}) {
        std::int64_t replaced = -1;
        EXPECT_EQ(FromCp932(text, &replaced), text);
        EXPECT_EQ(replaced, 0);
        EXPECT_EQ(ToCp932(text, &replaced), text);
        EXPECT_EQ(replaced, 0);
    }
}

TEST(Cp932Flavour, WindowsShiftJisIsRecognisedOnlyWhereTheBytesShowIt)
{
    const std::string roman = Bytes({0x82, 0xA0, 0xFA, 0x40});  // あⅰ, the IBM form
    struct Case {
        std::string bytes;
        EncodingCode detected;
        SjisFlavour flavour;
        EncodingCode expected;
    } const cases[] = {
        {roman, EncodingCode::ShiftJis, SjisFlavour::Recognise, EncodingCode::Cp932},
        {Bytes({0xED, 0x40}), EncodingCode::ShiftJis, SjisFlavour::Recognise, EncodingCode::Cp932},
        {Bytes({0x82, 0xA0, 0x87, 0x40}), EncodingCode::ShiftJis, SjisFlavour::Recognise, EncodingCode::ShiftJis},
        {roman + Bytes({0xF0, 0x40}), EncodingCode::ShiftJis, SjisFlavour::Recognise, EncodingCode::ShiftJis},
        {roman + Bytes({0x85, 0x40}), EncodingCode::ShiftJis, SjisFlavour::Recognise, EncodingCode::ShiftJis},
        {roman, EncodingCode::Undetermined, SjisFlavour::Recognise, EncodingCode::Undetermined},
        {roman, EncodingCode::ShiftJis, SjisFlavour::Sjis2004, EncodingCode::ShiftJis},
        {"ab", EncodingCode::Undetermined, SjisFlavour::Cp932, EncodingCode::Cp932},
        {"ab", EncodingCode::EucJp, SjisFlavour::Cp932, EncodingCode::EucJp},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseSjisFlavour(c.detected, c.flavour, c.bytes), c.expected) << testing::PrintToString(c.bytes);

    // Opening reads the file as Windows Shift-JIS and saving gives the same bytes back.
    const std::string file = Bytes({0x82, 0xA0, 0x82, 0xA2, 0x0D, 0x0A, 0xFA, 0x40, 0xFA, 0x5B});  // あい ⅰ∵
    DecodedFile decoded;
    ASSERT_TRUE(DecodeFileBytes(std::string(file), true, decoded, SjisFlavour::Recognise));
    EXPECT_EQ(decoded.encoding, EncodingCode::Cp932);
    EXPECT_EQ(decoded.replaced, 0);
    EXPECT_EQ(InternalTextToUtf16(decoded.text), u"あい\r\nⅰ∵");
    std::string saved;
    ASSERT_TRUE(EncodeFileBytes(decoded.text, EncodingCode::Cp932, LineEndingCode::Automatic, saved));
    EXPECT_EQ(saved, Bytes({0x82, 0xA0, 0x82, 0xA2, 0x0D, 0x0A, 0xFA, 0x40, 0x81, 0xE6}));
}

}  // namespace
