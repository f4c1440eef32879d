// DetectEncoding on the cases its rules single out, and on prose in each encoding. (The
// scoring itself is compared with a plain transcription of the rules in the reference test.)
#include <gtest/gtest.h>

#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "TestText.h"

namespace {

EncodingCode Detect(const std::string& bytes) { return DetectEncoding(bytes.data(), bytes.size()); }

std::string Utf16Bytes(const std::u16string& units, bool bigEndian = false)
{
    std::string out;
    for (char16_t u : units) out += bigEndian ? Bytes({u >> 8, u & 0xFF}) : Bytes({u & 0xFF, u >> 8});
    return out;
}

TEST(Detection, TheCasesTheRulesSingleOut)
{
    const std::u16string lines = u"plain text\r\nsecond line\r\n";
    const struct {
        std::string bytes;
        EncodingCode expected;
    } cases[] = {
        {"\x82", EncodingCode::Undetermined},
        {Bytes({0xFF, 0xFE}), EncodingCode::Utf16LeBom},
        {Bytes({0xEF, 0xBB, 0xBF}), EncodingCode::Utf8Bom},  // the mark alone is kept when saved again
        {Bytes({0xEF, 0xBB}), EncodingCode::Undetermined},   // half a mark: scored (a tie)
        {"hello world\r\n", EncodingCode::Utf7Clean},
        {"a+b c", EncodingCode::NoEvidence},
        {"abc\x82", EncodingCode::Utf7Clean},               // the last byte is never a position
        {Bytes({0xA4, 0xA2}), EncodingCode::Undetermined},  // あ in EUC-JP: 2 to 2
        {Bytes({0x8E, 0xB1, 0x8E, 0xB2, 0x8E, 0xB3}), EncodingCode::ShiftJis},
        {"abc\x1B$@", EncodingCode::Jis},            // the third byte is the last
        {"abc\x1B$(Bdef", EncodingCode::Utf7Clean},  // not a listed escape
        {Utf16Bytes(lines), EncodingCode::Utf16Le},
        {Utf16Bytes(lines, true), EncodingCode::ZeroBytes},
        {Utf16Bytes(u"no line break here"), EncodingCode::ZeroBytes},
        {Utf16Bytes(u"\uAC00\r\n"), EncodingCode::ZeroBytes},  // a high byte 0xA0-0xF7 at an odd place
        {Bytes({0x61, 0x00, 0x82, 0xA0, 0x82, 0xA0}), EncodingCode::ZeroBytes},  // nothing scored after a zero
        {Bytes({0x82, 0xA0, 0x00}), EncodingCode::ShiftJis},  // a zero as the last byte only ever follows
        {std::string(1000, 'x') + "a+b c" + std::string(100, 'y'), EncodingCode::NoEvidence},
    };
    for (const auto& c : cases) EXPECT_EQ(Detect(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(DetectEncoding(nullptr, 0), EncodingCode::Undetermined);
}

TEST(Detection, ProseInEachEncoding)
{
    const std::string prose = Utf8ToInternalText(
        "吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。"
        "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\r\n");
    const std::string pad(300, 'a');
    for (const std::string& around : {std::string(), pad}) {
        EXPECT_EQ(Detect(around + prose + around), EncodingCode::ShiftJis);
        EXPECT_EQ(Detect(around + ToEuc(prose) + around), EncodingCode::EucJp);
        EXPECT_EQ(Detect(around + InternalTextToUtf8(prose) + around), EncodingCode::Utf8);
        EXPECT_EQ(Detect(around + ToJis(prose) + around), EncodingCode::Jis);
    }
}

}  // namespace
