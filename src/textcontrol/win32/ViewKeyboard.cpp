// Keyboard input of a view: characters (WM_CHAR, with surrogate pairs), editing keys and
// caret movement with Shift and Ctrl as users expect.
#include <algorithm>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A high surrogate typed waits here for its low half.
wchar_t& PendingHighSurrogate()
{
    static wchar_t pending = 0;
    return pending;
}

bool SelectionSpansLines(const TextModel& model)
{
    return model.HasSelection() && model.SelectionStart().line != model.SelectionEnd().line;
}

// Up and Down go by visual rows, keeping the display column of the first of a run of
// vertical moves.
void MoveByRows(EditorView& view, int rows, bool extend)
{
    TextPosition caret = view.model.Caret();
    VisualRow row = RowOfPosition(view, caret);
    int column = view.desiredColumn >= 0 ? view.desiredColumn : ColumnInRow(view, caret);
    VisualRow target = view.wrapOn ? view.wrap.Advance(row, rows)
                                   : VisualRow{std::clamp(row.line + rows, 1, view.model.GetLineCount()), 0};
    TextPosition to = PositionAtColumn(view, target, column);
    if (target.line == row.line && target.row == row.row) {
        // At the first or last row: go to the start or the end of the text.
        to = rows < 0
                 ? TextPosition{1, 1}
                 : TextPosition{view.model.GetLineCount(), view.model.GetLineLength(view.model.GetLineCount()) + 1};
    }
    TextPosition anchor = extend ? view.model.Anchor() : to;
    view.model.SetSelection(anchor.line, anchor.column, to.line, to.column);
    view.desiredColumn = column;
}

void MoveToRowEdge(EditorView& view, bool end, bool extend)
{
    if (!view.wrapOn) {
        view.model.MoveCaret(end ? CaretMove::LineEnd : CaretMove::LineStart, extend);
        return;
    }
    TextPosition caret = view.model.Caret();
    RowBytes row = RowOf(view, RowOfPosition(view, caret));
    TextPosition to{caret.line, (end ? row.end : row.start) + 1};
    if (end && !row.lastRowOfLine) to = PositionAtColumn(view, RowOfPosition(view, caret), 1 << 30);
    TextPosition anchor = extend ? view.model.Anchor() : to;
    view.model.SetSelection(anchor.line, anchor.column, to.line, to.column);
}

// Left and Right without Shift first drop a selection at its near end.
bool CollapseSelection(EditorView& view, bool toEnd)
{
    if (!view.model.HasSelection()) return false;
    TextPosition at = toEnd ? view.model.SelectionEnd() : view.model.SelectionStart();
    view.model.SetSelection(at.line, at.column, at.line, at.column);
    return true;
}

}  // namespace

bool InsertTyped(EditorView& view, const std::string& text, bool ownStep)
{
    if (!view.model.IsEditable()) {
        MessageBeep(MB_OK);
        return false;
    }
    if (ownStep) view.model.SealUndoStep();
    bool done = view.model.InsertText(text);
    if (ownStep) view.model.SealUndoStep();
    view.desiredColumn = -1;
    UpdateView(view, kUpdateEdit);
    return done;
}

void CharTyped(EditorView& view, wchar_t unit)
{
    wchar_t& pending = PendingHighSurrogate();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        pending = unit;
        return;
    }
    wchar_t units[3] = {0, 0, 0};
    size_t count = 0;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (!pending) return;  // a low half alone is no character
        units[count++] = pending;
    }
    pending = 0;
    if (unit == L'\b') {
        if (!view.model.IsEditable()) return;
        view.model.DeleteBackward();
        view.desiredColumn = -1;
        UpdateView(view, kUpdateEdit);
        return;
    }
    if (unit == L'\r' || unit == L'\n') {
        // Only a character that no key-down of Enter announced breaks the line: one that
        // another program sends, say. A procedure in front of the view that consumes the
        // key-down of Enter has then taken the line break with it.
        const bool announced = view.enterCharPending;
        view.enterCharPending = false;
        if (!announced) InsertTyped(view, "\r\n", false);
        return;
    }
    view.enterCharPending = false;
    if (unit == L'\t') return;                // handled as a key: it may indent
    if (unit < 0x20 || unit == 0x7F) return;  // other control characters are commands
    units[count++] = unit;
    std::string text = WideToInternal(units, count);
    if (!text.empty()) InsertTyped(view, text, false);
}

bool KeyDown(EditorView& view, WPARAM key)
{
    bool shift = KeyHeld(VK_SHIFT);
    bool ctrl = KeyHeld(VK_CONTROL);
    TextModel& model = view.model;
    int page = std::max(1, VisibleRows(view) - 1);
    bool vertical = false;
    view.enterCharPending = false;
    switch (key) {
    case VK_RETURN:
        // The line break is made here, as Tab's is, so that whoever sees the key-down
        // first decides about it; the character that follows is then ignored.
        InsertTyped(view, "\r\n", false);
        view.enterCharPending = true;
        return true;
    case VK_LEFT:
        if (shift || !CollapseSelection(view, false))
            model.MoveCaret(ctrl ? CaretMove::WordLeft : CaretMove::CharLeft, shift);
        break;
    case VK_RIGHT:
        if (shift || !CollapseSelection(view, true))
            model.MoveCaret(ctrl ? CaretMove::WordRight : CaretMove::CharRight, shift);
        break;
    case VK_UP:
    case VK_DOWN:
        if (ctrl) {
            ScrollRows(view, key == VK_UP ? -1 : 1);
            UpdateView(view, kUpdateRepaint);
            return true;
        }
        MoveByRows(view, key == VK_UP ? -1 : 1, shift);
        vertical = true;
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        int rows = key == VK_PRIOR ? -page : page;
        ScrollRows(view, rows);
        MoveByRows(view, rows, shift);
        vertical = true;
        break;
    }
    case VK_HOME:
        if (ctrl)
            model.MoveCaret(CaretMove::DocumentStart, shift);
        else
            MoveToRowEdge(view, false, shift);
        break;
    case VK_END:
        if (ctrl)
            model.MoveCaret(CaretMove::DocumentEnd, shift);
        else
            MoveToRowEdge(view, true, shift);
        break;
    case VK_DELETE:
        if (shift) {
            ::Cut(view.id);
            return true;
        }
        if (!model.IsEditable()) return true;
        model.DeleteForward();  // consecutive presses stay one undo step
        view.desiredColumn = -1;
        UpdateView(view, kUpdateEdit);
        return true;
    case VK_INSERT:
        if (ctrl)
            ::Copy(view.id);
        else if (shift)
            ::Paste(view.id);
        return true;
    case VK_TAB:
        if (ctrl) return false;  // the program switches tabs with Ctrl+Tab
        if (shift)
            ::Unindent(view.id);
        else if (SelectionSpansLines(model))
            ::Indent(view.id);
        else
            InsertTyped(view, "\t", false);
        return true;
    default:
        if (!ctrl || shift) return false;
        switch (key) {
        case 'A':
            ::SelectAll(view.id);
            return true;
        case 'C':
            ::Copy(view.id);
            return true;
        case 'X':
            ::Cut(view.id);
            return true;
        case 'V':
            ::Paste(view.id);
            return true;
        case 'Z':
            ::Undo(view.id);
            return true;
        case 'Y':
            ::Redo(view.id);
            return true;
        default:
            return false;
        }
    }
    if (!vertical) view.desiredColumn = -1;
    model.SealUndoStep();
    UpdateView(view, kUpdateEdit);
    return true;
}

}  // namespace kvte::textcontrol
