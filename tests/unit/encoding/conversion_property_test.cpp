// Random texts through every conversion stay within the documented worst-case output, so
// callers that size by those bounds never see -1. (The contract itself on random input is
// the fuzz targets' job.)
#include <gtest/gtest.h>

#include <random>

#include "encoding/Conversion.h"

namespace {

// Bytes drawn mostly from the interesting places: ASCII and escapes, katakana and marks,
// lead and trail bytes, bytes without a character, UTF-8 leads and continuations.
std::string RandomBytes(std::mt19937& rng, std::size_t length)
{
    static const unsigned char pool[] = {'a',  'Z',  '\r', '\n', 0x1B, '$',  '(',  ')',  'B',  'O',  'P',  'D',
                                         'J',  'I',  '@',  0x0E, 0x0F, 0x21, 0x30, 0x7E, 0x5F, 0x60, 0x80, 0x81,
                                         0x8E, 0x8F, 0x9F, 0xA0, 0xA1, 0xB0, 0xB6, 0xDE, 0xDF, 0xE0, 0xE3, 0xED,
                                         0xEF, 0xF0, 0xF4, 0xFC, 0xFD, 0xFE, 0xFF, 0x40, 0xBF, 0xC0, 0xC3};
    std::uniform_int_distribution<int> pick(0, sizeof pool - 1), any(1, 255), which(0, 3);
    std::string s(length, '\0');
    for (char& c : s) c = static_cast<char>(which(rng) == 0 ? any(rng) : pool[pick(rng)]);
    return s;
}

std::u16string RandomUnits(std::mt19937& rng, std::size_t length)
{
    static const char16_t pool[] = {u'a',   u'\n',  0xFEFF, 0x3042, 0x6F22, 0xFF71, 0xFF9E, 0xD83D, 0xDE00,
                                    0x00A5, 0x0080, 0xF8F0, 0x301C, 0x30FB, 0x07FF, 0x0800, 0xFFFF};
    std::uniform_int_distribution<int> pick(0, sizeof pool / sizeof pool[0] - 1), any(1, 0xFFFF), which(0, 3);
    std::u16string s(length, u'\0');
    for (char16_t& c : s) c = static_cast<char16_t>(which(rng) == 0 ? any(rng) : pool[pick(rng)]);
    return s;
}

TEST(ConversionProperties, OutputStaysWithinTheWorstCaseBounds)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t n = static_cast<std::size_t>(round % 60) + 1;
        const std::string bytes = RandomBytes(rng, n);
        const std::u16string units = RandomUnits(rng, n);
        const auto len = static_cast<std::int64_t>(n);
        EXPECT_LE(InternalToUtf16(nullptr, bytes.c_str(), true, 0) + 1, len + 2);
        EXPECT_LE(Utf16ToInternal(nullptr, units.c_str(), 0) + 1, 2 * len + 1);
        EXPECT_LE(Utf8ToUtf16(nullptr, bytes.c_str(), 0) + 1, len + 1);
        EXPECT_LE(Utf16ToUtf8(nullptr, units.c_str(), true, 0) + 1, 3 * len + 4);
        EXPECT_LE(InternalToJis(nullptr, bytes.c_str(), 0) + 1, 5 * len + 2);
        EXPECT_LE(JisToInternal(nullptr, bytes.c_str(), 0) + 1, len + 1);
        EXPECT_LE(InternalToEuc(nullptr, bytes.c_str(), 0) + 1, 2 * len + 1);
        EXPECT_LE(EucToInternal(nullptr, bytes.c_str(), 0) + 1, len + 1);
    }
    // The JIS worst case: katakana and ASCII alternating, starting and ending with katakana.
    EXPECT_EQ(InternalToJis(nullptr,
                            "\xB1"
                            "a\xB1",
                            0) +
                  1,
              5 * 3 + 2);
}

}  // namespace
