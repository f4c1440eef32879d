// The command table of the main window as the program fills it (src/app/Commands.cpp).
#pragma once

struct KelvaraApp;

// Empties app.commands and adds every row, each handler with the application object as
// its context. False when a row could not be added (two rows claiming one id).
bool RegisterMainWindowCommands(KelvaraApp& app);
