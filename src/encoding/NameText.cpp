// The name conversion: InternalText <-> UTF-16 code for code (see NameText.h).
#include "encoding/NameText.h"

#include <cstdint>
#include <new>

#include "encoding/SjisBytes.h"
#include "encoding/Conversion.h"

namespace {

bool IsHalfWidthKanaByte(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// One byte on its own: its table entry, which keeps half-width katakana half-width.
char16_t ByteToName(unsigned char b)
{
    char16_t u = SjisCodeToUnicode(b);
    return u == 0 && b != 0 ? kNoCharacterUnit : u;
}

// A valid pair's character; a pair without one (never assigned) gives U+FFFD like a lone
// lead byte, where the file conversion writes U+3013, which is also the character of 0x81AC.
int PairToName(std::uint16_t code, char16_t out[2])
{
    int n = SjisCodeToUtf16(code, out);
    if (n == 1 && out[0] == kUnmappedUnit && code != 0x81AC) out[0] = kNoCharacterUnit;
    return n;
}

// Appends a stretch that holds no half-width katakana: there the file-content conversion
// converts each code on its own, and does so a whole run at a time. Only a stretch that
// holds a pair without a character is redone code by code.
bool AppendStretch(std::string_view part, std::u16string& utf16)
{
    std::int64_t replaced = 0;
    std::int64_t count = InternalToUtf16(nullptr, part, false, 0, &replaced);
    if (count <= 0) return count == 0;
    std::size_t at = utf16.size();
    if (replaced == 0) {
        utf16.resize(at + static_cast<std::size_t>(count) + 1);
        std::int64_t written = InternalToUtf16(&utf16[at], part, false, count + 1);
        if (written < 0) return false;
        utf16.resize(at + static_cast<std::size_t>(written));
        return true;
    }
    for (std::size_t i = 0; i < part.size();) {
        const std::size_t length = sjis::CharLength(part.data(), part.size(), i);
        char16_t units[kMaxNameUnitUtf16];
        const int n = NameUnitToUtf16(part.data() + i, length, units);
        utf16.append(units, static_cast<std::size_t>(n));
        i += length;
    }
    return true;
}

}  // namespace

int NameUnitToUtf16(const char* unit, std::size_t length, char16_t out[kMaxNameUnitUtf16])
{
    if (length == 0) return 0;
    const unsigned char first = static_cast<unsigned char>(unit[0]);
    if (length == 1) {
        out[0] = ByteToName(first);
        return 1;
    }
    const unsigned char second = static_cast<unsigned char>(unit[1]);
    if (sjis::IsLeadByte(first) && sjis::IsTrailByte(second))
        return PairToName(static_cast<std::uint16_t>(first << 8 | second), out);
    out[0] = ByteToName(first);  // no pair: two units of a byte each
    out[1] = ByteToName(second);
    return 2;
}

bool NameToUtf16(std::string_view internal, std::u16string& utf16)
{
    utf16.clear();
    try {
        utf16.reserve(internal.size());
        std::size_t i = 0;
        while (i < internal.size()) {
            // The longest stretch without single-byte katakana goes in one call; each
            // single-byte katakana on its own, so that it is neither widened nor merged.
            std::size_t start = i;
            while (i < internal.size()) {
                if (IsHalfWidthKanaByte(static_cast<unsigned char>(internal[i]))) break;
                i += sjis::CharLength(internal.data(), internal.size(), i);
            }
            if (i > start && !AppendStretch(internal.substr(start, i - start), utf16)) {
                utf16.clear();
                return false;
            }
            if (i < internal.size()) {
                utf16.push_back(ByteToName(static_cast<unsigned char>(internal[i])));
                ++i;
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        utf16.clear();
        utf16.shrink_to_fit();
        return false;
    }
}

bool NameFromUtf16(std::u16string_view utf16, std::string& internal, std::int64_t* replaced)
{
    internal.clear();
    std::int64_t unused = 0;
    std::int64_t& unheld = replaced ? *replaced : unused;
    unheld = 0;
    try {
        // The file conversion drops a leading byte-order mark; in a name it is a character
        // without an internal code.
        if (!utf16.empty() && utf16.front() == 0xFEFF) {
            internal.push_back('?');
            utf16.remove_prefix(1);
            ++unheld;
        }
        std::int64_t count = Utf16ToInternal(nullptr, utf16, 0);
        if (count <= 0) return count == 0;
        std::size_t at = internal.size();
        internal.resize(at + static_cast<std::size_t>(count) + 1);
        std::int64_t lost = 0;
        std::int64_t written = Utf16ToInternal(&internal[at], utf16, count + 1, &lost);
        if (written < 0) {
            internal.clear();
            return false;
        }
        internal.resize(at + static_cast<std::size_t>(written));
        unheld += lost;
        return true;
    } catch (const std::bad_alloc&) {
        internal.clear();
        internal.shrink_to_fit();
        return false;
    }
}

bool IsNameHeld(std::u16string_view utf16)
{
    std::string internal;
    std::u16string back;
    return NameFromUtf16(utf16, internal) && NameToUtf16(internal, back) && back == utf16;
}
