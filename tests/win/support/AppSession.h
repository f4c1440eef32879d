// Ends a main window that a test started with CreateMainWindow: the window goes, the
// documents' views and tab bar go, and the messages left behind are handled (a WM_QUIT
// among them is dropped), so the next test starts from a fresh application.
#pragma once

#include <windows.h>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"

inline void EndMainWindowForTest()
{
    if (IsWindow(theApp.mainWindow)) DestroyWindow(theApp.mainWindow);
    theApp.mainWindow = nullptr;
    ReleaseDocumentWindows(theApp);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}
