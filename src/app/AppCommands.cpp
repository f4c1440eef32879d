// Exit.
#include "app/AppCommands.h"

#include "app/KelvaraApp.h"

int ExitCommand(void* context, int)
{
    PostMessageW(static_cast<KelvaraApp*>(context)->mainWindow, WM_CLOSE, 0, 0);
    return 0;
}
