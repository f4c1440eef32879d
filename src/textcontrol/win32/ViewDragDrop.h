// OLE drag and drop of text into and out of a view, by the modes of the OLE option:
// 1 moves, 2 copies, 16 lets the Ctrl key choose (held: copy); +4 refuses drops into the
// view, +8 refuses drags out of it. Files (CF_HDROP) dropped on a view are posted to its
// parent as WM_DROPFILES, whatever the option says, and win over text offered with them.
// These entry points let tests drive a drop.
#pragma once

#include <ole2.h>

#include <string>

namespace kvte::textcontrol {

// A copy of a DROPFILES block that the receiver may free with DragFinish, or null when the
// block is too short to hold its header or its list. Its list of names always ends inside it.
HGLOBAL CopyOfDropFiles(HGLOBAL block);
// A data object holding one text as CF_UNICODETEXT (and CF_TEXT); reference count 1.
IDataObject* CreateTextDataObject(const std::wstring& text);
// The drop target registered for a view (not AddRef'd), or null.
IDropTarget* DropTargetOfView(int view);
// What a drag of the selection dropped inside its own view does: moves (or copies) the
// selected bytes to targetOffset as one undo step; false when nothing was done.
bool MoveSelectionWithin(int view, int targetOffset, bool move);

}  // namespace kvte::textcontrol
