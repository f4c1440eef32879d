// The histories, each change read and written as one settings batch.
#include "search/SearchHistory.h"

#include <cstdio>
#include <cstring>

#include "config/ProfileBatch.h"

namespace {

constexpr int kEntryBytes = 1024;  // an entry is up to 1023 bytes

void KeyName(char (&key)[16], int number) { std::snprintf(key, sizeof key, "f%d", number); }

std::string Entry(const ProfileBatch& batch, int number)
{
    char key[16];
    KeyName(key, number);
    char value[kEntryBytes];
    GetString(batch, key, value, sizeof value);
    return value;
}

bool WriteEntry(ProfileBatch& batch, int number, const std::string& value)
{
    char key[16];
    KeyName(key, number);
    return WriteString(batch, key, value.c_str());
}

}  // namespace

bool AddHistory(ProfileFile& settings, const char* text, const char* section, int count)
{
    if (count < 1) return false;
    std::string const entry = text ? text : "";
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, section)) return false;
    // The key whose entry is taken out: the duplicate's, or the one beyond the list.
    int from = count;
    for (int number = 0; number < count; ++number) {
        if (Entry(batch, number) == entry) {
            from = number;
            break;
        }
    }
    for (int number = from; number > 0; --number) WriteEntry(batch, number, Entry(batch, number - 1));
    WriteEntry(batch, 0, entry);
    return CommitBatch(batch);
}

bool ClearHistory(ProfileFile& settings, const char* section, int count)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, section)) return false;
    for (int number = 0; number < count; ++number) WriteEntry(batch, number, "");
    return CommitBatch(batch);
}

std::vector<std::string> ReadHistory(ProfileFile& settings, const char* section, int count)
{
    std::vector<std::string> entries;
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, section)) return entries;
    for (int number = 0; number < count; ++number) {
        std::string entry = Entry(batch, number);
        if (entry.empty()) break;
        entries.push_back(std::move(entry));
    }
    return entries;
}
