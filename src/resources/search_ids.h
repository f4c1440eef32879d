// Resource numbers of the search subsystem's dialogs, controls and texts.
#pragma once

// ---- The find dialog (125) and the replace dialog (141) -----------------------------
#define IDD_FIND 125
#define IDD_REPLACE 141
// Controls of both dialogs.
#define IDC_SEARCH_TEXT 1014       // drop-down combo box: the text searched for
#define IDC_SEARCH_UP 1015         // radio button
#define IDC_SEARCH_DOWN 1016       // radio button
#define IDC_SEARCH_REGEX 1005      // check box: the text is a regular expression
#define IDC_SEARCH_MATCH_CASE 1006  // check box: letters match only in the case written
#define IDC_SEARCH_MARK_ALL 1092    // marks every match
// The find dialog's button that clears the search history.
#define IDC_FIND_CLEAR_HISTORY 1000
// The replace dialog's own controls.
#define IDC_REPLACE_TEXT 1024                 // drop-down combo box: the replacement
#define IDC_REPLACE_MATCH_CASE IDC_SEARCH_MATCH_CASE
#define IDC_REPLACE_ONE 1001                  // replace the selection, then find the next
#define IDC_REPLACE_ALL 1019
#define IDC_REPLACE_CLEAR_FIND_HISTORY 1002
#define IDC_REPLACE_CLEAR_REPLACE_HISTORY 1000
#define IDC_REPLACE_COUNT 1090         // counts the matches (message 90)
#define IDC_REPLACE_IN_SELECTION 1091  // check box: replace all and count only in the selection

// ---- The find-in-files dialog (161) -------------------------------------------------
// Also IDC_SEARCH_TEXT (the text), IDC_SEARCH_REGEX and IDC_SEARCH_MATCH_CASE.
#define IDD_FIND_IN_FILES 161
#define IDC_FILES_FOLDER 1093      // drop-down combo box: the folder searched
#define IDC_FILES_BROWSE 1094      // chooses the folder
#define IDC_FILES_MASKS 1095       // drop-down combo box: "*.txt;*.c"
#define IDC_FILES_SUBFOLDERS 1096  // check box

// ---- Texts -------------------------------------------------------------------------
#define IDS_MSG_MATCH_COUNT 90         // %d = number of matches
#define IDS_STATUS_NOT_FOUND 91        // %s = the search text
#define IDS_STATUS_WRAPPED_TO_TOP 92
#define IDS_STATUS_WRAPPED_TO_BOTTOM 93
#define IDS_FILES_PROGRESS 94      // %d files searched, %s the file being read
#define IDS_FILES_HEADER 95        // %s the text, %s the folder, %s the masks
#define IDS_FILES_SUMMARY 96       // %d files searched, %d matched, %d matches, %d.%03d seconds
#define IDS_FILES_CANCELLED 97     // the summary's first line when stopped
#define IDS_FILES_NO_FOLDER 98     // %s the folder
#define IDS_FILES_CHOOSE_FOLDER 99  // the folder chooser's title
// A pattern that does not compile: one text per kind of fault, each with %d, the number
// of the character where it was seen; the last one for a fault of no known kind.
#define IDS_PATTERN_TRAILING_BACKSLASH 35
#define IDS_PATTERN_BAD_ESCAPE 36
#define IDS_PATTERN_MISSING_BRACKET 37
#define IDS_PATTERN_BAD_CLASS_RANGE 38
#define IDS_PATTERN_MISSING_PAREN 39
#define IDS_PATTERN_UNMATCHED_PAREN 40
#define IDS_PATTERN_NOTHING_TO_REPEAT 41
#define IDS_PATTERN_BAD_REPEAT_COUNT 42
#define IDS_PATTERN_BAD_GROUP 43
#define IDS_PATTERN_TOO_LARGE 44
#define IDS_PATTERN_UNKNOWN_ERROR 45
