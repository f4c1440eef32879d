// Fuzzes find in files: reading a literal in a file's own bytes must give the lines that
// converting the whole file gives, whatever the bytes; and reading a results line back
// never reads past it and names a place only at a result's shape.
// Input layout: the pattern, a 0 byte, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "search/FileSearchResults.h"
#include "search/FindInFiles.h"

namespace {

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        char name[] = "/tmp/kvte-fuzz-files-XXXXXX";
        return std::filesystem::path(::mkdtemp(name));
    }();
    return folder;
}

std::vector<std::string> Lines(FileSearchRequest request, bool bytes)
{
    request.searchBytes = bytes;
    std::vector<std::string> lines;
    SearchFiles(Folder(), request, [&](const FileSearchHit& hit) {
        lines.push_back(std::to_string(hit.line) + ":" + std::to_string(hit.column) + ":" + hit.text);
    }, nullptr);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    ResultPlace place;
    if (ParseResultLine(input, place) &&
        (place.line < 1 || place.column < 1 || input.compare(0, place.path.size() + 1, place.path + "(") != 0))
        std::abort();
    const std::size_t zero = input.find('\0');
    if (zero == std::string::npos || zero == 0 || zero > 16) return 0;
    FileSearchRequest request;
    request.pattern = input.substr(0, zero);
    std::ofstream(Folder() / "f.txt", std::ios::binary | std::ios::trunc) << input.substr(zero + 1);
    if (Lines(request, true) != Lines(request, false)) std::abort();
    return 0;
}
