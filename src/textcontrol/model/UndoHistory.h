// The undo and redo steps of one view. A step is a list of replacements, undone in
// reverse order, with the selection before and after it. Consecutive typing (and
// consecutive Backspace or Delete presses) at the caret merge into one step.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace kvte::textcontrol {

// Replace bytes [position, position + removed.size()) by `inserted` ('\n' line breaks).
struct UndoAction {
    size_t position = 0;
    std::string removed;
    std::string inserted;
};

// How an edit may merge with the step before it.
enum class UndoMerge { None, Typing, Backspace, Delete };

struct UndoStep {
    std::vector<UndoAction> actions;
    size_t anchorBefore = 0, caretBefore = 0;
    size_t anchorAfter = 0, caretAfter = 0;
    UndoMerge merge = UndoMerge::None;
    bool sealed = false;
};

class UndoHistory {
public:
    static constexpr int kDefaultLimit = 256;

    // Records one edit made with the given selection before and after. An edit of kind
    // Typing continues the last step when that step is an unsealed typing step ending where
    // this one starts; Backspace and Delete likewise. Drops redo steps, and the oldest step
    // beyond the limit. False when memory ran out (history cleared, edit still valid).
    bool Record(UndoAction action, UndoMerge merge, size_t anchorBefore, size_t caretBefore, size_t anchorAfter,
                size_t caretAfter);
    // Starts a step that several Record calls fill (Indent, Unindent); ends with EndGroup.
    void BeginGroup();
    void EndGroup();
    void Seal();
    // The selection that redo restores for the last step (set after a group is complete).
    void SetSelectionAfter(size_t anchor, size_t caret);
    void Clear();
    // -1 unlimited; n > 0 keeps n steps; other values ignored.
    void SetLimit(int steps);
    int Limit() const { return limit_; }

    // The save point: the place in the history where the text equals what was last
    // saved or loaded. A new history starts there; it becomes unreachable when the redo
    // steps it lies in are dropped, when the step it follows is trimmed away, or when the
    // history is lost for want of memory.
    void MarkSavePoint();
    void ForgetSavePoint() { savePoint_ = -1; }  // the text changed outside the history
    bool AtSavePoint() const { return savePoint_ >= 0 && static_cast<size_t>(savePoint_) == undoCount_; }

    bool CanUndo() const { return undoCount_ > 0; }
    bool CanRedo() const { return undoCount_ < steps_.size(); }
    // The step to undo / redo, moving the boundary; nullptr when none.
    const UndoStep* TakeUndo();
    const UndoStep* TakeRedo();
    size_t MemoryUse() const;

private:
    void TrimToLimit();

    std::deque<UndoStep> steps_;
    size_t undoCount_ = 0;  // steps_[0 .. undoCount_) can be undone, the rest redone
    int limit_ = kDefaultLimit;
    int groupDepth_ = 0;
    bool groupStarted_ = false;
    long savePoint_ = 0;  // the undoCount_ of the saved text; -1 when no longer reachable
};

}  // namespace kvte::textcontrol
