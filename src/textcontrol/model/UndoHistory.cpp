// Undo and redo steps with typing merged into one step (see UndoHistory.h).
#include "textcontrol/model/UndoHistory.h"

#include <new>

namespace kvte::textcontrol {

namespace {
// Whether an edit of kind `merge` may join `step`: consecutive key presses of one kind.
bool Continues(const UndoStep& step, UndoMerge merge)
{
    return !step.sealed && merge != UndoMerge::None && step.merge == merge && !step.actions.empty();
}

// Folds `action` into `last` when the two touch (typing on, deleting further back or
// forward); false when they do not, and the action is kept as one more of the step.
bool Fold(UndoAction& last, const UndoAction& action, UndoMerge merge)
{
    switch (merge) {
    case UndoMerge::Typing:
        if (!last.removed.empty() || !action.removed.empty() || action.position != last.position + last.inserted.size())
            return false;
        last.inserted += action.inserted;
        return true;
    case UndoMerge::Backspace:
        if (!last.inserted.empty() || !action.inserted.empty() ||
            action.position + action.removed.size() != last.position)
            return false;
        last.removed.insert(0, action.removed);
        last.position = action.position;
        return true;
    case UndoMerge::Delete:
        if (!last.inserted.empty() || !action.inserted.empty() || action.position != last.position) return false;
        last.removed += action.removed;
        return true;
    case UndoMerge::None:
        break;
    }
    return false;
}
}  // namespace

bool UndoHistory::Record(UndoAction action, UndoMerge merge, size_t anchorBefore, size_t caretBefore,
                         size_t anchorAfter, size_t caretAfter)
{
    try {
        if (savePoint_ > static_cast<long>(undoCount_)) savePoint_ = -1;  // among the redo steps
        steps_.resize(undoCount_);  // a new edit ends every redo
        if (groupDepth_ > 0 && !groupStarted_) {
            steps_.emplace_back();
            ++undoCount_;
            steps_.back().anchorBefore = anchorBefore;
            steps_.back().caretBefore = caretBefore;
            groupStarted_ = true;
        } else if (groupDepth_ == 0) {
            if (undoCount_ > 0 && Continues(steps_.back(), merge)) {
                UndoStep& step = steps_.back();
                if (!Fold(step.actions.back(), action, merge)) step.actions.push_back(std::move(action));
                step.anchorAfter = anchorAfter;
                step.caretAfter = caretAfter;
                return true;
            }
            steps_.emplace_back();
            ++undoCount_;
            steps_.back().merge = merge;
            steps_.back().anchorBefore = anchorBefore;
            steps_.back().caretBefore = caretBefore;
        }
        UndoStep& step = steps_.back();
        step.actions.push_back(std::move(action));
        step.anchorAfter = anchorAfter;
        step.caretAfter = caretAfter;
        TrimToLimit();
        return true;
    } catch (const std::bad_alloc&) {
        Clear();
        ForgetSavePoint();  // the edit happened, so the text is no longer the saved one
        return false;
    }
}

void UndoHistory::MarkSavePoint()
{
    Seal();  // typing on after a save starts a step of its own
    savePoint_ = static_cast<long>(undoCount_);
}

void UndoHistory::BeginGroup()
{
    if (groupDepth_++ == 0) groupStarted_ = false;
}

void UndoHistory::EndGroup()
{
    if (groupDepth_ > 0 && --groupDepth_ == 0 && groupStarted_ && undoCount_ > 0) steps_.back().sealed = true;
}

void UndoHistory::Seal()
{
    if (undoCount_ > 0) steps_[undoCount_ - 1].sealed = true;
}

void UndoHistory::Clear()
{
    steps_.clear();
    undoCount_ = 0;
    savePoint_ = 0;
}

void UndoHistory::SetLimit(int steps)
{
    if (steps == -1 || steps > 0) {
        limit_ = steps;
        TrimToLimit();
    }
}

void UndoHistory::TrimToLimit()
{
    if (limit_ < 0) return;
    while (steps_.size() > static_cast<size_t>(limit_) && undoCount_ > 0) {
        steps_.pop_front();
        --undoCount_;
        if (savePoint_ >= 0) --savePoint_;  // before the first step left: unreachable
    }
}

const UndoStep* UndoHistory::TakeUndo()
{
    if (undoCount_ == 0) return nullptr;
    --undoCount_;
    steps_[undoCount_].sealed = true;
    if (undoCount_ > 0) steps_[undoCount_ - 1].sealed = true;  // typing after an undo starts afresh
    return &steps_[undoCount_];
}

const UndoStep* UndoHistory::TakeRedo()
{
    if (undoCount_ >= steps_.size()) return nullptr;
    steps_[undoCount_].sealed = true;
    return &steps_[undoCount_++];
}

size_t UndoHistory::MemoryUse() const
{
    size_t total = steps_.size() * sizeof(UndoStep);
    for (const UndoStep& step : steps_)
        for (const UndoAction& action : step.actions)
            total += sizeof(UndoAction) + action.removed.capacity() + action.inserted.capacity();
    return total;
}

}  // namespace kvte::textcontrol

namespace kvte::textcontrol {

void UndoHistory::SetSelectionAfter(size_t anchor, size_t caret)
{
    if (undoCount_ == 0) return;
    steps_[undoCount_ - 1].anchorAfter = anchor;
    steps_[undoCount_ - 1].caretAfter = caret;
}

}  // namespace kvte::textcontrol
