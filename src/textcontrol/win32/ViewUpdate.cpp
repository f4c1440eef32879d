// After every change: scroll bars, caret, repaint, and the messages to the parent, each
// change reported exactly once.
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"

namespace kvte::textcontrol {

LRESULT SendToParent(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!view.look.notifyParent || !view.parent || !IsWindow(view.parent)) return 0;
    return SendMessageW(view.parent, message, wParam, lParam);
}

void ForgetChanges(EditorView& view)
{
    view.reported.changeCounter = view.model.ChangeCounter();
}

void ReportChanges(EditorView& view)
{
    // Read everything first: the parent may call back into this view while handling.
    bool modified = view.model.ChangeCounter() != view.reported.changeCounter;
    TextPosition caret = view.model.Caret();
    TextPosition anchor = view.model.Anchor();
    bool moved = caret != view.reported.caret || anchor != view.reported.anchor;
    view.reported.changeCounter = view.model.ChangeCounter();
    view.reported.caret = caret;
    view.reported.anchor = anchor;
    int id = view.id;
    if (modified) SendToParent(view, WM_VIEW_MODIFIED, static_cast<WPARAM>(id), 0);
    // The parent may have destroyed the view meanwhile.
    EditorView* still = FindView(id);
    if (moved && still == &view) SendToParent(view, WM_VIEW_CARET_MOVED, static_cast<WPARAM>(id), 0);
}

void ReportHover(EditorView& view, int kind)
{
    if (kind == view.reported.hoverKind) return;
    view.reported.hoverKind = kind;
    SendToParent(view, WM_VIEW_LINK_HOVER, static_cast<WPARAM>(kind), static_cast<LPARAM>(view.id));
}

void UpdateView(EditorView& view, int flags)
{
    if (view.window) {
        UpdateWrapWidth(view);
        if (flags & kUpdateScrollToCaret) EnsureCaretVisible(view);
        UpdateScrollBars(view);
        PlaceCaret(view);
        if (flags & kUpdateRepaint) InvalidateRect(view.window, nullptr, FALSE);
    }
    if (flags & kUpdateReport) ReportChanges(view);
}

}  // namespace kvte::textcontrol
