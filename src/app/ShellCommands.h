// The small commands of the main window that no subsystem owns: bookmarks, go to line,
// the wrap and write-protection toggles, new tab, help and the project's pages, the
// about box, find and replace, and the hand-over of the tool ids. Each takes the
// application object as its context.
#pragma once

#include <windows.h>

struct KelvaraApp;

int ToggleBookmarkCommand(void* app, int id);
int BookmarkDownCommand(void* app, int id);  // message 7 when there is none below
int BookmarkUpCommand(void* app, int id);    // message 8 when there is none above
int RemoveBookmarksCommand(void* app, int id);
int GoToLineCommand(void* app, int id);
int ToggleWrapCommand(void* app, int id);
int ToggleWriteProtectionCommand(void* app, int id);
int NewTabCommand(void* app, int id);
int HelpContentsCommand(void* app, int id);
int ShortcutsPageCommand(void* app, int id);
int FeaturesPageCommand(void* app, int id);
int WebPageCommand(void* app, int id);
int MailCommand(void* app, int id);
int AboutCommand(void* app, int id);
int FindCommand(void* app, int id);
int FindDownCommand(void* app, int id);
int FindUpCommand(void* app, int id);
int ReplaceCommand(void* app, int id);
int MarkAllCommand(void* app, int id);
int FindInFilesCommand(void* app, int id);      // dialog 161, then the search runs beside the window
int OpenResultCommand(void* app, int id);       // the place named by the results line at the caret
int StopFindInFilesCommand(void* app, int id);  // the search stops, keeping what it found
// Tool id - 2000 goes to the tool runner.
int RunToolCommand(void* app, int id);
int ReopenInEncodingCommand(void* app, int id);  // dialog 160, then the reopen
void ShowLostCharacters(long long count);         // notice 154 in the status bar

// Sent by a running tool that wants a new tab to write into; answered as command 40071.
constexpr UINT WM_TOOL_NEW_DOCUMENT = 32869;

// A new untitled tab with the editor settings; 0, or 2 when no tab could be made
// (message 2 has then been shown). Also the answer to a running tool's request.
int OpenNewTab(KelvaraApp& app);

// The project's web page and the mail program addressed to the support address, through
// the shell, owned by owner.
void OpenProjectWebPage(HWND owner);
void OpenSupportMail(HWND owner);

// Tool n of the tool menu is command 2000 + n; the row of that range hands n over here.
// The program starts the registered tool; a test puts a recorder in its place (null puts
// the program's own back). Returns the previous runner.
using ToolRunner = void (*)(KelvaraApp& app, int tool);
ToolRunner SetToolRunner(ToolRunner runner);
