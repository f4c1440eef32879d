// The options dialog as the application uses it.
#pragma once

struct KelvaraApp;

// Shows the options dialog; after OK everything open takes the stored settings.
int OptionsCommand(void* app, int id);

// Fills the pages' host from the application and registers the pages, the tools page
// among them. False when the page table cannot be made.
bool PrepareOptionPages(KelvaraApp& app);
