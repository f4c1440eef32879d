// The benches drive views with key messages; the view reads Ctrl and Shift from the
// keyboard state, which a bench sets as a user holding the keys would.
#pragma once

#include <windows.h>

// Ctrl held (down) or released; Shift released either way.
inline void HoldCtrl(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys);
}
