// Stand-in fonts for missing glyphs (see GlyphFallback.h): the installed faces, what each
// of them covers (read once per process, when a view first needs a stand-in), and the
// per-view-font memory of which characters need one.
#include "textcontrol/win32/GlyphFallback.h"

#include <algorithm>
#include <string>
#include <utility>

#include "textcontrol/win32/SupplementaryGlyphs.h"

namespace kvte::textcontrol {

namespace {

using Ranges = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // inclusive, sorted

struct Face {
    std::wstring name;
    bool japanese = false;
    bool fixed = false;
    bool loaded = false;
    Ranges ranges;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM param)
{
    auto& faces = *reinterpret_cast<std::vector<Face>*>(param);
    // '@' names are the same faces turned for vertical writing; bitmap fonts come in a few
    // sizes only and would be stretched to the view's.
    if (font->lfFaceName[0] == L'@' || font->lfFaceName[0] == 0 || (type & RASTER_FONTTYPE)) return 1;
    std::wstring name = font->lfFaceName;
    auto known = std::find_if(faces.begin(), faces.end(), [&](const Face& f) { return f.name == name; });
    if (known == faces.end()) {
        faces.push_back(Face{});
        known = faces.end() - 1;
        known->name = name;
    }
    known->japanese = known->japanese || font->lfCharSet == SHIFTJIS_CHARSET;
    known->fixed = known->fixed || (font->lfPitchAndFamily & 3) == FIXED_PITCH;
    return 1;
}

// Every installed face once, Japanese ones first, fixed-pitch ones first within each group.
std::vector<Face> EnumerateFaces()
{
    std::vector<Face> faces;
    HDC dc = GetDC(nullptr);
    if (!dc) return faces;
    LOGFONTW all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    try {
        EnumFontFamiliesExW(dc, &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    } catch (...) {  // out of memory: the faces found so far
    }
    ReleaseDC(nullptr, dc);
    std::stable_sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) {
        return a.japanese != b.japanese ? a.japanese : a.fixed && !b.fixed;
    });
    return faces;
}

std::vector<Face>& Faces()
{
    static std::vector<Face> faces = EnumerateFaces();
    return faces;
}

HFONT MakeFace(const LOGFONTW& model, const std::wstring& name)
{
    LOGFONTW lf = model;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

// Reads which characters a face maps, from the system's list of its ranges and, above
// U+FFFF, from its own character map.
void LoadCoverage(Face& face)
{
    face.loaded = true;
    LOGFONTW model = {};
    model.lfHeight = -16;
    HFONT font = MakeFace(model, face.name);
    HDC dc = CreateCompatibleDC(nullptr);
    if (font && dc) {
        HGDIOBJ old = SelectObject(dc, font);
        try {
            DWORD size = GetFontUnicodeRanges(dc, nullptr);
            if (size >= sizeof(GLYPHSET)) {
                std::vector<unsigned char> bytes(size);
                auto* set = reinterpret_cast<GLYPHSET*>(bytes.data());
                if (GetFontUnicodeRanges(dc, set) == size) {
                    DWORD count = std::min<DWORD>(set->cRanges, (size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE));
                    for (DWORD i = 0; i < count; ++i) {
                        const WCRANGE& r = set->ranges[i];
                        if (r.cGlyphs > 0) face.ranges.emplace_back(r.wcLow, r.wcLow + r.cGlyphs - 1u);
                    }
                }
            }
            SupplementaryGlyphs::AppendRanges(dc, &face.ranges);
            std::sort(face.ranges.begin(), face.ranges.end());
        } catch (...) {  // out of memory: the face counts as covering nothing
            face.ranges.clear();
        }
        SelectObject(dc, old);
    }
    if (dc) DeleteDC(dc);
    if (font) DeleteObject(font);
}

bool Covers(const Ranges& ranges, std::uint32_t codePoint)
{
    auto after = std::upper_bound(
        ranges.begin(), ranges.end(), codePoint,
        [](std::uint32_t cp, const std::pair<std::uint32_t, std::uint32_t>& r) { return cp < r.first; });
    return after != ranges.begin() && codePoint <= std::prev(after)->second;
}

int FindFace(const std::uint32_t* codePoints, int count)
{
    std::vector<Face>& faces = Faces();
    for (size_t i = 0; i < faces.size(); ++i) {
        Face& face = faces[i];
        if (!face.loaded) LoadCoverage(face);
        bool all = true;
        for (int k = 0; k < count && all; ++k) all = Covers(face.ranges, codePoints[k]);
        if (all) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool HasGlyph(GlyphFallback& fallback, HDC dc, wchar_t unit)
{
    if (fallback.units.empty()) {
        try {
            fallback.units.assign(0x10000, 0);
        } catch (...) {
            return true;  // without the memory to remember, draw as the font draws
        }
    }
    unsigned char& known = fallback.units[unit];
    if (known == 0) {
        WORD glyph = 0xFFFF;
        known = GetGlyphIndicesW(dc, &unit, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF ? 1 : 2;
    }
    return known == 1;
}

bool HasSupplementaryGlyph(HDC dc, std::uint32_t codePoint)
{
    return TheSupplementaryGlyphs().Find(dc, codePoint) != 0;
}

HFONT StandInFont(GlyphFallback& fallback, HFONT viewFont, std::uint64_t key, const std::uint32_t* codePoints,
                  int count)
{
    try {
        auto known = fallback.standIns.find(key);
        int face = known != fallback.standIns.end() ? known->second : FindFace(codePoints, count);
        if (known == fallback.standIns.end()) fallback.standIns.emplace(key, face);
        if (face < 0) return nullptr;
        auto made = fallback.fonts.find(face);
        if (made != fallback.fonts.end()) return made->second;
        LOGFONTW model = {};
        if (!viewFont || GetObjectW(viewFont, sizeof model, &model) != sizeof model) return nullptr;
        HFONT font = MakeFace(model, Faces()[static_cast<size_t>(face)].name);
        if (font) fallback.fonts.emplace(face, font);
        return font;
    } catch (...) {  // out of memory: the character is drawn with the view's font
        return nullptr;
    }
}

void ResetGlyphFallback(GlyphFallback& fallback)
{
    for (auto& made : fallback.fonts) DeleteObject(made.second);
    fallback.fonts.clear();
    fallback.standIns.clear();
    fallback.units.clear();
}

}  // namespace kvte::textcontrol
