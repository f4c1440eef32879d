// Small helpers shared by the encoding tests: run a conversion in both modes and check
// the shared contract on the way.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Runs convert (destination, source, capacity) for a zero-terminated source: counts, then
// writes into a buffer of exactly count + 1 units guarded by canaries, and checks that the
// written count equals the counted one, that the terminator is there and that nothing past
// the capacity changed.
template <typename OutUnit, typename SourceUnit, typename Convert>
std::basic_string<OutUnit> Converted(const std::basic_string<SourceUnit>& source, Convert convert)
{
    const std::int64_t counted = convert(nullptr, source.c_str(), 0);
    EXPECT_GE(counted, 0);
    std::vector<OutUnit> buffer(static_cast<std::size_t>(counted) + 1 + 4, static_cast<OutUnit>(0x5A));
    const std::int64_t written = convert(buffer.data(), source.c_str(), counted + 1);
    EXPECT_EQ(written, counted);
    if (written < 0) return {};
    EXPECT_EQ(buffer[static_cast<std::size_t>(written)], OutUnit(0));
    for (std::size_t i = static_cast<std::size_t>(counted) + 1; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], static_cast<OutUnit>(0x5A)) << "written past the capacity";
    return std::basic_string<OutUnit>(buffer.data(), static_cast<std::size_t>(written));
}

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}
