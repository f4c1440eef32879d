// ProfileFile operations: the fields, and each read or write as a batch of one.
#include "config/ProfileFile.h"

#include <cstring>

#include "config/IniText.h"
#include "config/ProfileBatch.h"

namespace {

// Copies text into a field of size bytes, or empties the field when it does not fit.
bool CopyWhole(char* field, size_t size, const char* text)
{
    size_t length = text ? std::strlen(text) : 0;
    if (text == nullptr || length >= size) {
        field[0] = '\0';
        return false;
    }
    std::memcpy(field, text, length + 1);
    return true;
}

// A batch of one operation over a copy of profile: the operations that take a const
// profile never change its current section.
struct OneOperation {
    ProfileFile copy;
    ProfileBatch batch;
    explicit OneOperation(const ProfileFile& profile) : copy(profile) { BeginBatch(batch, copy); }
};

}  // namespace

bool OpenProfile(ProfileFile& profile, const char* path, const char* section)
{
    bool pathFits = CopyWhole(profile.path, sizeof profile.path, path) && profile.path[0] != '\0';
    bool sectionFits = SetSection(profile, section);
    return pathFits && sectionFits;
}

bool SetSection(ProfileFile& profile, const char* section)
{
    if (!CopyWhole(profile.section, sizeof profile.section, section)) return false;
    if (ini::IsSectionName(profile.section)) return true;
    profile.section[0] = '\0';
    return false;
}

int GetInt(const ProfileFile& profile, const char* key)
{
    OneOperation one(profile);
    return GetInt(one.batch, key);
}

int GetString(const ProfileFile& profile, const char* key, char* buffer, int size)
{
    OneOperation one(profile);
    return GetString(one.batch, key, buffer, size);
}

bool WriteInt(const ProfileFile& profile, const char* key, int value)
{
    OneOperation one(profile);
    return WriteInt(one.batch, key, value) && CommitBatch(one.batch);
}

bool WriteString(const ProfileFile& profile, const char* key, const char* value)
{
    OneOperation one(profile);
    return WriteString(one.batch, key, value) && CommitBatch(one.batch);
}

bool DeleteSection(const ProfileFile& profile)
{
    OneOperation one(profile);
    return DeleteSection(one.batch) && CommitBatch(one.batch);
}

bool AppendSection(ProfileFile& profile, const char* name)
{
    // Checked first: a refused name must leave the current section as it was.
    if (name == nullptr || std::strlen(name) >= sizeof profile.section || !ini::IsSectionName(name)) return false;
    ProfileBatch batch;
    BeginBatch(batch, profile);
    ProfileFile before = profile;
    if (AppendSection(batch, name) && CommitBatch(batch)) return true;
    profile = before;
    return false;
}
