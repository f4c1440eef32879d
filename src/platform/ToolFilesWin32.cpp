// The tools' file operations over FileAccess's wide-path forms, with the system's reason
// for a failure in UTF-8.
#include <windows.h>

#include "encoding/Conversion.h"
#include "encoding/kvteconv/ToolFiles.h"
#include "files/FileAccess.h"

namespace {

std::string Utf8Of(const wchar_t* text, std::size_t length)
{
    std::u16string_view units(reinterpret_cast<const char16_t*>(text), length);
    std::string out(3 * length + 4, '\0');
    std::int64_t n = Utf16ToUtf8(&out[0], units, false, static_cast<std::int64_t>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string SystemReason(DWORD code)
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

std::string Reason(const FileStatus& status)
{
    switch (status.kind) {
    case FileErrorKind::ReadOnlyTarget:
        return "the file is read-only";
    case FileErrorKind::NotAFile:
        return "is a folder";
    case FileErrorKind::TooLarge:
        return "the file is too large (1 GiB or more)";
    case FileErrorKind::OutOfMemory:
        return "not enough memory";
    default:
        return SystemReason(static_cast<DWORD>(status.systemCode));
    }
}

}  // namespace

bool ReadWholeFile(const ToolPath& path, std::string& bytes, std::string& error)
{
    FileStatus status = ReadWholeFile(path.c_str(), bytes);
    if (!status) error = Reason(status);
    return status.Ok();
}

bool WriteFileAtomically(const ToolPath& path, std::string_view bytes, std::string& error)
{
    FileStatus status = ReplaceWholeFile(path.c_str(), bytes.data(), bytes.size());
    if (!status) error = Reason(status);
    return status.Ok();
}

std::string PathForMessage(const ToolPath& path) { return Utf8Of(path.c_str(), path.size()); }
