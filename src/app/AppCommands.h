// The commands that the application itself answers: the editing commands that go
// straight to the current view, and exit.
#pragma once

#include "app/DocumentCommands.h"

// Runs one editing operation on the current view. The accelerators turn Ctrl+C, Ctrl+Z
// and the like into these commands, so each must have a row or the key would do nothing.
template <void (*Operation)(int view)>
int OnCurrentViewCommand(void*, int)
{
    Operation(CurrentView());
    return 0;
}

// Asks the main window to close, with the questions closing asks.
int ExitCommand(void* app, int id);
