// Find in files: every file of a folder (and its subfolders) whose name fits the masks is
// read as the editor opens it (encoding recognised and converted) and searched with one
// CKRegExp; binary files (a zero byte in the first block, without a UTF-16 byte-order
// mark) are skipped. Results come one per matching line, in the order the files are met.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

struct FileSearchRequest {
    std::string pattern;  // InternalText
    bool regularExpression = false;
    bool ignoreCase = false;
    std::string masks = "*";  // "*.txt;*.c": "*" and "?" wildcards, letter case ignored
    bool subfolders = true;
    // A literal is looked for in the files' own bytes where that finds what converting the
    // whole file would (UTF-8 and EUC-JP); false converts every file.
    bool searchBytes = true;
};

// One line that holds a match: its number and the column of its first match (both from
// 1; the column counts bytes of the InternalText line, as the editor's caret does), and
// the line itself without its line break.
struct FileSearchHit {
    std::filesystem::path path;
    long line = 0;
    long column = 0;
    std::string text;
};

struct FileSearchTotals {
    std::size_t filesSearched = 0;
    std::size_t filesMatched = 0;
    std::size_t matches = 0;
    std::size_t binarySkipped = 0;
    std::size_t unreadable = 0;  // files and folders that could not be read
    bool cancelled = false;
    int patternError = 0;  // a RegExpError: nothing was searched
};

// Whether name fits one of the masks.
bool FileNameFitsMasks(std::string_view name, std::string_view masks);

// Searches the files; onHit gets each result. progress is called before each file with
// the files searched so far and may return false to stop (totals.cancelled), keeping what
// was found. No exception leaves it; a file or folder that cannot be read is counted.
FileSearchTotals SearchFiles(const std::filesystem::path& folder, const FileSearchRequest& request,
                             const std::function<void(const FileSearchHit&)>& onHit,
                             const std::function<bool(const std::filesystem::path&, std::size_t)>& progress);
