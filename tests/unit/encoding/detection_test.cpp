// DetectEncoding on the cases its rules single out, and on whole texts in each encoding.
#include <gtest/gtest.h>

#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "TestText.h"

namespace {

EncodingCode Detect(const std::string& bytes) { return DetectEncoding(bytes.data(), bytes.size()); }

// A few lines of Japanese prose as InternalText (built from UTF-16 so the source stays readable).
std::string Prose()
{
    const std::u16string text =
        u"吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。"
        u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\r\n";
    std::string internal(text.size() * 2 + 1, '\0');
    internal.resize(static_cast<std::size_t>(
        Utf16ToInternal(&internal[0], text.c_str(), static_cast<std::int64_t>(internal.size()))));
    return internal;
}

std::string Convert(const std::string& internal, std::int64_t (*convert)(char*, const char*, std::int64_t))
{
    std::string out(internal.size() * 6 + 2, '\0');
    out.resize(static_cast<std::size_t>(convert(&out[0], internal.c_str(), static_cast<std::int64_t>(out.size()))));
    return out;
}

std::string ToUtf8(const std::string& internal)
{
    std::u16string units(internal.size() + 2, u'\0');
    units.resize(static_cast<std::size_t>(
        InternalToUtf16(&units[0], internal.c_str(), false, static_cast<std::int64_t>(units.size()))));
    std::string out(units.size() * 3 + 4, '\0');
    out.resize(
        static_cast<std::size_t>(Utf16ToUtf8(&out[0], units.c_str(), false, static_cast<std::int64_t>(out.size()))));
    return out;
}

std::string Utf16Bytes(const std::u16string& units, bool bigEndian = false)
{
    std::string out;
    for (char16_t u : units) {
        char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

TEST(Detection, ShortInputsAndMarks)
{
    EXPECT_EQ(DetectEncoding(nullptr, 0), EncodingCode::Undetermined);
    EXPECT_EQ(Detect(""), EncodingCode::Undetermined);
    EXPECT_EQ(Detect("\x82"), EncodingCode::Undetermined);
    EXPECT_EQ(Detect(Bytes({0xFF, 0xFE})), EncodingCode::Utf16LeBom);
    EXPECT_EQ(Detect(Bytes({0xEF, 0xBB, 0xBF, 0x61})), EncodingCode::Utf8Bom);
    // The mark alone: an empty text saved as UTF-8 with its mark keeps it when saved again.
    EXPECT_EQ(Detect(Bytes({0xEF, 0xBB, 0xBF})), EncodingCode::Utf8Bom);
    EXPECT_EQ(Detect(Bytes({0xEF, 0xBB})), EncodingCode::Undetermined);  // half a mark: scored (tie)
    EXPECT_NE(Detect(Bytes({0xFE, 0xFF, 0x00, 0x61})), EncodingCode::Utf16LeBom);
}

TEST(Detection, AsciiTexts)
{
    EXPECT_EQ(Detect("hello world\r\n"), EncodingCode::Utf7Clean);
    EXPECT_EQ(Detect("a+b c"), EncodingCode::NoEvidence);
    EXPECT_EQ(Detect("a+ZeVnLIqe-b"), EncodingCode::Utf7Clean);
    EXPECT_EQ(Detect("abc\x82"), EncodingCode::Utf7Clean);  // the last byte is never a position
    // Long ASCII with a late disqualifier goes through the block scan and still sees it.
    EXPECT_EQ(Detect(std::string(1000, 'x') + "a+b c" + std::string(100, 'y')), EncodingCode::NoEvidence);
    EXPECT_EQ(Detect(std::string(1000, 'x') + "\x82\xA0" + std::string(100, 'y')), EncodingCode::ShiftJis);
}

TEST(Detection, ProseInEachEncoding)
{
    const std::string prose = Prose();
    EXPECT_EQ(Detect(prose), EncodingCode::ShiftJis);
    EXPECT_EQ(Detect(Convert(prose, &InternalToEuc)), EncodingCode::EucJp);
    EXPECT_EQ(Detect(ToUtf8(prose)), EncodingCode::Utf8);
    EXPECT_EQ(Detect(Convert(prose, &InternalToJis)), EncodingCode::Jis);
    // The same inside long ASCII runs.
    const std::string pad(300, 'a');
    EXPECT_EQ(Detect(pad + prose + pad), EncodingCode::ShiftJis);
    EXPECT_EQ(Detect(pad + Convert(prose, &InternalToEuc) + pad), EncodingCode::EucJp);
    EXPECT_EQ(Detect(pad + ToUtf8(prose) + pad), EncodingCode::Utf8);
}

TEST(Detection, SingleCharactersAndTies)
{
    EXPECT_EQ(Detect(Bytes({0x82, 0xA0})), EncodingCode::ShiftJis);      // あ in Shift_JIS
    EXPECT_EQ(Detect(Bytes({0xA4, 0xA2})), EncodingCode::Undetermined);  // あ in EUC-JP: 2 to 2
    EXPECT_EQ(Detect(Bytes({0xB1, 0xB2, 0xB3})), EncodingCode::Undetermined);
    EXPECT_EQ(Detect(Bytes({0x8E, 0xB1, 0x8E, 0xB2, 0x8E, 0xB3})), EncodingCode::ShiftJis);
    EXPECT_EQ(Detect(Bytes({0xC3, 0xA9, 0x20, 0x78})), EncodingCode::Undetermined);      // é then " x"
    EXPECT_EQ(Detect(Bytes({0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC})), EncodingCode::Utf8);  // 日本
}

TEST(Detection, JisEscapes)
{
    EXPECT_EQ(Detect(Prose() + "\x1B$B"), EncodingCode::Jis);
    EXPECT_EQ(Detect("abc\x1B$(Pdef"), EncodingCode::Jis);
    EXPECT_EQ(Detect("abc\x1B$(Bdef"), EncodingCode::Utf7Clean);  // not a listed escape
    EXPECT_EQ(Detect("abc\x1B$@"), EncodingCode::Jis);            // the third byte is the last
    EXPECT_EQ(Detect("abc\x1B$"), EncodingCode::Utf7Clean);       // cut off
}

TEST(Detection, ZeroBytesAndUtf16)
{
    const std::u16string japanese = u"日本語のテキスト\r\n二行目\r\n";
    const std::u16string ascii = u"plain text\r\nsecond line\r\n";
    EXPECT_EQ(Detect(Utf16Bytes(ascii)), EncodingCode::Utf16Le);
    EXPECT_EQ(Detect(Utf16Bytes(u"no line break here")), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(Utf16Bytes(ascii, true)), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(Utf16Bytes(u"\uFEFF" + ascii, true)), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(Utf16Bytes(japanese)), EncodingCode::Utf16Le);
    // A high byte 0xA0-0xF7 at an odd position rules UTF-16 out (Hangul U+AC00 here).
    EXPECT_EQ(Detect(Utf16Bytes(u"\uAC00\r\n")), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(Bytes({0x61, 0x00, 0x00, 0x62})), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(Bytes({0x00, 0x00, 0x61})), EncodingCode::ZeroBytes);
    // After the first zero byte nothing is scored any more.
    EXPECT_EQ(Detect(Bytes({0x61, 0x00, 0x82, 0xA0, 0x82, 0xA0})), EncodingCode::ZeroBytes);
    // A zero as the very last byte is only ever a following byte.
    EXPECT_EQ(Detect(Bytes({0x82, 0xA0, 0x00})), EncodingCode::ShiftJis);
    // A line break right before a zero that follows a long ASCII block is still counted.
    EXPECT_EQ(Detect(std::string(15, 'a') + std::string("\n\0", 2) + "b"), EncodingCode::ZeroBytes);
    EXPECT_EQ(Detect(std::string(16, 'a') + std::string("\n\0", 2) + "b"), EncodingCode::Utf16Le);
}

TEST(Detection, BlockScanAgreesWithBytewiseScanOnEveryOffset)
{
    // A disqualifying byte at every position around the 16-byte blocks.
    for (std::size_t at = 0; at < 40; ++at) {
        std::string text(48, 'q');
        text[at] = '\x1B';
        text.insert(at + 1, "$B");
        EXPECT_EQ(Detect(text), EncodingCode::Jis) << at;
        std::string plus(48, 'q');
        plus[at] = '+';
        plus[at + 1] = ' ';
        EXPECT_EQ(Detect(plus), at + 1 < 47 ? EncodingCode::NoEvidence : EncodingCode::Utf7Clean) << at;
    }
}

}  // namespace
