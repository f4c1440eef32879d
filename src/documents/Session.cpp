// The files of one run kept for the next.
#include "documents/Session.h"

#include <algorithm>
#include <new>

#include "config/ProfileBatch.h"
#include "documents/Document.h"
#include "documents/OpenFile.h"
#include "documents/DocumentsState.h"
#include "files/FileAccess.h"

namespace {

std::string Key(char kind, int index) { return kind + std::to_string(index); }

// The slot holding path, or -1.
int SlotOfPath(const DocumentList& list, const std::string& path)
{
    for (int slot = 0; slot < list.slotCount; ++slot) {
        const Document* document = GetDocument(list, slot);
        if (document && document->filePath == path) return slot;
    }
    return -1;
}

}  // namespace

Session SessionOfDocuments(DocumentsState& documents)
{
    Session session;
    const DocumentList& list = documents.list;
    const DocumentsHost& host = documents.host;
    try {
        for (int position = 0; position < list.tabCount; ++position) {
            const int slot = SlotAtTab(list, position);
            const Document* document = GetDocument(list, slot);
            if (document == nullptr || document->filePath.empty()) continue;
            if (session.files.size() >= static_cast<std::size_t>(kMostSessionFiles)) break;
            if (slot == list.currentSlot) session.current = static_cast<int>(session.files.size());
            const int line = host.caretLine ? host.caretLine(host.context, slot) : 1;
            session.files.push_back({document->filePath, std::max(line, 1)});
        }
    } catch (const std::bad_alloc&) {
        // What was gathered is kept.
    }
    return session;
}

bool WriteSession(const Session& session, ProfileFile& settings)
{
    int before = 0;
    if (SetSection(settings, "session")) before = std::clamp(GetInt(settings, "num"), 0, kMostSessionFiles);
    ProfileBatch batch;
    if (!BeginBatch(batch, settings) || !SetSection(batch, "session")) return false;
    const int count = static_cast<int>(std::min(session.files.size(), static_cast<std::size_t>(kMostSessionFiles)));
    WriteInt(batch, "num", count);
    WriteInt(batch, "current", session.current);
    for (int i = 0; i < std::max(count, before); ++i) {
        const bool kept = i < count;
        const SessionFile* file = kept ? &session.files[static_cast<std::size_t>(i)] : nullptr;
        WriteString(batch, Key('f', i).c_str(), kept ? file->path.c_str() : "");
        WriteString(batch, Key('l', i).c_str(), kept ? std::to_string(file->line).c_str() : "");
    }
    return CommitBatch(batch);
}

Session ReadSession(ProfileFile& settings)
{
    Session session;
    if (!SetSection(settings, "session")) return session;
    const int count = std::clamp(GetInt(settings, "num"), 0, kMostSessionFiles);
    const int current = GetInt(settings, "current");
    char path[kMaxPathBytes + 1];
    for (int i = 0; i < count; ++i) {
        const int length = GetString(settings, Key('f', i).c_str(), path, sizeof path);
        if (length <= 0) continue;
        if (i == current) session.current = static_cast<int>(session.files.size());
        session.files.push_back({std::string(path, static_cast<std::size_t>(length)),
                                 std::max(GetInt(settings, Key('l', i).c_str()), 1)});
    }
    return session;
}

void ReopenSession(DocumentsState& documents, const Session& session, int keep)
{
    const DocumentsHost& host = documents.host;
    DocumentList& list = documents.list;
    // Decided before the session's files arrive: the first may be loaded into that very tab.
    const Document* given = GetDocument(list, keep);
    const bool keepGiven = given && (!given->filePath.empty() || given->modified);
    int current = -1;
    for (std::size_t i = 0; i < session.files.size(); ++i) {
        const SessionFile& file = session.files[i];
        if (SlotOfPath(list, file.path) >= 0 || !FileExists(file.path.c_str())) continue;
        if (OpenFile(documents, file.path, kOpenModeReuseUntitled, false) != kOpenLoaded) continue;
        CallHost(host.setCaret, host, list.currentSlot, file.line, 1);
        if (static_cast<int>(i) == session.current) current = list.currentSlot;
    }
    if (keepGiven) current = keep;
    if (current >= 0 && current != list.currentSlot) {
        SelectSlot(list, host, current);
        RefreshBar(host);
    }
}
