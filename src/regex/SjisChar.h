// Character boundaries of InternalText (Shift_JIS-2004 bytes) as the search engine sees
// them: a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E, 0x80-0xFC)
// is one character; every other byte, a lone lead byte included, is one character.
#pragma once

#include <cstddef>

#include "encoding/SjisBytes.h"

// Bytes taken by the character at text[position] (position < length): 1 or 2.
inline std::size_t SjisCharLength(const char* text, std::size_t length, std::size_t position)
{
    return sjis::CharLength(text, length, position);
}

// The start of the character that holds byte position (position < length, so text[position]
// may be read); position
// itself when it is a boundary. Looks back only over the run of lead-capable bytes before
// position: any other byte always ends a character, so the boundary after it is certain.
// knownBoundary (<= position) is a boundary the caller already knows; the look-back stops
// there, which keeps a scan over a long run of lead bytes linear.
inline std::size_t SjisCharStart(const char* text, std::size_t position, std::size_t knownBoundary = 0)
{
    std::size_t runStart = position;
    while (runStart > knownBoundary && sjis::IsLeadByte(static_cast<unsigned char>(text[runStart - 1]))) --runStart;
    // From runStart (a boundary) every lead byte in the run pairs with the byte after it:
    // lead-capable bytes are all trail-capable too.
    if ((position - runStart) % 2 == 0) return position;
    return sjis::IsTrailByte(static_cast<unsigned char>(text[position])) ? position - 1 : position;
}

// Whether a character starts at position (0 <= position <= length; the end is a boundary).
// A byte after a lead byte at a boundary is inside a character only when it is a trail.
inline bool SjisIsBoundary(const char* text, std::size_t length, std::size_t position, std::size_t knownBoundary = 0)
{
    if (position == 0 || position >= length) return true;
    return SjisCharStart(text, position, knownBoundary) == position;
}

// The first boundary at or after position (clamped to length).
inline std::size_t SjisBoundaryAtOrAfter(const char* text, std::size_t length, std::size_t position)
{
    if (position >= length) return length;
    return SjisIsBoundary(text, length, position) ? position : position + 1;
}

// The boundary after the character at position (position a boundary below length): the
// position to search from to get past an empty match at position.
inline std::size_t SjisNextCharOffset(const char* text, std::size_t length, std::size_t position)
{
    if (position >= length) return length + 1;
    return position + SjisCharLength(text, length, position);
}

// Character starts for a scan that moves towards the start of the text. It remembers the
// run of lead-capable bytes it last measured, so that stepping back through a long run
// costs time linear in the run, not quadratic.
struct SjisBackwardBoundaries {
    const char* text;
    std::size_t runStart = 1;  // [runStart, runEnd): lead-capable bytes, runStart a boundary
    std::size_t runEnd = 0;    // empty while runStart > runEnd

    explicit SjisBackwardBoundaries(const char* t) : text(t) {}

    // Start of the character holding byte position (position < length of the text).
    std::size_t CharStart(std::size_t position)
    {
        if (!(runStart <= position && position <= runEnd)) {
            runEnd = position;
            runStart = position;
            while (runStart > 0 && sjis::IsLeadByte(static_cast<unsigned char>(text[runStart - 1]))) --runStart;
        }
        if ((position - runStart) % 2 == 0) return position;
        return sjis::IsTrailByte(static_cast<unsigned char>(text[position])) ? position - 1 : position;
    }
};
