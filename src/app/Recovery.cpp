// The recovery copies' folder, timer, start-up offer and end-of-session copies.
#include "app/Recovery.h"

#include <shlobj.h>

#include "app/KelvaraApp.h"
#include "documents/RecoveryCopies.h"
#include "documents/RecoveryRecord.h"
#include "files/FolderAccess.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr UINT kIdlePeriod = 500;   // looking for due copies
constexpr UINT kPiecePeriod = 15;   // while a copy is being taken

// A process that cannot be opened for lack of rights still runs (another user's editor).
bool IsProcessAlive(unsigned long id)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

std::string LocalDataFolder()
{
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder))) return std::string();
    std::string own = InternalFromWide(folder);
    if (own.empty()) return own;
    own += "\\KelvaraTextEditor";
    MakeFolder(own.c_str());
    return own + "\\backup";
}

void SetPeriod(KelvaraApp& app, UINT period)
{
    if (app.recovery.period == period || app.mainWindow == nullptr) return;
    app.recovery.period = SetTimer(app.mainWindow, kRecoveryTimer, period, nullptr) ? period : 0;
}

RecoveryRecord DescribeDocument(const Document& document, int slot)
{
    RecoveryRecord record;
    record.path = document.filePath;
    record.encoding = document.encoding;
    record.loadedLossily = document.loadedLossily;
    record.writable = document.writable;
    record.caretLine = GetCaretLine(slot);
    record.caretColumn = GetCaretPosition(slot);
    if (record.caretLine < 1) record.caretLine = 1;
    if (record.caretColumn < 1) record.caretColumn = 1;
    record.stamp = document.stamp;
    return record;
}

// The document of the copy being taken still holds the text the copy began with.
bool SnapshotStillValid(KelvaraApp& app, const RecoverySnapshot& snapshot)
{
    const Document* document = GetDocument(app.documents.list, snapshot.slot);
    return document != nullptr && document->modified && GetChangeCounter(snapshot.slot) == snapshot.counter;
}

void BeginSnapshot(KelvaraApp& app, int slot)
{
    RecoverySnapshot& snapshot = app.recovery.snapshot;
    const Document* document = GetDocument(app.documents.list, slot);
    if (document == nullptr) return;
    try {
        snapshot.bytes = RecoveryHeader(DescribeDocument(*document, slot));
        snapshot.headerLength = snapshot.bytes.size();
        snapshot.total = GetHeldLength(slot);
        // Room for the text with CR LF line ends is not known without a pass over it:
        // the held length plus a little is a good first guess.
        snapshot.bytes.reserve(snapshot.headerLength + snapshot.total + snapshot.total / 16 + 16);
    } catch (const std::bad_alloc&) {
        snapshot = RecoverySnapshot{};
        return;
    }
    snapshot.slot = slot;
    snapshot.counter = GetChangeCounter(slot);
    snapshot.next = 0;
}

// Copies the next piece; hands the finished copy to the writer.
void ContinueSnapshot(KelvaraApp& app)
{
    RecoverySnapshot& snapshot = app.recovery.snapshot;
    RecoveryCopies& copies = app.documents.recovery;
    if (!SnapshotStillValid(app, snapshot)) {
        const Document* document = GetDocument(app.documents.list, snapshot.slot);
        if (document != nullptr && document->modified) NoteSnapshotOvertaken(copies, snapshot.slot);
        snapshot = RecoverySnapshot{};  // the next look at the documents begins it again
        return;
    }
    if (snapshot.next < snapshot.total) {
        const std::size_t piece = SnapshotPieceBytes(copies, snapshot.slot);
        const std::size_t after = AppendTextPiece(snapshot.slot, snapshot.next, piece, 4, snapshot.bytes);
        if (after == snapshot.next) {  // memory ran out: try again later
            snapshot = RecoverySnapshot{};
            return;
        }
        snapshot.next = after;
        if (snapshot.next < snapshot.total) return;
    }
    const std::uint64_t textLength = snapshot.bytes.size() - snapshot.headerLength;
    app.recovery.writer->Write(RecoveryCopyPath(copies, snapshot.slot), std::move(snapshot.bytes), textLength);
    NoteCopied(copies, snapshot.slot, snapshot.counter);
    snapshot = RecoverySnapshot{};
}

std::string JoinNames(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "\n") + name;
    return joined;
}

void OfferUnownedCopies(KelvaraApp& app)
{
    DocumentsState& documents = app.documents;
    const std::vector<std::string> names = FindUnownedCopies(documents.recovery, &IsProcessAlive);
    if (names.empty()) return;
    if (ShowMessage(app.mainWindow, IDS_MSG_RESTORE_COPIES, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SetAsideCopies(documents.recovery, names);
        return;
    }
    const RestoreOutcome outcome = RestoreCopies(documents, names);
    const DocumentsHost& host = documents.host;
    if (host.showNamedMessage == nullptr) return;
    if (!outcome.changedNames.empty()) {
        host.showNamedMessage(host.context, IDS_MSG_RESTORED_FILE_CHANGED, MB_OK | MB_ICONWARNING,
                              JoinNames(outcome.changedNames));
    }
    if (!outcome.damagedNames.empty()) {
        host.showNamedMessage(host.context, IDS_MSG_DAMAGED_COPIES_KEPT, MB_OK | MB_ICONWARNING,
                              JoinNames(outcome.damagedNames));
    }
}

}  // namespace

void StartRecovery(KelvaraApp& app)
{
    RecoveryCopies& copies = app.documents.recovery;
    std::string preferred;
    if (app.programFolder[0] != '\0') preferred = std::string(app.programFolder) + "backup";
    copies.folder = ChooseRecoveryFolder(preferred, LocalDataFolder(), '\\');
    copies.owner = GetCurrentProcessId();
    if (copies.folder.empty()) return;  // nowhere to keep copies: the editor works without
    try {
        app.recovery.writer = std::make_unique<RecoveryWriter>();
    } catch (const std::bad_alloc&) {
        copies.folder.clear();
        return;
    }
    copies.writer = app.recovery.writer.get();
    OfferUnownedCopies(app);
    SetPeriod(app, kIdlePeriod);
}

void RecoveryTick(KelvaraApp& app)
{
    DocumentsState& documents = app.documents;
    RecoveryCopies& copies = documents.recovery;
    if (copies.folder.empty() || !app.recovery.writer) return;
    if (app.recovery.snapshot.slot >= 0) {
        ContinueSnapshot(app);
    } else {
        const int interval = ReadSetting(documents, "backup", "interval");
        const std::int64_t now = static_cast<std::int64_t>(GetTickCount64());
        for (int slot = 0; slot < documents.list.slotCount; ++slot) {
            const Document* document = GetDocument(documents.list, slot);
            if (document == nullptr) continue;
            switch (NextCopyStep(copies, slot, document->modified, GetChangeCounter(slot), now, interval)) {
            case CopyStep::Remove:
                DropRecoveryCopy(copies, slot);
                break;
            case CopyStep::Write:
                if (app.recovery.snapshot.slot < 0) BeginSnapshot(app, slot);
                break;
            case CopyStep::None:
                break;
            }
        }
    }
    SetPeriod(app, app.recovery.snapshot.slot >= 0 ? kPiecePeriod : kIdlePeriod);
}

void WriteRecoveryCopiesNow(KelvaraApp& app)
{
    DocumentsState& documents = app.documents;
    RecoveryCopies& copies = documents.recovery;
    if (copies.folder.empty() || !app.recovery.writer) return;
    app.recovery.snapshot = RecoverySnapshot{};
    for (int slot = 0; slot < documents.list.slotCount; ++slot) {
        const Document* document = GetDocument(documents.list, slot);
        if (document == nullptr || !document->modified) continue;
        const unsigned long long counter = GetChangeCounter(slot);
        if (slot < static_cast<int>(copies.slots.size()) && copies.slots[slot].onDisk &&
            copies.slots[slot].copiedCounter == counter) {
            continue;
        }
        try {
            std::string bytes = RecoveryHeader(DescribeDocument(*document, slot));
            const std::size_t header = bytes.size();
            const std::size_t held = GetHeldLength(slot);
            if (AppendTextPiece(slot, 0, held, 4, bytes) != held) continue;  // memory ran out
            const std::uint64_t textLength = bytes.size() - header;
            app.recovery.writer->Write(RecoveryCopyPath(copies, slot), std::move(bytes), textLength);
            NoteCopied(copies, slot, counter);
        } catch (const std::bad_alloc&) {
        }
    }
    app.recovery.writer->Flush();
}

void StopRecovery(KelvaraApp& app)
{
    if (app.mainWindow) KillTimer(app.mainWindow, kRecoveryTimer);
    app.recovery.period = 0;
    app.recovery.snapshot = RecoverySnapshot{};
    if (app.recovery.writer) app.recovery.writer->Flush();
}
