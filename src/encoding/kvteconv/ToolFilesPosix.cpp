// ReadWholeFile and WriteFileAtomically over POSIX calls.
#include "ToolFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Reason(int code) { return std::strerror(code); }

bool WriteAll(int fd, const char* data, std::size_t size, int& code)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            code = errno;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Renaming over a symbolic link would replace the link itself: write next to its target.
std::string ResolveTarget(const std::string& path)
{
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved = real;
            std::free(real);
            return resolved;
        }
    }
    return path;
}

}  // namespace

bool ReadWholeFile(const ToolPath& path, std::string& bytes, std::string& error)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
        ::close(fd);
        return false;
    }
    bytes.clear();
    try {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        char block[65536];
        for (;;) {
            ssize_t n = ::read(fd, block, sizeof block);
            if (n < 0) {
                if (errno == EINTR) continue;
                error = Reason(errno);
                ::close(fd);
                return false;
            }
            if (n == 0) break;
            bytes.append(block, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const ToolPath& path, std::string_view bytes, std::string& error)
{
    const std::string target = ResolveTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    std::string temp = folder + "/.kvteconv-XXXXXX";
    int fd = ::mkstemp(&temp[0]);
    if (fd < 0) {
        error = "cannot create a temporary file in " + folder + ": " + Reason(errno);
        return false;
    }
    // mkstemp makes the file private; give it the mode the target has or would get.
    struct stat existing;
    mode_t mode;
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int code = 0;
    bool ok = ::fchmod(fd, mode) == 0 || (code = errno, false);
    ok = ok && WriteAll(fd, bytes.data(), bytes.size(), code);
    ok = ok && (::fsync(fd) == 0 || (code = errno, false));
    if (::close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    ok = ok && (::rename(temp.c_str(), target.c_str()) == 0 || (code = errno, false));
    if (!ok) {
        ::unlink(temp.c_str());
        error = Reason(code);
    }
    return ok;
}

std::string PathForMessage(const ToolPath& path) { return path; }
