// New tab: always a fresh untitled tab at the end, whatever the new-document policy says
// (that is the new-document command's business). A running tool asks for one as well.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"

int OpenNewTab(KelvaraApp& app)
{
    DocumentsState& documents = app.documents;
    const int slot = AddDocument(documents.list, documents.host);
    if (slot < 0) {
        ShowMessage(app.mainWindow, IDS_MSG_OUT_OF_MEMORY, MB_ICONERROR | MB_OK);
        return 2;
    }
    ApplyEditorSettings(documents.callbacks, slot);
    RefreshBar(documents.host);
    UpdateTitle();
    return 0;
}

int NewTabCommand(void* context, int) { return OpenNewTab(*static_cast<KelvaraApp*>(context)); }
