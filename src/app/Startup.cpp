// Start-up order: settings, main window, accelerators, loop.
#include "app/Startup.h"

#include "app/Help.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "documents/RecentFiles.h"
#include "documents/Session.h"
#include "resources/resource.h"

int RunKelvara(HINSTANCE instance, const wchar_t* commandLine, int show)
{
    if (!PrepareSettings()) return kStartupFailedExitCode;
    ReadRecentFiles(theApp.documents.recent, *theApp.settings);
    switch (CreateMainWindow(instance, commandLine, show)) {
    case StartResult::HandedOver:
        return 0;
    case StartResult::Failed:
        return kStartupFailedExitCode;
    case StartResult::Created:
        break;
    }
    StartRecovery(theApp);
    // After the recovered documents, which keep their tabs; a file named on the command
    // line stays the current one.
    DocumentsState& documents = theApp.documents;
    if (ReadSetting(documents, "main", "session") == 1) {
        ReopenSession(documents, ReadSession(*theApp.settings), documents.list.currentSlot);
    }
    RegisterForRestart();
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return MainLoop(theApp.mainWindow, accelerators);
}

int MainLoop(HWND mainWindow, HACCEL accelerators)
{
    MSG message;
    for (;;) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return kStartupFailedExitCode;
        if (accelerators && TranslateAcceleratorW(mainWindow, accelerators, &message)) continue;
        if (OfferToOptionPages(theApp.options.dialog, &message)) continue;
        if (PreTranslateHelpMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
