// FolderAccess on Windows: InternalText paths become UTF-16 through the program's own
// tables and go to the wide file functions.
#include <windows.h>

#include <new>
#include <string>

#include "files/FolderAccess.h"
#include "platform/WideText.h"

namespace {

bool ReadAt(HANDLE file, std::uint64_t offset, char* out, DWORD length)
{
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return false;
    DWORD got = 0;
    return ReadFile(file, out, length, &got, nullptr) && got == length;
}

std::wstring Wide(const char* path) { return WideFromInternal(path ? path : ""); }

}  // namespace

FileStamp ReadFileStamp(const char* path)
{
    FileStamp stamp;
    try {
        std::wstring wide = Wide(path);
        if (wide.empty()) return stamp;
        // Shared for writing and deleting: the program that changes the file must not be
        // stopped by this look at it.
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return stamp;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
            !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            stamp.exists = true;
            stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
            stamp.writeTime = static_cast<std::int64_t>(
                (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime);
            char head[kFingerprintBytes];
            char tail[kFingerprintBytes];
            DWORD each = stamp.size < kFingerprintBytes ? static_cast<DWORD>(stamp.size) : kFingerprintBytes;
            if (ReadAt(file, 0, head, each) && ReadAt(file, stamp.size - each, tail, each)) {
                stamp.fingerprint = StampFingerprint(head, each, tail, each);
            }
        }
        CloseHandle(file);
    } catch (const std::bad_alloc&) {
    }
    return stamp;
}

bool ListFolder(const char* folder, const char* suffix, std::vector<std::string>& names)
{
    names.clear();
    try {
        if (folder == nullptr || suffix == nullptr) return false;
        std::string pattern(folder);
        if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
        pattern += '*';
        pattern += suffix;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Wide(pattern.c_str()).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
        const std::size_t suffixLength = std::string(suffix).size();
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            std::string name = InternalFromWide(found.cFileName);
            // The pattern also finds short names and longer extensions ("*.kvr" finds "a.kvrx").
            if (name.size() >= suffixLength && name.compare(name.size() - suffixLength, suffixLength, suffix) == 0) {
                names.push_back(std::move(name));
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return true;
    } catch (const std::bad_alloc&) {
        names.clear();
        return false;
    }
}

bool MakeFolder(const char* folder)
{
    try {
        std::wstring wide = Wide(folder);
        if (wide.empty()) return false;
        if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
        DWORD attributes = GetFileAttributesW(wide.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RemoveFile(const char* path)
{
    try {
        std::wstring wide = Wide(path);
        if (wide.empty()) return false;
        if (DeleteFileW(wide.c_str())) return true;
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool MoveFileOver(const char* from, const char* to)
{
    try {
        std::wstring source = Wide(from);
        std::wstring target = Wide(to);
        if (source.empty() || target.empty()) return false;
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
