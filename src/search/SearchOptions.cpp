// The [search] options, read and written as one settings batch.
#include "search/SearchOptions.h"

#include "config/ProfileBatch.h"

namespace {

void ReadFlag(const ProfileBatch& batch, const char* key, bool& flag)
{
    char value[8];
    if (GetString(batch, key, value, sizeof value) > 0) flag = GetInt(batch, key) != 0;
}

}  // namespace

void ReadSearchOptions(ProfileFile& settings, SearchState& state)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, kSearchSection)) return;
    ReadFlag(batch, "matchcase", state.matchCase);
    ReadFlag(batch, "wrap", state.wrap);
}

bool WriteSearchOptions(ProfileFile& settings, const SearchState& state)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, kSearchSection)) return false;
    WriteInt(batch, "matchcase", state.matchCase ? 1 : 0);
    return CommitBatch(batch);
}

void ReadFileSearchChoices(ProfileFile& settings, FileSearchChoices& choices)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, kSearchSection)) return;
    char value[1024];
    if (GetString(batch, "filesfolder", value, sizeof value) > 0) choices.folder = value;
    if (GetString(batch, "filesmasks", value, sizeof value) > 0) choices.masks = value;
    ReadFlag(batch, "filesregex", choices.regularExpression);
    ReadFlag(batch, "filessubfolders", choices.subfolders);
}

bool WriteFileSearchChoices(ProfileFile& settings, const FileSearchChoices& choices)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, kSearchSection)) return false;
    WriteString(batch, "filesfolder", choices.folder.c_str());
    WriteString(batch, "filesmasks", choices.masks.c_str());
    WriteInt(batch, "filesregex", choices.regularExpression ? 1 : 0);
    WriteInt(batch, "filessubfolders", choices.subfolders ? 1 : 0);
    return CommitBatch(batch);
}
