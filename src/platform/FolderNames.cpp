#include "platform/FolderNames.h"

#include <windows.h>

#include "platform/WideText.h"

std::vector<std::string> ListFolderNames(const std::string& pattern)
{
    std::vector<std::string> names;
    const std::wstring widePattern = WideFromInternal(pattern);
    if (widePattern.empty()) return names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widePattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.cFileName[0] == L'.' || found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = InternalFromWide(found.cFileName);
        if (WideFromInternal(name) != found.cFileName) continue;
        names.push_back(std::move(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}
