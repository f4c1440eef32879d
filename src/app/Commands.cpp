// Every command of the main window, in the order of its command list, and the handler
// that runs it. The menus, the toolbar and the accelerators name these ids; an id
// without a row does nothing. The handlers live with the work they do.
#include "app/Commands.h"

#include "app/AppCommands.h"
#include "app/DocumentCommands.h"
#include "app/EmphasisCommands.h"
#include "app/KelvaraApp.h"
#include "app/OptionsCommand.h"
#include "app/Recovery.h"
#include "app/ShellCommands.h"
#include "app/ToolBarAndStatusBar.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct Row {
    constexpr Row(int id, CommandHandler run) : firstId(id), lastId(id), handler(run) {}
    constexpr Row(int first, int last, CommandHandler run) : firstId(first), lastId(last), handler(run) {}
    int firstId;
    int lastId;
    CommandHandler handler;
};

constexpr Row kRows[] = {
    {IDM_FILE_NEW, &NewDocumentCommand},
    {IDM_FILE_EXIT, &ExitCommand},
    {IDM_EDIT_COPY, &OnCurrentViewCommand<&Copy>},
    {IDM_EDIT_CUT, &OnCurrentViewCommand<&Cut>},
    {IDM_EDIT_PASTE, &OnCurrentViewCommand<&Paste>},
    {IDM_HELP_ABOUT, &AboutCommand},
    {IDM_FILE_SAVE, &SaveCommand},
    {IDM_FILE_SAVE_AS, &SaveAsCommand},
    {IDM_FILE_OPEN, &OpenCommand},
    {IDM_EDIT_UNDO, &OnCurrentViewCommand<&Undo>},
    {IDM_EDIT_REDO, &OnCurrentViewCommand<&Redo>},
    {IDM_TOOL_OPTIONS, &OptionsCommand},
    {IDM_EDIT_INDENT, &OnCurrentViewCommand<&Indent>},
    {IDM_EDIT_UNINDENT, &OnCurrentViewCommand<&Unindent>},
    {IDM_SEARCH_GOTO_LINE, &GoToLineCommand},
    {IDM_EDIT_SELECT_ALL, &OnCurrentViewCommand<&SelectAll>},
    {IDM_HELP_CONTENTS, &HelpContentsCommand},
    {IDM_SEARCH_FIND, &FindCommand},
    {IDM_SEARCH_FIND_DOWN, &FindDownCommand},
    {IDM_SEARCH_FIND_UP, &FindUpCommand},
    {IDM_SEARCH_BOOKMARK_TOGGLE, &ToggleBookmarkCommand},
    {IDM_SEARCH_BOOKMARK_DOWN, &BookmarkDownCommand},
    {IDM_SEARCH_BOOKMARK_UP, &BookmarkUpCommand},
    {IDM_SEARCH_BOOKMARK_CLEAR, &RemoveBookmarksCommand},
    {IDM_VIEW_TOOLBAR, &ToggleToolBarCommand},
    {IDM_VIEW_STATUSBAR, &ToggleStatusBarCommand},
    {IDM_VIEW_FONT, &FontCommand},
    {IDM_VIEW_WRAP, &ToggleWrapCommand},
    {IDM_WINDOW_NEXT_TAB, &NextTabCommand},
    {IDM_WINDOW_PREVIOUS_TAB, &PreviousTabCommand},
    {IDM_WINDOW_CLOSE_TAB, &CloseTabCommand},
    {IDM_HELP_WEB_SITE, &WebPageCommand},
    {IDM_HELP_MAIL, &MailCommand},
    {IDM_WINDOW_CLOSE_ALL_TABS, &CloseAllTabsCommand},
    {IDM_FILE_SAVE_ALL, &SaveAllCommand},
    {IDM_SEARCH_REPLACE, &ReplaceCommand},
    {IDM_HELP_SHORTCUTS, &ShortcutsPageCommand},
    {IDM_HELP_FEATURES, &FeaturesPageCommand},
    {IDM_EDIT_WRITE_PROTECT, &ToggleWriteProtectionCommand},
    {IDM_WINDOW_NEW_TAB, &NewTabCommand},
    {IDM_FILE_RELOAD, &ReloadCommand},
    {IDM_FILE_REOPEN_ENCODING, &ReopenInEncodingCommand},
    {IDM_FILE_RECENT_FIRST, IDM_FILE_RECENT_LAST, &OpenRecentCommand},
    {IDM_WINDOW_DOCUMENT_FIRST, IDM_WINDOW_DOCUMENT_LAST, &SelectDocumentCommand},
    {IDM_SEARCH_MARK_ALL, &MarkAllCommand},
    {IDM_SEARCH_FIND_IN_FILES, &FindInFilesCommand},
    {IDM_SEARCH_OPEN_RESULT, &OpenResultCommand},
    {IDM_SEARCH_STOP_FIND_IN_FILES, &StopFindInFilesCommand},
    // Tool n of the tools menu is command 2000 + n.
    {IDM_TOOL_BASE, IDM_TOOL_LAST, &RunToolCommand},
};

}  // namespace

bool RegisterMainWindowCommands(KelvaraApp& app)
{
    app.commands = CommandTable();
    for (const Row& row : kRows) {
        if (!RegisterCommandRange(app.commands, row.firstId, row.lastId, row.handler, &app)) return false;
    }
    return true;
}
