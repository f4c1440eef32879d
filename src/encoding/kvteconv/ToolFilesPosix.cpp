// The tools' file operations over FileAccess, with the system's reason for a failure.
#include <cstring>

#include "ToolFiles.h"
#include "files/FileAccess.h"

namespace {

std::string Reason(const FileStatus& status)
{
    switch (status.kind) {
    case FileErrorKind::ReadOnlyTarget:
        return "the file is read-only";
    case FileErrorKind::NotAFile:
        return status.systemCode != 0 ? std::strerror(static_cast<int>(status.systemCode)) : "not a regular file";
    case FileErrorKind::TooLarge:
        return "the file is too large (1 GiB or more)";
    case FileErrorKind::OutOfMemory:
        return "not enough memory";
    default:
        return status.systemCode != 0 ? std::strerror(static_cast<int>(status.systemCode)) : "unknown error";
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

std::string PathForMessage(const ToolPath& path) { return path; }
