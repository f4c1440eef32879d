// The main window procedure: a thin dispatcher. Commands go through the command table,
// WM_COPYDATA to its own handler; no exception leaves the procedure.
#include <windows.h>

#include "app/CopyDataMessages.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// Until documents can be opened, a request is answered "could not be opened".
int RefuseOpenRequest(const char*, int, bool) { return 3; }

OpenRequestHandler openRequestHandler = &RefuseOpenRequest;

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        LayoutMainWindow(window);
        return 0;
    case WM_SETFOCUS:
        FocusView(0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_COMMAND:
        // An id without a row does nothing.
        DispatchCommand(theApp.commands, LOWORD(wParam), nullptr);
        return 0;
    case WM_COPYDATA:
        return CopyDataMessage(reinterpret_cast<const COPYDATASTRUCT*>(lParam), openRequestHandler);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

OpenRequestHandler SetOpenRequestHandler(OpenRequestHandler handler)
{
    OpenRequestHandler previous = openRequestHandler;
    openRequestHandler = handler ? handler : &RefuseOpenRequest;
    return previous;
}

void LayoutMainWindow(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    MoveView(0, 0, 0, client.right - client.left, client.bottom - client.top);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may unwind into the system's dispatcher.
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
