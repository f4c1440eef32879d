// Glyphs of the characters above U+FFFF in the font selected into a device context.
// ExtTextOutW takes surrogate pairs on Windows but not under Wine, which draws each half as
// a missing glyph; drawing by glyph index, looked up in the font's own full-repertoire
// character map (format 12 of the 'cmap' table), works on both.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace kvte::textcontrol {

class SupplementaryGlyphs {
public:
    // The glyph index of codePoint in the font selected into dc; 0 when the font has none
    // (or is no TrueType/OpenType font). Remembers the maps of the last few fonts.
    WORD Find(HDC dc, std::uint32_t codePoint);
    // Appends the code points above U+FFFF that the font selected into dc maps, as
    // inclusive ranges.
    static void AppendRanges(HDC dc, std::vector<std::pair<std::uint32_t, std::uint32_t>>* ranges);

private:
    struct Group {
        std::uint32_t first, last, glyph;  // code points first..last are glyphs glyph..
    };
    struct FontMap {
        DWORD checksum = 0, cmapSize = 0;  // which font: its 'head' checksum and 'cmap' size
        std::vector<Group> groups;         // sorted, as the table stores them
    };
    static bool Load(HDC dc, FontMap& map);
    std::vector<FontMap> fonts_;  // most recently used last
};

// The one instance of the user-interface thread.
SupplementaryGlyphs& TheSupplementaryGlyphs();

}  // namespace kvte::textcontrol
