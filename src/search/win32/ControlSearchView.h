// Find and replace on one view of the editing control, with the user told through message
// boxes owned by a given window (the main window, or the replace dialog while it runs).
#pragma once

#include <windows.h>

#include "search/SearchView.h"

struct ControlBinding {
    int view = 0;
    HWND owner = nullptr;
    void (*showNotice)(void* noticeContext, const wchar_t* text) = nullptr;  // none when null
    void* noticeContext = nullptr;
};

// The operations on binding's view; binding must outlive the result.
SearchView MakeControlSearchView(ControlBinding& binding);
