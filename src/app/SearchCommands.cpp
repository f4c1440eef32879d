// Find and replace on the current view: the find and replace dialogs, F3 and Shift+F3.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "search/win32/SearchDialogs.h"

namespace {

template <void (*Command)(const SearchContext&)>
int Run(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    if (!app.settings) return 0;
    Command(SearchContext{&app.search, app.settings.get(), CurrentView(), app.mainWindow, app.instance});
    return 0;
}

}  // namespace

bool RegisterSearchCommands(KelvaraApp& app)
{
    return RegisterCommand(app.commands, IDM_SEARCH_FIND, &Run<&ShowFindDialog>, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_FIND_DOWN, &Run<&FindNextDownCommand>, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_FIND_UP, &Run<&FindNextUpCommand>, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_REPLACE, &Run<&ShowReplaceDialog>, &app);
}
