// Bookmarks of the current view: toggle on the caret line, the next one below or above
// (the search does not wrap around), and remove them all. Lines count from 1.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

int Toggle(void*, int)
{
    const int view = CurrentView(), line = GetCaretLine(view);
    SetBookmark(view, line, IsBookmarked(view, line) == 0 ? 1 : 0, 1);
    return 0;
}

// Moves the caret to the first bookmarked line from `from` in steps of `step`; the
// message says so when there is none.
int Seek(int step, int notFoundMessage)
{
    const int view = CurrentView(), last = GetLineCount(view);
    for (int line = GetCaretLine(view) + step; line >= 1 && line <= last; line += step) {
        if (IsBookmarked(view, line) == 1) {
            SetCaretLine(view, line);
            return 0;
        }
    }
    ShowMessage(theApp.mainWindow, notFoundMessage, MB_ICONEXCLAMATION | MB_OK);
    return 0;
}

int Down(void*, int) { return Seek(1, IDS_MSG_NO_BOOKMARK_BELOW); }
int Up(void*, int) { return Seek(-1, IDS_MSG_NO_BOOKMARK_ABOVE); }

int RemoveAll(void*, int)
{
    const int view = CurrentView(), last = GetLineCount(view);
    for (int line = 1; line <= last; ++line) SetBookmark(view, line, 0, 0);
    RedrawView(view);
    return 0;
}

}  // namespace

bool RegisterBookmarkCommands(KelvaraApp& app)
{
    return RegisterCommand(app.commands, IDM_SEARCH_BOOKMARK_TOGGLE, &Toggle, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_BOOKMARK_DOWN, &Down, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_BOOKMARK_UP, &Up, &app) &&
           RegisterCommand(app.commands, IDM_SEARCH_BOOKMARK_CLEAR, &RemoveAll, &app);
}
