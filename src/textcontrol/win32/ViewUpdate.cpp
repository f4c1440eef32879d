// After every change: scroll bars, caret, repaint, and the messages to the parent, each
// change reported exactly once.
#include <algorithm>
#include <climits>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"

namespace kvte::textcontrol {

namespace {
constexpr int kJumpMarginRows = 2;
}  // namespace

LRESULT SendToParent(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!view.look.notifyParent || !view.parent || !IsWindow(view.parent)) return 0;
    return SendMessageW(view.parent, message, wParam, lParam);
}

void ReportLostCharacters(EditorView& view, std::int64_t lost)
{
    if (lost > 0) SendToParent(view, WM_VIEW_TEXT_LOST, static_cast<WPARAM>(view.id), static_cast<LPARAM>(lost));
}

void ForgetChanges(EditorView& view) { view.reported.changeCounter = view.model.ChangeCounter(); }

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

namespace {

// Invalidates lines first..last (clamped to what is on screen), every row of them.
void InvalidateLines(EditorView& view, int first, int last)
{
    RECT area = TextArea(view);
    int visible = VisibleRows(view);
    int rowHeight = view.look.RowHeight();
    int top = area.top;
    if (first > view.top.line) {
        int rows = RowDistance(view, view.top, VisualRow{first, 0}, visible + 1);
        if (rows > visible) return;  // starts below the window
        top = area.top + rows * rowHeight;
    }
    int bottom = area.bottom;
    if (last < INT_MAX && last >= view.top.line) {
        int rows = RowDistance(view, view.top, VisualRow{last + 1, 0}, visible + 1);
        if (rows <= visible) bottom = std::min<LONG>(area.bottom, area.top + rows * rowHeight);
    } else if (last < view.top.line) {
        return;  // ends above the window
    }
    // The line-number area belongs to the same rows.
    RECT rows = {0, top, area.right, bottom};
    if (rows.top < rows.bottom) InvalidateRect(view.window, &rows, FALSE);
}

// True when the last changed line ends in the emphasis state and keeps the number of rows
// it had when it was painted, so that nothing below it looks different.
bool LeavesLinesBelowAsTheyWere(EditorView& view, int line)
{
    for (const ShownLine& shown : view.shownLines) {
        if (shown.line != line) continue;
        bool lastLine = line >= view.model.GetLineCount();
        EmphasisState endState = lastLine ? 0 : view.model.LineStartState(line + 1);
        int rows = view.wrapOn ? view.wrap.RowCount(line) : 1;
        return endState == shown.endState && rows == shown.rows;
    }
    return false;  // not painted since the last full repaint: assume the worst
}

// What a change needs repainted: the whole window, or when the view did not move, only
// the lines it touched and the ruler.
void InvalidateChanges(EditorView& view, bool onlyChanged)
{
    ViewPainted& painted = view.painted;
    TextModel::ChangedLines changed = view.model.TakeChangedLines();
    ViewPainted now;
    now.valid = true;
    now.top = view.top;
    now.leftColumn = view.leftColumn;
    now.lineCount = view.model.GetLineCount();
    now.wrapWidth = view.wrap.Width();
    now.caret = view.model.Caret();
    now.anchor = view.model.Anchor();
    bool sameView = painted.valid && painted.top.line == now.top.line && painted.top.row == now.top.row &&
                    painted.leftColumn == now.leftColumn && painted.lineCount == now.lineCount &&
                    painted.wrapWidth == now.wrapWidth && !changed.lineCountChanged;
    if (!onlyChanged || !sameView) {
        InvalidateRect(view.window, nullptr, FALSE);
        painted = now;
        view.shownLines.clear();  // the repaint records every line again
        return;
    }
    int first = INT_MAX, last = 0;
    auto include = [&](int line) {
        first = std::min(first, line);
        last = std::max(last, line);
    };
    bool textChanged = changed.first <= changed.last;
    if (textChanged) {
        include(changed.first);
        include(changed.last);
        // A changed line may rewrap, or open or close a comment that colours the lines below.
        if (LeavesLinesBelowAsTheyWere(view, changed.last) == false) last = INT_MAX;
    }
    if (now.caret != painted.caret || now.anchor != painted.anchor) {
        // The selection's change lies between the four ends; the caret's line carries the
        // underline and the highlighted line number.
        for (TextPosition p : {painted.caret, painted.anchor, now.caret, now.anchor}) include(p.line);
        RECT area = TextArea(view);
        RECT ruler = {0, 0, area.right, area.top};
        if (ruler.bottom > 0) InvalidateRect(view.window, &ruler, FALSE);
    }
    if (first <= last) InvalidateLines(view, first, last);
    painted = now;
}

}  // namespace

void UpdateView(EditorView& view, int flags)
{
    if (view.window) {
        UpdateWrapWidth(view);
        if (flags & kUpdateScrollToCaret) EnsureCaretVisible(view, (flags & kUpdateJump) ? kJumpMarginRows : 0);
        UpdateScrollBars(view);
        PlaceCaret(view);
        if (flags & kUpdateRepaint) InvalidateChanges(view, (flags & kUpdateOnlyChanged) != 0);
    }
    if (flags & kUpdateReport) ReportChanges(view);
}

}  // namespace kvte::textcontrol
