// The options dialog as the application uses it.
#pragma once

struct KelvaraApp;

// Adds the row of the options command; false when it could not be added.
bool RegisterOptionsCommand(KelvaraApp& app);

// Fills the pages' host from the application and registers the pages, the tools page
// among them. False when the page table cannot be made.
bool PrepareOptionPages(KelvaraApp& app);
