// FileAccess on POSIX systems: paths are used as bytes.
#include "files/FileAccess.h"

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <glob.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace file_access_detail {
extern long long writeFaultAfter;
}

bool ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

namespace {

bool WriteAll(int fd, const char* data, size_t length)
{
    long long budget = file_access_detail::writeFaultAfter;
    size_t done = 0;
    while (done < length) {
        size_t want = length - done;
        if (budget >= 0) {
            if (static_cast<long long>(done) >= budget) {
                errno = ENOSPC;
                return false;
            }
            want = std::min<size_t>(want, static_cast<size_t>(budget - static_cast<long long>(done)));
        }
        ssize_t n = ::write(fd, data + done, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReplaceWholeFile(const char* path, const void* data, size_t length)
{
    std::string temp = std::string(path) + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st;
    mode_t mode = 0666;
    if (::stat(path, &st) == 0)
        mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    bool ok = WriteAll(fd, static_cast<const char*>(data), length) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool FileExists(const char* path)
{
    // A name with '[' in it is a pattern to glob but a plain name to the user.
    struct stat st;
    if (::stat(path, &st) == 0) return true;
    glob_t found;
    int rc = ::glob(path, GLOB_NOSORT | GLOB_NOESCAPE, nullptr, &found);
    bool any = rc == 0 && found.gl_pathc > 0;
    if (rc == 0) ::globfree(&found);
    return any;
}
