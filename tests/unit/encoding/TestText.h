// Helpers shared by the encoding tests: each conversion run in both modes, checking the
// shared contract on the way, and texts written as byte lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encoding/Conversion.h"

// Runs convert (destination, source, capacity, replaced) for a zero-terminated source:
// counts, writes into a buffer one unit too small (-1, nothing past it touched), then into
// one of exactly count + 1 units guarded by canaries, and checks that the written count and
// the count of replaced characters equal the counted ones, that the terminator is there and
// that nothing past the capacity changed.
template <typename OutUnit, typename SourceUnit, typename Convert>
std::basic_string<OutUnit> Converted(const std::basic_string<SourceUnit>& source, Convert convert,
                                     std::int64_t* replaced = nullptr)
{
    std::int64_t counting = -1, writing = -1;
    const std::int64_t counted = convert(nullptr, source.c_str(), 0, &counting);
    EXPECT_GE(counted, 0);
    const auto size = static_cast<std::size_t>(counted), canaries = size + 1 + 4;
    std::vector<OutUnit> buffer(canaries, static_cast<OutUnit>(0x5A));
    EXPECT_EQ(convert(buffer.data(), source.c_str(), counted, &writing), -1);
    EXPECT_EQ(buffer[size], static_cast<OutUnit>(0x5A)) << "written past a capacity too small";
    buffer.assign(canaries, static_cast<OutUnit>(0x5A));
    const std::int64_t written = convert(buffer.data(), source.c_str(), counted + 1, &writing);
    EXPECT_EQ(written, counted);
    EXPECT_EQ(writing, counting) << "counting and writing count replacements alike";
    if (replaced) *replaced = writing;
    if (written < 0) return {};
    EXPECT_EQ(buffer[size], OutUnit(0));
    for (std::size_t i = size + 1; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], static_cast<OutUnit>(0x5A)) << "written past the capacity";
    return std::basic_string<OutUnit>(buffer.data(), size);
}

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

// The conversions through Converted; replaced receives the count where there is one.
using Count = std::int64_t*;
inline std::u16string ToUtf16(const std::string& internal, bool mark = false, Count replaced = nullptr)
{
    return Converted<char16_t>(
        internal,
        [mark](char16_t* d, const char* s, std::int64_t c, Count r) { return InternalToUtf16(d, s, mark, c, r); },
        replaced);
}
inline std::string FromUtf16(const std::u16string& units, Count replaced = nullptr)
{
    return Converted<char>(
        units, [](char* d, const char16_t* s, std::int64_t c, Count r) { return Utf16ToInternal(d, s, c, r); },
        replaced);
}
inline std::u16string Utf8ToUnits(const std::string& utf8, Count replaced = nullptr)
{
    return Converted<char16_t>(
        utf8, [](char16_t* d, const char* s, std::int64_t c, Count r) { return Utf8ToUtf16(d, s, c, r); }, replaced);
}
inline std::string UnitsToUtf8(const std::u16string& units, bool mark = false)
{
    return Converted<char>(
        units, [mark](char* d, const char16_t* s, std::int64_t c, Count) { return Utf16ToUtf8(d, s, mark, c); });
}
// The byte-to-byte conversions, by name (the two that replace nothing leave the count at -1).
#define KVTE_BYTEWISE(name, call)                                                                                     \
    inline std::string name(const std::string& source, Count replaced = nullptr)                                      \
    {                                                                                                                 \
        return Converted<char>(                                                                                       \
            source, [](char* d, const char* s, std::int64_t c, [[maybe_unused]] Count r) { return call; }, replaced); \
    }
KVTE_BYTEWISE(ToJis, InternalToJis(d, s, c))
KVTE_BYTEWISE(FromJis, JisToInternal(d, s, c, r))
KVTE_BYTEWISE(ToEuc, InternalToEuc(d, s, c))
KVTE_BYTEWISE(FromEuc, EucToInternal(d, s, c, r))
#undef KVTE_BYTEWISE
