// The small commands of the main window that no subsystem owns: bookmarks, go to line,
// the wrap and write-protection toggles, new tab, help and the project's pages, the
// about box, and the hand-over of the tool ids. Each group adds its rows at start-up.
#pragma once

#include <windows.h>

struct KelvaraApp;

bool RegisterBookmarkCommands(KelvaraApp& app);  // 40032-40035
bool RegisterGoToLineCommand(KelvaraApp& app);   // 40026
bool RegisterDocumentToggles(KelvaraApp& app);   // 40040 wrap, 40070 write protection
bool RegisterNewTabCommand(KelvaraApp& app);     // 40071
bool RegisterHelpCommands(KelvaraApp& app);      // 40028, 40057, 40058, 40068, 40069
bool RegisterAboutCommand(KelvaraApp& app);      // 40006
bool RegisterToolCommands(KelvaraApp& app);      // 2000-10000
bool RegisterSearchCommands(KelvaraApp& app);    // 40029-40031, 40067: find and replace
// All of the above; false when a row could not be added.
bool RegisterShellCommands(KelvaraApp& app);

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
// Until the tools are connected nothing runs. Returns the previous runner.
using ToolRunner = void (*)(KelvaraApp& app, int tool);
ToolRunner SetToolRunner(ToolRunner runner);
