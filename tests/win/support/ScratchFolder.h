// A fresh folder with a name of the test's choosing under the temp folder, emptied and
// removed at the end, and the path seams of the Win32 boundary put back as they were.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/HeldPath.h"
#include "platform/ProgramFolder.h"

class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name)
        : root_((std::filesystem::temp_directory_path() / L"kvte-names\\").wstring()), path_(root_ + name + L"\\")
    {
        CreateDirectoryW(root_.c_str(), nullptr);
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
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(path_, missing)) {
            names.insert(entry.path().filename().wstring());
        }
        return names;
    }
    // Folders inside too: a program run from here keeps its recovery copies in one.
    void Clear() const
    {
        for (const std::wstring& name : Names()) {
            SetFileAttributesW((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            std::error_code ignored;
            std::filesystem::remove_all(path_ + name, ignored);
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

// The folder of the test program, with its separator; the program is two folders up.
inline std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The file's whole content; empty when it cannot be read.
inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}
