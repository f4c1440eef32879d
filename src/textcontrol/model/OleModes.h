// The bits of the drag-and-drop option (SetOption 8, the settings key "ole"): one mode of
// what a drag does with the text, plus two refusals. The view reads them, and the options
// page builds the number from its buttons.
#pragma once

namespace kvte::textcontrol {

constexpr int kOleMove = 1;          // a drag moves the text
constexpr int kOleCopy = 2;          // a drag copies it
constexpr int kOleRefuseDrops = 4;   // text dropped from outside is refused
constexpr int kOleRefuseDrags = 8;   // no drag starts from the view
constexpr int kOleByCtrlKey = 16;    // moves, or copies while Ctrl is held

}  // namespace kvte::textcontrol
