// Reads format 12 of a font's 'cmap' table through GetFontData (see SupplementaryGlyphs.h).
#include "textcontrol/win32/SupplementaryGlyphs.h"

#include <algorithm>

namespace kvte::textcontrol {

namespace {

constexpr DWORD Tag(char a, char b, char c, char d)
{
    return static_cast<DWORD>(static_cast<unsigned char>(d)) << 24 |
           static_cast<DWORD>(static_cast<unsigned char>(c)) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(b)) << 8 | static_cast<unsigned char>(a);
}

// Big-endian fields of a table read whole; 0 past its end.
struct Table {
    std::vector<unsigned char> bytes;
    std::uint32_t U16(size_t at) const { return at + 2 <= bytes.size() ? bytes[at] << 8 | bytes[at + 1] : 0; }
    std::uint32_t U32(size_t at) const { return at + 4 <= bytes.size() ? U16(at) << 16 | U16(at + 2) : 0; }
};

constexpr size_t kMaxFonts = 4;

}  // namespace

bool SupplementaryGlyphs::Load(HDC dc, FontMap& map)
{
    Table cmap;
    cmap.bytes.resize(map.cmapSize);
    if (GetFontData(dc, Tag('c', 'm', 'a', 'p'), 0, cmap.bytes.data(), map.cmapSize) != map.cmapSize) return false;
    const std::uint32_t tables = cmap.U16(2);
    for (std::uint32_t i = 0; i < tables; ++i) {
        const size_t record = 4 + 8 * static_cast<size_t>(i);
        const std::uint32_t platform = cmap.U16(record), encoding = cmap.U16(record + 2);
        const size_t at = cmap.U32(record + 4);
        // Windows full repertoire (3, 10) or Unicode full repertoire (0, 4 or 6), format 12.
        bool full = (platform == 3 && encoding == 10) || (platform == 0 && (encoding == 4 || encoding == 6));
        if (!full || cmap.U16(at) != 12) continue;
        const std::uint32_t count = cmap.U32(at + 12);
        if (at + 16 + 12 * static_cast<size_t>(count) > cmap.bytes.size()) continue;
        map.groups.reserve(count);
        for (std::uint32_t g = 0; g < count; ++g) {
            const size_t group = at + 16 + 12 * static_cast<size_t>(g);
            map.groups.push_back({cmap.U32(group), cmap.U32(group + 4), cmap.U32(group + 8)});
        }
        return true;
    }
    return true;  // a font without such a map: it has no character above U+FFFF
}

WORD SupplementaryGlyphs::Find(HDC dc, std::uint32_t codePoint)
{
    DWORD checksum = 0;
    if (GetFontData(dc, Tag('h', 'e', 'a', 'd'), 8, &checksum, sizeof checksum) != sizeof checksum) return 0;
    const DWORD cmapSize = GetFontData(dc, Tag('c', 'm', 'a', 'p'), 0, nullptr, 0);
    if (cmapSize == GDI_ERROR || cmapSize == 0) return 0;
    auto known = std::find_if(fonts_.begin(), fonts_.end(),
                              [&](const FontMap& m) { return m.checksum == checksum && m.cmapSize == cmapSize; });
    if (known == fonts_.end()) {
        FontMap map;
        map.checksum = checksum;
        map.cmapSize = cmapSize;
        try {
            if (!Load(dc, map)) return 0;
            if (fonts_.size() == kMaxFonts) fonts_.erase(fonts_.begin());
            fonts_.push_back(std::move(map));
        } catch (...) {  // out of memory: draw without the map
            return 0;
        }
        known = fonts_.end() - 1;
    }
    const std::vector<Group>& groups = known->groups;
    auto group = std::upper_bound(groups.begin(), groups.end(), codePoint,
                                  [](std::uint32_t cp, const Group& g) { return cp < g.first; });
    if (group == groups.begin()) return 0;
    --group;
    if (codePoint > group->last) return 0;
    const std::uint32_t glyph = group->glyph + (codePoint - group->first);
    return glyph <= 0xFFFF ? static_cast<WORD>(glyph) : 0;
}

void SupplementaryGlyphs::AppendRanges(HDC dc, std::vector<std::pair<std::uint32_t, std::uint32_t>>* ranges)
{
    FontMap map;
    map.cmapSize = GetFontData(dc, Tag('c', 'm', 'a', 'p'), 0, nullptr, 0);
    if (map.cmapSize == GDI_ERROR || map.cmapSize == 0 || !Load(dc, map)) return;
    for (const Group& g : map.groups)
        if (g.last >= 0x10000 && g.first <= g.last)
            ranges->emplace_back(std::max<std::uint32_t>(g.first, 0x10000), g.last);
}

SupplementaryGlyphs& TheSupplementaryGlyphs()
{
    static SupplementaryGlyphs glyphs;
    return glyphs;
}

}  // namespace kvte::textcontrol
