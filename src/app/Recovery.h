// The recovery copies on Windows: the recovery folder and its owner mark, the timer that
// copies modified documents in pieces so that typing never waits for a large one, the
// offer of a crashed session's copies at start, and the copies written at once when
// Windows ends the session.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "documents/RecoveryWriter.h"

struct KelvaraApp;

// One document's copy being taken: the record header, then its text piece by piece.
struct RecoverySnapshot {
    int slot = -1;  // -1: none being taken
    unsigned long long counter = 0;  // the view's change counter when it began
    std::size_t next = 0;   // held position of the next piece
    std::size_t total = 0;  // held length
    std::size_t headerLength = 0;
    std::string bytes;
};

struct RecoveryRun {
    std::unique_ptr<RecoveryWriter> writer;
    RecoverySnapshot snapshot;
    UINT period = 0;  // the timer's current period in milliseconds
};

constexpr UINT_PTR kRecoveryTimer = 0x4b52;

// Chooses the folder ("backup" beside kvte.ini, else under the local application data),
// starts the writer and the timer, then offers the copies that no running editor owns
// (message 74): Yes restores them (message 75 names those whose file changed since, 77
// those that are damaged and kept), No moves them to "backup\old".
void StartRecovery(KelvaraApp& app);
// The timer: continues the copy being taken, or starts the next one that is due and
// removes those no longer needed.
void RecoveryTick(KelvaraApp& app);
// Copies every modified document now and waits until they are on disk.
void WriteRecoveryCopiesNow(KelvaraApp& app);
// Stops the timer and finishes what the writer still holds.
void StopRecovery(KelvaraApp& app);

// Windows ending the session: the same questions as closing the window, with the reason
// the editor holds the session up shown while they are open; FALSE when the user cancels.
// An end that cannot wait (critical, or the restart manager closing the program for an
// update) asks nothing: the modified documents are copied and come back at the next start.
LRESULT QueryEndSession(HWND window, LPARAM flags);
// The session ends (ending TRUE): every modified document is copied before the process goes.
void EndSession(KelvaraApp& app, bool ending);
// Asks Windows to start the editor again after an update's restart, when its documents
// are offered back from their copies.
void RegisterForRestart();

// Posted when the program is activated: the open files are checked for other programs'
// changes once the activation is over.
constexpr UINT WM_CHECK_FILE_CHANGES = WM_APP + 110;

// The reload command: the current document read again from its file (message 71 first
// when the tab holds changes of its own).
int ReloadCommand(void* app, int id);
// Entry id - IDM_FILE_RECENT_FIRST of the recently used files.
int OpenRecentCommand(void* app, int id);
// Entry id - IDM_WINDOW_DOCUMENT_FIRST of the window menu's document list: its tab is shown.
int SelectDocumentCommand(void* app, int id);
