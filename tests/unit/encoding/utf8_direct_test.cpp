// The direct conversions between InternalText and UTF-8 against the two steps through UTF-16
// that they replace, text and count of replaced characters, on random text built around the
// places where the two steps keep state. Pieces ending in ASCII convert to the whole, and no
// prefix without stray continuation bytes outgrows its bytes (opening converts in place).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "TestText.h"

namespace {

// Converted (TestText.h: counted, written, checked) with its count of replaced characters.
template <typename Out, typename Convert>
std::pair<std::basic_string<Out>, std::int64_t> Counted(Convert convert)
{
    std::int64_t replaced = -1;
    std::basic_string<Out> text = Converted<Out>(convert, &replaced);
    return {text, replaced};
}
using Result = std::pair<std::string, std::int64_t>;

Result TwoSteps(std::string_view utf8)
{
    const auto units =
        Counted<char16_t>([&](char16_t* d, std::int64_t c, Count r) { return Utf8ToUtf16(d, utf8, c, r); });
    const std::u16string_view view = units.first;  // the range form: zeros are characters
    const Result text = Counted<char>([&](char* d, std::int64_t c, Count r) { return Utf16ToInternal(d, view, c, r); });
    return {text.first, text.second + units.second};
}

// The range form for a std::string, the zero-terminated one for a const char*.
template <typename Source>
Result Direct(const Source& utf8)
{
    return Counted<char>([&](char* d, std::int64_t c, Count r) { return Utf8ToInternal(d, utf8, c, r); });
}

// Random UTF-8 around those places; strays false leaves out stray continuation bytes.
std::string RandomUtf8(std::mt19937& rng, std::size_t pieces, bool strays = true)
{
    // Characters that matter to the second step: kana that take a combining mark and the
    // marks, surrogates (lone, as their three-byte forms) of characters with and without a
    // code, characters without a code, the mark; then broken and odd forms, the strays last.
    // clang-format off
    static const char* const units[] = {"\xE3\x81\x8B", "\xE3\x82\x9A", "\xE3\x82\x99", "\xE3\x82\xBB", "\xE3\x87\xB7",
        "\xCB\xA9", "\xCB\xA5", "\xCC\x80", "\xC3\xA6", "\xED\xA1\x80", "\xED\xB0\x8B", "\xED\xA0\xBD", "\xED\xB8\x80",
        "\xED\xB0\x80", "\xEF\xBB\xBF", "\xE3\x80\x9C", "\xE3\x81\x82", "\xE6\xBC\xA2", "\xEF\xBD\xB1", "\xC2\xA7",
        "\xC2\xA5", "\xC2\x80", "\xEF\xA3\xB0", "\xEF\xBF\xBD", "a", "\n", "\xCE\x91"};
    static const char* const raw[] = {"\xEF\xBB\xBF", "\xF0\xA0\x80\x8B", "\xF0\x9F\x98\x80", "\xF8\x88\x80\x80\x80",
        "\xE3\x81", "\xC0\x80", "\xE0\x80\x80", "\xFF", "\xE3\x41", "\xF0\xA0\x80", "\xA7", "\xBF"};
    // clang-format on
    std::uniform_int_distribution<int> coin(0, 99), unit(0, sizeof units / sizeof units[0] - 1),
        piece(0, sizeof raw / sizeof raw[0] - (strays ? 1 : 3)), any(0, 255);
    std::string s;
    for (std::size_t k = 0; k < pieces; ++k) {
        const int roll = coin(rng);
        if (roll < 85)
            s += roll < 60 ? units[unit(rng)] : raw[piece(rng)];
        else
            s.push_back(static_cast<char>(roll < 90 ? 0 : strays ? any(rng) : any(rng) % 0x80));
    }
    return s;
}

TEST(Utf8Direct, GivesWhatTheTwoStepsGive)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 20000; ++round) {
        const std::string utf8 = RandomUtf8(rng, static_cast<std::size_t>(round % 40));
        const std::string terminated = utf8.substr(0, utf8.find('\0'));
        ASSERT_EQ(Direct(utf8), TwoSteps(utf8)) << "round " << round;
        ASSERT_EQ(Direct(terminated.c_str()), TwoSteps(terminated)) << "round " << round;
    }
    // Marks at the start are skipped as the two steps skip them: two at most.
    const std::string mark = "\xEF\xBB\xBF";
    for (const std::string& utf8 : {std::string("a"), mark + "a", mark + mark + "a", mark + mark + mark + "a"})
        EXPECT_EQ(Direct(utf8), TwoSteps(utf8)) << Utf8MarkLength(utf8);
    EXPECT_EQ(Utf8MarkLength("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF") + Utf8MarkLength("\xEF\xBB"), 6u);
}

TEST(Utf8Direct, PiecesEndingInAsciiGiveTheWholeAndNoPrefixOutgrowsItsBytes)
{
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> cut(0, 30);
    for (int round = 0; round < 4000; ++round) {
        const bool strays = round % 2 == 0;
        const std::string utf8 = RandomUtf8(rng, 60, strays);
        Result pieces{"", 0};
        for (std::size_t at = Utf8MarkLength(utf8); at < utf8.size();) {
            // The next piece ends after an ASCII byte some way on, or at the end.
            std::size_t end = std::min(utf8.size(), at + 1 + static_cast<std::size_t>(cut(rng)));
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end - 1]) >= 0x80) ++end;
            const std::string_view piece(utf8.data() + at, end - at);
            std::int64_t replaced = -1;
            pieces.first += Converted<char>(
                [&](char* d, std::int64_t c, Count r) { return Utf8PieceToInternal(d, piece, c, r); }, &replaced);
            pieces.second += replaced;
            // Without strays no prefix that ends at a character outgrows its bytes.
            ASSERT_TRUE(strays || Utf8ToInternal(nullptr, utf8.substr(0, end), 0) <= static_cast<std::int64_t>(end));
            at = end;
        }
        ASSERT_EQ(pieces, Direct(utf8)) << "round " << round;
    }
}

// Both steps out of InternalText; the counts are those of the first step.
Result TwoStepsOut(std::string_view internal, bool mark)
{
    const auto units = Counted<char16_t>(
        [&](char16_t* d, std::int64_t c, Count r) { return InternalToUtf16(d, internal, false, c, r); });
    const std::u16string_view view = units.first;
    return {Converted<char>([&](char* d, std::int64_t c, Count) { return Utf16ToUtf8(d, view, mark, c); }),
            units.second};
}

template <typename Source>
Result DirectOut(const Source& internal, bool mark)
{
    return Counted<char>([&](char* d, std::int64_t c, Count r) { return InternalToUtf8(d, internal, mark, c, r); });
}

TEST(Utf8Direct, WritingGivesWhatTheTwoStepsGive)
{
    // Internal codes of characters with two units (か゚, 𠀋) and pieces of every byte class.
    const std::string twoUnits = Direct(std::string("\xE3\x81\x8B\xE3\x82\x9A\xF0\xA0\x80\x8B")).first;
    // clang-format off
    const std::string pool[] = {"a", "\r\n", "\xB6\xDF", "\xB6\xDE", "\xDC\xDF", "\xB1", "\x82\xA0", "\x88\x9F",
        "\x87\x9F", "\x81", "\x81\x0A", "\x80", "\xA0", "\xFD", "\xFF", "\xF0\x40", std::string(1, '\0'), twoUnits,
        twoUnits.substr(0, 1)};
    // clang-format on
    std::mt19937 rng(29);
    std::uniform_int_distribution<int> pick(0, sizeof pool / sizeof pool[0] - 1), count(0, 30);
    for (int round = 0; round < 20000; ++round) {
        std::string internal;
        for (int k = count(rng); k > 0; --k) internal += pool[pick(rng)];
        const bool mark = round % 2 == 1;
        const std::string terminated = internal.substr(0, internal.find('\0'));
        ASSERT_EQ(DirectOut(internal, mark), TwoStepsOut(internal, mark)) << "round " << round;
        ASSERT_EQ(DirectOut(terminated.c_str(), mark), TwoStepsOut(terminated, mark)) << "round " << round;
    }
}

}  // namespace
