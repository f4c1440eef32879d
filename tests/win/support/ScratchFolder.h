// A fresh folder with a name of the test's choosing under the temp folder, emptied and
// removed at the end, and the path seams of the Win32 boundary put back as they were.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "platform/HeldPath.h"
#include "platform/ProgramFolder.h"

class ScratchFolder {
public:
    // name: one folder below the scratch root.
    explicit ScratchFolder(const std::wstring& name)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"kvte-names\\";
        CreateDirectoryW(root_.c_str(), nullptr);
        path_ = root_ + name + L"\\";
        Clear();
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        Clear();
        RemoveDirectoryW(path_.c_str());
        RemoveDirectoryW(root_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // Names of the entries inside, sorted, each followed by "|".
    std::wstring Entries() const
    {
        std::wstring joined;
        for (const std::wstring& name : Names()) joined += name + L"|";
        return joined;
    }

private:
    std::set<std::wstring> Names() const
    {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.insert(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        for (const wchar_t* folder : {L".", L".."}) names.erase(folder);
        return names;
    }
    void Clear() const
    {
        for (const std::wstring& name : Names()) {
            SetFileAttributesW((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((path_ + name).c_str());
        }
    }
    std::wstring root_;
    std::wstring path_;
};

// Puts the short-path lookup and the program path back at the end of a test.
struct PathSeamsRestored {
    ShortPathLookup previous = SetShortPathLookup(nullptr);
    ~PathSeamsRestored()
    {
        SetShortPathLookup(previous);
        SetProgramPathForTesting(L"");
    }
};

inline DWORD WINAPI DenyShortPath(const wchar_t*, wchar_t*, DWORD)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

// The file's whole content; empty when it cannot be read.
inline std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    bytes.resize(ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ? read : 0);
    CloseHandle(file);
    return bytes;
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && ok;
}
