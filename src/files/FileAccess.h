// FileAccess: the whole-file reads and the one atomic writer of the program, on InternalText
// paths (Shift_JIS-2004 bytes; on Windows they become UTF-16 through the program's own
// tables, elsewhere they are used as they are). The settings, the tools and the saving of
// documents all write through ReplaceWholeFile.
//
// ReplaceWholeFile writes the new content to a temporary file in the target's folder,
// flushes it, gives it the target's attributes (Windows: hidden, system, archive; POSIX: the
// permission bits) and only then moves it over the target, so the target holds either all
// of its old content or all of the new one. A symbolic link is written through: the file it
// points at is replaced and the link stays. A read-only target is refused, never silently
// made writable. Only when the folder refuses a new file while the target itself may be
// written (a folder without create rights) is the target overwritten in place; that write
// is not atomic, as the private-profile functions that the settings file was made for never
// were.
//
// Every operation reports a FileStatus: what kind of failure it was (so that a caller can
// tell "not there" from "there but unreadable") and the system's own code for a message.
#pragma once

#include <cstddef>
#include <string>

enum class FileErrorKind {
    None,
    NotFound,          // the file or a folder on its path does not exist
    AccessDenied,      // no permission, or the folder refuses a new file
    SharingViolation,  // another program holds the file open without sharing it
    ReadOnlyTarget,    // the target is marked read-only (refused, not cleared)
    DiskFull,
    NotAFile,  // a folder or a device where a file was expected
    TooLarge,  // more than a read takes: 1 GiB in the 32-bit program, 4 GiB elsewhere
    OutOfMemory,
    Other,  // any other failure of the system; systemCode says which
};

struct FileStatus {
    FileErrorKind kind = FileErrorKind::None;
    unsigned long systemCode = 0;  // errno or GetLastError(); 0 when the kind says it all

    bool Ok() const { return kind == FileErrorKind::None; }
    explicit operator bool() const { return Ok(); }
};

// The whole content of the file at path, read into bytes' own buffer. On failure bytes is
// empty: a file larger than the limit above (TooLarge) or than memory allows (OutOfMemory)
// is refused whole, never read in part.
FileStatus ReadWholeFile(const char* path, std::string& bytes);

// Replaces the file at path (or creates it) with length bytes of data, as described above.
// Ok only when the whole new content is on disk under path.
FileStatus ReplaceWholeFile(const char* path, const void* data, size_t length);

// Writes length bytes of data, or data up to its terminating zero when length is -1, as the
// whole content of path (through ReplaceWholeFile).
bool WriteWholeFile(const char* path, const char* data, long long length);

// True when a file-system search for path finds at least one entry; wildcards
// (* and ?) in the last component are allowed.
bool FileExists(const char* path);

// True when the file at path exists and is marked read-only (Windows: the read-only
// attribute; POSIX: no write permission bit at all). Opening such a file makes its
// document write-protected.
bool IsReadOnlyFile(const char* path);

#ifdef _WIN32
// The same on UTF-16 paths, for callers that hold wide paths already (command-line tools
// get their arguments so). wchar_t is one UTF-16 unit on Windows.
FileStatus ReadWholeFile(const wchar_t* path, std::string& bytes);
FileStatus ReplaceWholeFile(const wchar_t* path, const void* data, size_t length);
#endif

// Tests only: faults injected into the file operations above, as a full disk, another
// program's lock or a folder without create rights would cause them.
struct FileFaultsForTesting {
    long long writeFailsAfterBytes = -1;              // writes fail once this many bytes are written
    FileErrorKind readFailure = FileErrorKind::None;  // reads of existing files fail so
    bool temporaryFileRefused = false;                // creating the temporary file is denied
};
void SetFileFaultsForTesting(const FileFaultsForTesting& faults);
