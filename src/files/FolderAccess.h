// FolderAccess: what the program asks of folders and of a file's identity besides reading
// and replacing it: the stamp that tells whether another program changed a file, listing a
// folder, making, removing and moving entries. Paths are InternalText as in FileAccess.h.
// No operation throws; each reports whether it did what it says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a file looked like when the program last read or wrote it. Two stamps of the same
// file differ when another program rewrote it, even within the clock's resolution, as long
// as its size or its first or last bytes changed.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // platform units; only compared for equality
    std::uint32_t fingerprint = 0;  // of the first and last kFingerprintBytes bytes

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && writeTime == other.writeTime &&
               fingerprint == other.fingerprint;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

constexpr std::size_t kFingerprintBytes = 4096;

// The stamp of the file at path; exists false when there is no such file (or it cannot be
// opened: a file the program cannot read is gone as far as reloading goes).
FileStamp ReadFileStamp(const char* path);

// The fingerprint of a file's first and last bytes (they may overlap or be the same).
std::uint32_t StampFingerprint(const char* head, std::size_t headLength, const char* tail, std::size_t tailLength);

// The names (without folder) of the plain files in folder whose names end with suffix.
// False when the folder cannot be listed; names is then empty.
bool ListFolder(const char* folder, const char* suffix, std::vector<std::string>& names);

// Creates folder; true when it exists afterwards (made here or before).
bool MakeFolder(const char* folder);
// Removes the file at path; true when no such file is left.
bool RemoveFile(const char* path);
// Moves the file from to the path to, replacing a file there; false leaves from where it was.
bool MoveFileOver(const char* from, const char* to);
