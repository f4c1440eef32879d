// The name conversion: InternalText <-> UTF-16 code for code (see NameText.h).
#include "encoding/NameText.h"

#include <cstdint>
#include <new>

#include "encoding/CharacterCodesInline.h"
#include "encoding/Conversion.h"

namespace {

bool IsHalfWidthKanaByte(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// Appends the file-content conversion of a stretch that holds no half-width katakana:
// there it converts each code on its own, and does so a whole run at a time.
bool AppendStretch(std::string_view part, std::u16string& utf16)
{
    std::int64_t count = InternalToUtf16(nullptr, part, false, 0);
    if (count <= 0) return count == 0;
    std::size_t at = utf16.size();
    utf16.resize(at + static_cast<std::size_t>(count) + 1);
    std::int64_t written = InternalToUtf16(&utf16[at], part, false, count + 1);
    if (written < 0) return false;
    utf16.resize(at + static_cast<std::size_t>(written));
    return true;
}

}  // namespace

int NameUnitToUtf16(const char* unit, std::size_t length, char16_t out[kMaxNameUnitUtf16])
{
    if (length == 0) return 0;
    if (length == 1) {
        // One byte: its own table entry, which keeps half-width katakana half-width.
        char16_t u = SjisCodeToUnicode(static_cast<unsigned char>(unit[0]));
        out[0] = u == 0 && unit[0] != 0 ? kNoCharacterUnit : u;
        return 1;
    }
    char16_t buffer[kMaxNameUnitUtf16 + 2];
    std::int64_t n = InternalToUtf16(buffer, std::string_view(unit, 2), false, kMaxNameUnitUtf16 + 1);
    if (n <= 0 || n > kMaxNameUnitUtf16) {
        out[0] = kNoCharacterUnit;
        return 1;
    }
    for (std::int64_t i = 0; i < n; ++i) out[i] = buffer[i];
    return static_cast<int>(n);
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
                unsigned char b = static_cast<unsigned char>(internal[i]);
                if (IsHalfWidthKanaByte(b)) break;
                bool pair = encoding_detail::IsLeadByte(b) && i + 1 < internal.size() &&
                            encoding_detail::IsTrailByte(static_cast<unsigned char>(internal[i + 1]));
                i += pair ? 2 : 1;
            }
            if (i > start && !AppendStretch(internal.substr(start, i - start), utf16)) {
                utf16.clear();
                return false;
            }
            if (i < internal.size()) {
                utf16.push_back(SjisCodeToUnicode(static_cast<unsigned char>(internal[i])));
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

bool NameFromUtf16(std::u16string_view utf16, std::string& internal)
{
    internal.clear();
    try {
        // The file conversion drops a leading byte-order mark; in a name it is a character
        // without an internal code.
        if (!utf16.empty() && utf16.front() == 0xFEFF) {
            internal.push_back('?');
            utf16.remove_prefix(1);
        }
        std::int64_t count = Utf16ToInternal(nullptr, utf16, 0);
        if (count <= 0) return count == 0;
        std::size_t at = internal.size();
        internal.resize(at + static_cast<std::size_t>(count) + 1);
        std::int64_t written = Utf16ToInternal(&internal[at], utf16, count + 1);
        if (written < 0) {
            internal.clear();
            return false;
        }
        internal.resize(at + static_cast<std::size_t>(written));
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
