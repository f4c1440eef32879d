// ProfileBatch over IniText and FileAccess; see ProfileBatch.h for the contract.
#include "config/ProfileBatch.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "config/IniText.h"
#include "files/FileAccess.h"

namespace {

// Copies text into a buffer of size bytes, cut before a split double-byte character.
void CopyCut(char* buffer, size_t size, std::string_view text)
{
    size_t n = 0;
    while (n < text.size()) {
        size_t step = ini::IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size() ? 2 : 1;
        if (n + step > size - 1) break;
        n += step;
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// Whether the batch may change its text under the profile's current section.
bool CanEdit(const ProfileBatch& batch)
{
    return !batch.failed && batch.profile != nullptr && batch.profile->section[0] != '\0';
}

// Marks the batch failed and returns false: a refused step spoils the whole batch.
bool Fail(ProfileBatch& batch)
{
    batch.failed = true;
    return false;
}

bool FindValue(const ProfileBatch& batch, const char* key, std::string_view& value)
{
    if (batch.failed || batch.profile == nullptr || key == nullptr || !ini::IsKeyName(key)) return false;
    return ini::FindValue(batch.text, batch.profile->section, key, value);
}

}  // namespace

bool BeginBatch(ProfileBatch& batch, ProfileFile& profile)
{
    batch.profile = &profile;
    batch.text.clear();
    batch.existed = false;
    batch.changed = false;
    batch.failed = true;
    if (profile.path[0] == '\0') return false;
    FileStatus read = ReadWholeFile(profile.path, batch.text);
    if (read.kind == FileErrorKind::NotFound) {
        batch.failed = false;
    } else if (read.Ok()) {
        batch.existed = true;
        batch.failed = false;
    }
    return !batch.failed;
}

bool SetSection(ProfileBatch& batch, const char* section)
{
    return batch.profile != nullptr && SetSection(*batch.profile, section);
}

int GetInt(const ProfileBatch& batch, const char* key)
{
    std::string_view value;
    return FindValue(batch, key, value) ? ini::ParseInt(value) : 0;
}

int GetString(const ProfileBatch& batch, const char* key, char* buffer, int size)
{
    if (buffer == nullptr || size < 1) return 0;
    buffer[0] = '\0';
    std::string_view value;
    if (!FindValue(batch, key, value)) return 0;
    CopyCut(buffer, static_cast<size_t>(size), value);
    return static_cast<int>(std::strlen(buffer));
}

bool WriteInt(ProfileBatch& batch, const char* key, int value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", value);
    return WriteString(batch, key, digits);
}

bool WriteString(ProfileBatch& batch, const char* key, const char* value)
{
    if (!CanEdit(batch) || key == nullptr || value == nullptr) return Fail(batch);
    // A line end inside a value would split it into a second, foreign key.
    if (!ini::IsKeyName(key) || !ini::IsValue(value)) return Fail(batch);
    try {
        batch.text = ini::WithValue(batch.text, batch.profile->section, key, value);
    } catch (const std::bad_alloc&) {
        return Fail(batch);
    }
    batch.changed = true;
    return true;
}

bool DeleteSection(ProfileBatch& batch)
{
    if (!CanEdit(batch)) return Fail(batch);
    try {
        bool found = false;
        std::string rest = ini::WithoutSection(batch.text, batch.profile->section, found);
        if (!found) return true;
        batch.text.swap(rest);
    } catch (const std::bad_alloc&) {
        return Fail(batch);
    }
    batch.changed = true;
    return true;
}

bool AppendSection(ProfileBatch& batch, const char* name)
{
    if (batch.failed || batch.profile == nullptr || name == nullptr) return Fail(batch);
    if (!SetSection(*batch.profile, name)) return Fail(batch);
    try {
        batch.text.append("\r\n[").append(name).append("]");
    } catch (const std::bad_alloc&) {
        return Fail(batch);
    }
    batch.changed = true;
    return true;
}

bool CommitBatch(ProfileBatch& batch)
{
    if (batch.failed || batch.profile == nullptr) return false;
    if (!batch.changed) return true;
    if (!ReplaceWholeFile(batch.profile->path, batch.text.data(), batch.text.size())) return Fail(batch);
    batch.changed = false;
    batch.existed = true;
    return true;
}
