// The byte classes of InternalText (Shift_JIS-2004), the one definition for the whole
// program: a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E,
// 0x80-0xFC) is one double-byte character. Header only, with no tables, so that every
// portable folder (the text model, the search engine, the settings) can use it.
#pragma once

#include <cstddef>

namespace sjis {

// By arithmetic: in the conversion loops this measures twice as fast as lookup tables,
// whose loads sit on the critical path. A plain char argument converts to its byte.
constexpr bool IsLeadByte(unsigned char b)
{
    return static_cast<unsigned>(b - 0x81) < 0x1Fu || static_cast<unsigned>(b - 0xE0) < 0x1Du;
}

constexpr bool IsTrailByte(unsigned char b) { return static_cast<unsigned>(b - 0x40) < 0xBDu && b != 0x7F; }

// Bytes taken by the character at text[position] (position < length): 2 for a lead byte
// whose trail byte lies within length, else 1 (a lone lead byte is a character of its own).
constexpr std::size_t CharLength(const char* text, std::size_t length, std::size_t position)
{
    return position + 1 < length && IsLeadByte(static_cast<unsigned char>(text[position])) &&
                   IsTrailByte(static_cast<unsigned char>(text[position + 1]))
               ? 2
               : 1;
}

}  // namespace sjis
