#include "textcontrol/model/KeyMap.h"

#include <iterator>

namespace kvte::textcontrol {

namespace {

constexpr int kAny = 0;
constexpr int kBoth = kModShift | kModCtrl;

// Rows are tried in order, so a key's rows go from the most modifiers to the fewest.
constexpr KeyBinding kViewKeys[] = {
    {vk::kReturn, 0, kAny, KeyAction::LineBreak},
    {vk::kLeft, kModCtrl, kModCtrl, KeyAction::WordLeft},
    {vk::kLeft, 0, kModCtrl, KeyAction::CharLeft},
    {vk::kRight, kModCtrl, kModCtrl, KeyAction::WordRight},
    {vk::kRight, 0, kModCtrl, KeyAction::CharRight},
    {vk::kUp, kModCtrl, kModCtrl, KeyAction::ScrollUp},
    {vk::kUp, 0, kModCtrl, KeyAction::RowUp},
    {vk::kDown, kModCtrl, kModCtrl, KeyAction::ScrollDown},
    {vk::kDown, 0, kModCtrl, KeyAction::RowDown},
    {vk::kPageUp, 0, kAny, KeyAction::PageUp},
    {vk::kPageDown, 0, kAny, KeyAction::PageDown},
    {vk::kHome, kModCtrl, kModCtrl, KeyAction::DocumentStart},
    {vk::kHome, 0, kModCtrl, KeyAction::RowStart},
    {vk::kEnd, kModCtrl, kModCtrl, KeyAction::DocumentEnd},
    {vk::kEnd, 0, kModCtrl, KeyAction::RowEnd},
    {vk::kDelete, kModShift, kModShift, KeyAction::Cut},
    {vk::kDelete, 0, kModShift, KeyAction::DeleteForward},
    {vk::kInsert, kModCtrl, kModCtrl, KeyAction::Copy},
    {vk::kInsert, kModShift, kBoth, KeyAction::Paste},
    {vk::kInsert, 0, kBoth, KeyAction::Ignore},
    // Ctrl+Tab is left to the program, which switches tabs with it.
    {vk::kTab, kModShift, kBoth, KeyAction::Unindent},
    {vk::kTab, 0, kBoth, KeyAction::TabKey},
    {'A', kModCtrl, kBoth, KeyAction::SelectAll},
    {'C', kModCtrl, kBoth, KeyAction::Copy},
    {'X', kModCtrl, kBoth, KeyAction::Cut},
    {'V', kModCtrl, kBoth, KeyAction::Paste},
    {'Z', kModCtrl, kBoth, KeyAction::Undo},
    {'Y', kModCtrl, kBoth, KeyAction::Redo},
};

}  // namespace

KeyCommand LookUpKey(const KeyBinding* first, const KeyBinding* last, int key, int modifiers)
{
    KeyCommand command;
    for (const KeyBinding* row = first; row != last; ++row) {
        if (row->key == key && (modifiers & row->care) == row->modifiers) {
            command.action = row->action;
            command.extend = (modifiers & kModShift) != 0;
            break;
        }
    }
    return command;
}

KeyCommand LookUpViewKey(int key, int modifiers)
{
    return LookUpKey(std::begin(kViewKeys), std::end(kViewKeys), key, modifiers);
}

}  // namespace kvte::textcontrol
