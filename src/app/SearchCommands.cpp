// Find and replace on the current view: the find and replace dialogs, F3 and Shift+F3.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "app/frame/StatusBar.h"
#include "resources/resource.h"
#include "search/win32/SearchDialogs.h"

namespace {

void ShowSearchNotice(void* context, const wchar_t* text)
{
    ShowStatusNotice(static_cast<KelvaraApp*>(context)->frame.statusBar, text);
}

template <void (*Command)(const SearchContext&)>
int Run(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    if (!app.settings) return 0;
    Command(SearchContext{&app.search, app.settings.get(), CurrentView(), app.mainWindow, app.instance,
                          &ShowSearchNotice, &app});
    return 0;
}

}  // namespace

int FindCommand(void* app, int id) { return Run<&ShowFindDialog>(app, id); }
int FindDownCommand(void* app, int id) { return Run<&FindNextDownCommand>(app, id); }
int FindUpCommand(void* app, int id) { return Run<&FindNextUpCommand>(app, id); }
int ReplaceCommand(void* app, int id) { return Run<&ShowReplaceDialog>(app, id); }
int MarkAllCommand(void* app, int id) { return Run<&MarkAllMatchesCommand>(app, id); }
