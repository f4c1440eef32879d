// The search options kept in the settings file's [search] section between runs: letter
// case ("matchcase", 1 ticked: letters must match as written) and wrap-around ("wrap", 1: a
// search that reaches an end goes on once from the other). A key that is missing or
// unreadable leaves the state's own default.
#pragma once

#include "config/ProfileFile.h"
#include "search/SearchState.h"

constexpr char kSearchSection[] = "search";

void ReadSearchOptions(ProfileFile& settings, SearchState& state);
// One write of the settings file; false when it failed.
bool WriteSearchOptions(ProfileFile& settings, const SearchState& state);
