// FileAccess on Windows: InternalText paths become UTF-16 through the program's own
// tables and go to the wide file functions, so Japanese paths work on any system locale.
#include "files/FileAccess.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/WideText.h"

namespace file_access_detail {
extern long long writeFaultAfter;
}

namespace {

std::wstring WidePath(const char* path) { return WideFromInternal(path ? path : ""); }

}  // namespace

bool ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31))
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    char chunk[65536];
    bool ok = true;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok;
}

bool ReplaceWholeFile(const char* path, const void* data, size_t length)
{
    std::wstring target = WidePath(path);
    // An empty path names no file; the temporary file would land in the current folder.
    if (target.empty()) return false;
    std::wstring temp = target + L".kvte-tmp";
    for (int attempt = 0; attempt < 100 && GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; ++attempt)
        temp = target + L".kvte-tmp" + std::to_wstring(attempt);
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const char* bytes = static_cast<const char*>(data);
    long long budget = file_access_detail::writeFaultAfter;
    size_t done = 0;
    bool ok = true;
    while (ok && done < length) {
        DWORD want = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 20));
        if (budget >= 0) {
            if (static_cast<long long>(done) >= budget) {
                ok = false;
                break;
            }
            want = static_cast<DWORD>(std::min<long long>(want, budget - static_cast<long long>(done)));
        }
        DWORD written = 0;
        ok = WriteFile(file, bytes + done, want, &written, nullptr) && written == want;
        done += written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

bool FileExists(const char* path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}
