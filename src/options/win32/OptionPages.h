// The pages of the options dialog of this folder, each a description run by one page
// procedure: the page's table (options/PageTable.h) and the few hooks for what a table
// cannot say. The procedure shows the table at WM_INITDIALOG, relays WM_COMMAND to the
// page's hook, shows the help topic at WM_OPTION_HELP and at WM_OPTION_APPLY writes the
// page, as one settings batch.
#pragma once

#include <windows.h>

#include "config/ProfileBatch.h"
#include "options/PageTable.h"

struct PageDescription {
    const PageTable* table;     // null: the page keeps its values its own way
    const wchar_t* helpTopic;   // null: help does nothing (WM_OPTION_HELP not handled)
    bool complaintsAfterWrite;  // refused numbers are told after the batch is written
    void (*initialise)(HWND page);            // after the table is shown
    bool (*command)(HWND page, int control);  // true when the page handled the command
    // Before the batch is begun; false: the page writes nothing at this OK.
    bool (*beforeWrite)(HWND page);
    void (*write)(HWND page, ProfileBatch& batch);  // after the table's rows
    void (*destroy)(HWND page);                     // at WM_NCDESTROY
};

// The one page procedure. No exception leaves it: a failure inside a page is reported
// with message 2 and the message counts as not handled.
INT_PTR RunPage(const PageDescription& description, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

template <const PageDescription& Description>
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(Description, page, message, wParam, lParam);
}

extern const PageDescription kGeneralPage;
extern const PageDescription kConfirmPage;
extern const PageDescription kSavePage;
extern const PageDescription kEditorPage;
extern const PageDescription kMarksPage;
extern const PageDescription kClickablePage;
extern const PageDescription kFileTypesPage;
extern const PageDescription kTabsPage;
extern const PageDescription kSafetyPage;
