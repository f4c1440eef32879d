// HoldPath: the path itself, else the system's short form, else not held.
#include "platform/HeldPath.h"

#include <new>

#include "platform/AnsiText.h"
#include "platform/WideText.h"

namespace {

ShortPathLookup shortPathLookup = &GetShortPathNameW;

// The system's short form of path; empty when it has none.
std::wstring ShortForm(const std::wstring& path)
{
    std::wstring shortPath(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD n = shortPathLookup(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (n == 0) return std::wstring();
        if (n < shortPath.size()) {
            shortPath.resize(n);
            return shortPath;
        }
        // Too small: n is the size needed, terminator included.
        shortPath.assign(static_cast<size_t>(n) + 1, L'\0');
    }
    return std::wstring();
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool TakeIfHeld(std::wstring_view path, std::string& internal)
{
    if (path.empty() || !IsNameHeld(Utf16View(path))) return false;
    internal = InternalFromWide(path);
    return !internal.empty();
}

// path in the ANSI code page when it comes back unchanged.
bool ToAnsiExactly(const std::wstring& path, std::string& ansi)
{
    ansi = AnsiFromWide(path);
    if (!ansi.empty() && WideFromAnsi(ansi) == path) return true;
    ansi.clear();
    return false;
}

}  // namespace

bool AnsiPathOf(std::wstring_view path, std::string& ansi)
{
    try {
        std::wstring whole(path);
        if (whole.find(L'\0') != std::wstring::npos) return false;
        return ToAnsiExactly(whole, ansi) || ToAnsiExactly(ShortForm(whole), ansi);
    } catch (const std::bad_alloc&) {
        ansi.clear();
        return false;
    }
}

ShortPathLookup SetShortPathLookup(ShortPathLookup lookup)
{
    ShortPathLookup previous = shortPathLookup;
    shortPathLookup = lookup ? lookup : &GetShortPathNameW;
    return previous;
}

PathHold HoldPath(std::wstring_view path, std::string& internal)
{
    internal.clear();
    // A zero inside would cut the path short at the system's door: another file.
    if (path.find(L'\0') != std::wstring_view::npos) return PathHold::NotHeld;
    if (path.empty() || TakeIfHeld(path, internal)) return PathHold::Held;
    try {
        std::wstring whole(path);
        if (TakeIfHeld(ShortForm(whole), internal)) return PathHold::ShortForm;

        // A file that does not exist yet has no short form, but its folder may have.
        size_t end = whole.size();
        if (IsSeparator(whole[end - 1])) --end;  // "folder\" names the folder itself
        size_t slash = whole.find_last_of(L"\\/", end == 0 ? 0 : end - 1);
        if (slash == std::wstring::npos || slash + 1 >= end) return PathHold::NotHeld;
        std::wstring_view leaf = std::wstring_view(whole).substr(slash + 1);
        if (!IsNameHeld(Utf16View(leaf))) return PathHold::NotHeld;
        std::wstring folder = ShortForm(whole.substr(0, slash + 1));
        if (folder.empty()) return PathHold::NotHeld;
        if (!IsSeparator(folder.back())) folder.push_back(L'\\');
        if (TakeIfHeld(folder + std::wstring(leaf), internal)) return PathHold::ShortForm;
    } catch (const std::bad_alloc&) {
    }
    internal.clear();
    return PathHold::NotHeld;
}
