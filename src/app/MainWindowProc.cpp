// The main window procedure: a thin dispatcher. Commands go through the command table,
// WM_COPYDATA to its own handler; no exception leaves the procedure.
#include <windows.h>

#include <commctrl.h>

#include "app/CopyDataMessages.h"
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/MainWindowPlacement.h"
#include "app/ShellCommands.h"
#include "app/frame/Menus.h"
#include "documents/FileChanges.h"
#include "documents/OpenFile.h"
#include "documents/SaveDocuments.h"
#include "emphasis/win32/EmphasisWindows.h"
#include "textcontrol/win32/EditControl.h"
#include "tools/win32/RunTool.h"

namespace {

// A request from another instance opens its file like any other open.
int OpenRequestedFile(const char* path, int mode, bool showErrors)
{
    return OpenFile(theApp.documents, path, mode, showErrors);
}

OpenRequestHandler openRequestHandler = &OpenRequestedFile;

// The drop-down arrow of the toolbar and a click on the status bar's encoding; every other
// notice goes to the default procedure.
LRESULT ToolBarNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    const ToolBar& toolBar = theApp.frame.toolBar;
    if (header && toolBar.window && header->hwndFrom == toolBar.window && header->code == TBN_DROPDOWN) {
        ShowEnvironmentDropDown(toolBar, *reinterpret_cast<const NMTOOLBARW*>(lParam), theApp.emphasis, CurrentView(),
                                theApp.frame.statusBar.window);
        return 0;
    }
    // A click on the encoding offers to read the file again in another one.
    const StatusBar& statusBar = theApp.frame.statusBar;
    if (header && statusBar.window && header->hwndFrom == statusBar.window && header->code == NM_CLICK &&
        reinterpret_cast<const NMMOUSE*>(lParam)->dwItemSpec == kStatusEncoding) {
        ReopenInEncodingCommand(&theApp, 0);
        return 0;
    }
    DefWindowProcW(window, message, wParam, lParam);
    return 0;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        // The menu bar goes with the window; a later build must not destroy it again.
        theApp.frame.mainMenu = nullptr;
        StopRecovery(theApp);
        PostQuitMessage(0);
        return 0;
    case WM_TIMER:
        if (wParam != kRecoveryTimer) return DefWindowProcW(window, message, wParam, lParam);
        RecoveryTick(theApp);
        return 0;
    case WM_SIZE:
        LayoutMainWindow(window, wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        if (theApp.tabBar.barWindow) RepaintBar(theApp.tabBar);
        FocusView(CurrentView());
        return 0;
    case WM_VIEW_LINK_HOVER:
        ShowLinkHint(static_cast<int>(wParam));
        return 0;
    case WM_CLOSE:
        // While a modal tool is waited for, the user is asked whether to stop waiting first.
        if (HoldCloseWhileWaiting(theApp.runningTool, window)) return 0;
        // Every document is closed with its questions first; a cancel keeps the program.
        if (!ConfirmExit(theApp.documents)) return 0;
        KeepMainWindowPlacement(window, *theApp.settings);
        DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        return QueryEndSession(window, lParam);
    case WM_ENDSESSION:
        EndSession(theApp, wParam != FALSE);
        return 0;
    case WM_ACTIVATEAPP:
        // Back from another program: its changes to open files are noticed now. Posted, so
        // that the activation finishes before a question is shown.
        if (wParam) PostMessageW(window, WM_CHECK_FILE_CHANGES, 0, 0);
        return 0;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == theApp.frame.recentMenu) {
            FillRecentMenu(theApp.frame, theApp.documents.recent.paths);
            return 0;
        }
        if (reinterpret_cast<HMENU>(wParam) == theApp.frame.windowMenu) {
            FillDocumentMenu(theApp.frame, DocumentMenuEntries(theApp.documents.list, WindowMenuAccessKeys(theApp.frame)));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CHECK_FILE_CHANGES:
        CheckFileChanges(theApp.documents);
        return 0;
    case WM_DROPFILES:
        OpenDroppedFiles(theApp.documentWindows, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_FIND_IN_FILES:
        FindInFilesNewsArrived(theApp);
        return 0;
    case WM_VIEW_MODIFIED:
        MarkCurrentModified();
        return 0;
    case WM_VIEW_TEXT_LOST:
        ShowLostCharacters(static_cast<long long>(lParam));
        return 0;
    case WM_VIEW_CARET_MOVED:
        UpdateCaretStatus();
        return 0;
    case WM_NOTIFY:
        return ToolBarNotice(window, message, wParam, lParam);
    case WM_TAB_CHANGED:
        UpdateTitle();
        return 0;
    case WM_MEASUREITEM:
        if (MeasureMenuEntry(theApp.frame, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_VIEW_MARK) {
            DrawLineEndMark(theApp.markDrawing, theApp.emphasis, item);
            return TRUE;
        }
        if (item.CtlType == ODT_MENU &&
            DrawMenuEntry(theApp.frame, item, IsCommandChecked(theApp.commands, static_cast<int>(item.itemID)))) {
            return TRUE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_MENUCHAR:
        return AnswerMenuCharMessage(theApp.frame, wParam, lParam);
    case WM_MENUSELECT:
        ShowMenuHelp(theApp.frame.statusBar, theApp.instance, LOWORD(wParam));
        return 0;
    case WM_VIEW_CONTEXT_MENU:
        ShowContextMenu(theApp.frame, window, lParam);
        return 0;
    case WM_COMMAND:
        // An id without a row does nothing.
        DispatchCommand(theApp.commands, LOWORD(wParam), nullptr);
        return 0;
    case WM_TOOL_NEW_DOCUMENT:
        return OpenNewTab(theApp);
    case WM_TOOL_WINDOW:
        return AnnounceToolWindow(theApp.runningTool, window, reinterpret_cast<HWND>(wParam));
    case WM_NCACTIVATE:
        BringToolWindowForward(theApp.runningTool);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_COPYDATA:
        return CopyDataMessage(reinterpret_cast<const COPYDATASTRUCT*>(lParam), openRequestHandler);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

void ShowLinkHint(int kind)
{
    // 5 over a web address, 6 over a mail address, anything else: no link under the pointer.
    const wchar_t* hint = kind == 5   ? L"ダブルクリックするとブラウザを開きます。"
                          : kind == 6 ? L"ダブルクリックするとメーラーを開きます。"
                                      : L"";
    SetStatusBarText(theApp.frame.statusBar, kStatusHelp, hint);
}

int OpenRequestedFileAs(const char* path, int mode, bool showErrors, EncodingCode code)
{
    return OpenFile(theApp.documents, path, mode, showErrors, code);
}

OpenRequestHandler SetOpenRequestHandler(OpenRequestHandler handler)
{
    OpenRequestHandler previous = openRequestHandler;
    openRequestHandler = handler ? handler : &OpenRequestedFile;
    return previous;
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
