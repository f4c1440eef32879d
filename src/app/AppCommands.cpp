// The application's own command rows.
#include "app/AppCommands.h"

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// A row that runs one editing operation on the current view. The accelerators turn
// Ctrl+C, Ctrl+Z and the like into these commands, so each must have a row or the key
// would do nothing at all.
template <void (*Operation)(int view)>
int OnCurrentView(void*, int)
{
    Operation(CurrentView());
    return 0;
}

int Exit(void* context, int)
{
    PostMessageW(static_cast<KelvaraApp*>(context)->mainWindow, WM_CLOSE, 0, 0);
    return 0;
}

struct Row {
    int id;
    CommandHandler handler;
};

constexpr Row kViewRows[] = {
    {IDM_EDIT_COPY, &OnCurrentView<&Copy>},         {IDM_EDIT_CUT, &OnCurrentView<&Cut>},
    {IDM_EDIT_PASTE, &OnCurrentView<&Paste>},       {IDM_EDIT_UNDO, &OnCurrentView<&Undo>},
    {IDM_EDIT_REDO, &OnCurrentView<&Redo>},         {IDM_EDIT_INDENT, &OnCurrentView<&Indent>},
    {IDM_EDIT_UNINDENT, &OnCurrentView<&Unindent>}, {IDM_EDIT_SELECT_ALL, &OnCurrentView<&SelectAll>},
};

}  // namespace

bool RegisterAppCommands(KelvaraApp& app)
{
    for (const Row& row : kViewRows) {
        if (!RegisterCommand(app.commands, row.id, row.handler, nullptr)) return false;
    }
    return RegisterCommand(app.commands, IDM_FILE_EXIT, &Exit, &app);
}
