// Helpers shared by the encoding tests: each conversion run in both modes, checking the
// shared contract on the way, and texts written as byte lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "encoding/Conversion.h"

using Count = std::int64_t*;

// Runs convert (destination, capacity, replaced): counts, writes into buffers one to three
// units too small (-1, nothing past them touched), then into one of count + 1 units guarded
// by canaries: the written count and replacements equal the counted ones, the terminator is
// there and nothing past the capacity changed. replaced gets the count (-1 for those without one).
template <typename OutUnit, typename Convert>
std::basic_string<OutUnit> Converted(Convert convert, Count replaced = nullptr)
{
    std::int64_t counting = -1, writing = -1;
    const std::int64_t counted = convert(static_cast<OutUnit*>(nullptr), 0, &counting);
    EXPECT_GE(counted, 0);
    const auto size = static_cast<std::size_t>(counted), canaries = size + 1 + 4;
    std::vector<OutUnit> buffer(canaries, static_cast<OutUnit>(0x5A));
    for (std::int64_t capacity = counted; capacity >= 1 && capacity + 3 > counted; --capacity) {
        buffer.assign(canaries, static_cast<OutUnit>(0x5A));  // short by 1 to 3: each cut of a 3-unit form
        EXPECT_EQ(convert(buffer.data(), capacity, &writing), -1);
        EXPECT_EQ(buffer[static_cast<std::size_t>(capacity)], static_cast<OutUnit>(0x5A))
            << "written past a capacity too small";
    }
    buffer.assign(canaries, static_cast<OutUnit>(0x5A));
    const std::int64_t written = convert(buffer.data(), counted + 1, &writing);
    EXPECT_EQ(written, counted);
    EXPECT_EQ(writing, counting) << "counting and writing count replacements alike";
    if (replaced) *replaced = writing;
    if (written < 0) return {};
    EXPECT_EQ(buffer[size], OutUnit(0));
    for (std::size_t i = size + 1; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], static_cast<OutUnit>(0x5A)) << "written past the capacity";
    return std::basic_string<OutUnit>(buffer.data(), size);
}

inline std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

// The conversions by name, on a zero-terminated source, without byte-order marks.
#define KVTE_CONVERTER(name, Out, Source, call)                                                                  \
    inline std::basic_string<Out> name(const std::basic_string<Source>& source, Count replaced = nullptr)        \
    {                                                                                                            \
        const Source* s = source.c_str();                                                                        \
        return Converted<Out>([s](Out* d, std::int64_t c, [[maybe_unused]] Count r) { return call; }, replaced); \
    }
KVTE_CONVERTER(ToUtf16, char16_t, char, InternalToUtf16(d, s, false, c, r))
KVTE_CONVERTER(FromUtf16, char, char16_t, Utf16ToInternal(d, s, c, r))
KVTE_CONVERTER(Utf8ToUnits, char16_t, char, Utf8ToUtf16(d, s, c, r))
KVTE_CONVERTER(UnitsToUtf8, char, char16_t, Utf16ToUtf8(d, s, false, c))
KVTE_CONVERTER(ToJis, char, char, InternalToJis(d, s, c))
KVTE_CONVERTER(FromJis, char, char, JisToInternal(d, s, c, r))
KVTE_CONVERTER(ToEuc, char, char, InternalToEuc(d, s, c))
KVTE_CONVERTER(FromEuc, char, char, EucToInternal(d, s, c, r))
KVTE_CONVERTER(ToCp932, char, char, InternalToCp932(d, s, c, r))
KVTE_CONVERTER(FromCp932, char, char, Cp932ToInternal(d, s, c, r))
#undef KVTE_CONVERTER

// What python3 prints for script (run while the test runs, as an oracle); empty without it.
inline std::string Python(const std::string& script)
{
    const std::string file = testing::TempDir() + "oracle.py";
    std::ofstream(file) << script;
    std::string out;
    FILE* pipe = popen(("python3 '" + file + "' 2>/dev/null").c_str(), "r");
    for (int c; pipe && (c = std::fgetc(pipe)) != EOF;) out.push_back(static_cast<char>(c));
    if (pipe) pclose(pipe);
    return out;
}
