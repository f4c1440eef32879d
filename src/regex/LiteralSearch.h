// Finding a fixed byte string in InternalText at character boundaries: the literal search
// mode and the prefilter of regular expressions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

struct LiteralPattern {
    std::string bytes;
    // The last character of bytes is a lone lead byte: in a text it stays one character only
    // when no trail byte follows it there.
    bool endsWithLoneLead = false;
};

LiteralPattern MakeLiteralPattern(std::string_view bytes);

// First occurrence starting at a boundary at or after from (itself a boundary) and ending
// at a boundary; kNotFound when none. An empty pattern is never found.
std::size_t FindLiteralForward(const LiteralPattern& pattern, const char* text, std::size_t length, std::size_t from);

// The occurrence with the greatest start below before, starting and ending at boundaries.
std::size_t FindLiteralBackward(const LiteralPattern& pattern, const char* text, std::size_t length,
                                std::size_t before);

// The raw byte search under both: first (last) position p in [from, limit - needle size]
// with text[p..] == needle; kNotFound when none. Exposed for the benchmarks.
std::size_t FindBytesForward(const char* text, std::size_t from, std::size_t limit, std::string_view needle);
std::size_t FindBytesBackward(const char* text, std::size_t from, std::size_t limit, std::string_view needle);
