// FolderAccess on POSIX systems: paths are used as bytes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/FolderAccess.h"

namespace {

bool ReadAt(int fd, std::uint64_t offset, char* out, std::size_t length)
{
    while (length > 0) {
        ssize_t got = ::pread(fd, out, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        out += got;
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

FileStamp ReadFileStamp(const char* path)
{
    FileStamp stamp;
    if (path == nullptr) return stamp;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return stamp;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        stamp.exists = true;
        stamp.size = static_cast<std::uint64_t>(info.st_size);
        stamp.writeTime = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        char head[kFingerprintBytes];
        char tail[kFingerprintBytes];
        std::size_t each = stamp.size < kFingerprintBytes ? static_cast<std::size_t>(stamp.size) : kFingerprintBytes;
        // A file that shrinks while it is read gets a fingerprint of nothing, which no
        // earlier stamp of a longer file has.
        if (ReadAt(fd, 0, head, each) && ReadAt(fd, stamp.size - each, tail, each)) {
            stamp.fingerprint = StampFingerprint(head, each, tail, each);
        }
    }
    ::close(fd);
    return stamp;
}

bool ListFolder(const char* folder, const char* suffix, std::vector<std::string>& names)
{
    names.clear();
    if (folder == nullptr || suffix == nullptr) return false;
    DIR* dir = ::opendir(*folder ? folder : ".");
    if (dir == nullptr) return false;
    const std::size_t suffixLength = std::strlen(suffix);
    std::string base(folder);
    if (!base.empty() && base.back() != '/') base += '/';
    while (const dirent* entry = ::readdir(dir)) {
        std::string name(entry->d_name);
        if (name.size() < suffixLength || name.compare(name.size() - suffixLength, suffixLength, suffix) != 0) continue;
        struct stat info;
        if (::stat((base + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(std::move(name));
    }
    ::closedir(dir);
    return true;
}

bool MakeFolder(const char* folder)
{
    if (folder == nullptr || *folder == '\0') return false;
    if (::mkdir(folder, 0777) == 0) return true;
    struct stat info;
    return ::stat(folder, &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const char* path)
{
    if (path == nullptr) return false;
    return ::unlink(path) == 0 || errno == ENOENT;
}

bool MoveFileOver(const char* from, const char* to)
{
    return from != nullptr && to != nullptr && ::rename(from, to) == 0;
}
