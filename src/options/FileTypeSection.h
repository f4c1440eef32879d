// The rows of the file-type page, read from the text of "kvte.ini" by the page's own
// reader: it looks for the exact line "[FileType]" (this letter case, no blanks), takes
// every following "extension=environment" line up to the next header line (one whose
// first non-blank is "[") and keeps them in file order, duplicates and all. The lookups that open files read the
// section through the settings engine instead, which is lenient about the header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ProfileBatch;

struct FileTypeRow {
    std::string extension;    // the key: the text before the first "="
    std::string environment;  // the value: the text after the last "="
};

// Lines end with CR LF, LF or CR; a final line without a line end is read too. Blanks
// around the extension and the environment are dropped (the settings engine ignores them).
// Skipped, because the settings could not hold them as a key: blank lines, comments (";"),
// lines without "=", and lines whose extension is not a key name.
std::vector<FileTypeRow> ReadFileTypeRows(std::string_view settingsText);

// Writes the rows back as the page does at OK: the section is removed and appended again,
// so it ends up last in the file. A later row with the same extension (in any letter case)
// replaces the value on the first row's line.
void WriteFileTypeRows(ProfileBatch& batch, const std::vector<FileTypeRow>& rows);

// Why an extension typed into the extension dialog cannot be stored as a key.
enum class ExtensionProblem {
    None,
    Empty,           // nothing but blanks
    Equals,          // "=" (outside a double-byte character) would end the key early
    Bracket,         // "]" would be taken for the end of a header
    LineEnd,         // CR or LF would split the line
    FirstCharacter,  // a first "[" or ";" makes the line a header or a comment
};
// Checked on the text with its surrounding blanks dropped (TrimBlanks).
ExtensionProblem CheckExtension(std::string_view extension);
std::string_view TrimBlanks(std::string_view text);
