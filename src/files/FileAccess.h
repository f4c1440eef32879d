// FileAccess: the file operations of the portable core, on InternalText paths (Shift_JIS-2004
// bytes; on Windows they are turned into UTF-16 through the project's tables, elsewhere
// they are used as they are).
//
// Every write replaces the target atomically: the new content goes to a temporary file in
// the same folder, is flushed, and only then moved over the target. A write that fails
// part-way leaves the previous file untouched and removes the temporary file.
#pragma once

#include <cstddef>
#include <string>

// The whole content of the file at path; false when it cannot be opened or read.
bool ReadWholeFile(const char* path, std::string& bytes);

// Replaces the file at path (or creates it) with length bytes of data, atomically.
// True only when the new content is complete on disk under path.
bool ReplaceWholeFile(const char* path, const void* data, size_t length);

// Writes length bytes of data, or data up to its terminating zero when length is -1,
// as the whole content of path (atomically, as ReplaceWholeFile).
bool WriteWholeFile(const char* path, const char* data, long long length);

// True when a file-system search for path finds at least one entry; wildcards
// (* and ?) in the last component are allowed.
bool FileExists(const char* path);

// Tests only: makes the next writes fail after failAfterBytes bytes have been written to
// the temporary file (as a full disk would); -1 switches the fault off.
void SetWriteFaultForTesting(long long failAfterBytes);
