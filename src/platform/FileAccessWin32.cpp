// FileAccess on Windows: InternalText paths become UTF-16 through the program's own
// tables and go to the wide file functions, so Japanese paths work on any system locale.
#include <windows.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include "files/FileAccess.h"
#include "files/FileAccessFaults.h"
#include "platform/WideText.h"

using file_access_detail::Faults;

namespace {

FileStatus StatusOf(DWORD code)
{
    FileErrorKind kind;
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        kind = FileErrorKind::NotFound;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        kind = FileErrorKind::AccessDenied;
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        kind = FileErrorKind::SharingViolation;
        break;
    case ERROR_FILE_READ_ONLY:
        kind = FileErrorKind::ReadOnlyTarget;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        kind = FileErrorKind::DiskFull;
        break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        kind = FileErrorKind::OutOfMemory;
        break;
    case ERROR_FILE_TOO_LARGE:
        kind = FileErrorKind::TooLarge;
        break;
    default:
        kind = FileErrorKind::Other;
        break;
    }
    return FileStatus{kind, code};
}

FileStatus Failure(FileErrorKind kind, DWORD code) { return FileStatus{kind, code}; }

bool IsFolder(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileStatus ReadAll(HANDLE file, std::string& bytes)
{
    // A reserved name ("nul.txt", "con") opens a device in any folder: its empty or
    // endless content is no file's.
    if (GetFileType(file) != FILE_TYPE_DISK) return Failure(FileErrorKind::NotAFile, ERROR_INVALID_FUNCTION);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return StatusOf(GetLastError());
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > file_access_detail::kLargestFile)
        return Failure(FileErrorKind::TooLarge, ERROR_FILE_TOO_LARGE);
    if (Faults().readFailure != FileErrorKind::None) return Failure(Faults().readFailure, ERROR_READ_FAULT);
    try {
        // Straight into the text's own buffer. A file that shrank since its size was taken
        // ends where it ends; one that grew is read on to its end, within the limit.
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t have = 0;
        while (have < bytes.size()) {
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - have, 16u << 20));
            DWORD got = 0;
            if (!ReadFile(file, &bytes[have], want, &got, nullptr)) return StatusOf(GetLastError());
            if (got == 0) break;
            have += got;
        }
        bytes.resize(have);
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return StatusOf(GetLastError());
            if (got == 0) return FileStatus{};
            if (bytes.size() + got > file_access_detail::kLargestFile)
                return Failure(FileErrorKind::TooLarge, ERROR_FILE_TOO_LARGE);
            bytes.append(chunk, got);
        }
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error&) {
        return Failure(FileErrorKind::TooLarge, ERROR_FILE_TOO_LARGE);
    }
}

FileStatus WriteAll(HANDLE file, const char* data, size_t length)
{
    size_t done = 0;
    while (done < length) {
        size_t want = file_access_detail::WritableNow(done, length - done);
        if (want == 0) return Failure(FileErrorKind::DiskFull, ERROR_DISK_FULL);
        DWORD chunk = static_cast<DWORD>(want > (1u << 20) ? (1u << 20) : want);
        DWORD wrote = 0;
        if (!WriteFile(file, data + done, chunk, &wrote, nullptr)) return StatusOf(GetLastError());
        if (wrote == 0) return Failure(FileErrorKind::Other, ERROR_WRITE_FAULT);
        done += wrote;
    }
    return FileStatus{};
}

// Moving over a symbolic link would replace the link itself: write to the file it names.
std::wstring ResolveLink(const std::wstring& path, DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::wstring final(32768, L'\0');
    DWORD n = GetFinalPathNameByHandleW(file, &final[0], static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    CloseHandle(file);
    if (n == 0 || n >= final.size()) return path;
    final.resize(n);
    return final;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A new file beside the target, with a name no other file has.
HANDLE CreateTemporaryFile(const std::wstring& folder, std::wstring& temp, DWORD& code)
{
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        wchar_t name[40];
        wsprintfW(name, L"~kvte%04x%04x.tmp", static_cast<unsigned>(GetCurrentProcessId() & 0xFFFF),
                  (GetTickCount() + ++serial) & 0xFFFF);
        temp = folder + name;
        if (Faults().temporaryFileRefused) {
            code = ERROR_ACCESS_DENIED;
            return INVALID_HANDLE_VALUE;
        }
        HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// The folder refuses new files but the target may be written: overwrite it where it is.
FileStatus WriteInPlace(const std::wstring& target, const char* data, size_t length)
{
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return StatusOf(GetLastError());
    FileStatus status = WriteAll(file, data, length);
    if (status.Ok() && !SetEndOfFile(file)) status = StatusOf(GetLastError());
    if (status.Ok() && !FlushFileBuffers(file)) status = StatusOf(GetLastError());
    if (!CloseHandle(file) && status.Ok()) status = StatusOf(GetLastError());
    return status;
}

FileStatus Replace(const std::wstring& path, const char* data, size_t length)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    const std::wstring target = ResolveLink(path, attributes);
    if (target != path) attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return Failure(FileErrorKind::NotAFile, ERROR_ACCESS_DENIED);
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return Failure(FileErrorKind::ReadOnlyTarget, ERROR_FILE_READ_ONLY);

    std::wstring temp;
    DWORD code = 0;
    HANDLE file = CreateTemporaryFile(FolderOf(target), temp, code);
    if (file == INVALID_HANDLE_VALUE) {
        if (exists && code == ERROR_ACCESS_DENIED) return WriteInPlace(target, data, length);
        return StatusOf(code);
    }
    FileStatus status = WriteAll(file, data, length);
    if (status.Ok() && !FlushFileBuffers(file)) status = StatusOf(GetLastError());
    if (!CloseHandle(file) && status.Ok()) status = StatusOf(GetLastError());
    // The new file takes the old one's place with the old one's marks (never read-only,
    // which was refused above, and never the marks of what the system alone may set).
    const DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (status.Ok() && exists && (attributes & kept) != 0 && !SetFileAttributesW(temp.c_str(), attributes & kept))
        status = StatusOf(GetLastError());
    if (status.Ok() && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        status = StatusOf(GetLastError());
    if (!status.Ok()) {
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.c_str());
    }
    return status;
}

}  // namespace

FileStatus ReadWholeFile(const wchar_t* path, std::string& bytes)
{
    bytes.clear();
    if (path == nullptr) return Failure(FileErrorKind::NotFound, ERROR_FILE_NOT_FOUND);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        // A folder cannot be opened as a file: say so rather than "access denied".
        if (code == ERROR_ACCESS_DENIED && IsFolder(path)) return Failure(FileErrorKind::NotAFile, code);
        return StatusOf(code);
    }
    FileStatus status = ReadAll(file, bytes);
    CloseHandle(file);
    if (!status.Ok()) bytes.clear();
    return status;
}

FileStatus ReplaceWholeFile(const wchar_t* path, const void* data, size_t length)
{
    if (path == nullptr || *path == L'\0') return Failure(FileErrorKind::NotFound, ERROR_PATH_NOT_FOUND);
    if (data == nullptr && length > 0) return Failure(FileErrorKind::Other, ERROR_INVALID_PARAMETER);
    try {
        return Replace(path, static_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
    }
}

namespace {

// The wide form of an InternalText path. A name that comes back empty could not be made
// (memory ran out): that must not read as "no such file", which the settings take as empty.
bool WidePath(const char* path, std::wstring& wide)
{
    wide = WideFromInternal(path ? path : "");
    return !wide.empty() || path == nullptr || *path == '\0';
}

}  // namespace

FileStatus ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    try {
        std::wstring wide;
        if (!WidePath(path, wide)) return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
        return ReadWholeFile(wide.c_str(), bytes);
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
    }
}

FileStatus ReplaceWholeFile(const char* path, const void* data, size_t length)
{
    try {
        std::wstring wide;
        if (!WidePath(path, wide)) return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
        return ReplaceWholeFile(wide.c_str(), data, length);
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
    }
}

bool IsReadOnlyFile(const char* path)
{
    try {
        std::wstring wide;
        if (!WidePath(path, wide) || wide.empty()) return false;
        DWORD attributes = GetFileAttributesW(wide.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool FileExists(const char* path)
{
    try {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(WideFromInternal(path ? path : "").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        FindClose(search);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
