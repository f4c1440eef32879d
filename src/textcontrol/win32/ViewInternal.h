// The handlers that the view's window procedure and operations share: one family of
// messages per file (painting, keys, mouse, IME, clipboard, drag and drop) and the one
// place that brings the screen and the parent up to date after a change.
#pragma once

#include <cstdint>
#include <string>

#include "textcontrol/win32/ViewState.h"

namespace kvte::textcontrol {

// ViewUpdate.cpp -----------------------------------------------------------------------
enum UpdateFlags : int {
    kUpdateRepaint = 1,        // invalidate the window
    kUpdateScrollToCaret = 2,  // scroll so that the caret is visible
    kUpdateReport = 4,         // tell the parent of changes (text, caret)
    kUpdateAll = 7,
    kUpdateOnlyChanged = 8,  // with kUpdateRepaint: only the rows an edit or a caret move touched
    kUpdateJump = 16,        // with kUpdateScrollToCaret: keep a margin of rows around the caret
    kUpdateEdit = kUpdateAll | kUpdateOnlyChanged,
};
// Brings scroll bars, caret, screen and parent up to date after a change.
void UpdateView(EditorView& view, int flags);
// Tells the parent what changed since the last report: WM_VIEW_MODIFIED when the text
// changed, WM_VIEW_CARET_MOVED when the caret or the selection moved.
void ReportChanges(EditorView& view);
// Takes the current text and caret as reported (a text just loaded is no modification).
void ForgetChanges(EditorView& view);
// Sends WM_VIEW_LINK_HOVER when the kind under the pointer (5 web, 6 mail, 0) changed.
void ReportHover(EditorView& view, int kind);
LRESULT SendToParent(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam);
// Tells the parent that a paste or a drop put `lost` characters in as '?' (WM_VIEW_TEXT_LOST).
void ReportLostCharacters(EditorView& view, std::int64_t lost);

// ViewAppearance.cpp -------------------------------------------------------------------
// Colours and options of a new view before the program sets its own.
void SetDefaultLook(ViewLook& look);

// ViewPaint.cpp ------------------------------------------------------------------------
// Paints the rows that meet `region` (null: all of paintArea) inside paintArea.
void PaintView(EditorView& view, HDC target, const RECT& paintArea, HRGN region);
void ReleaseBackBuffer(EditorView& view);

// ViewKeyboard.cpp ---------------------------------------------------------------------
// True when the key was handled.
bool KeyDown(EditorView& view, WPARAM key);
void CharTyped(EditorView& view, wchar_t unit);
// Inserts text typed or pasted, as one undo step when `ownStep`.
bool InsertTyped(EditorView& view, const std::string& text, bool ownStep);

// ViewMouse.cpp ------------------------------------------------------------------------
bool MouseMessage(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam);
bool SetViewCursor(EditorView& view);
// Kind of link (5 web, 6 mail) under a client point, 0 when none; url receives its text.
int LinkAtPoint(EditorView& view, POINT point, std::string* url);
bool OpenLink(EditorView& view, int kind, const std::string& url);

// ViewIme.cpp --------------------------------------------------------------------------
bool ImeMessage(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// ViewClipboard.cpp --------------------------------------------------------------------
std::string SelectedText(EditorView& view);  // line breaks as CR LF
bool CopyToClipboard(EditorView& view);
bool PasteFromClipboard(EditorView& view);

// ViewDragDrop.cpp ---------------------------------------------------------------------
void RegisterDropTarget(EditorView& view);
void RevokeDropTarget(EditorView& view);
// Runs an OLE drag of the selection; true when a drag took place.
bool DragSelection(EditorView& view);

}  // namespace kvte::textcontrol
