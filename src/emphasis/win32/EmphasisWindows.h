// The emphasis subsystem's connection to the editing control and to the message boxes of
// the main window, and what it draws and shows itself: the owner-drawn line-end mark
// and the menu of environments.
#pragma once

#include <windows.h>

#include "emphasis/EmphasisState.h"
#include "emphasis/win32/MarkDrawing.h"

// Fills state.host with the editing control's operations; message boxes are owned by
// owner (the main window).
void ConnectEmphasisWindows(EmphasisState& state, HWND owner);

// WM_DRAWITEM of control type 1000 from a view: draws the line-end mark (item state 3)
// as a return-key arrow in the colour cCrlf, with the metrics of the view named by the
// record's item id. The pen is made at the first mark and kept for the rest of the run.
void DrawLineEndMark(MarkDrawing& drawing, const EmphasisState& state, const DRAWITEMSTRUCT& item);
