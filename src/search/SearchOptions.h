// The search options kept in the settings file's [search] section between runs: letter
// case ("matchcase", 1 ticked: letters must match as written) and wrap-around ("wrap", 1: a
// search that reaches an end goes on once from the other). A key that is missing or
// unreadable leaves the state's own default.
#pragma once

#include <string>

#include "config/ProfileFile.h"
#include "search/SearchState.h"

constexpr char kSearchSection[] = "search";

void ReadSearchOptions(ProfileFile& settings, SearchState& state);

// Find in files' last choices, in the same section: "filesfolder", "filesmasks",
// "filesregex" and "filessubfolders" (letter case is "matchcase", shared with the other
// searches). The folder and the masks have histories of their own besides.
struct FileSearchChoices {
    std::string folder;  // InternalText
    std::string masks = "*";
    bool regularExpression = false;
    bool subfolders = true;
};
constexpr char kFolderHistory[] = "folder_history";
constexpr char kMaskHistory[] = "mask_history";

void ReadFileSearchChoices(ProfileFile& settings, FileSearchChoices& choices);
bool WriteFileSearchChoices(ProfileFile& settings, const FileSearchChoices& choices);
// One write of the settings file; false when it failed.
bool WriteSearchOptions(ProfileFile& settings, const SearchState& state);
