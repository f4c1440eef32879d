// The text operations of the editing control by view id: whole text, lines, caret and
// selection, edit commands, bookmarks, highlight and emphasis. Each one acts on the
// view's model and then brings the screen and the parent up to date. No exception leaves
// an operation: the model and the screen update allocate, and running out of memory
// makes the operation return its failure value (or do nothing) instead.
#include <climits>
#include <cstring>
#include <string_view>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"

using namespace kvte::textcontrol;

namespace {

std::string_view TextOf(const char* text)
{
    return text ? std::string_view(text, std::strlen(text)) : std::string_view();
}

// Runs an operation's body; an exception becomes `failure`.
template <typename Result, typename Body>
Result Guarded(Result failure, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

template <typename Body>
void Guarded(Body body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

int ClampToInt(size_t value) { return value > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value); }

// Runs an edit on a view as one undo step and reports it.
template <typename Edit>
void EditAsOneStep(int id, Edit edit)
{
    EditorView* view = FindView(id);
    if (!view || !view->model.IsEditable()) return;
    view->model.SealUndoStep();
    edit(*view);
    view->model.SealUndoStep();
    UpdateView(*view, kUpdateAll);
}

template <typename Move>
void MoveSelection(int id, Move move)
{
    EditorView* view = FindView(id);
    if (!view) return;
    view->model.SealUndoStep();
    view->desiredColumn = -1;
    move(*view);
    UpdateView(*view, kUpdateAll | kUpdateJump);
}

}  // namespace

void Copy(int view)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (record) CopyToClipboard(*record);
    });
}

void Cut(int view)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record || !record->model.IsEditable() || !record->model.HasSelection()) return;
        if (!CopyToClipboard(*record)) return;  // never delete what did not reach the clipboard
        EditAsOneStep(view, [](EditorView& v) { v.model.InsertText(std::string_view()); });
    });
}

void Paste(int view)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (record) PasteFromClipboard(*record);
    });
}

void Undo(int view)
{
    Guarded([&] { EditAsOneStep(view, [](EditorView& v) { v.model.Undo(); }); });
}

void Redo(int view)
{
    Guarded([&] { EditAsOneStep(view, [](EditorView& v) { v.model.Redo(); }); });
}

void Indent(int view)
{
    Guarded([&] { EditAsOneStep(view, [](EditorView& v) { v.model.Indent(); }); });
}

void Unindent(int view)
{
    Guarded([&] { EditAsOneStep(view, [](EditorView& v) { v.model.Unindent(); }); });
}

void SelectAll(int view)
{
    Guarded([&] { MoveSelection(view, [](EditorView& v) { v.model.SelectAll(); }); });
}

namespace {

// After the model took a whole new text: the view from the top, nothing reported.
void ShowNewText(EditorView& record)
{
    record.top = VisualRow{1, 0};
    record.leftColumn = 0;
    record.widestColumns = 0;
    record.desiredColumn = -1;
    ForgetChanges(record);
    UpdateView(record, kUpdateAll);
}

}  // namespace

int SetText(int view, const char* text)
{
    return Guarded(0, [&] {
        EditorView* record = FindView(view);
        if (!record || !record->model.SetText(TextOf(text))) return 0;
        ShowNewText(*record);
        return 1;
    });
}

int SetTextOwned(int view, std::string&& text)
{
    return Guarded(0, [&] {
        EditorView* record = FindView(view);
        if (!record || !record->model.SetTextOwned(std::move(text))) return 0;
        ShowNewText(*record);
        return 1;
    });
}

void MarkSavePoint(int view, int saved)
{
    EditorView* record = FindView(view);
    if (record == nullptr) return;
    if (saved)
        record->model.MarkSavePoint();
    else
        record->model.ForgetSavePoint();
}

int IsAtSavePoint(int view)
{
    EditorView* record = FindView(view);
    return record && record->model.AtSavePoint() ? 1 : 0;
}

int GetTextLength(int view)
{
    EditorView* record = FindView(view);
    return record ? ClampToInt(record->model.GetTextLength()) : 0;
}

int GetText(int view, char* buffer, int lineEndMode)
{
    return Guarded(0, [&] {
        EditorView* record = FindView(view);
        if (!record || !buffer) return 0;
        // The caller sized the buffer by GetTextLength + 1, which holds every mode.
        size_t capacity = record->model.GetTextLength() + 1;
        return ClampToInt(record->model.GetText(buffer, capacity, lineEndMode));
    });
}

size_t GetHeldLength(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.ByteLength() : 0;
}

unsigned long long GetChangeCounter(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.ChangeCounter() : 0;
}

size_t AppendTextPiece(int view, size_t from, size_t count, int lineEndMode, std::string& out)
{
    EditorView* record = FindView(view);
    return record ? record->model.AppendTextPiece(from, count, lineEndMode, out) : from;
}

int GetLineCount(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.GetLineCount() : 0;
}

void InsertText(int view, const char* text)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record || !text) return;
        InsertTyped(*record, std::string(text), true);
    });
}

int ReplaceRangeText(int view, int start, int end, const char* text, int length)
{
    return Guarded(0, [&] {
        EditorView* record = FindView(view);
        if (!record || !text || length < 0) return 0;
        if (!record->model.IsEditable()) {
            MessageBeep(MB_OK);
            return 0;
        }
        record->model.SealUndoStep();
        record->model.SelectRange(start, end);
        const bool done = record->model.InsertText(std::string_view(text, static_cast<size_t>(length)));
        record->model.SealUndoStep();
        record->desiredColumn = -1;
        UpdateView(*record, kUpdateEdit);
        return done ? 1 : 0;
    });
}

const char* GetLineText(int view, int line)
{
    EditorView* record = FindView(view);
    if (!record) return "";
    record->lineCopy.clear();
    record->lineCopyLine = 0;
    if (line < 1 || line > record->model.GetLineCount()) return record->lineCopy.c_str();
    // A line that cannot be joined or copied for want of memory is handed out empty, and
    // GetLineLength then says 0 too: a caller never reads more bytes than it was given.
    std::string_view bytes = record->model.LineText(line);
    Guarded([&] { record->lineCopy.assign(bytes.data(), bytes.size()); });
    record->lineCopyLine = line;
    record->lineCopyChange = record->model.ChangeCounter();
    return record->lineCopy.c_str();
}

int GetLineLength(int view, int line)
{
    EditorView* record = FindView(view);
    if (!record || line < 1 || line > record->model.GetLineCount()) return 0;
    if (line == record->lineCopyLine && record->model.ChangeCounter() == record->lineCopyChange)
        return ClampToInt(record->lineCopy.size());
    return record->model.GetLineLength(line);
}

int GetLineEnding(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.GetLineEnding() : kLineEndingCrLf;
}

void SetLineEnding(int view, int lineEnding)
{
    if (EditorView* record = FindView(view)) record->model.SetLineEnding(lineEnding);
}

void SetSelection(int view, int line1, int column1, int line2, int column2)
{
    Guarded([&] { MoveSelection(view, [&](EditorView& v) { v.model.SetSelection(line1, column1, line2, column2); }); });
}

int GetSelection(int view, int* line, int* column, int* line2, int* column2)
{
    EditorView* record = FindView(view);
    if (!record) return -2;
    TextPosition first = record->model.SelectionStart();
    TextPosition second = record->model.SelectionEnd();
    if (line) *line = first.line;
    if (column) *column = first.column;
    if (line2) *line2 = second.line;
    if (column2) *column2 = second.column;
    return record->model.HasSelection() ? 0 : -2;
}

void GetSelectionAnchor(int view, int* line, int* column)
{
    EditorView* record = FindView(view);
    const TextPosition anchor = record ? record->model.Anchor() : TextPosition{0, 0};
    if (line) *line = anchor.line;
    if (column) *column = anchor.column;
}

void SelectRange(int view, int start, int end)
{
    Guarded([&] { MoveSelection(view, [&](EditorView& v) { v.model.SelectRange(start, end); }); });
}

int GetSelectionRange(int view, int* start, int* end)
{
    EditorView* record = FindView(view);
    if (!record) return 0;
    if (start) *start = record->model.SelectionStartOffset();
    if (end) *end = record->model.SelectionEndOffset();
    return record->model.HasSelection() ? -1 : 0;
}

int GetCaretLine(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.GetCaretLine() : 0;
}

int GetCaretPosition(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.GetCaretPosition() : 0;
}

void SetCaretLine(int view, int line)
{
    Guarded([&] { MoveSelection(view, [&](EditorView& v) { v.model.SetCaretLine(line); }); });
}

int GetCaretOffset(int view)
{
    EditorView* record = FindView(view);
    return record ? record->model.GetCaretOffset() : 0;
}

void MoveCaretToTop(int view, int)
{
    Guarded([&] { MoveSelection(view, [](EditorView& v) { v.model.MoveCaretToTop(); }); });
}

int GetCaretColumn(int view)
{
    return Guarded(0, [&] {
        EditorView* record = FindView(view);
        return record ? record->model.GetCaretColumn() : 0;
    });
}

void SetBookmark(int view, int line, int on, int redraw)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record) return;
        record->model.SetBookmark(line, on != 0);
        if (redraw) UpdateView(*record, kUpdateRepaint);
    });
}

int IsBookmarked(int view, int line)
{
    EditorView* record = FindView(view);
    return record && record->model.IsBookmarked(line) ? 1 : 0;
}

void SetHighlightText(int view, const char* text, int redraw, int)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record) return;
        record->model.SetHighlightText(TextOf(text));
        if (redraw) UpdateView(*record, kUpdateRepaint);
    });
}

void MarkRanges(int view, const int* ranges, int count, int redraw)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record || (!ranges && count > 0)) return;
        std::vector<std::pair<int, int>> marks;
        for (int i = 0; i < count; ++i) marks.emplace_back(ranges[2 * i], ranges[2 * i + 1]);
        record->model.SetMarkedRanges(marks);
        if (redraw) UpdateView(*record, kUpdateRepaint);
    });
}

int AddEmphasis(int view, const char* text, const char* endText, int kind, COLORREF colour, int second,
                int colourNumber, int fourth)
{
    return Guarded(kEmphasisTableFull, [&] {
        EditorView* record = FindView(view);
        if (!record || !text) return kEmphasisTableFull;
        return record->model.AddEmphasis(TextOf(text), TextOf(endText), kind, colour, second, colourNumber, fourth);
    });
}

void ClearEmphasis(int view, int redraw)
{
    Guarded([&] {
        EditorView* record = FindView(view);
        if (!record) return;
        record->model.ClearEmphasis();
        if (redraw) UpdateView(*record, kUpdateRepaint);
    });
}

void SetEditable(int view, int editable)
{
    EditorView* record = FindView(view);
    if (record) record->model.SetEditable(editable != 0);
}
