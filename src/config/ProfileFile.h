// ProfileFile: accessor of one ini-format file with a current section; every read and
// write addresses that section. The file is never held open: each operation reads it,
// and each write replaces it atomically, so changes are on disk at once and a failed
// write leaves the previous file as it was. Values are bytes (Shift-JIS text is kept as
// it is). See IniText.h for the syntax.
#pragma once

struct ProfileFile {
    char path[261];
    char section[1024];
};

// Sets both fields; texts longer than a field are cut.
void OpenProfile(ProfileFile& profile, const char* path, const char* section);

void SetSection(ProfileFile& profile, const char* section);

// The key's value as a signed decimal integer; 0 when the key or section is missing.
int GetInt(const ProfileFile& profile, const char* key);

// Copies the key's text, cut to size - 1 bytes (never inside a double-byte character),
// and a terminator; returns the bytes copied. Empty (0) when missing or size < 1.
int GetString(const ProfileFile& profile, const char* key, char* buffer, int size);

bool WriteInt(const ProfileFile& profile, const char* key, int value);
bool WriteString(const ProfileFile& profile, const char* key, const char* value);

// Removes the current section with all its keys. True when the file was written (or the
// section was not there).
bool DeleteSection(const ProfileFile& profile);

// Appends CR LF, "[", name and "]" to the end of the file, with no line end after it, and
// makes name the current section; the next key written to it goes on a new line after the
// header. False when the file cannot be read or written; then nothing changes.
bool AppendSection(ProfileFile& profile, const char* name);
