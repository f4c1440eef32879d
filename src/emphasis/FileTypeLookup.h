// The file-type lookup: the environment that [FileType] associates with a file's
// extension, loaded into a view when a file is opened or saved under a new name.
#pragma once

#include <string>

#include "emphasis/EmphasisState.h"

// The extension of the file-name part of path, without its dot: the text after the last
// "." of the name (a.tar.gz gives gz; a dot in a folder name does not count). Empty when
// the name has no dot. Both separators end a folder name; a Shift_JIS trail byte that
// equals "\" does not.
std::string FileNameExtension(const char* path);

// The [FileType] entry for path's extension (letter case does not matter); empty when
// the name has no extension or the extension no entry.
std::string FileTypeEnvironment(const EmphasisState& state, const char* path);

// Loads the entry's environment into view; nothing changes (false) without an entry.
bool ApplyFileType(EmphasisState& state, int view, const char* path);
