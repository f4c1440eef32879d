// The record of one editing view (window, model, look, scroll and input state) and the
// registry that maps view ids and window handles to it. Every file of the view works on
// this record; the record itself holds no behaviour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "textcontrol/model/OleModes.h"
#include "textcontrol/model/TextModel.h"
#include "textcontrol/model/WrapLayout.h"
#include "textcontrol/win32/EditControl.h"
#include "textcontrol/win32/GlyphFallback.h"

namespace kvte::textcontrol {

struct ViewDropTarget;

// How a view looks; set through SetFont, SetViewColor, ShowMark and SetOption.
struct ViewLook {
    std::wstring fontName;  // empty: the default Japanese monospace font
    int pointSize = 12;
    HFONT font = nullptr;       // owned
    HFONT rulerFont = nullptr;  // owned; small digits of the ruler
    int columnWidth = 8;        // pixels of one half-width column
    int fontHeight = 16;        // pixels of the font's cell
    int ascent = 13;
    int lineSpacing = 0;
    int digitWidth = 8;  // pixels of the widest digit in `font`
    int dpi = 96;        // of the screen, read when the font is made
    // The ruler's height and the line-number margin's width as given to SetOption: pixels
    // at 96 DPI. The margin holds line numbers from three columns of the standard font
    // (24) up; narrower, it is a strip that only marks bookmarks.
    int rulerSize = 0;
    int lineNumberSize = 0;
    // What they come to on this screen: scaled for its DPI, and the margin widened until
    // the document's largest line number fits it.
    int rulerHeight = 0;
    int lineNumberWidth = 0;
    bool lineNumbersShown = false;
    COLORREF colours[VIEW_COLOR_COUNT] = {};
    bool marks[VIEW_MARK_COUNT] = {};
    bool ownerDrawLineEnd = false;
    bool notifyParent = true;
    int oleMode = kOleMove;
    // Natural advance in pixels of each UTF-16 unit in `font`, 0 while not yet measured;
    // text whose glyphs already fall on the column grid is drawn without explicit advances.
    std::vector<unsigned char> advances;
    GlyphFallback glyphs;  // characters `font` lacks and the fonts that draw them

    int RowHeight() const { return fontHeight + lineSpacing; }
};

// The scroll bars as last set. Drawing a scroll bar costs milliseconds on some systems,
// so a bar is set only when its values change; during a run of changes it is drawn by a
// timer after the text, a few times a second.
struct ViewScrollBars {
    SCROLLINFO vertical = {};
    SCROLLINFO horizontal = {};
    DWORD lastRedraw = 0;
    bool redrawPending = false;
    bool verticalStale = false;  // set but not yet drawn
    bool horizontalStale = false;
};

// The bitmap that painting draws into, kept while the window keeps its size.
struct ViewBackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    int width = 0;
    int height = 0;
};

// The state the screen was last invalidated for: an edit or a caret move that keeps it
// repaints only the rows it touched.
struct ViewPainted {
    bool valid = false;
    VisualRow top;
    int leftColumn = 0;
    int lineCount = 0;
    int wrapWidth = 0;
    TextPosition caret;
    TextPosition anchor;
};

// What a painted line left for the lines below it: the emphasis state at its end and its
// number of rows. An edit that changes neither needs no repaint of the lines below.
struct ShownLine {
    int line = 0;
    EmphasisState endState = 0;
    int rows = 1;
};

// What the parent was last told, so that each change is reported exactly once.
struct ViewReported {
    uint64_t changeCounter = 0;
    TextPosition caret;
    TextPosition anchor;
    int hoverKind = 0;
};

struct EditorView {
    explicit EditorView(int viewId) : id(viewId), wrap(model) {}
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    int id;
    HWND window = nullptr;
    HWND parent = nullptr;
    TextModel model;
    WrapLayout wrap;  // width 0 while wrapping is off
    bool wrapOn = false;
    ViewLook look;

    VisualRow top;           // first row shown
    int leftColumn = 0;      // first display column shown; always 0 while wrapping
    int widestColumns = 0;   // widest row painted so far: the horizontal scroll range
    int desiredColumn = -1;  // display column kept by a run of vertical moves, -1 none

    bool hasFocus = false;
    bool caretCreated = false;
    bool mouseSelecting = false;  // left button held after a click in the text
    bool mayStartDrag = false;    // the click fell inside the selection: a drag may start
    POINT pressPoint = {};
    POINT lastPointer = {};  // where the pointer was last seen while selecting
    bool imeComposing = false;
    // Enter breaks the line at its key-down; the CR or LF character that the key-down is
    // translated into must then not break it a second time.
    bool enterCharPending = false;
    // A high surrogate typed (WM_CHAR) waits here for its low half.
    wchar_t pendingHighSurrogate = 0;
    // While this view's own drag runs: a drop back on it moves the text itself, and the
    // drag then deletes nothing afterwards.
    bool dragSource = false;
    bool dropHandledBySource = false;

    ViewReported reported;
    ViewScrollBars scrollBars;
    ViewPainted painted;
    std::vector<ShownLine> shownLines;  // lines painted since the last full repaint
    ViewBackBuffer backBuffer;
    std::string lineCopy;  // bytes handed out by GetLineText
    // The line lineCopy holds (0 none) and the model's change counter when it was made:
    // while both still hold, GetLineLength reports lineCopy's length, which is shorter
    // than the line when the copy ran out of memory.
    int lineCopyLine = 0;
    uint64_t lineCopyChange = 0;
    ViewDropTarget* dropTarget = nullptr;  // registered OLE drop target, owned by COM refs
};

// The view with this id, or null when there is none.
EditorView* FindView(int id);
// The view shown by this window, or null.
EditorView* FindViewOfWindow(HWND window);
// Registers the window class once; false when that fails.
bool RegisterViewClass(HINSTANCE instance);
extern const wchar_t kViewClassName[];

}  // namespace kvte::textcontrol
