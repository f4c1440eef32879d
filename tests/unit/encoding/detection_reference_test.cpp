// The optimized detection agrees with the plain transcription of the rules, score for
// score, with and without the vector blocks, on random inputs built to hit every rule,
// short and long: runs of text in each encoding with rare events mixed in, so that the
// quiet run, the vector blocks and the table blocks are entered and left at every offset.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DetectionReference.h"
#include "encoding/Detection.h"

namespace {

// Compares the evidence of both scoring passes with the reference (after a stop at two
// zero bytes only the stop itself: what was counted before it decides nothing).
::testing::AssertionResult SameEvidence(const std::string& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const EncodingCode code = DetectEncoding(text.data(), text.size());
    if (code != ReferenceDetectEncoding(bytes, text.size()))
        return ::testing::AssertionFailure() << "code " << EncodingCodeName(code);
    if (text.size() < 2) return ::testing::AssertionSuccess();
    const DetectionEvidence want = ReferenceDetectionEvidence(bytes, text.size());
    for (bool vectorBlocks : {true, false}) {
        const DetectionEvidence got = DetectionEvidenceForTesting(text.data(), text.size(), vectorBlocks);
        const bool same = got.zeroPair == want.zeroPair &&
                          (want.zeroPair ||
                           (got.sjis == want.sjis && got.euc == want.euc && got.utf8 == want.utf8 &&
                            got.jis == want.jis && got.lineBreaksEven == want.lineBreaksEven &&
                            got.hasZero == want.hasZero && got.oddHigh == want.oddHigh && got.utf7Ok == want.utf7Ok));
        if (!same)
            return ::testing::AssertionFailure()
                   << (vectorBlocks ? "vector" : "plain") << ": sjis " << got.sjis << "/" << want.sjis << " euc "
                   << got.euc << "/" << want.euc << " utf8 " << got.utf8 << "/" << want.utf8 << " jis " << got.jis
                   << "/" << want.jis << " breaks " << got.lineBreaksEven << "/" << want.lineBreaksEven << " zero "
                   << got.hasZero << "/" << want.hasZero << " oddHigh " << got.oddHigh << "/" << want.oddHigh
                   << " utf7 " << got.utf7Ok << "/" << want.utf7Ok << " zeroPair " << got.zeroPair;
    }
    return ::testing::AssertionSuccess();
}

// Text as files hold it: ASCII words and line breaks between characters of one encoding
// (flavour 0 UTF-8, 1 Shift_JIS, 2 EUC-JP, 3 all mixed), with rare events: a zero, an
// ESC sequence, "+" and "-", a broken or shortened form, a stray byte.
std::string TokenText(std::mt19937& rng, std::size_t length, int flavour, int eventsPerThousand)
{
    std::uniform_int_distribution<int> byte(0, 255), coin(0, 999), pick(0, 7);
    auto in = [&](int low, int high) { return static_cast<char>(low + byte(rng) % (high - low + 1)); };
    std::string s;
    while (s.size() < length) {
        if (coin(rng) < eventsPerThousand) {
            static const std::string events[] = {
                std::string(1, '\0'),    "\x1B$B", "\x1B$(O", "+", "-", "+AGE-", std::string("\r\0", 2),
                std::string("\n\0\0", 3)};
            s += events[pick(rng)];
            if (coin(rng) < 300) s.push_back(in(0x80, 0xFF));  // a stray or cut-off byte
            continue;
        }
        const int kind = flavour == 3 ? byte(rng) % 3 : flavour;
        switch (coin(rng) % 10) {
        case 0:
            s += " word12 ";
            break;
        case 1:
            s += coin(rng) < 500 ? "\r\n" : "\n";
            break;
        default:
            if (kind == 0) {  // UTF-8: mostly three-byte forms, some of two and four bytes
                const int form = coin(rng);
                if (form < 50) {
                    s.push_back(in(0xC2, 0xDF));
                    s.push_back(in(0x80, 0xBF));
                } else if (form < 70) {
                    s.push_back(in(0xF0, 0xF4));
                    for (int k = 0; k < 3; ++k) s.push_back(in(0x80, 0xBF));
                } else {
                    s.push_back(in(0xE0, 0xEF));
                    s.push_back(in(0x80, 0xBF));
                    s.push_back(in(0x80, 0xBF));
                }
            } else if (kind == 1) {  // Shift_JIS: pairs with every kind of trail, some half-width katakana
                if (coin(rng) < 60) {
                    s.push_back(in(0xA1, 0xDF));
                } else {
                    s.push_back(coin(rng) < 800 ? in(0x81, 0x9F) : in(0xE0, 0xFC));
                    s.push_back(coin(rng) < 300 ? in(0x40, 0x7E) : in(0x80, 0xFC));
                }
            } else {  // EUC-JP: pairs, SS2 katakana, SS3 triples
                const int form = coin(rng);
                if (form < 40) s.push_back('\x8E');
                if (form >= 40 && form < 60) s += std::string("\x8F") + in(0xA1, 0xFE);
                s.push_back(in(0xA1, 0xFE));
                s.push_back(in(0xA1, 0xFE));
            }
            break;
        }
    }
    return s;
}

std::string RandomText(std::mt19937& rng, std::size_t length, int flavour)
{
    static const unsigned char special[] = {0x00, 0x0D, 0x0A, 0x1B, '$',  '(',  '@',  'B',  'O',  'P',  '+',  '-',
                                            '/',  ' ',  'a',  0x8E, 0x82, 0xA0, 0xA4, 0xB1, 0xC3, 0xDF, 0xE3, 0xE6,
                                            0xEF, 0xF0, 0xF7, 0xFC, 0xFE, 0xFF, 0x80, 0x9F, 0xBF, 0x40, 0x7E, 0x7F};
    std::uniform_int_distribution<int> any(0, 255), pick(0, sizeof special - 1), coin(0, 99);
    std::string s(length, 'a');
    for (std::size_t i = 0; i < length; ++i) {
        const int roll = coin(rng);
        unsigned char c;
        switch (flavour) {
        case 0:
            c = static_cast<unsigned char>(any(rng));
            break;  // anything
        case 1:
            c = roll < 90 ? 'x' : special[pick(rng)];
            break;  // ASCII with events
        case 2:
            c = roll < 50 ? static_cast<unsigned char>(0x80 + any(rng) % 128) : special[pick(rng)];
            break;
        default:
            c = special[pick(rng)];
            break;
        }
        if (c == 0 && flavour != 3 && roll % 4 != 0) c = 'z';  // zeros rarer, so scoring runs long
        s[i] = static_cast<char>(c);
    }
    return s;
}

TEST(DetectionReference, AgreesOnRandomTexts)
{
    std::mt19937 rng(42);
    for (int round = 0; round < 40000; ++round) {
        const std::size_t length = round < 20000 ? round % 24 : 16 + round % 300;
        const std::string text = RandomText(rng, length, round % 4);
        ASSERT_TRUE(SameEvidence(text)) << "round " << round << " length " << length;
    }
}

TEST(DetectionReference, AgreesOnLongTextsWithScoresAcrossFlushes)
{
    // More than a million positions, so the packed scores are flushed several times.
    std::mt19937 rng(9);
    for (int flavour = 0; flavour < 3; ++flavour) {
        std::string text = RandomText(rng, 1500000, 2);
        for (char& c : text)
            if (c == 0 || c == 0x1B) c = '\x82';
        if (flavour == 1) text += std::string("\x1B$B", 3);
        if (flavour == 2) text[text.size() / 2] = 0;
        EXPECT_TRUE(SameEvidence(text)) << flavour;
    }
}

TEST(DetectionReference, AgreesOnTextInEachEncodingWithRareEvents)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 6000; ++round) {
        const int flavour = round % 4;
        const std::size_t length = 1 + round % 400;
        // From none to many events, so that runs of every length end at every offset.
        const std::string text = TokenText(rng, length, flavour, (round / 4) % 5 * 10);
        ASSERT_TRUE(SameEvidence(text)) << "round " << round << " flavour " << flavour;
        // The same text cut at each of the last bytes: the ends of runs and blocks near the end.
        for (std::size_t cut = 1; cut <= 20 && cut < text.size(); cut += 3)
            ASSERT_TRUE(SameEvidence(text.substr(0, text.size() - cut))) << "round " << round << " cut " << cut;
    }
}

TEST(DetectionReference, AgreesOnLongTextsInEachEncoding)
{
    std::mt19937 rng(11);
    for (int flavour = 0; flavour < 4; ++flavour) {
        for (int events : {0, 1, 20}) {
            std::string text = TokenText(rng, 200000, flavour, events);
            EXPECT_TRUE(SameEvidence(text)) << "flavour " << flavour << " events " << events;
            // Every alignment of the blocks against the text.
            for (std::size_t shift = 1; shift < 4; ++shift)
                EXPECT_TRUE(SameEvidence(text.substr(shift, 20000))) << "flavour " << flavour << " shift " << shift;
        }
    }
}

}  // namespace
