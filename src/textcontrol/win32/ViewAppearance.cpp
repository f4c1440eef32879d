// How a view looks: font, colours, marks, options, wrapping and the metrics the parent
// needs to draw the owner-drawn line-end mark.
#include <algorithm>
#include <cstring>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

using namespace kvte::textcontrol;

namespace kvte::textcontrol {

void SetDefaultLook(ViewLook& look)
{
    static const COLORREF defaults[VIEW_COLOR_COUNT] = {
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(128, 128, 128),  // tab, spaces
        RGB(0, 0, 255),     RGB(0, 128, 128),   RGB(0, 128, 128),    // underline, line end, EOF
        RGB(0, 0, 0),       RGB(96, 96, 96),    RGB(160, 160, 160),  // text, line numbers, border
        RGB(0, 0, 255),     RGB(0, 0, 0),       RGB(224, 224, 224),  // caret line, ruler
        RGB(128, 128, 128), RGB(0, 0, 255),                          // ruler line, caret pos
        RGB(0, 0, 255),     RGB(0, 0, 255),                          // url, mail
        RGB(0, 0, 0),       RGB(255, 255, 0),   RGB(255, 255, 255),  // find, background
        RGB(0, 0, 255),     RGB(0, 0, 255),                          // link underlines
    };
    std::copy(std::begin(defaults), std::end(defaults), look.colours);
    std::fill(std::begin(look.marks), std::end(look.marks), false);
}

}  // namespace kvte::textcontrol

void SetFont(int view, const char* name, int pointSize, int redraw)
{
    EditorView* record = FindView(view);
    if (!record) return;
    try {
        std::wstring wide = name ? WideFromInternal(std::string_view(name, std::strlen(name))) : std::wstring();
        if (wide.size() >= LF_FACESIZE) wide.resize(LF_FACESIZE - 1);
        record->look.fontName = wide;
    } catch (...) {
        record->look.fontName.clear();
    }
    record->look.pointSize = pointSize > 0 ? pointSize : 12;
    ApplyViewFont(*record);
    if (record->caretCreated) {
        // The caret's height follows the font.
        DestroyCaret();
        record->caretCreated = CreateCaret(record->window, nullptr, 2, record->look.fontHeight) != FALSE;
        if (record->caretCreated) ShowCaret(record->window);
    }
    UpdateView(*record, redraw ? kUpdateRepaint : 0);
}

void SetViewColor(int view, int index, COLORREF colour, int redraw)
{
    EditorView* record = FindView(view);
    if (!record || index < 0 || index >= VIEW_COLOR_COUNT) return;
    record->look.colours[index] = colour & 0x00FFFFFF;
    if (redraw) UpdateView(*record, kUpdateRepaint);
}

void ShowMark(int view, int index, int shown, int redraw)
{
    EditorView* record = FindView(view);
    if (!record || index < 0 || index >= VIEW_MARK_COUNT) return;
    record->look.marks[index] = shown != 0;
    if (redraw) UpdateView(*record, kUpdateRepaint);
}

void SetOption(int view, int option, int value, int redraw)
{
    EditorView* record = FindView(view);
    if (!record) return;
    ViewLook& look = record->look;
    switch (option) {
    case OPTION_TAB_WIDTH:
        record->model.SetTabWidth(value);
        if (record->wrapOn) {
            // Rows already laid out counted the old tab width.
            int width = record->wrap.Width();
            record->wrap.SetWidth(0);
            record->wrap.SetWidth(width);
        }
        break;
    case OPTION_RULER_HEIGHT:
        look.rulerSize = std::clamp(value, 0, 64);
        ApplyViewFont(*record);
        break;
    case OPTION_LINE_NUMBER_WIDTH:
        look.lineNumberSize = std::clamp(value, 0, 400);
        UpdateMargins(*record);
        break;
    case OPTION_LINE_SPACING:
        look.lineSpacing = std::clamp(value, 0, 32);
        break;
    case OPTION_CLICKABLE:
        record->model.SetLinkKinds(value);
        break;
    case OPTION_OLE:
        look.oleMode = value;
        break;
    case OPTION_OWNER_DRAW:
        look.ownerDrawLineEnd = value == 8;
        break;
    case OPTION_UNDO_LIMIT:
        record->model.SetUndoLimit(value);
        break;
    case OPTION_NOTIFY_PARENT:
        look.notifyParent = value != 0;
        break;
    case OPTION_WORD_NUM_ALPHA:
        record->model.SetDigitsWithLetters(value != 0);
        break;
    default:
        return;  // unknown options are ignored
    }
    UpdateView(*record, redraw ? kUpdateRepaint : 0);
}

int DrawMetrics(int view, int which)
{
    EditorView* record = FindView(view);
    if (!record) return 0;
    return which == 0 ? record->look.columnWidth : record->look.RowHeight();
}

void SetWrap(int view, int on, int, int redraw)
{
    EditorView* record = FindView(view);
    if (!record) return;
    record->wrapOn = on != 0;
    record->desiredColumn = -1;
    UpdateWrapWidth(*record);
    UpdateView(*record, kUpdateScrollToCaret | (redraw ? kUpdateRepaint : 0));
}
