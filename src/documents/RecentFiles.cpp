// The recently used files and their keys in the settings.
#include "documents/RecentFiles.h"

#include <algorithm>
#include <new>

#include "config/ProfileBatch.h"
#include "documents/Document.h"
#include "documents/OpenFile.h"
#include "files/FileAccess.h"

namespace {

std::string Key(int index) { return "f" + std::to_string(index); }

}  // namespace

int RecentFilesLimit(int num) { return std::clamp(num, 0, kMostRecentFiles); }

void ReadRecentFiles(RecentFiles& recent, ProfileFile& settings)
{
    recent.paths.clear();
    if (!SetSection(settings, "recent")) return;
    recent.limit = RecentFilesLimit(GetInt(settings, "num"));
    char path[kMaxPathBytes + 1];
    for (int i = 0; i < recent.limit; ++i) {
        const int length = GetString(settings, Key(i).c_str(), path, sizeof path);
        if (length <= 0) continue;
        const std::string read(path, static_cast<std::size_t>(length));
        if (std::find(recent.paths.begin(), recent.paths.end(), read) == recent.paths.end()) recent.paths.push_back(read);
    }
}

bool WriteRecentFiles(const RecentFiles& recent, ProfileFile& settings)
{
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, "recent")) return false;
    for (int i = 0; i < kMostRecentFiles; ++i) {
        const bool listed = static_cast<std::size_t>(i) < recent.paths.size();
        WriteString(batch, Key(i).c_str(), listed ? recent.paths[static_cast<std::size_t>(i)].c_str() : "");
    }
    return CommitBatch(batch);
}

void NoteRecentFile(RecentFiles& recent, const std::string& path)
{
    if (path.empty() || path.size() > kMaxPathBytes) return;
    try {
        std::vector<std::string>& paths = recent.paths;
        paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
        paths.insert(paths.begin(), path);
        if (paths.size() > static_cast<std::size_t>(RecentFilesLimit(recent.limit))) {
            paths.resize(static_cast<std::size_t>(RecentFilesLimit(recent.limit)));
        }
    } catch (const std::bad_alloc&) {
        // The list is a convenience: it stays as it was.
    }
}

bool OpenRecentFile(DocumentsState& documents, int index)
{
    std::vector<std::string>& paths = documents.recent.paths;
    if (index < 0 || static_cast<std::size_t>(index) >= paths.size()) return false;
    const std::string path = paths[static_cast<std::size_t>(index)];
    if (!FileExists(path.c_str())) {
        paths.erase(paths.begin() + index);
        const DocumentsHost& host = documents.host;
        if (host.showNamedMessage) host.showNamedMessage(host.context, kMsgRecentFileGone, kStyleWarning, path);
        return false;
    }
    const int result = OpenFile(documents, path, kOpenModeNormal, true);
    return result == kOpenLoaded || result == kOpenAlreadyOpen;
}
