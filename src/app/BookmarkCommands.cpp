// Bookmarks of the current view: toggle on the caret line, the next one below or above
// (the search does not wrap around), and remove them all. Lines count from 1.
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// Moves the caret to the first bookmarked line from the caret's in steps of `step`; the
// message says so when there is none.
int Seek(void* context, int step, int notFoundMessage)
{
    const int view = CurrentView(), last = GetLineCount(view);
    for (int line = GetCaretLine(view) + step; line >= 1 && line <= last; line += step) {
        if (IsBookmarked(view, line) == 1) {
            SetCaretLine(view, line);
            return 0;
        }
    }
    ShowMessage(static_cast<KelvaraApp*>(context)->mainWindow, notFoundMessage, MB_ICONEXCLAMATION | MB_OK);
    return 0;
}

}  // namespace

int ToggleBookmarkCommand(void*, int)
{
    const int view = CurrentView(), line = GetCaretLine(view);
    SetBookmark(view, line, IsBookmarked(view, line) == 0 ? 1 : 0, 1);
    return 0;
}

int BookmarkDownCommand(void* context, int) { return Seek(context, 1, IDS_MSG_NO_BOOKMARK_BELOW); }
int BookmarkUpCommand(void* context, int) { return Seek(context, -1, IDS_MSG_NO_BOOKMARK_ABOVE); }

int RemoveBookmarksCommand(void*, int)
{
    const int view = CurrentView(), last = GetLineCount(view);
    for (int line = 1; line <= last; ++line) SetBookmark(view, line, 0, 0);
    RedrawView(view);
    return 0;
}
