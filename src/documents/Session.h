// The session: with [main] session 1 the files open at exit (in tab order, each with its
// caret line) are kept in [session] and opened again at the next start.
// [session] num = count, current = tab index of the current file, f<i> = path, l<i> = line.
#pragma once

#include <string>
#include <vector>

#include "config/ProfileFile.h"

struct DocumentsState;

// Never more files than this are kept: the rest of a very long tab row is dropped.
constexpr int kMostSessionFiles = 500;

struct SessionFile {
    std::string path;  // InternalText
    int line = 1;      // caret line, from 1
    bool operator==(const SessionFile& other) const { return path == other.path && line == other.line; }
};

struct Session {
    std::vector<SessionFile> files;
    int current = 0;  // index into files of the file that was current; 0 when none was
};

// The documents with a path, in tab order; untitled ones are left out.
Session SessionOfDocuments(DocumentsState& documents);

// Writes session to [session] in one write, emptying the keys a longer earlier session
// left behind. False when the settings could not be written.
bool WriteSession(const Session& session, ProfileFile& settings);
// Reads [session]: entries without a path are skipped, a line below 1 reads as 1, num is
// taken at most kMostSessionFiles, a current index out of range reads as 0.
Session ReadSession(ProfileFile& settings);

// Opens each file of session that exists, in its own tab, caret on its line; missing ones
// and files already open are skipped without a word. Afterwards the session's current file
// is current, unless a file opened before (keep: its slot, -1 for none) should stay so.
void ReopenSession(DocumentsState& documents, const Session& session, int keep);
