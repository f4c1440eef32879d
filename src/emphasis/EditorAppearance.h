// How a view looks: the editor settings of [editor1] and [editor2] and the colours of
// the colour file, pushed into one view; the font command; the shape of the owner-drawn
// line-end mark. Nothing is kept: every call reads the settings and the colour file
// afresh, so a changed colour file takes effect at the next apply.
#pragma once

#include "emphasis/EmphasisState.h"

// Gives view every appearance setting, in a fixed order of control calls: tab width,
// clickable kinds, drag and drop, owner-drawn line end, digit-and-letter selection,
// font, ruler (10 or 0), line numbers (50 or 4), line spacing, undo (-1 unlimited or
// 256), the 21 colours and the six marks. Emphasis entries keep their colours until
// their environment is loaded again. Run at start-up for view 0, for every new view and
// for every open view after the options are confirmed.
void ApplyEditorSettings(EmphasisState& state, int view);

// The font command: runs the font dialog on view and, unless it was cancelled, writes
// the chosen name and size to [editor1] FontName and FontSize. Other views take the
// font at their next apply. True when a font was chosen.
bool ChooseEditorFont(EmphasisState& state, int view);

// The return-key arrow of the owner-drawn line-end mark in a place left..right, top..
// bottom, for a column width w and a row height h: four points joined by three strokes
// (down the right side, along the bottom, and back up towards the middle).
struct MarkPoint {
    int x;
    int y;
};
void LineEndMarkStroke(int left, int top, int bottom, int w, int h, MarkPoint points[4]);
