// InternalText <-> the wide strings of the Win32 API, through the program's own tables.
// Windows builds only: there wchar_t is one UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

#include "encoding/FileText.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "WideText.h is for Windows builds, where wchar_t is UTF-16");

inline std::wstring WideFromInternal(std::string_view internal)
{
    std::u16string text = InternalTextToUtf16(internal);
    return std::wstring(text.begin(), text.end());
}

inline std::string InternalFromWide(std::wstring_view wide)
{
    return Utf16ToInternalText(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}
