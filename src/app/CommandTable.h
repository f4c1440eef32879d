// The commands of the main window: one row per command id (or per range of ids, as the
// tool entries use), each with its handler, the state record the handler works on, and
// the checked flag that the owner-drawn menus draw. The menus have no greyed state: a
// command that cannot act does nothing when chosen. Each subsystem adds its own rows
// at start-up through RegisterCommand; the main window procedure only dispatches.
// Portable: ids are plain integers and handlers plain function pointers.
#pragma once

#include <vector>

// Runs command `id` on `context` (the record given at registration); the result goes
// back to whoever sent the command (0 when the sender expects none). Must not throw.
using CommandHandler = int (*)(void* context, int id);

struct CommandRow {
    int firstId = 0;
    int lastId = 0;  // firstId for a single command
    CommandHandler handler = nullptr;
    void* context = nullptr;
    bool checked = false;
};

// Invariant: rows are sorted by firstId and no two rows share an id.
struct CommandTable {
    std::vector<CommandRow> rows;
};

// Adds a row for `id` (or for every id from firstId through lastId). False, and the
// table unchanged, when the handler is null, the range is empty, an id already has a row
// (a second subsystem claiming a command is a mistake to catch at start-up, not to
// resolve silently), or memory runs out.
bool RegisterCommand(CommandTable& table, int id, CommandHandler handler, void* context);
bool RegisterCommandRange(CommandTable& table, int firstId, int lastId, CommandHandler handler, void* context);

// Runs the row of `id`. False when no row has it (the command then does nothing);
// otherwise *result (when not null) receives the handler's result.
bool DispatchCommand(const CommandTable& table, int id, int* result);

// The checked flag of the row of `id`; setting it on an id without a row does nothing
// and returns false.
bool SetCommandChecked(CommandTable& table, int id, bool checked);
bool IsCommandChecked(const CommandTable& table, int id);
