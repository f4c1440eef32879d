// Go to line: a small modal dialog whose spin control runs from 1 to the current view's
// last line and starts at the caret line; the chosen line gets the caret.
#include <windows.h>

#include <commctrl.h>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "platform/ModalUi.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct LineRange {
    int last;
    int start;
};

INT_PTR CALLBACK GoToLineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const LineRange& range = *reinterpret_cast<const LineRange*>(lParam);
        HWND spin = GetDlgItem(dialog, IDC_GOTO_LINE_SPIN);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_GOTO_LINE_EDIT)), 0);
        SendMessageW(spin, UDM_SETRANGE32, 1, range.last);
        SendMessageW(spin, UDM_SETPOS32, 0, range.start);
        SendDlgItemMessageW(dialog, IDC_GOTO_LINE_EDIT, EM_SETSEL, 0, -1);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // The spin control's position keeps a typed number inside the range.
            BOOL failed = FALSE;
            const LRESULT line =
                SendDlgItemMessageW(dialog, IDC_GOTO_LINE_SPIN, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
            EndDialog(dialog, line);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, -1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int GoToLineCommand(void* context, int)
{
    const KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    const int view = CurrentView();
    LineRange range{GetLineCount(view), GetCaretLine(view)};
    const INT_PTR line = ShowModalDialog(ModalDialogRequest{app.instance, IDD_GOTO_LINE, app.mainWindow, &GoToLineProc,
                                                            reinterpret_cast<LPARAM>(&range)});
    if (line == -1) return 0;
    // A number typed past either end of the range means that end.
    SetCaretLine(view, line < 1 ? 1 : line > range.last ? range.last : static_cast<int>(line));
    return 0;
}
