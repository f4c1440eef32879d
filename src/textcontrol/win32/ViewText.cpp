// Conversions between InternalText and UTF-16 at the view's edges (screen, clipboard,
// keyboard, font names, link targets), through the project's own tables.
#include "textcontrol/win32/ViewText.h"

#include "encoding/Conversion.h"
#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

int UnitToUtf16(const char* unit, size_t length, wchar_t out[kMaxUnitUtf16])
{
    if (length == 0) return 0;
    if (length == 1) {
        // One byte: its own table entry, which keeps half-width katakana half-width
        // (the whole-text conversion would widen them).
        char16_t u = SjisCodeToUnicode(static_cast<unsigned char>(unit[0]));
        out[0] = static_cast<wchar_t>(u == 0 ? 0xFFFD : u);
        return 1;
    }
    char16_t buffer[kMaxUnitUtf16 + 2];
    std::int64_t n = InternalToUtf16(buffer, std::string_view(unit, 2), false, kMaxUnitUtf16 + 1);
    if (n <= 0 || n > kMaxUnitUtf16) {
        out[0] = 0xFFFD;
        return 1;
    }
    for (std::int64_t i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(buffer[i]);
    return static_cast<int>(n);
}

std::wstring InternalToWide(std::string_view text)
{
    std::wstring result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        // Convert the longest stretch without single-byte katakana in one call, and each
        // single-byte katakana on its own so that it is not widened or merged.
        size_t start = i;
        while (i < text.size()) {
            size_t n = SjisUnitLength(text.data(), text.size(), i);
            unsigned char b = static_cast<unsigned char>(text[i]);
            if (n == 1 && b >= 0xA1 && b <= 0xDF) break;
            i += n;
        }
        if (i > start) {
            std::string_view part = text.substr(start, i - start);
            std::int64_t count = InternalToUtf16(nullptr, part, false, 0);
            if (count > 0) {
                std::u16string units(static_cast<size_t>(count) + 1, u'\0');
                std::int64_t written = InternalToUtf16(units.data(), part, false, count + 1);
                if (written > 0) result.append(units.begin(), units.begin() + written);
            }
        }
        if (i < text.size()) {
            result.push_back(static_cast<wchar_t>(SjisCodeToUnicode(static_cast<unsigned char>(text[i]))));
            ++i;
        }
    }
    return result;
}

std::string WideToInternal(const wchar_t* text, size_t length)
{
    if (!text) return std::string();
    size_t n = 0;
    while (n < length && text[n] != 0) ++n;
    std::u16string_view source(reinterpret_cast<const char16_t*>(text), n);
    std::int64_t count = Utf16ToInternal(nullptr, source, 0);
    if (count <= 0) return std::string();
    std::string result(static_cast<size_t>(count) + 1, '\0');
    std::int64_t written = Utf16ToInternal(result.data(), source, count + 1);
    if (written < 0) return std::string();
    result.resize(static_cast<size_t>(written));
    return result;
}

}  // namespace kvte::textcontrol
