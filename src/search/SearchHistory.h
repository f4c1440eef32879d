// The search and replace histories: sections [find_history] and [replace_history] of the
// settings file, keys "f0" (the most recent) to "f20". Lists show "f0" up to the first
// empty entry, at most `count` of them (20); "f20" only receives what "f19" pushed out.
#pragma once

#include <string>
#include <vector>

#include "config/ProfileFile.h"

constexpr int kHistoryCount = 20;
constexpr char kFindHistory[] = "find_history";
constexpr char kReplaceHistory[] = "replace_history";

// Puts text first: an entry equal to it (bytes, letter case counts) among the first count
// is taken out, otherwise the last of them moves one key further; the entries above move
// down one key. One write of the settings file; false when it failed (nothing changed).
// An empty text is an entry like any other (it hides the older ones from the list).
bool AddHistory(ProfileFile& settings, const char* text, const char* section, int count);

// Empties "f0" to "f<count - 1>" in one write; the last key beyond them keeps its value.
bool ClearHistory(ProfileFile& settings, const char* section, int count);

// The entries the list shows, most recent first.
std::vector<std::string> ReadHistory(ProfileFile& settings, const char* section, int count);
