// Recovery copies of modified documents: when each is due, whose copies a folder holds,
// and giving them back at start. One file per document in the recovery folder, named
// "<process id>-<slot>.kvr" after the editor that owns it; an editor owns its copies for as
// long as its process lives, so a copy whose owner is gone was left by a crash, a power
// cut or a forced end, and is offered back at the next start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RecoveryWriter;
struct DocumentsState;

constexpr char kRecoverySuffix[] = ".kvr";

// What the program knows about one slot's copy. pendingSince is the time of the first
// change not copied yet (-1: none).
// A snapshot of the text is taken a piece per timer step, this much at first and at most
// the larger size: a step of 16 MB took at most about 20 ms under Wine while typing into
// 100 MB, so no step makes a key noticeably late, and typing at a person's pace (gaps of
// 100 ms and more) still lets a 100 MB text's copy finish.
constexpr std::size_t kFirstSnapshotPieceBytes = std::size_t(1) << 20;
constexpr std::size_t kLargestSnapshotPieceBytes = std::size_t(1) << 24;

struct SlotCopy {
    bool onDisk = false;
    std::size_t pieceBytes = kFirstSnapshotPieceBytes;  // grows while changes overtake the snapshots
    std::uint64_t copiedCounter = 0;  // the view's change counter when the copy was taken
    std::uint64_t seenCounter = 0;
    std::int64_t seenAt = 0;  // milliseconds, when seenCounter was first seen
    std::int64_t pendingSince = -1;
};

struct RecoveryCopies {
    std::string folder;  // ends with its separator; empty: no copies are kept
    unsigned long owner = 0;  // this process's id
    std::vector<SlotCopy> slots;
    // Carries out writes and removals in order off the window's thread; null: here, at once.
    RecoveryWriter* writer = nullptr;
};

// The file of slot's copy (folder and name).
std::string RecoveryCopyPath(const RecoveryCopies& copies, int slot);
std::string RecoveryCopyName(unsigned long owner, int slot);
// The owner of a copy's file name; false for a name not made by RecoveryCopyName.
bool RecoveryCopyOwner(const std::string& name, unsigned long& owner);

enum class CopyStep { None, Write, Remove };

// What to do about slot's copy at nowMs: a modified document is copied once intervalSeconds
// have passed since its last change, or at the latest four intervals after the first
// change not copied (so steady typing still gets a copy); an unmodified one (saved,
// reloaded) or copies turned off (interval 0) lose theirs. counter is the view's change counter.
CopyStep NextCopyStep(RecoveryCopies& copies, int slot, bool modified, std::uint64_t counter, std::int64_t nowMs,
                      int intervalSeconds);
// The copy of slot taken at counter is on its way to disk.
void NoteCopied(RecoveryCopies& copies, int slot, std::uint64_t counter);
// How much of slot's text one step of its snapshot takes. A snapshot overtaken by a change
// is begun again with pieces twice as large (up to the largest), so that steady typing into
// a large document still ends in a copy instead of never finishing one; a finished copy
// brings the pieces back to their first size.
std::size_t SnapshotPieceBytes(RecoveryCopies& copies, int slot);
void NoteSnapshotOvertaken(RecoveryCopies& copies, int slot);
// Removes slot's copy (the document was saved or closed).
void DropRecoveryCopy(RecoveryCopies& copies, int slot);

// Names of the copies in the folder that no living editor owns (isAlive says whether a
// process id is alive; this process's own are skipped). A name of another form counts as
// unowned: nothing living writes it.
std::vector<std::string> FindUnownedCopies(const RecoveryCopies& copies, bool (*isAlive)(unsigned long owner));

// What restoring gave back.
struct RestoreOutcome {
    int restored = 0;
    std::vector<std::string> changedNames;  // their file changed since the copy's text was read
    std::vector<std::string> damagedNames;  // refused whole and kept where they are
};

// Opens each named copy in a tab of its own under its own path, marked modified, with its
// encoding, flags and caret; the copy then belongs to this editor under its new slot.
RestoreOutcome RestoreCopies(DocumentsState& documents, const std::vector<std::string>& names);

// Moves the named copies into the folder's "old" subfolder, replacing copies of the same
// name there; false when one could not be moved (it stays where it was).
bool SetAsideCopies(const RecoveryCopies& copies, const std::vector<std::string>& names);

// The first of the folders that can be made and written into, with its separator added:
// preferred ("backup" beside the settings), else fallback; empty when neither can.
std::string ChooseRecoveryFolder(const std::string& preferred, const std::string& fallback, char separator);
