// InternalText <-> the wide strings of the Win32 API for names and user-interface texts:
// paths, window, menu and dialog texts, message boxes, help topics, command lines. They
// cross code for code (NameText.h), so a name that goes out and comes back is the same
// name. Document text goes through the file-content conversions instead. Windows builds
// only: there wchar_t is one UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

#include "encoding/NameText.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "WideText.h is for Windows builds, where wchar_t is UTF-16");

inline std::u16string_view Utf16View(std::wstring_view wide)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

// Empty when memory runs out.
inline std::wstring WideFromInternal(std::string_view internal)
{
    std::u16string text;
    if (!NameToUtf16(internal, text)) return std::wstring();
    return std::wstring(text.begin(), text.end());
}

// Empty when memory runs out. A character without an internal code becomes "?"; where
// that matters (paths), hold the name with HeldPath.h first; lost, when given, receives how
// many did.
inline std::string InternalFromWide(std::wstring_view wide, std::int64_t* lost = nullptr)
{
    std::string internal;
    NameFromUtf16(Utf16View(wide), internal, lost);
    return internal;
}
