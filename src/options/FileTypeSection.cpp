// The file-type page's reader of the section and the check of a typed extension.
#include "options/FileTypeSection.h"

#include "config/IniText.h"
#include "config/ProfileBatch.h"

namespace {


// The next line of text from at (its line end left out); false at the end.
bool NextLine(std::string_view text, size_t& at, std::string_view& line)
{
    if (at >= text.size()) return false;
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    line = text.substr(at, end - at);
    at = end;
    if (at < text.size() && text[at] == '\r') {
        ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    } else if (at < text.size() && text[at] == '\n') {
        ++at;
    }
    return true;
}

bool HasLineEnd(std::string_view text, size_t at) { return at > 0 && (text[at - 1] == '\n' || text[at - 1] == '\r'); }

// The position of the first byte equal to c that is not the trail byte of a double-byte
// character.
size_t FindSingleByte(std::string_view text, char c, bool last)
{
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (ini::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (text[i] == c) {
            found = i;
            if (!last) break;
        }
    }
    return found;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::vector<FileTypeRow> ReadFileTypeRows(std::string_view text)
{
    std::vector<FileTypeRow> rows;
    size_t at = 0;
    std::string_view line;
    bool inSection = false;
    while (NextLine(text, at, line)) {
        if (!inSection) {
            // The header counts only with its line end: nothing can follow it otherwise.
            inSection = ini::IsHeaderOf(line, "FileType") && HasLineEnd(text, at);
            continue;
        }
        // A header ends the section even when blanks come before it, as the settings
        // engine reads it; otherwise the next section's keys would be taken for rows.
        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed[0] == '[') break;
        const size_t first = FindSingleByte(line, '=', false);
        if (first == std::string_view::npos) continue;
        const size_t last = FindSingleByte(line, '=', true);
        std::string_view extension = TrimBlanks(line.substr(0, first));
        std::string_view environment = ini::Unquoted(TrimBlanks(line.substr(last + 1)));
        if (!ini::IsKeyName(extension)) continue;
        rows.push_back({std::string(extension), std::string(environment)});
    }
    return rows;
}

ExtensionProblem CheckExtension(std::string_view extension)
{
    extension = TrimBlanks(extension);
    if (extension.empty()) return ExtensionProblem::Empty;
    if (extension.find_first_of("\r\n") != std::string_view::npos) return ExtensionProblem::LineEnd;
    if (extension[0] == '[' || extension[0] == ';') return ExtensionProblem::FirstCharacter;
    if (FindSingleByte(extension, '=', false) != std::string_view::npos) return ExtensionProblem::Equals;
    if (FindSingleByte(extension, ']', false) != std::string_view::npos) return ExtensionProblem::Bracket;
    // Whatever else the settings could not read back as this key (a lead byte cut at the
    // end) is a character problem too.
    if (!ini::IsKeyName(extension)) return ExtensionProblem::FirstCharacter;
    return ExtensionProblem::None;
}

void WriteFileTypeRows(ProfileBatch& batch, const std::vector<FileTypeRow>& rows)
{
    SetSection(batch, "FileType");
    DeleteSection(batch);
    // The blank line that stood before the removed section stays; the appended section
    // brings one of its own, so the text is cut back to its last line end first.
    const size_t lastText = batch.text.find_last_not_of("\r\n");
    batch.text.resize(lastText == std::string::npos ? 0 : lastText + 1);
    if (!batch.text.empty()) batch.text += "\r\n";
    AppendSection(batch, "FileType");
    for (const FileTypeRow& row : rows) WriteString(batch, row.extension.c_str(), row.environment.c_str());
}
