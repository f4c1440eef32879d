// The editing control's public interface: every operation addresses one view by its id.
// Views are child windows that show and edit one InternalText (Shift_JIS-2004) document
// each. Lines, columns and offsets count from 1 unless a comment says otherwise; texts
// are zero-terminated Shift_JIS-2004 bytes. No operation throws; an unknown view id makes
// an operation do nothing and return 0 (or the stated failure value).
#pragma once

#include <windows.h>

#include <string>

// Messages a view sends to its parent window. wParam is the view id unless stated.
enum : UINT {
    WM_VIEW_MODIFIED = 2024,      // the text changed by an edit (not by SetText)
    WM_VIEW_LINK_HOVER = 2025,    // wParam: 5 over a web address, 6 over a mail address,
                                  // 0 elsewhere; sent when that state changes; lParam view id
    WM_VIEW_CONTEXT_MENU = 2026,  // the right button was released over the view, or the menu
                                  // key pressed; lParam the screen position for the menu
                                  // (x low word, y high word): the pointer's, or below the caret
    WM_VIEW_CARET_MOVED = 2027,   // the caret or the selection changed
    WM_VIEW_TEXT_LOST = 2028,     // a paste or a drop held characters without an internal
                                  // code, which went in as "?"; lParam how many
};
// Files dropped on a view reach its parent as a posted WM_DROPFILES, the same message a
// window that accepts dropped files receives; the parent frees it with DragFinish.

// WM_DRAWITEM sent to the parent when option OPTION_OWNER_DRAW is 8: CtlType is
// ODT_VIEW_MARK, CtlID, itemID and wParam the view id, itemState the mark (3 = line end), hDC and
// rcItem the place to draw into (two columns wide, one row high).
enum : UINT { ODT_VIEW_MARK = 1000, VIEW_MARK_LINE_END = 3 };

// SetOption numbers.
enum ViewOption : int {
    OPTION_TAB_WIDTH = 0,          // tab stops every n columns (1..16)
    OPTION_RULER_HEIGHT = 1,       // pixels; 0 hides the ruler
    OPTION_LINE_NUMBER_WIDTH = 2,  // pixels of the left margin; numbers are shown when they fit
    OPTION_LINE_SPACING = 6,       // extra pixels between rows (0..32)
    OPTION_CLICKABLE = 7,          // bit 0 mail, bit 1 "http:", bit 2 "https://", bit 3 "ftp://"
    OPTION_OLE = 8,                // 1 move, 2 copy, 16 by Ctrl key; +4 refuse drops (of text), +8 refuse drags
    OPTION_OWNER_DRAW = 14,        // 8: the parent draws the line-end mark (WM_DRAWITEM)
    OPTION_UNDO_LIMIT = 16,        // -1 unlimited, otherwise the number of undo steps kept (256 at first)
    OPTION_NOTIFY_PARENT = 17,     // 1 (default): send messages 2024-2027 and WM_DRAWITEM; 0: silent
    OPTION_WORD_NUM_ALPHA = 18,    // 1: a double click takes digits and half-width letters together
};

// SetViewColor indices (colours are COLORREF 0x00BBGGRR).
enum ViewColor : int {
    VIEW_COLOR_TAB_MARK = 0,
    VIEW_COLOR_HALF_SPACE_MARK = 1,
    VIEW_COLOR_FULL_SPACE_MARK = 2,
    VIEW_COLOR_CARET_UNDERLINE = 3,
    VIEW_COLOR_LINE_END_MARK = 4,
    VIEW_COLOR_EOF_MARK = 5,
    VIEW_COLOR_TEXT = 6,
    VIEW_COLOR_LINE_NUMBER = 7,
    VIEW_COLOR_LINE_NUMBER_BORDER = 8,
    VIEW_COLOR_CARET_LINE_NUMBER = 9,
    VIEW_COLOR_RULER_TEXT = 10,
    VIEW_COLOR_RULER_BACK = 11,
    VIEW_COLOR_RULER_LINE = 12,
    VIEW_COLOR_RULER_CARET = 13,
    VIEW_COLOR_URL = 14,
    VIEW_COLOR_MAIL = 15,
    VIEW_COLOR_FIND_TEXT = 16,
    VIEW_COLOR_FIND_BACK = 17,
    VIEW_COLOR_BACKGROUND = 18,
    VIEW_COLOR_URL_UNDERLINE = 19,
    VIEW_COLOR_MAIL_UNDERLINE = 20,
    VIEW_COLOR_COUNT = 21
};

// ShowMark indices.
enum ViewMark : int {
    MARK_TAB = 0,
    MARK_HALF_SPACE = 1,
    MARK_FULL_SPACE = 2,
    MARK_CARET_UNDERLINE = 3,
    MARK_LINE_END = 4,
    MARK_EOF = 5,
    VIEW_MARK_COUNT = 6
};

// Version of the control times 100, and its beta number (0 for a release).
int GetControlVersion();
int GetControlBeta();

// Views. SetViewCount must be called before a new highest id is used; it never destroys
// existing views. CreateView returns non-zero on success (0 when the id is out of range,
// already in use, or the window cannot be created).
int SetViewCount(int count);
void DestroyView(int view);
int CreateView(int view, HWND parent, int x, int y, int width, int height);
void FocusView(int view);
void MoveView(int view, int x, int y, int width, int height);
void RedrawView(int view);
void ShowView(int view, int shown);
HWND GetViewWindow(int view);

// How many view windows this process has created and how many ran their own teardown
// (which frees the back buffer and the drop target). Equal when no closed view leaked.
struct ViewWindowCounts {
    long created = 0;
    long tornDown = 0;
};
ViewWindowCounts GetViewWindowCounts();

// Editing commands on the selection or caret.
void Copy(int view);
void Cut(int view);
void Paste(int view);
// saved 1: the view's text now equals its file (it was just saved): undoing or redoing
// back to this text later reads as unmodified. saved 0: the file's text can no longer be
// reached (a tool replaced the whole text). A new text starts as the file's by itself.
void MarkSavePoint(int view, int saved);
// 1 when the view's text is the one last marked (or set), 0 otherwise or without a view.
int IsAtSavePoint(int view);
void Undo(int view);
void Redo(int view);
void Indent(int view);
void Unindent(int view);
void SelectAll(int view);

// Whole text. SetText replaces the text and forgets undo history; returns non-zero on
// success. GetTextLength + 1 bytes always hold GetText in every line-end mode
// (1 CR LF, 2 CR, 3 LF, 4 the document's own). GetText returns the bytes written
// without the terminator.
int SetText(int view, const char* text);
// The same taking the text (all of it: zero bytes in it are kept), which the view keeps
// where it lies instead of copying it; opening a file hands its text over so. On success
// text is left empty; on failure (0) it keeps its characters, its line breaks possibly
// made LF already.
int SetTextOwned(int view, std::string&& text);
int GetTextLength(int view);
int GetText(int view, char* buffer, int lineEndMode);
// Copying a large text out in pieces between edits: the length held (one byte per line
// break), a counter that changes with every edit, and held bytes [from, from + count)
// appended to out in lineEndMode; returns the position after them (from when memory ran out).
size_t GetHeldLength(int view);
unsigned long long GetChangeCounter(int view);
size_t AppendTextPiece(int view, size_t from, size_t count, int lineEndMode, std::string& out);
int GetLineCount(int view);
// Replaces the selection or inserts at the caret; CR LF, CR or LF make line breaks.
void InsertText(int view, const char* text);
// Replaces bytes [start, end) (offsets as SelectRange takes them) by the length bytes of
// text (zero bytes kept) as one edit that one undo takes back; the caret goes after it.
// Returns non-zero when done; 0 (with a beep when the view is write-protected) otherwise.
int ReplaceRangeText(int view, int start, int end, const char* text, int length);

// One line: GetLineText points at its bytes without line end and without terminator,
// valid until the next call on this view; GetLineLength, called after it for the same
// line, is their number. When memory runs out the line is handed out empty and its
// length reads 0 until the text changes or the line is asked for again, so a caller
// never reads past what it was given.
const char* GetLineText(int view, int line);
int GetLineLength(int view, int line);
// The document's own line end: 1 CR LF, 2 CR, 3 LF. Set when the text was written with
// another (other values are ignored).
int GetLineEnding(int view);
void SetLineEnding(int view, int lineEnding);

// Caret and selection. Equal positions place the caret. GetSelection gives the first
// position (or the caret) and returns -2 when nothing is selected, 0 otherwise; the last
// two pointers may be null and receive the second position. SelectRange takes offsets,
// end one past the last byte. GetSelectionRange returns -1 while text is selected and 0
// otherwise; either pointer may be null.
void SetSelection(int view, int line1, int column1, int line2, int column2);
int GetSelection(int view, int* line, int* column, int* line2, int* column2);
// The selection's anchor: the end that stays where it is while Shift moves the caret (the
// caret itself when nothing is selected). Either pointer may be null.
void GetSelectionAnchor(int view, int* line, int* column);
void SelectRange(int view, int start, int end);
int GetSelectionRange(int view, int* start, int* end);
int GetCaretLine(int view);
int GetCaretPosition(int view);
void SetCaretLine(int view, int line);
int GetCaretOffset(int view);
void MoveCaretToTop(int view, int redraw);
int GetCaretColumn(int view);  // display column from 0, tabs expanded

// Bookmarks, search highlight and emphasis.
void SetBookmark(int view, int line, int on, int redraw);
int IsBookmarked(int view, int line);
void SetHighlightText(int view, const char* text, int redraw, int reserved);
// Marks count ranges in the highlight colours in place of the highlight text: ranges holds
// count pairs of offsets (start, end one past the last byte), in order and not
// overlapping. The next SetHighlightText or change of the text clears them.
void MarkRanges(int view, const int* ranges, int count, int redraw);
// Returns -1 when the rule was accepted, another value when refused.
int AddEmphasis(int view, const char* text, const char* endText, int kind, COLORREF colour, int second,
                int colourNumber, int fourth);
void ClearEmphasis(int view, int redraw);

// Appearance. ChooseFontDialog runs the system font dialog; on OK it applies the font to
// the view, writes its name (Shift_JIS-2004, at most 263 bytes + terminator) and returns
// its size in points; it returns a negative number when cancelled. DrawMetrics gives the
// column width (0) or the row height including line spacing (1) in pixels.
int ChooseFontDialog(int view, char* name, int reserved);
void SetFont(int view, const char* name, int pointSize, int redraw);
void SetViewColor(int view, int index, COLORREF colour, int redraw);
void ShowMark(int view, int index, int shown, int redraw);
void SetOption(int view, int option, int value, int redraw);
int DrawMetrics(int view, int which);
void SetEditable(int view, int editable);
void SetWrap(int view, int on, int reserved, int redraw);
