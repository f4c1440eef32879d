// The system ANSI code page at the door to other processes.
#include "platform/AnsiText.h"

#include <windows.h>

#include <new>

std::wstring WideFromAnsi(std::string_view ansi)
{
    try {
        if (ansi.empty()) return std::wstring();
        const int bytes = static_cast<int>(ansi.size());
        const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
        if (units <= 0) return std::wstring();
        std::wstring wide(static_cast<size_t>(units), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, wide.data(), units);
        return wide;
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
}

std::string AnsiFromWide(std::wstring_view wide)
{
    try {
        if (wide.empty()) return std::string();
        const int units = static_cast<int>(wide.size());
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return std::string();
        std::string ansi(static_cast<size_t>(bytes), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), units, ansi.data(), bytes, nullptr, nullptr);
        return ansi;
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}
