// The tool list of "kvte.ini", section [tool]: "num" entries, entry N with the keys
// "nameN" (menu label), "pathN" (the whole command line) and "typeN" (ToolType). Keys of
// entries at or beyond num are ignored and may stay in the file. Texts are InternalText.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/ProfileBatch.h"

// The kind of an entry, as stored in "typeN".
enum ToolType : int {
    kToolSeparator = -1,  // a line in the menu; never started
    kToolModal = 0,       // the editor waits until it ends
    kToolModeless = 1,    // started, not waited for
    kToolBuiltIn = 2,     // started, not waited for (like modeless)
};

// Longest name and path an entry may hold, in bytes (a 260-byte buffer with terminator).
constexpr std::size_t kToolTextLimit = 259;
// Command 2000 + N starts entry N for ids up to 10000: entries past 8000 could never run,
// so a larger "num" (a hand-edited or damaged file) is read as this many.
constexpr int kMaxToolEntries = 8001;
// How many entries the menu shows (ids 2000-2499).
constexpr int kMaxMenuTools = 500;

struct ToolEntry {
    std::string name;
    std::string path;
    int type = kToolModal;
};

// What the options page stores for its separator row.
ToolEntry SeparatorEntry();

// Whether type is one of the four kinds.
bool IsKnownToolType(int type);

// The entries of [tool], num of them (a negative num reads as 0, a larger one as
// kMaxToolEntries). Texts are read whole, even past kToolTextLimit, so that writing the
// list back never cuts what the file held. Leaves the batch on section "tool".
std::vector<ToolEntry> ReadToolList(ProfileBatch& batch);

// Replaces the list: "num" and the three keys of every entry, in order. Keys of entries
// past the new num stay (they are ignored). False when the batch refused a write.
bool WriteToolList(ProfileBatch& batch, const std::vector<ToolEntry>& entries);

// The command line of entry n ("pathN" whole), or empty when it has none: n outside
// 0..num-1, no path, or one longer than kToolTextLimit, since the line is started from a
// 260-byte buffer and a cut line would start another program. Leaves settings on [tool].
std::string ToolCommandLine(ProfileFile& settings, int n);

// How a stored command line is started. The line is kept as stored, but a program path
// with blanks in it, stored without quotes, would let the system try "C:\Program" first:
// when the whole line, or failing that its longest head that ends before a blank, names an
// existing file (isFile), that file is the program to start and the command line gets it
// quoted, followed by the rest. Otherwise (or for a line that starts with a quote) program
// is empty and the line is started as stored.
struct ToolLaunch {
    std::string program;      // InternalText; empty: let the system find the program
    std::string commandLine;  // InternalText
};
ToolLaunch ToolLaunchOf(const std::string& line, bool (*isFile)(const std::string& path));

// The key of entry n for one of "name", "path", "type" ("name7").
std::string ToolKey(std::string_view field, int n);
