// A document's path and the test for a tab that a file may take over.
#include "documents/Document.h"

#include "encoding/SjisBytes.h"

namespace {

// Offset just past the last folder separator of path; 0 when there is none. Walks by
// characters, since 0x5C is also a trail byte ("表" is 0x95 0x5C).
std::size_t NameStart(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size();) {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte == '\\' || byte == '/' || byte == ':') start = i + 1;
        i += sjis::CharLength(path.data(), path.size(), i);
    }
    return start;
}

}  // namespace

void SetPath(Document& document, std::string_view path)
{
    document.filePath.assign(path);
    document.fileName.assign(path.substr(NameStart(path)));
    document.modified = false;
}

std::string FolderOfPath(std::string_view path)
{
    std::size_t start = NameStart(path);
    // "C:\" keeps its separator; "C:\a\" loses it.
    if (start > 0 && path[start - 1] != ':' && !(start == 3 && path[1] == ':')) --start;
    return std::string(path.substr(0, start));
}

bool IsReusable(const Document& document)
{
    return document.fileName.empty() && !document.modified && document.writable;
}
