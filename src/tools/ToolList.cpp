#include "tools/ToolList.h"

#include <cstdio>

namespace {

// Room for any value a line can hold: a longer one would be cut, which is what reading
// whole avoids. Values over this length do not occur in files the program writes.
constexpr int kReadBuffer = 4096;

std::string ReadText(const ProfileBatch& batch, const std::string& key)
{
    std::string text(kReadBuffer, '\0');
    int length = GetString(batch, key.c_str(), &text[0], kReadBuffer);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

}  // namespace

ToolEntry SeparatorEntry() { return ToolEntry{"-", "-", kToolSeparator}; }

bool IsKnownToolType(int type) { return type >= kToolSeparator && type <= kToolBuiltIn; }

std::string ToolKey(std::string_view field, int n)
{
    char number[16];
    std::snprintf(number, sizeof number, "%d", n);
    return std::string(field) + number;
}

std::vector<ToolEntry> ReadToolList(ProfileBatch& batch)
{
    std::vector<ToolEntry> entries;
    SetSection(batch, "tool");
    int count = GetInt(batch, "num");
    if (count < 0) count = 0;
    if (count > kMaxToolEntries) count = kMaxToolEntries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        ToolEntry entry;
        entry.name = ReadText(batch, ToolKey("name", n));
        entry.path = ReadText(batch, ToolKey("path", n));
        entry.type = GetInt(batch, ToolKey("type", n).c_str());
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string ToolCommandLine(ProfileFile& settings, int n)
{
    SetSection(settings, "tool");
    if (n < 0 || n >= GetInt(settings, "num")) return std::string();
    char path[kToolTextLimit + 2];
    int length = GetString(settings, ToolKey("path", n).c_str(), path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) > kToolTextLimit) return std::string();
    return std::string(path, static_cast<std::size_t>(length));
}

bool WriteToolList(ProfileBatch& batch, const std::vector<ToolEntry>& entries)
{
    // A refused write fails the whole batch, which then refuses every later one.
    SetSection(batch, "tool");
    WriteInt(batch, "num", static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int n = static_cast<int>(i);
        WriteString(batch, ToolKey("name", n).c_str(), entries[i].name.c_str());
        WriteString(batch, ToolKey("path", n).c_str(), entries[i].path.c_str());
        WriteInt(batch, ToolKey("type", n).c_str(), entries[i].type);
    }
    return !batch.failed;
}

ToolLaunch ToolLaunchOf(const std::string& line, bool (*isFile)(const std::string& path))
{
    ToolLaunch launch{std::string(), line};
    if (line.empty() || line[0] == '"' || isFile == nullptr) return launch;
    // A blank is never the second byte of a double-byte character, so the heads are whole
    // characters.
    for (std::size_t end = line.size(); end > 0; end = line.find_last_of(" \t", end - 1)) {
        if (end == std::string::npos) break;
        const std::string head = line.substr(0, end);
        if (head.empty() || head.back() == ' ' || head.back() == '\t' || !isFile(head)) continue;
        launch.program = head;
        launch.commandLine = "\"" + head + "\"" + line.substr(end);
        return launch;
    }
    return launch;
}
