// The emphasis subsystem in the main window: its connection at start-up (the control
// operations, the settings, and the documents' callbacks for the editor settings of a
// new view and the file-type lookup), and the font command.
#pragma once

struct KelvaraApp;

// Before the first view is made: after it, every view gets its appearance and its
// environment through the emphasis subsystem.
void ConnectEmphasis(KelvaraApp& app);
// The font dialog for the current view's font.
int FontCommand(void* app, int id);
