// Find in files: the folder walk, the binary test and the per-line results.
#include "search/FindInFiles.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "regex/KRegExp.h"
#include "regex/MatchPass.h"
#include "search/FileBytesSearch.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFirstBlock = 8192;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool WildcardFits(std::string_view name, std::string_view mask)
{
    // Iterative match with one backtrack point for the last "*".
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool LooksBinary(const std::string& bytes)
{
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return false;
    return std::memchr(bytes.data(), '\0', std::min(bytes.size(), kFirstBlock)) != nullptr;
}

bool ReadFile(const fs::path& path, std::string& bytes)
{
    // One read of the size the file has now, then whatever it grew by meanwhile.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    in.seekg(0);
    if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(&bytes[0], size);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return false;
    in.clear();
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Reports the lines of text that hold matches; returns the number of matches.
std::size_t SearchText(CKRegExp& regex, const fs::path& path, const std::string& text,
                       const std::function<void(const FileSearchHit&)>& onHit)
{
    long line = 1, lastReported = 0;
    std::size_t lineStart = 0, scanned = 0;
    const char* bytes = text.data();
    return VisitAllMatches(regex, bytes, text.size(), [&](std::size_t start, std::size_t) {
        for (; scanned < start; ++scanned) {
            char c = bytes[scanned];
            if (c == '\n' || (c == '\r' && (scanned + 1 >= text.size() || bytes[scanned + 1] != '\n'))) {
                ++line;
                lineStart = scanned + 1;
            }
        }
        if (line != lastReported) {
            lastReported = line;
            std::size_t lineEnd = text.find_first_of("\r\n", lineStart);
            if (lineEnd == std::string::npos) lineEnd = text.size();
            onHit(FileSearchHit{path, line, static_cast<long>(start - lineStart) + 1,
                                text.substr(lineStart, lineEnd - lineStart)});
        }
        return true;
    });
}

}  // namespace

bool FileNameFitsMasks(std::string_view name, std::string_view masks)
{
    while (true) {
        std::size_t end = masks.find(';');
        std::string_view mask = masks.substr(0, end);
        while (!mask.empty() && mask.front() == ' ') mask.remove_prefix(1);
        while (!mask.empty() && mask.back() == ' ') mask.remove_suffix(1);
        if (!mask.empty() && WildcardFits(name, mask)) return true;
        if (end == std::string_view::npos) return false;
        masks.remove_prefix(end + 1);
    }
}

FileSearchTotals SearchFiles(const fs::path& folder, const FileSearchRequest& request,
                             const std::function<void(const FileSearchHit&)>& onHit,
                             const std::function<bool(const fs::path&, std::size_t)>& progress)
{
    FileSearchTotals totals;
    try {
        CKRegExp regex;
        regex.Read(request.pattern.c_str(), request.regularExpression, request.ignoreCase);
        totals.patternError = regex.GetError();
        if (totals.patternError != REGEXP_OK || request.pattern.empty()) return totals;
        std::error_code error;
        auto options = fs::directory_options::skip_permission_denied;
        fs::recursive_directory_iterator it(folder, options, error), end;
        if (error) {
            ++totals.unreadable;
            return totals;
        }
        const RawPatternForms rawForms =
            MakeRawPatternForms(request.pattern, request.regularExpression || !request.searchBytes, request.ignoreCase);
        std::vector<std::string> eucForm;
        std::string bytes;
        for (; it != end; it.increment(error)) {
            if (error) {
                ++totals.unreadable;
                error.clear();
                continue;
            }
            if (!request.subfolders && it.depth() == 0 && it->is_directory(error)) it.disable_recursion_pending();
            if (!it->is_regular_file(error)) continue;
            const fs::path& path = it->path();
            if (!FileNameFitsMasks(path.filename().u8string(), request.masks)) continue;
            if (progress && !progress(path, totals.filesSearched)) {
                totals.cancelled = true;
                break;
            }
            bytes.clear();
            if (!ReadFile(path, bytes)) {
                ++totals.unreadable;
                continue;
            }
            if (LooksBinary(bytes)) {
                ++totals.binarySkipped;
                continue;
            }
            const EncodingCode code =
                ChooseSjisFlavour(DetectEncoding(bytes.data(), bytes.size()), SjisFlavour::Sjis2004, bytes);
            std::size_t found = 0;
            if (const std::vector<std::string>* forms = RawFormsFor(rawForms, code, bytes, eucForm)) {
                found = SearchFileBytes(regex, bytes, code, *forms, [&](long line, long column, std::string&& text) {
                    onHit(FileSearchHit{path, line, column, std::move(text)});
                });
            } else {
                DecodedFile decoded;
                if (!DecodeFileBytesAs(std::move(bytes), code, decoded)) continue;
                found = SearchText(regex, path, decoded.text, onHit);
            }
            ++totals.filesSearched;
            totals.matches += found;
            if (found > 0) ++totals.filesMatched;
        }
    } catch (...) {
        // Memory ran out or the walk failed: what was found stands.
    }
    return totals;
}
