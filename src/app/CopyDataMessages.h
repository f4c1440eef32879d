// WM_COPYDATA from other processes: open a file (code 100), insert a text at the caret
// of the current view (101), replace its whole text (102).
#pragma once

#include <windows.h>

#include "app/MainWindow.h"

// Answers one WM_COPYDATA; the result goes back to the sender.
LRESULT CopyDataMessage(const COPYDATASTRUCT* data, OpenRequestHandler openRequest);
