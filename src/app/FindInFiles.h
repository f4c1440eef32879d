// Find in files in the main window: the running search and the tab its results go into.
#pragma once

#include <windows.h>

#include "documents/Document.h"
#include "search/win32/FindInFilesRun.h"

// Posted by the search's worker to the main window when it has news.
constexpr UINT WM_FIND_IN_FILES = WM_APP + 120;

struct FindInFilesTab {
    FindInFilesRun run;
    int slot = -1;                       // the results tab's slot while the search runs
    const Document* document = nullptr;  // the document that was in it (the tab may close)
};

struct KelvaraApp;

// The worker's news: the lines found go to the results tab, the progress to the status
// bar, and at the end the summary to both.
void FindInFilesNewsArrived(KelvaraApp& app);
// A view of the results tab was asked to open the result at its caret (Enter, a double
// click) or Escape was pressed while a search runs: true when the key or click was taken.
bool FindInFilesKey(KelvaraApp& app, int slot, UINT message, WPARAM key);
