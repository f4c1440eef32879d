// Resource numbers of the tools subsystem's dialogs, controls and texts.
#pragma once

// ---- The options page of the tool list -------------------------------------------------
#define IDD_TOOL_PAGE 149
#define IDC_TOOL_ADD 1000
#define IDC_TOOL_DOWN 1002
#define IDC_TOOL_DELETE 1003
#define IDC_TOOL_SEPARATOR 1004
#define IDC_TOOL_UP 1019
#define IDC_TOOL_LIST 1020

// ---- Messages (the program's own numbers) ----------------------------------------------
#define IDS_MSG_TOOL_INFO_UNREADABLE 60   // the .kti file cannot be read
#define IDS_MSG_TOOL_INFO_NO_PROGRAM 61   // no "file" key: the tool could never start
#define IDS_MSG_TOOL_INFO_NAME_TOO_LONG 62
#define IDS_MSG_TOOL_INFO_PATH_TOO_LONG 63
#define IDS_MSG_TOOL_INFO_BAD_TYPE 64
#define IDS_MSG_STOP_WAITING_FOR_TOOL 65  // the main window is closed while a modal tool runs
