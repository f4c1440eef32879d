// Finding CR and LF in a whole text a machine word at a time: loading a document passes
// over every byte to find its lines, and saving one to give each line its line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kvte::textcontrol {

namespace line_break_scan {

using Word = std::uintptr_t;
constexpr Word kOnes = static_cast<Word>(-1) / 0xFF;  // 0x0101...01
constexpr Word kHighs = kOnes * 0x80;

// The high bit of each byte of w that is 0; the lowest one set is exact (a borrow can only
// mark bytes above a zero byte).
inline Word ZeroBytes(Word w) { return (w - kOnes) & ~w & kHighs; }

// Index of the byte that the lowest high bit set in a nonzero mark stands for, in memory
// order (the words are read little-endian first).
inline std::size_t FirstMarked(Word mark)
{
    if constexpr (sizeof(Word) == sizeof(unsigned long long))
        return static_cast<std::size_t>(__builtin_ctzll(mark)) / 8;
    else
        return static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mark))) / 8;
}

constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The first byte in [p, end) for which marks (a word's bytes -> their marks) marks one, or end.
template <typename Marks, typename IsWanted>
inline const char* FindFirst(const char* p, const char* end, Marks marks, IsWanted isWanted)
{
    if constexpr (kLittleEndian) {
        while (static_cast<std::size_t>(end - p) >= sizeof(Word)) {
            Word w;
            std::memcpy(&w, p, sizeof w);
            if (const Word mark = marks(w)) return p + FirstMarked(mark);
            p += sizeof w;
        }
    }
    while (p < end && !isWanted(*p)) ++p;
    return p;
}

}  // namespace line_break_scan

// The first CR or LF in [p, end), or end.
inline const char* FindLineBreak(const char* p, const char* end)
{
    using namespace line_break_scan;
    return FindFirst(
        p, end, [](Word w) { return ZeroBytes(w ^ (kOnes * '\r')) | ZeroBytes(w ^ (kOnes * '\n')); },
        [](char c) { return c == '\r' || c == '\n'; });
}

// The first LF in [p, end), or end.
inline const char* FindLineFeed(const char* p, const char* end)
{
    using namespace line_break_scan;
    return FindFirst(
        p, end, [](Word w) { return ZeroBytes(w ^ (kOnes * '\n')); }, [](char c) { return c == '\n'; });
}

// The first CR in [p, end), or end.
inline const char* FindCarriageReturn(const char* p, const char* end)
{
    using namespace line_break_scan;
    return FindFirst(
        p, end, [](Word w) { return ZeroBytes(w ^ (kOnes * '\r')); }, [](char c) { return c == '\r'; });
}

}  // namespace kvte::textcontrol
