// The rows of the command table that the application itself answers: the editing
// commands that go straight to the current view, and exit.
#pragma once

struct KelvaraApp;

// Adds the rows; false when one could not be added.
bool RegisterAppCommands(KelvaraApp& app);
