// Edits of the text model: replacing a range, typing, deleting, indenting, undo and redo.
// Every edit goes through ReplaceRange, which keeps the buffer, the line index, the undo
// history, the emphasis states and the observers in step.
#include <algorithm>
#include <cstring>
#include <new>

#include "textcontrol/model/TextModel.h"

namespace kvte::textcontrol {

namespace {
// The text with CR LF, CR and LF each turned into one '\n'.
bool NormalizeLineBreaks(std::string_view text, std::string* out)
{
    try {
        out->clear();
        out->reserve(text.size());
        // Copies the runs between CRs whole: a long text (replace all hands over one of the
        // whole document's size) costs about one copy.
        size_t i = 0;
        while (i < text.size()) {
            const void* cr = std::memchr(text.data() + i, '\r', text.size() - i);
            size_t stop = cr ? static_cast<size_t>(static_cast<const char*>(cr) - text.data()) : text.size();
            out->append(text.data() + i, stop - i);
            if (stop == text.size()) break;
            out->push_back('\n');
            i = stop + 1;
            if (i < text.size() && text[i] == '\n') ++i;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
}  // namespace

bool TextModel::ReplaceRange(size_t start, size_t end, std::string_view text, bool recordUndo, UndoMerge merge)
{
    size_t length = buffer_.Length();
    end = std::min(end, length);
    start = std::min(start, end);
    if (start == end && text.empty()) return true;
    std::string removed;
    std::vector<size_t> breaks;
    try {
        if (recordUndo) {
            removed.resize(end - start);
            if (!removed.empty()) buffer_.CopyOut(start, end - start, &removed[0]);
        }
        size_t at = 0;
        while (at < text.size()) {
            const void* lf = std::memchr(text.data() + at, '\n', text.size() - at);
            if (!lf) break;
            at = static_cast<size_t>(static_cast<const char*>(lf) - text.data());
            breaks.push_back(at++);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t firstLine0 = lines_.LineOfIndex(start);
    size_t removedBreaks = lines_.LineOfIndex(end) - firstLine0;
    size_t anchorBefore = anchor_, caretBefore = caret_;

    // Insert after the removed range first: only the insertion can fail (and, in a text
    // taken whole, copying out the part of it to be cut), and then nothing has changed yet.
    if (!buffer_.PrepareErase(start, end - start)) return false;
    if (!buffer_.Insert(end, text.data(), text.size())) return false;
    if (!lines_.Insert(end, text.size(), breaks)) {
        buffer_.Erase(end, text.size());
        return false;
    }
    if (end > start) {
        lines_.Erase(start, end);
        buffer_.Erase(start, end - start);
    }
    // A lone lead byte inserted or uncovered before a trail byte now pairs with it: the
    // caret goes after that character rather than into it.
    anchor_ = caret_ = SnapUpToUnit(start + text.size());
    desiredColumn_ = -1;

    if (recordUndo) {
        UndoAction action;
        action.position = start;
        action.removed = std::move(removed);
        try {
            action.inserted.assign(text.data(), text.size());
        } catch (const std::bad_alloc&) {
            undo_.Clear();
            undo_.ForgetSavePoint();
            recordUndo = false;
        }
        if (recordUndo) undo_.Record(std::move(action), merge, anchorBefore, caretBefore, anchor_, caret_);
    }
    long lineDelta = static_cast<long>(breaks.size()) - static_cast<long>(removedBreaks);
    InvalidateEmphasisFrom(firstLine0, lineDelta, firstLine0 + breaks.size());
    int firstLine = static_cast<int>(firstLine0 + 1);
    NoteChangedLines(firstLine, firstLine + static_cast<int>(breaks.size()), lineDelta != 0);
    Notify({firstLine, static_cast<int>(removedBreaks + 1), static_cast<int>(breaks.size() + 1)});
    return true;
}

bool TextModel::InsertText(std::string_view text)
{
    if (!editable_) return false;
    std::string normalized;
    if (!NormalizeLineBreaks(text, &normalized)) return false;
    size_t start = std::min(anchor_, caret_), end = std::max(anchor_, caret_);
    // One typed character continues the typing step; anything longer is a step of its own.
    bool oneCharacter = start == end && !normalized.empty() && normalized.size() <= 2 &&
                        normalized.find('\n') == std::string::npos &&
                        (normalized.size() == 1 || IsLeadByte(static_cast<unsigned char>(normalized[0])));
    if (!oneCharacter) undo_.Seal();
    bool done = ReplaceRange(start, end, normalized, true, oneCharacter ? UndoMerge::Typing : UndoMerge::None);
    if (!oneCharacter) undo_.Seal();
    return done;
}

bool TextModel::DeleteBackward()
{
    if (!editable_) return false;
    if (HasSelection()) {
        undo_.Seal();
        bool done = ReplaceRange(std::min(anchor_, caret_), std::max(anchor_, caret_), {}, true, UndoMerge::None);
        undo_.Seal();
        return done;
    }
    if (caret_ == 0) return false;
    return ReplaceRange(PreviousUnit(caret_), caret_, {}, true, UndoMerge::Backspace);
}

bool TextModel::DeleteForward()
{
    if (!editable_) return false;
    if (HasSelection()) {
        undo_.Seal();
        bool done = ReplaceRange(std::min(anchor_, caret_), std::max(anchor_, caret_), {}, true, UndoMerge::None);
        undo_.Seal();
        return done;
    }
    if (caret_ >= buffer_.Length()) return false;
    size_t at = caret_;
    bool done = ReplaceRange(at, NextUnit(at), {}, true, UndoMerge::Delete);
    return done;
}

bool TextModel::Indent() { return ChangeIndentation(true); }
bool TextModel::Unindent() { return ChangeIndentation(false); }

bool TextModel::ChangeIndentation(bool add)
{
    if (!editable_) return false;
    size_t selStart = std::min(anchor_, caret_), selEnd = std::max(anchor_, caret_);
    bool caretAtEnd = caret_ >= anchor_;
    size_t anchorBefore = anchor_, caretBefore = caret_;
    bool hadSelection = selStart != selEnd;
    size_t first = lines_.LineOfIndex(selStart);
    size_t last = lines_.LineOfIndex(selEnd);
    bool endsAtLineStart = hadSelection && last > first && lines_.LineStart(last) == selEnd;
    if (endsAtLineStart) --last;
    size_t caretLineStart = lines_.LineStart(lines_.LineOfIndex(caret_));
    size_t caretColumn = caret_ - caretLineStart;

    // A group never merges with the step before it, so no Seal here: an indentation that
    // changes nothing leaves the typing step open.
    undo_.BeginGroup();
    bool changed = false;
    long caretShift = 0;
    for (size_t line = first; line <= last; ++line) {
        size_t start = lines_.LineStart(line);
        size_t end = LineEndIndex(line);
        if (add) {
            if (start == end && hadSelection) continue;  // leave empty lines of a block alone
            if (!ReplaceRange(start, start, "\t", true, UndoMerge::None)) break;
            changed = true;
            caretShift = 1;
        } else {
            size_t remove = 0;
            if (start < end && buffer_.At(start) == '\t') {
                remove = 1;
            } else {
                while (remove < static_cast<size_t>(tabWidth_) && start + remove < end &&
                       buffer_.At(start + remove) == ' ')
                    ++remove;
            }
            if (remove == 0) continue;
            if (!ReplaceRange(start, start + remove, {}, true, UndoMerge::None)) break;
            changed = true;
            caretShift = -static_cast<long>(std::min(remove, caretColumn));
        }
    }
    if (!changed) {
        anchor_ = anchorBefore;
        caret_ = caretBefore;
    } else if (hadSelection) {
        size_t a = lines_.LineStart(first);
        size_t b = endsAtLineStart ? lines_.LineStart(last + 1) : LineEndIndex(last);
        anchor_ = caretAtEnd ? a : b;
        caret_ = caretAtEnd ? b : a;
    } else {
        size_t lineStart = lines_.LineStart(first);
        anchor_ = caret_ = lineStart + static_cast<size_t>(static_cast<long>(caretColumn) + caretShift);
    }
    if (changed) undo_.SetSelectionAfter(anchor_, caret_);
    undo_.EndGroup();
    return changed;
}

void TextModel::ApplyStep(const UndoStep& step, bool forward)
{
    if (forward) {
        for (const UndoAction& action : step.actions)
            ReplaceRange(action.position, action.position + action.removed.size(), action.inserted, false,
                         UndoMerge::None);
        anchor_ = SnapToUnit(step.anchorAfter);
        caret_ = SnapToUnit(step.caretAfter);
    } else {
        for (auto it = step.actions.rbegin(); it != step.actions.rend(); ++it)
            ReplaceRange(it->position, it->position + it->inserted.size(), it->removed, false, UndoMerge::None);
        anchor_ = SnapToUnit(step.anchorBefore);
        caret_ = SnapToUnit(step.caretBefore);
    }
    desiredColumn_ = -1;
}

bool TextModel::Undo()
{
    if (!editable_) return false;
    const UndoStep* step = undo_.TakeUndo();
    if (!step) return false;
    ApplyStep(*step, false);
    return true;
}

bool TextModel::Redo()
{
    if (!editable_) return false;
    const UndoStep* step = undo_.TakeRedo();
    if (!step) return false;
    ApplyStep(*step, true);
    return true;
}

}  // namespace kvte::textcontrol
