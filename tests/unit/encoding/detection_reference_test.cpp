// The optimized detection agrees with the plain transcription of the rules on random
// inputs built to hit every rule, short and long (the block and table paths included).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DetectionReference.h"
#include "encoding/Detection.h"

namespace {

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
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        ASSERT_EQ(DetectEncoding(text.data(), text.size()), ReferenceDetectEncoding(bytes, text.size()))
            << "round " << round << " length " << length;
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
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        EXPECT_EQ(DetectEncoding(text.data(), text.size()), ReferenceDetectEncoding(bytes, text.size())) << flavour;
    }
}

}  // namespace
