// GetProgramFolder: the executable's folder, held as InternalText.
#include "platform/ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "platform/HeldPath.h"

namespace {

constexpr size_t kMaxFolderBytes = 260;

std::wstring programPathForTesting;

// The executable's full path; the buffer grows past MAX_PATH, since a folder too long to
// be named in full may still have a short form that fits.
std::wstring ExecutablePath()
{
    if (!programPathForTesting.empty()) return programPathForTesting;
    std::vector<wchar_t> path(MAX_PATH + 1);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) return std::wstring(path.data(), n);
        if (path.size() >= 32768) return std::wstring();
        path.resize(path.size() * 2);
    }
}

}  // namespace

void SetProgramPathForTesting(std::wstring_view path) { programPathForTesting.assign(path); }

bool GetProgramFolder(std::string& folder)
{
    folder.clear();
    try {
        std::wstring path = ExecutablePath();
        size_t slash = path.find_last_of(L"\\/");
        if (slash == std::wstring::npos) return false;
        path.resize(slash + 1);
        std::string held;
        if (HoldPath(path, held) == PathHold::NotHeld || held.empty() || held.size() > kMaxFolderBytes) return false;
        if (held.back() != '\\' && held.back() != '/') return false;
        folder = std::move(held);
        return true;
    } catch (...) {
        folder.clear();
        return false;
    }
}
