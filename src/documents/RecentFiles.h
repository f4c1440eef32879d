// The recently used files: the newest first, each path once, at most [recent] num of them
// (default 10, at most kMostRecentFiles). Kept in [recent] f0.. of the settings, read at
// start and written at exit. A file that is gone stays listed until it is chosen.
#pragma once

#include <string>
#include <vector>

#include "config/ProfileFile.h"

constexpr int kMostRecentFiles = 30;

struct RecentFiles {
    std::vector<std::string> paths;  // InternalText, newest first
    int limit = 10;
};

// [recent] num within 0 .. kMostRecentFiles.
int RecentFilesLimit(int num);

// Reads [recent] num and the paths f0 .. f<num - 1>; empty keys are skipped.
void ReadRecentFiles(RecentFiles& recent, ProfileFile& settings);
// Writes the paths to f0 .. and empties the keys after them up to f<kMostRecentFiles - 1>,
// in one write of the settings file.
bool WriteRecentFiles(const RecentFiles& recent, ProfileFile& settings);

// path (opened or saved) becomes the newest; an older entry of the same path goes, and the
// oldest beyond the limit drop off.
void NoteRecentFile(RecentFiles& recent, const std::string& path);

struct DocumentsState;

// Opens entry index of the list as any open does. A file that is gone is named by message
// 76 and leaves the list. False when nothing was opened.
bool OpenRecentFile(DocumentsState& documents, int index);
