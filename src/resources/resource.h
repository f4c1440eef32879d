// Resource numbers and command ids shared by the resource script and the program.
// Plain #defines only, so that windres and the C++ compiler both read this file.
#pragma once

// ---- Icon, bitmaps, accelerators -------------------------------------------------------
#define IDI_MAIN 110
#define IDR_ACCELERATORS 112
#define IDB_TOOLBAR 119    // 15 images of 16x15, side by side
#define IDB_CHECKMARK 147  // 16x16, drawn beside checked menu entries

#define TOOLBAR_IMAGE_COUNT 15
#define TOOLBAR_IMAGE_WIDTH 16
#define TOOLBAR_IMAGE_HEIGHT 15

// ---- Dialogs and their controls ----------------------------------------------------------
#define IDD_ABOUT 109
#define IDC_ABOUT_WEB_SITE 1000  // captioned with the web address; opens it
#define IDC_ABOUT_MAIL 1001      // captioned with the mail address; opens the mail program
#define IDC_ABOUT_VERSION 1002
#define IDD_GOTO_LINE 124
#define IDC_GOTO_LINE_EDIT 1012
#define IDC_GOTO_LINE_SPIN 1013  // the up-down control whose buddy is the edit
// Encodings: the choice for reopening (160) and the lists added to the Open (164) and
// Save As (165: with the mark box and the line-ending list) dialogs.
#define IDD_ENCODING_CHOICE 160
#define IDC_ENCODING_LIST 1160
#define IDD_OPEN_ENCODING 164
#define IDD_SAVE_ENCODING 165
#define IDC_FILE_ENCODING 1164
#define IDC_FILE_ENCODING_LABEL 1165
#define IDC_FILE_MARK 1166               // Save As: the byte-order mark box
#define IDC_FILE_LINE_ENDING 1167        // Save As: the line-ending list
#define IDC_FILE_LINE_ENDING_LABEL 1168

// ---- Commands (WM_COMMAND ids) ---------------------------------------------------------
#define IDM_FILE_NEW 40001
#define IDM_FILE_EXIT 40002
#define IDM_EDIT_COPY 40003
#define IDM_EDIT_CUT 40004
#define IDM_EDIT_PASTE 40005
#define IDM_HELP_ABOUT 40006
#define IDM_FILE_SAVE 40008
#define IDM_FILE_SAVE_AS 40009
#define IDM_FILE_OPEN 40010
#define IDM_EDIT_UNDO 40021
#define IDM_EDIT_REDO 40022
#define IDM_TOOL_OPTIONS 40023
#define IDM_EDIT_INDENT 40024
#define IDM_EDIT_UNINDENT 40025
#define IDM_SEARCH_GOTO_LINE 40026
#define IDM_EDIT_SELECT_ALL 40027
#define IDM_HELP_CONTENTS 40028
#define IDM_SEARCH_FIND 40029
#define IDM_SEARCH_FIND_DOWN 40030
#define IDM_SEARCH_FIND_UP 40031
#define IDM_SEARCH_BOOKMARK_TOGGLE 40032
#define IDM_SEARCH_BOOKMARK_DOWN 40033
#define IDM_SEARCH_BOOKMARK_UP 40034
#define IDM_SEARCH_BOOKMARK_CLEAR 40035
#define IDM_VIEW_TOOLBAR 40036
#define IDM_VIEW_STATUSBAR 40037
#define IDM_VIEW_FONT 40039
#define IDM_VIEW_WRAP 40040
#define IDM_WINDOW_NEXT_TAB 40052
#define IDM_WINDOW_PREVIOUS_TAB 40053
#define IDM_WINDOW_CLOSE_TAB 40055
#define IDM_HELP_WEB_SITE 40057
#define IDM_HELP_MAIL 40058
#define IDM_WINDOW_CLOSE_ALL_TABS 40064
#define IDM_FILE_SAVE_ALL 40065
#define IDM_SEARCH_REPLACE 40067
#define IDM_SEARCH_MARK_ALL 40091
#define IDM_SEARCH_FIND_IN_FILES 40090
#define IDM_SEARCH_OPEN_RESULT 40092       // the file and line of the result at the caret
#define IDM_SEARCH_STOP_FIND_IN_FILES 40093
#define IDM_HELP_SHORTCUTS 40068
#define IDM_HELP_FEATURES 40069
#define IDM_EDIT_WRITE_PROTECT 40070
#define IDM_WINDOW_NEW_TAB 40071

#define IDM_FILE_RELOAD 40072  // the current document read again from its file
#define IDM_FILE_REOPEN_ENCODING 40080  // the current file read again in an encoding chosen
#define IDM_FIRST_FIXED 40001
#define IDM_LAST_FIXED 40093
// Entry n (from 0) of the recently used files' submenu.
#define IDM_FILE_RECENT_FIRST 41000
#define IDM_FILE_RECENT_LAST 41029
// Entry n (from 0) of the open documents listed in the window menu.
#define IDM_WINDOW_DOCUMENT_FIRST 41100
#define IDM_WINDOW_DOCUMENT_LAST 41199
// Tool n is command IDM_TOOL_BASE + n; ids up to IDM_TOOL_LAST run a tool.
#define IDM_TOOL_BASE 2000
#define IDM_TOOL_LAST 10000
// The drop-down toolbar button of the emphasis environments; the id itself does nothing.
#define IDM_ENVIRONMENT_DROPDOWN 501

// ---- Messages (1-29) -------------------------------------------------------------------
#define IDS_MSG_SAVE_CHANGES 1  // %s = file name
#define IDS_MSG_OUT_OF_MEMORY 2
#define IDS_MSG_READ_FAILED 3
#define IDS_MSG_FILE_NOT_FOUND 4
#define IDS_MSG_WRITE_FAILED 5
#define IDS_MSG_FILE_TOO_LARGE 6
#define IDS_MSG_NO_BOOKMARK_BELOW 7
#define IDS_MSG_NO_BOOKMARK_ABOVE 8
#define IDS_MSG_SETTINGS_UPGRADED 9
#define IDS_MSG_SETTINGS_WRITE_FAILED 10
#define IDS_MSG_CONFIRM_CLOSE_ALL 11
#define IDS_MSG_CONFIRM_EXIT 12
#define IDS_MSG_CONFIRM_CLEAR_FIND_HISTORY 13
#define IDS_MSG_FIND_HISTORY_CLEARED 14
#define IDS_MSG_LUNA_ON 15
#define IDS_MSG_LUNA_OFF 16
#define IDS_MSG_TOOL_NOT_FOUND 17
#define IDS_MSG_CONFIRM_CLEAR_REPLACE_HISTORY 18
#define IDS_MSG_REPLACE_HISTORY_CLEARED 19
#define IDS_MSG_CONFIRM_REPLACE_ALL 20
#define IDS_MSG_REPLACE_ALL_DONE 21  // %d = number of replacements
#define IDS_MSG_CONFIRM_DELETE_ITEM 22
#define IDS_MSG_ENVIRONMENT_OPEN_FAILED 23
#define IDS_MSG_BAD_TAB_SIZE 24
#define IDS_MSG_BAD_LINE_SPACE 25
#define IDS_MSG_BAD_TAB_WIDTH 26
// Names that InternalText cannot hold (the program's own numbers, after the 26 above).
#define IDS_MSG_FOLDER_NOT_HELD 27  // settings cannot be kept in the program folder
#define IDS_MSG_OPEN_PATH_NOT_HELD 28
#define IDS_MSG_SAVE_PATH_NOT_HELD 29
#define IDS_MSG_LOADED_LOSSILY 30       // the file's text could not be loaded whole
#define IDS_MSG_CONFIRM_LOSSY_SAVE 31   // saving it over its own file would lose data
#define IDS_MSG_COLOUR_FILE_UNREADABLE 66  // the built-in colours stand in
#define IDS_MSG_READ_ONLY_SAVE_AS 67  // saving over a read-only file: offer another name
#define IDS_MSG_FILE_CHANGED 70           // %s: changed by another program; reload?
#define IDS_MSG_FILE_CHANGED_MODIFIED 71  // %s: the same, and the tab's changes would be lost
#define IDS_MSG_FILE_GONE 72              // %s: deleted or renamed
#define IDS_MSG_OVERWRITE_CHANGED_FILE 73 // %s: saving would overwrite another program's change
#define IDS_MSG_RESTORE_COPIES 74          // copies of a session that ended without saving
#define IDS_MSG_RESTORED_FILE_CHANGED 75   // %s: files changed since their copy was taken
#define IDS_MSG_RECENT_FILE_GONE 76        // %s: a recently used file is gone
#define IDS_MSG_DAMAGED_COPIES_KEPT 77     // %s: copies that could not be read, kept

#define IDS_FIRST_MESSAGE 1
#define IDS_LAST_MESSAGE 31
// Encodings (80-89).
#define IDS_MSG_REOPEN_DISCARDS_CHANGES 80  // reading the file again in another encoding
#define IDS_MSG_CONFIRM_UNHELD_SAVE 81      // the encoding cannot hold every character
#define IDS_FIRST_ENCODING_MESSAGE 80
#define IDS_LAST_ENCODING_MESSAGE 81

// ---- Status-bar help of the commands (100-140) -----------------------------------------
#define IDS_HELP_FILE_NEW 100
#define IDS_HELP_FILE_OPEN 101
#define IDS_HELP_FILE_SAVE_AS 102
#define IDS_HELP_FILE_SAVE 103
#define IDS_HELP_FILE_EXIT 104
#define IDS_HELP_EDIT_UNDO 105
#define IDS_HELP_EDIT_REDO 106
#define IDS_HELP_EDIT_COPY 107
#define IDS_HELP_EDIT_CUT 108
#define IDS_HELP_EDIT_PASTE 109
#define IDS_HELP_HELP_ABOUT 110
#define IDS_HELP_TOOL_OPTIONS 111
#define IDS_HELP_EDIT_INDENT 112
#define IDS_HELP_EDIT_UNINDENT 113
#define IDS_HELP_SEARCH_GOTO_LINE 114
#define IDS_HELP_SEARCH_MARK_ALL 160
#define IDS_HELP_SEARCH_FIND_IN_FILES 161
#define IDS_HELP_SEARCH_OPEN_RESULT 162
#define IDS_HELP_SEARCH_STOP_FIND_IN_FILES 163
#define IDS_HELP_EDIT_SELECT_ALL 115
#define IDS_HELP_HELP_CONTENTS 116
#define IDS_HELP_SEARCH_FIND 117
#define IDS_HELP_SEARCH_FIND_DOWN 118
#define IDS_HELP_SEARCH_FIND_UP 119
#define IDS_HELP_SEARCH_BOOKMARK_TOGGLE 120
#define IDS_HELP_SEARCH_BOOKMARK_DOWN 121
#define IDS_HELP_SEARCH_BOOKMARK_UP 122
#define IDS_HELP_SEARCH_BOOKMARK_CLEAR 123
#define IDS_HELP_VIEW_TOOLBAR 124
#define IDS_HELP_VIEW_STATUSBAR 125
#define IDS_HELP_VIEW_LINE_NUMBERS 126  // no command uses it
#define IDS_HELP_VIEW_FONT 127
#define IDS_HELP_VIEW_WRAP 128
#define IDS_HELP_WINDOW_NEXT_TAB 129
#define IDS_HELP_WINDOW_PREVIOUS_TAB 130
#define IDS_HELP_WINDOW_CLOSE_TAB 131
#define IDS_WEB_ADDRESS 132   // the project's web page, opened by 40057
#define IDS_MAIL_ADDRESS 133  // the support mail address, used by 40058
#define IDS_HELP_WINDOW_CLOSE_ALL_TABS 134
#define IDS_HELP_FILE_SAVE_ALL 135
#define IDS_HELP_SEARCH_REPLACE 136
#define IDS_HELP_HELP_FEATURES 137
#define IDS_HELP_HELP_SHORTCUTS 138
#define IDS_HELP_EDIT_WRITE_PROTECT 139
#define IDS_HELP_TOOL 140
#define IDS_HELP_FILE_RELOAD 141
#define IDS_HELP_FILE_RECENT 142
#define IDS_HELP_WINDOW_DOCUMENT 143

#define IDS_FIRST_HELP 100
#define IDS_LAST_HELP 140

// ---- Status-bar notices of encodings (150-159) -----------------------------------------
#define IDS_NOTICE_MIXED_LINE_ENDINGS 150  // a file opened with line breaks of several kinds
#define IDS_NOTICE_ZERO_BYTES 151
#define IDS_NOTICE_MIXED_AND_ZERO 152
#define IDS_FIRST_ENCODING_NOTICE 150
#define IDS_HELP_FILE_REOPEN_ENCODING 153
#define IDS_NOTICE_TEXT_LOST 154  // %d: characters of a paste or a drop that went in as "?"
#define IDS_LAST_ENCODING_NOTICE 154

// ---- Tooltips (200-217): toolbar buttons in order, then the tab bar's buttons ----------
#define IDS_TIP_FILE_NEW 200
#define IDS_TIP_FILE_OPEN 201
#define IDS_TIP_FILE_SAVE 202
#define IDS_TIP_FILE_SAVE_ALL 203
#define IDS_TIP_EDIT_UNDO 204
#define IDS_TIP_EDIT_REDO 205
#define IDS_TIP_EDIT_CUT 206
#define IDS_TIP_EDIT_COPY 207
#define IDS_TIP_EDIT_PASTE 208
#define IDS_TIP_SEARCH_FIND 209
#define IDS_TIP_SEARCH_FIND_DOWN 210
#define IDS_TIP_SEARCH_FIND_UP 211
#define IDS_TIP_TOOL_OPTIONS 212
#define IDS_TIP_ENVIRONMENT 213
#define IDS_TIP_HELP_CONTENTS 214
#define IDS_TIP_TAB_SCROLL_LEFT 215
#define IDS_TIP_TAB_SCROLL_RIGHT 216
#define IDS_TIP_TAB_CLOSE 217

#define IDS_FIRST_TOOLBAR_TIP 200  // toolbar button i has tip 200 + i
#define IDS_FIRST_TAB_BAR_TIP 215  // tab-bar button id n has tip 215 + n
#define IDS_FIRST_TIP 200
#define IDS_LAST_TIP 217

// ---- Emphasis-file errors (400-405) ----------------------------------------------------
#define IDS_ESF_BAD_FORMAT 400
#define IDS_ESF_BAD_FIELD_COUNT 401
#define IDS_ESF_BAD_SETTING 402  // colour number outside 1-6 or negative fourth number
#define IDS_ESF_MISSING_START_TEXT 403
#define IDS_ESF_LINE_TOO_LONG 404
#define IDS_ESF_TOO_MANY_ENTRIES 405  // the editing control refused an entry

#define IDS_FIRST_ESF_ERROR 400
#define IDS_LAST_ESF_ERROR 405

// ---- Menu entries (500-540) ------------------------------------------------------------
#define IDS_MENU_FILE_NEW 500
#define IDS_MENU_FILE_OPEN 501
#define IDS_MENU_FILE_SAVE 502
#define IDS_MENU_FILE_SAVE_AS 503
#define IDS_MENU_FILE_SAVE_ALL 504
#define IDS_MENU_FILE_EXIT 505
#define IDS_MENU_FILE_RELOAD 541
#define IDS_MENU_FILE_RECENT 542
#define IDS_MENU_FILE_REOPEN_ENCODING 550
#define IDS_MENU_EDIT_UNDO 506
#define IDS_MENU_EDIT_REDO 507
#define IDS_MENU_EDIT_COPY 508
#define IDS_MENU_EDIT_CUT 509
#define IDS_MENU_EDIT_PASTE 510
#define IDS_MENU_EDIT_SELECT_ALL 511
#define IDS_MENU_EDIT_INDENT 512
#define IDS_MENU_EDIT_UNINDENT 513
#define IDS_MENU_SEARCH_FIND 514
#define IDS_MENU_SEARCH_FIND_DOWN 515
#define IDS_MENU_SEARCH_FIND_UP 516
#define IDS_MENU_SEARCH_REPLACE 517
#define IDS_MENU_SEARCH_BOOKMARK_TOGGLE 518
#define IDS_MENU_SEARCH_BOOKMARK_DOWN 519
#define IDS_MENU_SEARCH_BOOKMARK_UP 520
#define IDS_MENU_SEARCH_BOOKMARK_CLEAR 521
#define IDS_MENU_SEARCH_GOTO_LINE 522
#define IDS_MENU_SEARCH_MARK_ALL 560
#define IDS_MENU_SEARCH_FIND_IN_FILES 561
#define IDS_MENU_SEARCH_OPEN_RESULT 562
#define IDS_MENU_SEARCH_STOP_FIND_IN_FILES 563
#define IDS_MENU_VIEW_TOOLBAR 523
#define IDS_MENU_VIEW_STATUSBAR 524
#define IDS_MENU_VIEW_LINE_NUMBERS 525  // no menu holds it
#define IDS_MENU_VIEW_WRAP 526
#define IDS_MENU_VIEW_FONT 527
#define IDS_MENU_TOOL_OPTIONS 528
#define IDS_MENU_WINDOW_NEW_TAB 529
#define IDS_MENU_WINDOW_NEXT_TAB 530
#define IDS_MENU_WINDOW_PREVIOUS_TAB 531
#define IDS_MENU_WINDOW_CLOSE_TAB 532
#define IDS_MENU_WINDOW_CLOSE_ALL_TABS 533
#define IDS_MENU_HELP_CONTENTS 534
#define IDS_MENU_HELP_FEATURES 535
#define IDS_MENU_HELP_SHORTCUTS 536
#define IDS_MENU_HELP_WEB_SITE 537
#define IDS_MENU_HELP_MAIL 538
#define IDS_MENU_HELP_ABOUT 539
#define IDS_MENU_EDIT_WRITE_PROTECT 540

#define IDS_FIRST_MENU_ENTRY 500
#define IDS_LAST_MENU_ENTRY 540

// ---- Menu titles (600-607) -------------------------------------------------------------
#define IDS_MENUBAR_FILE 600
#define IDS_MENUBAR_EDIT 601
#define IDS_MENUBAR_SEARCH 602
#define IDS_MENUBAR_VIEW 603
#define IDS_MENUBAR_TOOL 604
#define IDS_MENUBAR_WINDOW 605
#define IDS_MENUBAR_HELP 606
#define IDS_MENU_HELP_USAGE 607  // submenu of the help menu

#define IDS_FIRST_MENU_TITLE 600
#define IDS_LAST_MENU_TITLE 607

// ---- Shortcut texts shown right-aligned in menu entries (700-722) ----------------------
#define IDS_SHORTCUT_FILE_NEW 700
#define IDS_SHORTCUT_FILE_OPEN 701
#define IDS_SHORTCUT_FILE_SAVE 702
#define IDS_SHORTCUT_EDIT_UNDO 703
#define IDS_SHORTCUT_EDIT_REDO 704
#define IDS_SHORTCUT_EDIT_COPY 705
#define IDS_SHORTCUT_EDIT_CUT 706
#define IDS_SHORTCUT_EDIT_PASTE 707
#define IDS_SHORTCUT_EDIT_SELECT_ALL 708
#define IDS_SHORTCUT_EDIT_INDENT 709
#define IDS_SHORTCUT_EDIT_UNINDENT 710
#define IDS_SHORTCUT_SEARCH_FIND 711
#define IDS_SHORTCUT_SEARCH_FIND_DOWN 712
#define IDS_SHORTCUT_SEARCH_FIND_UP 713
#define IDS_SHORTCUT_SEARCH_BOOKMARK_TOGGLE 714
#define IDS_SHORTCUT_SEARCH_BOOKMARK_DOWN 715
#define IDS_SHORTCUT_SEARCH_BOOKMARK_UP 716
#define IDS_SHORTCUT_SEARCH_REPLACE 717
#define IDS_SHORTCUT_SEARCH_GOTO_LINE 718
#define IDS_SHORTCUT_WINDOW_NEXT_TAB 719
#define IDS_SHORTCUT_WINDOW_PREVIOUS_TAB 720
#define IDS_SHORTCUT_WINDOW_CLOSE_TAB 721
#define IDS_SHORTCUT_HELP_CONTENTS 722

#define IDS_FIRST_SHORTCUT 700
#define IDS_LAST_SHORTCUT 722

// ---- Each subsystem's own dialogs and texts ------------------------------------------
#include "search_ids.h"
#include "options_ids.h"
#include "tools_ids.h"
