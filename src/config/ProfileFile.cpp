// ProfileFile operations over IniText and FileAccess.
#include "config/ProfileFile.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "files/FileAccess.h"
#include "config/IniText.h"

namespace {

// Copies text into a field of size bytes, cut before a split double-byte character.
void CopyCut(char* field, size_t size, const char* text, size_t length)
{
    size_t n = 0;
    while (n < length && n + 1 < size) {
        size_t step = ini::IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < length ? 2 : 1;
        if (n + step > size - 1) break;
        n += step;
    }
    std::memcpy(field, text, n);
    field[n] = '\0';
}

void CopyCut(char* field, size_t size, const char* text)
{
    CopyCut(field, size, text ? text : "", text ? std::strlen(text) : 0);
}

// A missing file reads as an empty one: reads yield their defaults, writes create it.
std::string ReadOrEmpty(const ProfileFile& profile)
{
    std::string text;
    if (!ReadWholeFile(profile.path, text)) text.clear();
    return text;
}

bool Replace(const ProfileFile& profile, const std::string& text)
{
    return ReplaceWholeFile(profile.path, text.data(), text.size());
}

}  // namespace

void OpenProfile(ProfileFile& profile, const char* path, const char* section)
{
    CopyCut(profile.path, sizeof profile.path, path);
    CopyCut(profile.section, sizeof profile.section, section);
}

void SetSection(ProfileFile& profile, const char* section)
{
    CopyCut(profile.section, sizeof profile.section, section);
}

int GetInt(const ProfileFile& profile, const char* key)
{
    std::string text = ReadOrEmpty(profile);
    std::string_view value;
    if (!ini::FindValue(text, profile.section, key, value)) return 0;
    return ini::ParseInt(value);
}

int GetString(const ProfileFile& profile, const char* key, char* buffer, int size)
{
    if (buffer == nullptr || size < 1) return 0;
    buffer[0] = '\0';
    std::string text = ReadOrEmpty(profile);
    std::string_view value;
    if (!ini::FindValue(text, profile.section, key, value)) return 0;
    CopyCut(buffer, static_cast<size_t>(size), value.data(), value.size());
    return static_cast<int>(std::strlen(buffer));
}

bool WriteInt(const ProfileFile& profile, const char* key, int value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", value);
    return WriteString(profile, key, digits);
}

bool WriteString(const ProfileFile& profile, const char* key, const char* value)
{
    if (key == nullptr || value == nullptr) return false;
    // A line end inside a value would split it into a second, foreign key.
    if (std::strpbrk(value, "\r\n") != nullptr || std::strpbrk(key, "\r\n=") != nullptr) return false;
    std::string text = ReadOrEmpty(profile);
    return Replace(profile, ini::WithValue(text, profile.section, key, value));
}

bool DeleteSection(const ProfileFile& profile)
{
    std::string text;
    if (!ReadWholeFile(profile.path, text)) return true;
    bool found = false;
    std::string rest = ini::WithoutSection(text, profile.section, found);
    return !found || Replace(profile, rest);
}

bool AppendSection(ProfileFile& profile, const char* name)
{
    std::string text;
    if (!ReadWholeFile(profile.path, text) && FileExists(profile.path)) return false;
    text.append("\r\n[").append(name).append("]");
    if (!Replace(profile, text)) return false;
    SetSection(profile, name);
    return true;
}
