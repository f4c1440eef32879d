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
