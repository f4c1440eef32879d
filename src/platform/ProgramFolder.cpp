// GetProgramFolder.
#include "platform/ProgramFolder.h"

#include <windows.h>

#include "platform/WideText.h"

std::string GetProgramFolder()
{
    wchar_t path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return std::string();
    std::wstring wide(path, n);
    size_t slash = wide.find_last_of(L"\\/");
    wide.resize(slash == std::wstring::npos ? 0 : slash + 1);
    std::string folder = InternalFromWide(wide);
    if (folder.size() > 260) return std::string();
    return folder;
}
