// Random texts through every conversion: the two source forms agree, counting equals
// writing, and a short destination gives -1 without a write past its capacity.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "encoding/Conversion.h"

namespace {

// Bytes drawn mostly from the interesting places: ASCII and escapes, katakana and marks,
// lead and trail bytes, bytes without a character, UTF-8 leads and continuations.
std::string RandomBytes(std::mt19937& rng, std::size_t length)
{
    static const unsigned char pool[] = {'a', 'Z', '\r', '\n', 0x1B, '$', '(', ')', 'B', 'O', 'P', 'D', 'J', 'I', '@',
                                         0x0E, 0x0F, 0x21, 0x30, 0x7E, 0x5F, 0x60, 0x80, 0x81, 0x8E, 0x8F, 0x9F, 0xA0,
                                         0xA1, 0xB0, 0xB6, 0xDE, 0xDF, 0xE0, 0xE3, 0xED, 0xEF, 0xF0, 0xF4, 0xFC, 0xFD,
                                         0xFE, 0xFF, 0x40, 0xBF, 0xC0, 0xC3};
    std::uniform_int_distribution<int> pick(0, sizeof pool - 1), any(1, 255), which(0, 3);
    std::string s(length, '\0');
    for (char& c : s) c = static_cast<char>(which(rng) == 0 ? any(rng) : pool[pick(rng)]);
    return s;
}

std::u16string RandomUnits(std::mt19937& rng, std::size_t length)
{
    static const char16_t pool[] = {u'a', u'\n', 0xFEFF, 0x3042, 0x6F22, 0xFF71, 0xFF9E, 0xD83D, 0xDE00, 0x00A5, 0x0080,
                                    0xF8F0, 0x301C, 0x30FB, 0x07FF, 0x0800, 0xFFFF};
    std::uniform_int_distribution<int> pick(0, sizeof pool / sizeof pool[0] - 1), any(1, 0xFFFF), which(0, 3);
    std::u16string s(length, u'\0');
    for (char16_t& c : s) c = static_cast<char16_t>(which(rng) == 0 ? any(rng) : pool[pick(rng)]);
    return s;
}

// Checks one conversion on one zero-free source in both forms.
template <typename Out, typename In, typename ByPointer, typename ByRange>
void CheckContract(const std::basic_string<In>& source, ByPointer byPointer, ByRange byRange)
{
    const std::int64_t counted = byPointer(static_cast<Out*>(nullptr), source.c_str(), 0);
    ASSERT_GE(counted, 0);
    ASSERT_EQ(byRange(static_cast<Out*>(nullptr), std::basic_string_view<In>(source), 0), counted);
    const std::size_t size = static_cast<std::size_t>(counted) + 1;
    // Heap buffers of exactly the capacity, so a sanitizer sees any write past it.
    std::unique_ptr<Out[]> a(new Out[size]), b(new Out[size]);
    ASSERT_EQ(byPointer(a.get(), source.c_str(), counted + 1), counted);
    ASSERT_EQ(byRange(b.get(), std::basic_string_view<In>(source), counted + 1), counted);
    ASSERT_EQ(std::basic_string<Out>(a.get(), size), std::basic_string<Out>(b.get(), size));
    ASSERT_EQ(a[size - 1], Out(0));
    // Too small by one, and by half: exactly capacity units may be touched.
    for (std::int64_t small : {counted, counted / 2}) {
        std::unique_ptr<Out[]> c(new Out[static_cast<std::size_t>(small > 0 ? small : 1)]);
        EXPECT_EQ(byPointer(c.get(), source.c_str(), small), -1);
        EXPECT_EQ(byRange(c.get(), std::basic_string_view<In>(source), small), -1);
    }
}

TEST(ConversionProperties, RandomTextsKeepTheContract)
{
    std::mt19937 rng(20261206);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t length = static_cast<std::size_t>(round % 40);
        const std::string bytes = RandomBytes(rng, length);
        const std::u16string units = RandomUnits(rng, length);
        const bool mark = (round & 1) != 0;
        CheckContract<char16_t>(
            bytes, [&](char16_t* d, const char* s, std::int64_t c) { return InternalToUtf16(d, s, mark, c); },
            [&](char16_t* d, std::string_view s, std::int64_t c) { return InternalToUtf16(d, s, mark, c); });
        CheckContract<char16_t>(
            bytes, [](char16_t* d, const char* s, std::int64_t c) { return Utf8ToUtf16(d, s, c); },
            [](char16_t* d, std::string_view s, std::int64_t c) { return Utf8ToUtf16(d, s, c); });
        CheckContract<char>(
            bytes, [](char* d, const char* s, std::int64_t c) { return InternalToJis(d, s, c); },
            [](char* d, std::string_view s, std::int64_t c) { return InternalToJis(d, s, c); });
        CheckContract<char>(
            bytes, [](char* d, const char* s, std::int64_t c) { return JisToInternal(d, s, c); },
            [](char* d, std::string_view s, std::int64_t c) { return JisToInternal(d, s, c); });
        CheckContract<char>(
            bytes, [](char* d, const char* s, std::int64_t c) { return InternalToEuc(d, s, c); },
            [](char* d, std::string_view s, std::int64_t c) { return InternalToEuc(d, s, c); });
        CheckContract<char>(
            bytes, [](char* d, const char* s, std::int64_t c) { return EucToInternal(d, s, c); },
            [](char* d, std::string_view s, std::int64_t c) { return EucToInternal(d, s, c); });
        CheckContract<char>(
            units, [](char* d, const char16_t* s, std::int64_t c) { return Utf16ToInternal(d, s, c); },
            [](char* d, std::u16string_view s, std::int64_t c) { return Utf16ToInternal(d, s, c); });
        CheckContract<char>(
            units, [&](char* d, const char16_t* s, std::int64_t c) { return Utf16ToUtf8(d, s, mark, c); },
            [&](char* d, std::u16string_view s, std::int64_t c) { return Utf16ToUtf8(d, s, mark, c); });
        if (testing::Test::HasFatalFailure()) return;
    }
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
    EXPECT_EQ(InternalToJis(nullptr, "\xB1" "a\xB1", 0) + 1, 5 * 3 + 2);
}

}  // namespace
