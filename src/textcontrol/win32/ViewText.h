// The view's edges (screen, clipboard, drag and drop, keyboard, IME, font names, link
// targets) cross between the document's InternalText and UTF-16 through the name
// conversion of encoding/NameText.h, code for code: half-width katakana stay half-width,
// every code gives its published character (a surrogate pair or a sequence of two code
// points included) and comes back as itself. Whole texts go out with WideFromInternal
// (platform/WideText.h); these are the forms the view needs besides.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "encoding/NameText.h"
#include "platform/WideText.h"  // WideFromInternal for whole texts

namespace kvte::textcontrol {

constexpr int kMaxUnitUtf16 = kMaxNameUnitUtf16;

// The UTF-16 form of one character unit of 1 or 2 bytes, for drawing: 1 to kMaxUnitUtf16
// units (0 only when length is 0); a zero byte draws as U+FFFD.
inline int UnitToUtf16(const char* unit, size_t length, wchar_t out[kMaxUnitUtf16])
{
    char16_t units[kMaxNameUnitUtf16];
    int n = NameUnitToUtf16(unit, length, units);
    for (int i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(units[i] ? units[i] : 0xFFFD);
    return n;
}

// UTF-16 (up to the first 0 unit or `length` units) to InternalText; a character without
// an internal code becomes '?' (counted in lost when given). Empty when memory runs out.
inline std::string WideToInternal(const wchar_t* text, size_t length, std::int64_t* lost = nullptr)
{
    if (lost) *lost = 0;
    if (!text) return std::string();
    size_t n = 0;
    while (n < length && text[n] != 0) ++n;
    return InternalFromWide(std::wstring_view(text, n), lost);
}

}  // namespace kvte::textcontrol
