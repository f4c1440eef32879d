// The rows of the file-type page, read from the text of "kvte.ini" by the page's own
// reader: it finds the section as the settings engine does (the first header naming
// "FileType" in any letter case, blanks allowed around the name and the brackets), takes
// every following "extension=environment" line up to the next header line (one whose
// first non-blank is "[") and keeps them in file order, duplicates and all. Reading the
// section where the engine finds it matters: the page writes back what it read, and a
// section it failed to see would be written back empty.
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
// around the extension and the environment are dropped, and one enclosing pair of quotes
// around the environment, as the settings engine reads values.
// Skipped, because the settings could not hold them as a key: blank lines, comments (";"),
// lines without "=", and lines whose extension is not a key name.
std::vector<FileTypeRow> ReadFileTypeRows(std::string_view settingsText);

// Writes the rows back as the page does at OK: the section is removed and appended again,
// so it ends up last in the file, after one blank line however often it is written. A later row with the same extension (in any letter case)
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
