// Fonts for the characters that a view's own font has no glyph for. A font may lack
// characters of the editor's character set (a Latin letter with an ogonek, a tone letter,
// a plane-2 kanji); such a character is drawn with the first installed font that has it
// instead of as an empty box. Japanese fonts are asked first, fixed-pitch ones before
// the others. Which characters the view's font has, and which font stands in for each it
// lacks, are remembered per view font, so that painting asks the system only once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

namespace kvte::textcontrol {

struct GlyphFallback {
    // Per UTF-16 unit: 0 not asked yet, 1 the view's font has a glyph, 2 it has none.
    std::vector<unsigned char> units;
    // Code point (or a pair of units as first << 32 | second) -> index of the installed
    // face that draws it; -1 when none does.
    std::map<std::uint64_t, int> standIns;
    // The fonts made of those faces at the height of the view's font (owned).
    std::map<int, HFONT> fonts;
};

// Whether the font selected into dc has a glyph for this UTF-16 unit (not a surrogate).
bool HasGlyph(GlyphFallback& fallback, HDC dc, wchar_t unit);
// Whether the font selected into dc has a glyph for a code point above U+FFFF.
bool HasSupplementaryGlyph(HDC dc, std::uint32_t codePoint);

// The font that has glyphs for every one of the code points, at the height of `viewFont`;
// null when no installed font has them all. `key` names the characters in the cache.
HFONT StandInFont(GlyphFallback& fallback, HFONT viewFont, std::uint64_t key, const std::uint32_t* codePoints,
                  int count);

// Forgets what was learnt about the view's font and deletes the stand-in fonts.
void ResetGlyphFallback(GlyphFallback& fallback);

}  // namespace kvte::textcontrol
