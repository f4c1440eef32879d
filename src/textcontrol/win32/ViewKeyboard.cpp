// Keyboard input of a view: characters (WM_CHAR, with surrogate pairs), editing keys and
// caret movement with Shift and Ctrl as users expect.
#include <algorithm>
#include <iterator>

#include "encoding/CharacterCodesInline.h"
#include "textcontrol/model/KeyMap.h"

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

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
    wchar_t& pending = view.pendingHighSurrogate;
    if (encoding_detail::IsHighSurrogate(unit)) {
        pending = unit;
        return;
    }
    wchar_t units[3] = {0, 0, 0};
    size_t count = 0;
    if (encoding_detail::IsLowSurrogate(unit)) {
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

namespace {

// A handler of one key action; returns true when the key was handled.
using KeyHandler = bool (*)(EditorView& view, bool extend);

// After a caret move: the undo step ends, and a move that is not vertical forgets the
// column that a run of vertical moves keeps.
bool CaretMoved(EditorView& view, bool vertical)
{
    if (!vertical) view.desiredColumn = -1;
    view.model.SealUndoStep();
    UpdateView(view, kUpdateEdit);
    return true;
}

bool MoveCaret(EditorView& view, CaretMove move, bool extend)
{
    view.model.MoveCaret(move, extend);
    return CaretMoved(view, false);
}

bool MoveSideways(EditorView& view, CaretMove move, bool toEnd, bool extend)
{
    if (extend || !CollapseSelection(view, toEnd)) view.model.MoveCaret(move, extend);
    return CaretMoved(view, false);
}

bool MoveRows(EditorView& view, int rows, bool extend)
{
    MoveByRows(view, rows, extend);
    return CaretMoved(view, true);
}

bool MovePage(EditorView& view, int direction, bool extend)
{
    int rows = direction * std::max(1, VisibleRows(view) - 1);
    ScrollRows(view, rows);
    MoveByRows(view, rows, extend);
    return CaretMoved(view, true);
}

bool MoveRowEdge(EditorView& view, bool end, bool extend)
{
    MoveToRowEdge(view, end, extend);
    return CaretMoved(view, false);
}

bool Scroll(EditorView& view, int rows)
{
    ScrollRows(view, rows);
    UpdateView(view, kUpdateRepaint);
    return true;
}

bool LineBreak(EditorView& view, bool)
{
    // The line break is made here, as Tab's is, so that whoever sees the key-down first
    // decides about it; the character that follows is then ignored.
    InsertTyped(view, "\r\n", false);
    view.enterCharPending = true;
    return true;
}

bool DeleteForward(EditorView& view, bool)
{
    if (!view.model.IsEditable()) return true;
    view.model.DeleteForward();  // consecutive presses stay one undo step
    view.desiredColumn = -1;
    UpdateView(view, kUpdateEdit);
    return true;
}

bool TabKey(EditorView& view, bool)
{
    if (SelectionSpansLines(view.model))
        ::Indent(view.id);
    else
        InsertTyped(view, "\t", false);
    return true;
}

template <void (*Operation)(int)>
bool ByOperation(EditorView& view, bool)
{
    Operation(view.id);
    return true;
}

// Indexed by KeyAction.
constexpr KeyHandler kKeyHandlers[] = {
    [](EditorView&, bool) { return false; },  // None
    [](EditorView&, bool) { return true; },   // Ignore
    LineBreak,
    [](EditorView& v, bool e) { return MoveSideways(v, CaretMove::CharLeft, false, e); },
    [](EditorView& v, bool e) { return MoveSideways(v, CaretMove::CharRight, true, e); },
    [](EditorView& v, bool e) { return MoveSideways(v, CaretMove::WordLeft, false, e); },
    [](EditorView& v, bool e) { return MoveSideways(v, CaretMove::WordRight, true, e); },
    [](EditorView& v, bool e) { return MoveRows(v, -1, e); },
    [](EditorView& v, bool e) { return MoveRows(v, 1, e); },
    [](EditorView& v, bool e) { return MovePage(v, -1, e); },
    [](EditorView& v, bool e) { return MovePage(v, 1, e); },
    [](EditorView& v, bool e) { return MoveRowEdge(v, false, e); },
    [](EditorView& v, bool e) { return MoveRowEdge(v, true, e); },
    [](EditorView& v, bool e) { return MoveCaret(v, CaretMove::DocumentStart, e); },
    [](EditorView& v, bool e) { return MoveCaret(v, CaretMove::DocumentEnd, e); },
    [](EditorView& v, bool) { return Scroll(v, -1); },
    [](EditorView& v, bool) { return Scroll(v, 1); },
    DeleteForward,
    TabKey,
    ByOperation<::Unindent>,
    ByOperation<::Cut>,
    ByOperation<::Copy>,
    ByOperation<::Paste>,
    ByOperation<::SelectAll>,
    ByOperation<::Undo>,
    ByOperation<::Redo>,
};
static_assert(std::size(kKeyHandlers) == static_cast<size_t>(KeyAction::Redo) + 1, "one handler per key action");

}  // namespace

bool KeyDown(EditorView& view, WPARAM key)
{
    view.enterCharPending = false;
    int modifiers = (KeyHeld(VK_SHIFT) ? kModShift : 0) | (KeyHeld(VK_CONTROL) ? kModCtrl : 0);
    KeyCommand command = LookUpViewKey(static_cast<int>(key), modifiers);
    return kKeyHandlers[static_cast<size_t>(command.action)](view, command.extend);
}

}  // namespace kvte::textcontrol
