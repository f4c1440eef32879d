// The names in a folder that a wildcard search finds, as the program can use them.
#pragma once

#include <string>
#include <vector>

// The names that a search for pattern (InternalText, wildcards in the last part) finds, in
// the order found. Names that begin with "." and entries that are only folders are left
// out, and so is a name that InternalText cannot hold: it would name another file when
// opened.
std::vector<std::string> ListFolderNames(const std::string& pattern);
