// The editing view's keys: which key, with which of Shift and Ctrl held, does what. The
// one table lives in KeyMap.cpp; the view looks a key up and runs the action's handler.
// Key codes are the system's virtual-key numbers.
#pragma once

namespace kvte::textcontrol {

namespace vk {
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kPageUp = 0x21;
constexpr int kPageDown = 0x22;
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
}  // namespace vk

enum KeyModifier : int { kModShift = 1, kModCtrl = 2 };

enum class KeyAction {
    None,  // not the view's key: it goes on to the program (Ctrl+Tab switches tabs)
    Ignore,  // the view's key, doing nothing
    LineBreak,
    // Caret moves; each extends the selection while Shift is held. A move left or right
    // without Shift first drops a selection at its near end.
    CharLeft,
    CharRight,
    WordLeft,
    WordRight,
    RowUp,
    RowDown,
    PageUp,
    PageDown,
    RowStart,
    RowEnd,
    DocumentStart,
    DocumentEnd,
    // The view scrolls by a row and the caret stays.
    ScrollUp,
    ScrollDown,
    DeleteForward,
    TabKey,  // indents a selection over several lines, else inserts a tab
    Unindent,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Undo,
    Redo,
};

// One row of the key map: the key does `action` when the modifiers held, masked by
// `care`, are `modifiers`; modifiers outside `care` do not matter.
struct KeyBinding {
    int key;
    int modifiers;
    int care;
    KeyAction action;
};

struct KeyCommand {
    KeyAction action = KeyAction::None;
    bool extend = false;  // Shift held: a caret move extends the selection
};

// The first row of [first, last) that takes the key with these modifiers (action None
// when no row does).
KeyCommand LookUpKey(const KeyBinding* first, const KeyBinding* last, int key, int modifiers);
// The same in the view's own key map.
KeyCommand LookUpViewKey(int key, int modifiers);

}  // namespace kvte::textcontrol
