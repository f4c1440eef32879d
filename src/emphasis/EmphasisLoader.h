// LoadEmphasisFile: reads an environment file (an emphasis definition, "*.esf" in the
// folder "esf" beside the executable) and hands its entries to one view.
//
// The file format, line by line (fields split at commas, see LineReader.h; no quoting,
// no trimming):
//   - an empty line is skipped;
//   - a first field beginning with "'" makes the line a comment, unless it begins with
//     "''": then one "'" is dropped and the line is read as data;
//   - a line of exactly four fields is a setting line: keyword, second number, colour
//     number (1-5 take [emphasis] cEmphasis1-5 of the colour file, 6 takes cComment),
//     fourth number (0 or more). The keywords are EMP_WORD, EMP_LINE_AFTER,
//     EMP_LINE_BETWEEN and EMP_MULTI_BETWEEN; any other keyword counts as EMP_WORD;
//   - every other line is an entry of the current setting: field 1 its text, and for
//     the two "between" kinds field 2 its end text. Entries before the first setting
//     line are skipped.
// A setting line with a colour number outside 1-6 or a negative fourth number rejects the
// file at that line (message 402); so does an entry that the control refuses (405). The
// entries before a rejected line stay in force.
#pragma once

#include <cstdint>

#include "emphasis/EmphasisState.h"

struct LineReader;
struct ProfileFile;

// The kinds of entry, as AddEmphasis takes them.
enum EmphasisKind : int {
    EMPHASIS_NONE = 0,
    EMPHASIS_WORD = 1,
    EMPHASIS_LINE_AFTER = 2,
    EMPHASIS_LINE_BETWEEN = 3,
    EMPHASIS_MULTI_BETWEEN = 4,
};

// String-table messages of the loader.
enum : int {
    MESSAGE_ENVIRONMENT_OPEN_FAILED = 23,
    MESSAGE_BAD_SETTING_LINE = 402,
    MESSAGE_ENTRY_REFUSED = 405,
};

// Clears the view's emphasis when an environment was active, then loads
// programFolder + "esf" + name into view. True when the whole file was loaded; false
// (after message 23) when it cannot be opened, or (after the parse error box) when a
// line was rejected. Every load that opened the file marks the state active and
// redraws the view.
bool LoadEmphasisFile(EmphasisState& state, int view, const char* name);

// The reading itself, over an open reader and an open colour file ([emphasis] current;
// null reads every colour as 0). Returns 0 when every line was taken, or the message
// number of the rejection with rejectedLine set (from 1). Does not redraw or mark.
int ReadEmphasisDefinitions(const EmphasisState& state, int view, LineReader& reader, const ProfileFile* colours,
                            int& rejectedLine);
