// DetectEncoding on the cases its rules single out and on prose in each encoding; and
// compared, score for score, with the plain transcription of the rules, with and without
// the vector blocks, on random inputs built to hit every rule, short and long: runs of text
// in each encoding with rare events mixed in, so that the quiet run, the vector blocks and
// the table blocks are entered and left at every offset.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "DetectionReference.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "TestText.h"

namespace {

std::string Utf16Bytes(const std::u16string& units, bool bigEndian = false)
{
    std::string out;
    for (char16_t u : units) out += bigEndian ? Bytes({u >> 8, u & 0xFF}) : Bytes({u & 0xFF, u >> 8});
    return out;
}

// Compares the code and the evidence of both scoring passes with the reference (after a
// stop at two zero bytes only the stop itself: what was counted before it decides nothing).
::testing::AssertionResult SameEvidence(const std::string& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const EncodingCode code = DetectEncodingByRules(text.data(), text.size());
    if (code != ReferenceDetectEncoding(bytes, text.size()))
        return ::testing::AssertionFailure() << "code " << EncodingCodeName(code);
    if (text.size() < 2) return ::testing::AssertionSuccess();
    const DetectionEvidence want = ReferenceDetectionEvidence(bytes, text.size());
    auto scores = [](const DetectionEvidence& e) {
        return testing::PrintToString(
            std::array<long long, 8>{e.sjis, e.euc, e.utf8, e.jis, e.lineBreaksEven, e.hasZero, e.oddHigh, e.utf7Ok});
    };
    for (bool vectorBlocks : {true, false}) {
        const DetectionEvidence got = DetectionEvidenceForTesting(text.data(), text.size(), vectorBlocks);
        if (got.zeroPair != want.zeroPair || (!want.zeroPair && scores(got) != scores(want)))
            return ::testing::AssertionFailure() << (vectorBlocks ? "vector" : "plain") << " zeroPair " << got.zeroPair
                                                 << " scores " << scores(got) << " instead of " << scores(want);
    }
    return ::testing::AssertionSuccess();
}

TEST(Detection, TheCasesTheRulesSingleOut)
{
    const std::u16string lines = u"plain text\r\nsecond line\r\n";
    const std::string pad(300, 'a'),
        prose = Utf8ToInternalText(
            "吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。"
            "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\r\n");
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
        {prose, EncodingCode::ShiftJis},
        {pad + ToEuc(prose) + pad, EncodingCode::EucJp},
        {InternalTextToUtf8(prose), EncodingCode::Utf8},
        {pad + ToJis(prose) + pad, EncodingCode::Jis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectEncodingByRules(c.bytes.data(), c.bytes.size()), c.expected) << c.bytes;
        EXPECT_TRUE(SameEvidence(c.bytes)) << c.bytes;
    }
    EXPECT_EQ(DetectEncoding(nullptr, 0), EncodingCode::Undetermined);
    // What the rules leave as zero bytes or do not look at: UTF-16 by its zeros, FE FF.
    for (const auto& [bytes, expected] : {std::pair{Utf16Bytes(lines, true), EncodingCode::Utf16Be},
                                          {Utf16Bytes(u"no line break here"), EncodingCode::Utf16Le},
                                          {std::string(8, '\0') + "ab", EncodingCode::ZeroBytes},
                                          {std::string("a\0b\0c\0\0\0", 8), EncodingCode::ZeroBytes},  // 1 in 4 even
                                          {std::string("\0a\0b\0c\0\0", 8), EncodingCode::ZeroBytes},  // or odd
                                          {Utf16Bytes(u"\uFEFF\u3042", true), EncodingCode::Utf16BeBom}})
        EXPECT_EQ(DetectEncoding(bytes.data(), bytes.size()), expected) << bytes;
}

// Text as files hold it: ASCII words and line breaks between characters of one encoding
// (flavour 0 UTF-8, 1 Shift_JIS, 2 EUC-JP, 3 these mixed, 4 bytes that the rules single
// out in any order), with rare events: a zero, an ESC sequence, "+" and "-", a broken or
// shortened form, a stray byte.
std::string Text(std::mt19937& rng, std::size_t length, int flavour, int eventsPerThousand)
{
    static const std::string events[] = {
        std::string(1, '\0'), "\x1B$B", "\x1B$(O", "+", "-", "+AGE-", std::string("\r\0", 2), std::string("\n\0\0", 3)};
    static const char special[] =
        "\r\n\x1B$(@BOP+-/ a\x8E\x82\xA0\xA4\xB1\xC3\xDF\xE3\xE6\xEF\xF0\xF7\xFC\xFE\xFF"
        "\x80\x9F\xBF\x40\x7E\x7F";
    std::uniform_int_distribution<int> byte(0, 255), coin(0, 999);
    auto in = [&](int low, int high) { return static_cast<char>(low + byte(rng) % (high - low + 1)); };
    std::string s;
    while (s.size() < length) {
        if (coin(rng) < eventsPerThousand) {
            s += events[byte(rng) % 8];
            if (coin(rng) < 300) s.push_back(in(0x80, 0xFF));  // a stray or cut-off byte
            continue;
        }
        const int kind = flavour == 3 ? byte(rng) % 3 : flavour, form = coin(rng);
        if (kind == 4) {
            s.push_back(form < 100 ? in(0, 255) : special[form % (sizeof special - 1)]);
        } else if (form < 100) {
            s += form < 50 ? " word12 " : form < 75 ? "\r\n" : "\n";
        } else if (kind == 0) {  // UTF-8: mostly three-byte forms, some of two and four bytes
            s.push_back(form < 150 ? in(0xC2, 0xDF) : form < 170 ? in(0xF0, 0xF4) : in(0xE0, 0xEF));
            for (int k = form < 150 ? 1 : form < 170 ? 3 : 2; k > 0; --k) s.push_back(in(0x80, 0xBF));
        } else if (kind == 1) {  // Shift_JIS: pairs with every kind of trail, some half-width katakana
            s.push_back(form < 160 ? in(0xA1, 0xDF) : form < 800 ? in(0x81, 0x9F) : in(0xE0, 0xFC));
            if (form >= 160) s.push_back(coin(rng) < 300 ? in(0x40, 0x7E) : in(0x80, 0xFC));
        } else {  // EUC-JP: pairs, SS2 katakana, SS3 triples
            if (form < 160) s += form < 140 ? std::string("\x8E") : std::string("\x8F") + in(0xA1, 0xFE);
            s += {in(0xA1, 0xFE), in(0xA1, 0xFE)};
        }
    }
    return s;
}

TEST(DetectionReference, AgreesOnShortTextsAndTheirEnds)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 30000; ++round) {
        const int flavour = round % 5;
        const std::size_t length = round < 15000 ? round % 24 : 1 + round % 400;
        // From none to many events, so that runs of every length end at every offset.
        const std::string text = Text(rng, length, flavour, (round / 5) % 6 * 40);
        ASSERT_TRUE(SameEvidence(text)) << "round " << round << " flavour " << flavour;
        // The same text cut at each of the last bytes: the ends of runs and blocks near the end.
        for (std::size_t cut = 1; round % 25 < 5 && cut <= 20 && cut < text.size(); cut += 3)
            ASSERT_TRUE(SameEvidence(text.substr(0, text.size() - cut))) << "round " << round << " cut " << cut;
    }
}

TEST(DetectionReference, AgreesOnLongTextsInEachEncoding)
{
    // More than a million positions, so the packed scores are flushed several times, at
    // each alignment of the blocks; then an escape at the end, a zero in the middle.
    std::mt19937 rng(11);
    for (int flavour = 0; flavour < 4; ++flavour) {
        std::string text = Text(rng, 1200000, flavour, 0);
        for (std::size_t shift = 0; shift < 4; ++shift)
            EXPECT_TRUE(SameEvidence(text.substr(shift))) << "flavour " << flavour << " shift " << shift;
        EXPECT_TRUE(SameEvidence(text + "\x1B$B")) << "flavour " << flavour;
        text[text.size() / 2] = 0;
        EXPECT_TRUE(SameEvidence(text)) << "flavour " << flavour;
    }
}

}  // namespace
