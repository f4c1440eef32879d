// Fuzzes the file-type page's reader: any bytes as the settings file. Every row it takes
// must be writable as a key and a value, and writing the rows back as the page does (the
// section removed and appended again, one key per row) must read back as the same rows,
// with a later duplicate's value on the first one's line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/IniText.h"
#include "options/FileTypeSection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<FileTypeRow> rows = ReadFileTypeRows(text);
    std::vector<FileTypeRow> expected;
    for (const FileTypeRow& row : rows) {
        if (!ini::IsKeyName(row.extension) || !ini::IsValue(row.environment)) abort();
        bool merged = false;
        for (FileTypeRow& kept : expected) {
            if (ini::NamesEqual(kept.extension, row.extension)) {
                kept.environment = row.environment;
                merged = true;
            }
        }
        if (!merged) expected.push_back(row);
    }
    bool found = false;
    std::string written = ini::WithoutSection(text, "FileType", found);
    // A second section of that name, spelt otherwise, would take the keys: a file edited
    // by hand into that shape is outside what the page promises.
    if (ini::HasSection(written, "FileType")) return 0;
    written += "\r\n[FileType]";
    for (const FileTypeRow& row : rows) written = ini::WithValue(written, "FileType", row.extension, row.environment);
    const std::vector<FileTypeRow> back = ReadFileTypeRows(written);
    if (back.size() != expected.size()) abort();
    for (size_t i = 0; i < back.size(); ++i) {
        if (back[i].extension != expected[i].extension || back[i].environment != expected[i].environment) abort();
    }
    return 0;
}
