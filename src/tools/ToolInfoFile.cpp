#include "tools/ToolInfoFile.h"

#include "config/IniText.h"
#include "encoding/SjisBytes.h"

namespace {

// A value that is all digits after an optional sign: "1x" or "" must not pass as a type.
bool IsWholeNumber(std::string_view text)
{
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size() || text.size() - i > 9) return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

}  // namespace

std::string_view FolderOf(std::string_view path)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size();) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':') end = i + 1;
        i += sjis::CharLength(path.data(), path.size(), i);
    }
    return path.substr(0, end);
}

std::string_view StemOf(std::string_view path)
{
    std::string_view leaf = path.substr(FolderOf(path).size());
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < leaf.size();) {
        if (leaf[i] == '.') dot = i;
        i += sjis::CharLength(leaf.data(), leaf.size(), i);
    }
    return dot == 0 || dot == std::string_view::npos ? leaf : leaf.substr(0, dot);
}

ToolInfoError ParseToolInfo(std::string_view ktiText, std::string_view ktiPath, ToolEntry& entry)
{
    std::string_view name, file, type;
    const bool hasName = ini::FindValue(ktiText, "general", "name", name) && !name.empty();
    if (!ini::FindValue(ktiText, "general", "file", file) || file.empty()) return ToolInfoError::NoProgram;
    if (!hasName) name = StemOf(ktiPath);
    if (name.size() > kToolTextLimit) return ToolInfoError::NameTooLong;

    int kind = kToolModal;
    if (ini::FindValue(ktiText, "general", "type", type) && !type.empty()) {
        if (!IsWholeNumber(type)) return ToolInfoError::BadType;
        kind = ini::ParseInt(type);
        if (!IsKnownToolType(kind)) return ToolInfoError::BadType;
    }

    const std::string_view folder = FolderOf(ktiPath);
    if (folder.size() + file.size() > kToolTextLimit) return ToolInfoError::PathTooLong;

    entry.name.assign(name.data(), name.size());
    entry.path.assign(folder.data(), folder.size());
    entry.path.append(file.data(), file.size());
    entry.type = kind;
    return ToolInfoError::None;
}
