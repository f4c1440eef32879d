// FileAccess on POSIX systems: paths are used as bytes.
#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>

#include "files/FileAccess.h"
#include "files/FileAccessFaults.h"

using file_access_detail::Faults;

namespace {

FileStatus StatusOf(int code)
{
    FileErrorKind kind;
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        kind = FileErrorKind::NotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        kind = FileErrorKind::AccessDenied;
        break;
    case ENOSPC:
    case EDQUOT:
        kind = FileErrorKind::DiskFull;
        break;
    case EISDIR:
        kind = FileErrorKind::NotAFile;
        break;
    case ENOMEM:
        kind = FileErrorKind::OutOfMemory;
        break;
    case EFBIG:
        kind = FileErrorKind::TooLarge;
        break;
    default:
        kind = FileErrorKind::Other;
        break;
    }
    return FileStatus{kind, static_cast<unsigned long>(code)};
}

FileStatus Failure(FileErrorKind kind, int code = 0) { return FileStatus{kind, static_cast<unsigned long>(code)}; }

FileStatus ReadAll(int fd, std::string& bytes)
{
    struct stat info;
    if (::fstat(fd, &info) != 0) return StatusOf(errno);
    if (!S_ISREG(info.st_mode)) return Failure(FileErrorKind::NotAFile, S_ISDIR(info.st_mode) ? EISDIR : 0);
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > file_access_detail::kLargestFile)
        return Failure(FileErrorKind::TooLarge, EFBIG);
    if (Faults().readFailure != FileErrorKind::None) return Failure(Faults().readFailure, EIO);
    try {
        // Straight into the text's own buffer. A file that shrank since its size was taken
        // ends where it ends; one that grew is read on to its end, within the limit.
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t have = 0;
        while (have < bytes.size()) {
            ssize_t n = ::read(fd, &bytes[have], std::min<size_t>(bytes.size() - have, 16u << 20));
            if (n < 0) {
                if (errno == EINTR) continue;
                return StatusOf(errno);
            }
            if (n == 0) break;
            have += static_cast<size_t>(n);
        }
        bytes.resize(have);
        char chunk[65536];
        for (;;) {
            ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0) {
                if (errno == EINTR) continue;
                return StatusOf(errno);
            }
            if (n == 0) return FileStatus{};
            if (bytes.size() + static_cast<size_t>(n) > file_access_detail::kLargestFile)
                return Failure(FileErrorKind::TooLarge, EFBIG);
            bytes.append(chunk, static_cast<size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ENOMEM);
    } catch (const std::length_error&) {
        return Failure(FileErrorKind::TooLarge, EFBIG);
    }
}

FileStatus WriteAll(int fd, const char* data, size_t length)
{
    size_t done = 0;
    while (done < length) {
        size_t want = file_access_detail::WritableNow(done, length - done);
        if (want == 0) return Failure(FileErrorKind::DiskFull, ENOSPC);
        ssize_t n = ::write(fd, data + done, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return StatusOf(errno);
        }
        done += static_cast<size_t>(n);
    }
    return FileStatus{};
}

// Renaming over a symbolic link would replace the link itself: write next to its target.
std::string ResolveLink(const char* path)
{
    struct stat link;
    if (::lstat(path, &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(path, nullptr)) {
            std::string resolved = real;
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The folder refuses new files but the target may be written: overwrite it where it is.
FileStatus WriteInPlace(const std::string& target, const char* data, size_t length)
{
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return StatusOf(errno);
    FileStatus status = WriteAll(fd, data, length);
    if (status.Ok() && ::ftruncate(fd, static_cast<off_t>(length)) != 0) status = StatusOf(errno);
    if (status.Ok() && ::fsync(fd) != 0) status = StatusOf(errno);
    if (::close(fd) != 0 && status.Ok()) status = StatusOf(errno);
    return status;
}

FileStatus Replace(const char* path, const char* data, size_t length)
{
    const std::string target = ResolveLink(path);
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return Failure(FileErrorKind::NotAFile, EISDIR);
    // No write bit at all is the read-only mark, even for a user (root) whom the system
    // would let write anyway.
    const bool marked = exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (marked || (exists && ::access(target.c_str(), W_OK) != 0 && errno == EACCES))
        return Failure(FileErrorKind::ReadOnlyTarget, EACCES);

    std::string temp = FolderOf(target) + "/.kvte-XXXXXX";
    int fd = -1;
    if (Faults().temporaryFileRefused)
        errno = EACCES;
    else
        fd = ::mkstemp(&temp[0]);
    if (fd < 0) {
        int code = errno;
        if (exists && (code == EACCES || code == EPERM)) return WriteInPlace(target, data, length);
        return StatusOf(code);
    }
    // mkstemp makes the file private; give it the mode the target has or would get.
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    FileStatus status;
    if (::fchmod(fd, mode) != 0) status = StatusOf(errno);
    if (status.Ok()) status = WriteAll(fd, data, length);
    if (status.Ok() && ::fsync(fd) != 0) status = StatusOf(errno);
    if (::close(fd) != 0 && status.Ok()) status = StatusOf(errno);
    if (status.Ok() && ::rename(temp.c_str(), target.c_str()) != 0) status = StatusOf(errno);
    if (!status.Ok()) ::unlink(temp.c_str());
    return status;
}

}  // namespace

FileStatus ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    if (path == nullptr) return Failure(FileErrorKind::NotFound, ENOENT);
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return StatusOf(errno);
    FileStatus status = ReadAll(fd, bytes);
    ::close(fd);
    if (!status.Ok()) bytes.clear();
    return status;
}

FileStatus ReplaceWholeFile(const char* path, const void* data, size_t length)
{
    if (path == nullptr || *path == '\0') return Failure(FileErrorKind::NotFound, ENOENT);
    if (data == nullptr && length > 0) return Failure(FileErrorKind::Other, EINVAL);
    try {
        return Replace(path, static_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        return Failure(FileErrorKind::OutOfMemory, ENOMEM);
    }
}

bool IsReadOnlyFile(const char* path)
{
    struct stat st;
    if (path == nullptr || ::stat(path, &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool FileExists(const char* path)
{
    if (path == nullptr) return false;
    // A name with '[' in it is a pattern to glob but a plain name to the user.
    struct stat st;
    if (::stat(path, &st) == 0) return true;
    glob_t found;
    int rc = ::glob(path, GLOB_NOSORT | GLOB_NOESCAPE, nullptr, &found);
    bool any = rc == 0 && found.gl_pathc > 0;
    if (rc == 0) ::globfree(&found);
    return any;
}
