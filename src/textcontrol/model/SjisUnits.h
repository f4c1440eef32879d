// Character units of Shift_JIS-2004 bytes as the editing control sees them: a lead byte
// followed by a valid trail byte is one two-byte character; every other byte is a unit
// of its own (a lone lead, a stray trail, a control byte). Only the byte classes come from
// the encoding code (a header without tables).
#pragma once

#include <cstddef>

#include "encoding/SjisBytes.h"

namespace kvte::textcontrol {

using sjis::IsLeadByte;
using sjis::IsTrailByte;

// Length (1 or 2) of the unit that starts at bytes[i], for i < length.
inline size_t SjisUnitLength(const char* bytes, size_t length, size_t i) { return sjis::CharLength(bytes, length, i); }

// Start of the unit that contains bytes[i] (i <= length). Shift_JIS cannot be read
// backwards, so this walks forward from the last byte that can only end a unit: a byte
// that is neither a lead nor a trail (below 0x40, 0x7F, 0xFD-0xFF), or the line start.
inline size_t SjisUnitStart(const char* bytes, size_t length, size_t i)
{
    if (i == 0 || i > length) return i > length ? length : 0;
    size_t sync = i;
    while (sync > 0) {
        unsigned char b = static_cast<unsigned char>(bytes[sync - 1]);
        if (b < 0x40 || b == 0x7F || b >= 0xFD) break;
        --sync;
    }
    size_t at = sync;
    while (at < i) {
        size_t next = at + SjisUnitLength(bytes, length, at);
        if (next > i) return at;
        at = next;
    }
    return at;
}

// Start of the unit before position i (i > 0 and i a unit boundary).
inline size_t SjisPreviousUnit(const char* bytes, size_t length, size_t i)
{
    return i == 0 ? 0 : SjisUnitStart(bytes, length, i - 1);
}

}  // namespace kvte::textcontrol
