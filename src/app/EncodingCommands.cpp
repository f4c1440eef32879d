// The encoding commands of the main window.
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "documents/win32/EncodingDialogs.h"

int ReopenInEncodingCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    ReopenCurrentInChosenEncoding(app.documentWindows, app.instance);
    return 0;
}
