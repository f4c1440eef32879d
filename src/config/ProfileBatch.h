// ProfileBatch: many changes to the file of one ProfileFile, read once, made in memory and
// written with one atomic replace. Either every change of the batch reaches the file or
// none does: a refused name, a failed read or a failed write fails the whole batch.
//
//     ProfileBatch batch;
//     BeginBatch(batch, settings);
//     SetSection(batch, "main");
//     WriteInt(batch, "x", 200);
//     ...
//     bool written = CommitBatch(batch);
//
// The operations are those of ProfileFile, with the same names, layout and refusals; they
// use and change the profile's current section. Reads see the changes made so far.
#pragma once

#include <string>

#include "config/ProfileFile.h"

struct ProfileBatch {
    ProfileFile* profile = nullptr;
    std::string text;      // the file's content with the changes made so far
    bool existed = false;  // the file was there when the batch read it
    bool failed = false;   // CommitBatch writes nothing and returns false
    bool changed = false;  // CommitBatch has something to write
};

// Reads the profile's file (a missing file is empty). False when it exists but cannot be
// read, or the profile's path was refused; the batch is then failed.
bool BeginBatch(ProfileBatch& batch, ProfileFile& profile);

bool SetSection(ProfileBatch& batch, const char* section);
int GetInt(const ProfileBatch& batch, const char* key);
int GetString(const ProfileBatch& batch, const char* key, char* buffer, int size);
bool WriteInt(ProfileBatch& batch, const char* key, int value);
bool WriteString(ProfileBatch& batch, const char* key, const char* value);
bool DeleteSection(ProfileBatch& batch);
bool AppendSection(ProfileBatch& batch, const char* name);

// Writes the changed text with one atomic replace (nothing when nothing changed). False,
// with the file as it was before the batch began, when any step of the batch failed or the
// write fails.
bool CommitBatch(ProfileBatch& batch);
