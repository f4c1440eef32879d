// ProfileFile: accessor of one ini-format file with a current section; every read and
// write addresses that section. The file is never held open: each operation reads it,
// and each write replaces it atomically (FileAccess.h), so changes are on disk at once and
// a failed write leaves the previous file as it was. Values are bytes (Shift-JIS text is
// kept as it is). See IniText.h for the syntax; ProfileBatch.h writes many keys at once.
//
// Only a missing file reads as empty. A file that exists but cannot be read (another
// program holds it locked, an I/O error) makes every read yield its default and every
// write fail without touching the file, so that one failed read never turns into a file
// that holds a single key.
#pragma once

struct ProfileFile {
    char path[261];      // empty when OpenProfile refused the path
    char section[1024];  // empty when SetSection refused the name
};

// Sets both fields. A path or section that does not fit its field, or a section name that
// IsSectionName refuses, is refused rather than cut (a cut path names another file): the
// field is left empty, which makes reads yield defaults and writes fail, and the result is
// false.
bool OpenProfile(ProfileFile& profile, const char* path, const char* section);

// Makes section current; refused (false, empty section) as in OpenProfile.
bool SetSection(ProfileFile& profile, const char* section);

// The key's value as a signed decimal integer; 0 when the key or section is missing.
int GetInt(const ProfileFile& profile, const char* key);

// Copies the key's text, cut to size - 1 bytes (never inside a double-byte character),
// and a terminator; returns the bytes copied. Empty (0) when missing or size < 1.
int GetString(const ProfileFile& profile, const char* key, char* buffer, int size);

// False, with the file untouched, when the key name is refused (IsKeyName), the value holds
// a line end, the file cannot be read, or the write fails.
bool WriteInt(const ProfileFile& profile, const char* key, int value);
bool WriteString(const ProfileFile& profile, const char* key, const char* value);

// Removes the current section with all its keys. True when the file was written (or the
// section was not there).
bool DeleteSection(const ProfileFile& profile);

// Appends CR LF, "[", name and "]" to the end of the file, with no line end after it, and
// makes name the current section; the next key written to it goes on a new line after the
// header. A missing file is created. False when the name is refused or the file cannot be
// read or written; then nothing changes.
bool AppendSection(ProfileFile& profile, const char* name);
