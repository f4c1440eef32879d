// ReadWholeFile and WriteFileAtomically over the wide Win32 file functions.
#include "encoding/kvteconv/ToolFiles.h"

#include <windows.h>

#include <new>

#include "encoding/Conversion.h"

namespace {

std::string Utf8Of(const wchar_t* text, std::size_t length)
{
    std::u16string_view units(reinterpret_cast<const char16_t*>(text), length);
    std::string out(3 * length + 4, '\0');
    std::int64_t n = Utf16ToUtf8(&out[0], units, false, static_cast<std::int64_t>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string Reason(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = length ? Utf8Of(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

}  // namespace

bool ReadWholeFile(const ToolPath& path, std::string& bytes, std::string& error)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Reason(GetLastError());
        return false;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (!ok) {
        error = Reason(GetLastError());
    } else if (static_cast<unsigned long long>(size.QuadPart) >= 0x40000000ull) {
        error = "the file is too large (1 GiB or more)";
        ok = false;
    }
    try {
        if (ok) bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        ok = false;
    }
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
            error = Reason(GetLastError());
            ok = false;
        } else if (got == 0) {
            bytes.resize(done);  // the file shrank while being read
            break;
        }
        done += got;
    }
    CloseHandle(file);
    return ok;
}

bool WriteFileAtomically(const ToolPath& path, std::string_view bytes, std::string& error)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"kvt", 0, temp)) {
        error = "cannot create a temporary file in " + PathForMessage(folder) + ": " + Reason(GetLastError());
        return false;
    }
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD code = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    bool ok = code == 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(bytes.size() - done > 0x10000000 ? 0x10000000 : bytes.size() - done);
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
            code = GetLastError();
            ok = false;
        }
        done += wrote;
    }
    if (ok && !FlushFileBuffers(file)) {
        code = GetLastError();
        ok = false;
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (ok && !MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        code = GetLastError();
        ok = false;
    }
    if (!ok) {
        DeleteFileW(temp);
        error = Reason(code);
    }
    return ok;
}

std::string PathForMessage(const ToolPath& path) { return Utf8Of(path.c_str(), path.size()); }
