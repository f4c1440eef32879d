// The two flags of the current document that the user switches from the menu: wrapping at
// the window edge and write protection. The title shows both; the bar shows protection.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

int ToggleWrapCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    Document& current = CurrentDocument(app.documents.list);
    current.wrapped = !current.wrapped;
    SetWrap(CurrentView(), current.wrapped ? 1 : 0, 0, 1);
    SetCommandChecked(app.commands, IDM_VIEW_WRAP, current.wrapped);
    UpdateTitle();
    return 0;
}

int ToggleWriteProtectionCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    Document& current = CurrentDocument(app.documents.list);
    current.writable = !current.writable;
    SetEditable(CurrentView(), current.writable ? 1 : 0);
    CallHost(app.documents.host.repaintBar, app.documents.host);
    UpdateTitle();
    return 0;
}
