// The one drawing object of the owner-drawn marks that lives as long as the program:
// the pen of the line-end mark, made on first use. Every other pen and brush is made
// around its drawing call.
#pragma once

#include <windows.h>

struct MarkDrawing {
    HPEN lineEndPen = nullptr;
};

inline void ReleaseMarkDrawing(MarkDrawing& drawing)
{
    if (drawing.lineEndPen) DeleteObject(drawing.lineEndPen);
    drawing.lineEndPen = nullptr;
}
