// When copies are due, whose they are, and giving them back.
#include "documents/RecoveryCopies.h"

#include <charconv>

#include "documents/DocumentsState.h"
#include "documents/RecoveryRecord.h"
#include "documents/RecoveryWriter.h"
#include "files/FileAccess.h"
#include "files/FolderAccess.h"

namespace {

SlotCopy* CopyOf(RecoveryCopies& copies, int slot)
{
    if (slot < 0) return nullptr;
    if (static_cast<size_t>(slot) >= copies.slots.size()) copies.slots.resize(static_cast<size_t>(slot) + 1);
    return &copies.slots[static_cast<size_t>(slot)];
}

// Reads one copy; Damaged also for a file that cannot be read.
RecoveryReadResult ReadCopy(const std::string& path, RecoveryRecord& record)
{
    std::string bytes;
    if (!ReadWholeFile(path.c_str(), bytes)) return RecoveryReadResult::Damaged;
    return ReadRecoveryRecord(bytes, record);
}

// Puts record's document into a tab: the first reusable one, else a new one. -1 when
// neither could be had.
int TakeTab(DocumentsState& documents)
{
    DocumentList& list = documents.list;
    int slot = FirstReusableSlot(list);
    if (slot >= 0) {
        SelectSlot(list, documents.host, slot);
        return slot;
    }
    slot = AddDocument(list, documents.host);
    if (slot >= 0) ApplyEditorSettings(documents.callbacks, slot);
    return slot;
}

}  // namespace

std::string RecoveryCopyName(unsigned long owner, int slot)
{
    return std::to_string(owner) + "-" + std::to_string(slot) + kRecoverySuffix;
}

std::string RecoveryCopyPath(const RecoveryCopies& copies, int slot)
{
    return copies.folder + RecoveryCopyName(copies.owner, slot);
}

bool RecoveryCopyOwner(const std::string& name, unsigned long& owner)
{
    const char* begin = name.data();
    const char* end = begin + name.size();
    unsigned long id = 0;
    int slot = 0;
    auto first = std::from_chars(begin, end, id);
    if (first.ec != std::errc() || first.ptr == begin || first.ptr == end || *first.ptr != '-') return false;
    auto second = std::from_chars(first.ptr + 1, end, slot);
    if (second.ec != std::errc() || second.ptr == first.ptr + 1 || slot < 0) return false;
    if (std::string(second.ptr, end) != kRecoverySuffix) return false;
    owner = id;
    return true;
}

CopyStep NextCopyStep(RecoveryCopies& copies, int slot, bool modified, std::uint64_t counter, std::int64_t nowMs,
                      int intervalSeconds)
{
    SlotCopy* copy = CopyOf(copies, slot);
    if (copy == nullptr || copies.folder.empty()) return CopyStep::None;
    if (!modified || intervalSeconds <= 0) {
        copy->pendingSince = -1;
        return copy->onDisk ? CopyStep::Remove : CopyStep::None;
    }
    if (counter != copy->seenCounter || copy->seenAt == 0) {
        copy->seenCounter = counter;
        copy->seenAt = nowMs;
    }
    if (copy->onDisk && copy->copiedCounter == counter) return CopyStep::None;
    if (copy->pendingSince < 0) copy->pendingSince = nowMs;
    const std::int64_t interval = static_cast<std::int64_t>(intervalSeconds) * 1000;
    const bool quiet = nowMs - copy->seenAt >= interval;
    const bool overdue = nowMs - copy->pendingSince >= 4 * interval;
    return quiet || overdue ? CopyStep::Write : CopyStep::None;
}

void NoteCopied(RecoveryCopies& copies, int slot, std::uint64_t counter)
{
    SlotCopy* copy = CopyOf(copies, slot);
    if (copy == nullptr) return;
    copy->onDisk = true;
    copy->copiedCounter = counter;
    copy->pendingSince = -1;
    copy->pieceBytes = kFirstSnapshotPieceBytes;
}

std::size_t SnapshotPieceBytes(RecoveryCopies& copies, int slot)
{
    const SlotCopy* copy = CopyOf(copies, slot);
    return copy ? copy->pieceBytes : kFirstSnapshotPieceBytes;
}

void NoteSnapshotOvertaken(RecoveryCopies& copies, int slot)
{
    SlotCopy* copy = CopyOf(copies, slot);
    if (copy && copy->pieceBytes < kLargestSnapshotPieceBytes) copy->pieceBytes *= 2;
}

void DropRecoveryCopy(RecoveryCopies& copies, int slot)
{
    SlotCopy* copy = CopyOf(copies, slot);
    if (copy == nullptr || copies.folder.empty()) return;
    // A copy may still be on its way even when the last step knew of none: the removal
    // goes through the same queue, after it.
    const std::string path = RecoveryCopyPath(copies, slot);
    if (copies.writer != nullptr)
        copies.writer->Remove(path);
    else
        RemoveFile(path.c_str());
    *copy = SlotCopy{};
}

std::vector<std::string> FindUnownedCopies(const RecoveryCopies& copies, bool (*isAlive)(unsigned long owner))
{
    std::vector<std::string> names, unowned;
    if (copies.folder.empty() || !ListFolder(copies.folder.c_str(), kRecoverySuffix, names)) return unowned;
    for (std::string& name : names) {
        unsigned long owner = 0;
        if (RecoveryCopyOwner(name, owner) && (owner == copies.owner || (isAlive != nullptr && isAlive(owner)))) {
            continue;
        }
        unowned.push_back(std::move(name));
    }
    return unowned;
}

RestoreOutcome RestoreCopies(DocumentsState& documents, const std::vector<std::string>& names)
{
    RestoreOutcome outcome;
    RecoveryCopies& copies = documents.recovery;
    const DocumentsHost& host = documents.host;
    for (const std::string& name : names) {
        const std::string path = copies.folder + name;
        RecoveryRecord record;
        if (ReadCopy(path, record) != RecoveryReadResult::Ok) {
            outcome.damagedNames.push_back(name);
            continue;
        }
        const int slot = TakeTab(documents);
        if (slot < 0) break;  // no memory for more tabs: the rest stay for the next start
        if (!record.path.empty()) ApplyFileType(documents.callbacks, slot, record.path);
        if (host.setText && !host.setText(host.context, slot, std::move(record.text))) break;
        Document& document = *GetDocument(documents.list, slot);
        SetPath(document, record.path);
        document.modified = true;
        document.encoding = record.encoding;
        document.loadedLossily = record.loadedLossily;
        document.writable = record.writable;
        document.stamp = record.stamp;
        CallHost(host.setEditable, host, slot, record.writable);
        CallHost(host.setCaret, host, slot, record.caretLine, record.caretColumn);
        const FileStamp now = record.path.empty() ? FileStamp{} : ReadFileStamp(record.path.c_str());
        if (!record.path.empty() && now != record.stamp) {
            // Told once here: the change checks that follow compare with the file as it is now.
            outcome.changedNames.push_back(document.fileName);
            document.stamp = now;
        }
        // The copy is this editor's now, under its new slot, until the document is saved or
        // closed; it is written again at the next change.
        if (MoveFileOver(path.c_str(), RecoveryCopyPath(copies, slot).c_str())) NoteCopied(copies, slot, ~0ull);
        ++outcome.restored;
    }
    RefreshTitle(documents.callbacks);
    RefreshBar(host);
    return outcome;
}

bool SetAsideCopies(const RecoveryCopies& copies, const std::vector<std::string>& names)
{
    if (copies.folder.empty()) return names.empty();
    const std::string old = copies.folder + "old";
    if (!MakeFolder(old.c_str())) return false;
    const std::string oldFolder = old + copies.folder.back();
    bool all = true;
    for (const std::string& name : names) {
        all = MoveFileOver((copies.folder + name).c_str(), (oldFolder + name).c_str()) && all;
    }
    return all;
}

std::string ChooseRecoveryFolder(const std::string& preferred, const std::string& fallback, char separator)
{
    for (const std::string* folder : {&preferred, &fallback}) {
        if (folder->empty() || !MakeFolder(folder->c_str())) continue;
        // A folder that exists may still refuse new files (read-only media, no rights).
        const std::string probe = *folder + separator + "write-test.tmp";
        if (!ReplaceWholeFile(probe.c_str(), "", 0)) continue;
        RemoveFile(probe.c_str());
        return *folder + separator;
    }
    return std::string();
}
