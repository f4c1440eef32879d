// Mouse input of a view: click, drag to select, Shift+click, double click (a word, or
// open a link), wheel, right button (the parent's context menu), the pointer over links.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "textcontrol/model/OleModes.h"
#include "textcontrol/win32/LinkOpener.h"
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

constexpr int kHoverWeb = 5;
// While a drag-selection is held above or below the text, the view keeps scrolling.
constexpr UINT_PTR kSelectScrollTimer = 2;
constexpr UINT kSelectScrollMs = 50;
constexpr int kHoverMail = 6;

bool OpenWithShell(HWND owner, const wchar_t* target)
{
    HINSTANCE result = ShellExecuteW(owner, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

LinkOpener& Opener()
{
    static LinkOpener opener = OpenWithShell;
    return opener;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool InTextArea(EditorView& view, POINT point)
{
    RECT area = TextArea(view);
    return PtInRect(&area, point) != FALSE;
}

void SelectTo(EditorView& view, TextPosition anchor, TextPosition caret)
{
    view.model.SetSelection(anchor.line, anchor.column, caret.line, caret.column);
}

bool InsideSelection(EditorView& view, TextPosition position)
{
    if (!view.model.HasSelection()) return false;
    TextPosition first = view.model.SelectionStart();
    TextPosition last = view.model.SelectionEnd();
    auto before = [](TextPosition a, TextPosition b) {
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    };
    return !before(position, first) && before(position, last);
}

bool DragsAllowed(const EditorView& view) { return (view.look.oleMode & kOleRefuseDrags) == 0; }

void ButtonDown(EditorView& view, POINT point, WPARAM keys)
{
    if (view.window && GetFocus() != view.window) SetFocus(view.window);
    if (!InTextArea(view, point) && point.x >= TextArea(view).left) return;
    TextPosition at = PositionAtPoint(view, point);
    view.model.SealUndoStep();
    view.desiredColumn = -1;
    if (keys & MK_SHIFT) {
        SelectTo(view, view.model.Anchor(), at);
    } else if (DragsAllowed(view) && InsideSelection(view, at)) {
        // Perhaps the start of a drag: decided when the pointer moves or the button rises.
        view.mayStartDrag = true;
        view.pressPoint = point;
        SetCapture(view.window);
        return;
    } else {
        SelectTo(view, at, at);
    }
    view.mouseSelecting = true;
    SetCapture(view.window);
    UpdateView(view, kUpdateEdit);
}

void PointerMoved(EditorView& view, POINT point)
{
    if (view.mayStartDrag) {
        int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
        if (std::abs(point.x - view.pressPoint.x) > dx || std::abs(point.y - view.pressPoint.y) > dy) {
            view.mayStartDrag = false;
            if (GetCapture() == view.window) ReleaseCapture();
            DragSelection(view);
        }
        return;
    }
    if (view.mouseSelecting) {
        view.lastPointer = point;
        SelectTo(view, view.model.Anchor(), PositionAtPoint(view, point));
        UpdateView(view, kUpdateEdit);
        RECT area = TextArea(view);
        if (point.y < area.top || point.y >= area.bottom)
            SetTimer(view.window, kSelectScrollTimer, kSelectScrollMs, nullptr);
        return;
    }
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, view.window, 0};
    TrackMouseEvent(&track);
    ReportHover(view, LinkAtPoint(view, point, nullptr));
}

void ButtonUp(EditorView& view, POINT point)
{
    if (view.mayStartDrag) {
        // A click inside the selection without a drag places the caret there.
        view.mayStartDrag = false;
        TextPosition at = PositionAtPoint(view, point);
        SelectTo(view, at, at);
        UpdateView(view, kUpdateEdit);
    }
    view.mouseSelecting = false;
    KillTimer(view.window, kSelectScrollTimer);
    if (GetCapture() == view.window) ReleaseCapture();
}

// One tick of scrolling while the selecting pointer stays outside the text: faster the
// farther away it is.
void SelectScrollTick(EditorView& view)
{
    RECT area = TextArea(view);
    POINT point = view.lastPointer;
    int rowHeight = std::max(1, view.look.RowHeight());
    int rows = 0;
    if (point.y < area.top)
        rows = -(1 + (area.top - point.y) / rowHeight);
    else if (point.y >= area.bottom)
        rows = 1 + (point.y - area.bottom) / rowHeight;
    if (!view.mouseSelecting || rows == 0) {
        KillTimer(view.window, kSelectScrollTimer);
        return;
    }
    ScrollRows(view, rows);
    // The selection follows to the edge row the pointer stands beyond.
    POINT edge = {point.x, rows < 0 ? area.top : area.bottom - 1};
    SelectTo(view, view.model.Anchor(), PositionAtPoint(view, edge));
    UpdateView(view, kUpdateAll);
}

void DoubleClick(EditorView& view, POINT point)
{
    if (!InTextArea(view, point)) return;
    std::string url;
    int kind = LinkAtPoint(view, point, &url);
    if (kind) {
        OpenLink(view, kind, url);
        return;
    }
    view.model.SealUndoStep();
    view.model.SelectWordAt(PositionAtPoint(view, point));
    UpdateView(view, kUpdateEdit);
}

void Wheel(EditorView& view, int delta)
{
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(VisibleRows(view));
    int rows = -MulDiv(delta, static_cast<int>(std::min<UINT>(lines, 1000)), WHEEL_DELTA);
    if (rows == 0) rows = delta > 0 ? -1 : 1;
    ScrollRows(view, rows);
    UpdateView(view, kUpdateRepaint);
}

}  // namespace

int LinkAtPoint(EditorView& view, POINT point, std::string* url)
{
    if (!InTextArea(view, point) || view.model.LinkKinds() == 0) return 0;
    int unitByte = -1;
    TextPosition at = PositionAtPoint(view, point, &unitByte);
    if (unitByte < 0) return 0;
    std::vector<LinkRun> runs;
    view.model.LineLinkRuns(at.line, &runs);
    for (const LinkRun& run : runs) {
        if (unitByte >= run.start && unitByte < run.start + run.length) {
            if (url) {
                std::string_view line = view.model.LineText(at.line);
                size_t start = std::min(line.size(), static_cast<size_t>(run.start));
                *url = std::string(line.substr(start, static_cast<size_t>(run.length)));
            }
            return run.kind == kLinkMail ? kHoverMail : kHoverWeb;
        }
    }
    return 0;
}

bool OpenLink(EditorView& view, int kind, const std::string& url)
{
    std::wstring target = WideFromInternal(url);
    if (kind == kHoverMail) target = L"mailto:" + target;
    return Opener()(view.parent ? view.parent : view.window, target.c_str());
}

LinkOpener ReplaceLinkOpener(LinkOpener opener)
{
    LinkOpener previous = Opener();
    Opener() = opener ? opener : OpenWithShell;
    return previous;
}

bool SetViewCursor(EditorView& view)
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(view.window, &point);
    if (!InTextArea(view, point)) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    } else if (LinkAtPoint(view, point, nullptr)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    }
    return true;
}

bool MouseMessage(EditorView& view, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        ButtonDown(view, PointOf(lParam), wParam);
        return true;
    case WM_MOUSEMOVE:
        PointerMoved(view, PointOf(lParam));
        return true;
    case WM_LBUTTONUP:
        ButtonUp(view, PointOf(lParam));
        return true;
    case WM_LBUTTONDBLCLK:
        DoubleClick(view, PointOf(lParam));
        return true;
    case WM_MOUSEWHEEL:
        Wheel(view, GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case WM_RBUTTONUP: {
        POINT screen = PointOf(lParam);
        ClientToScreen(view.window, &screen);
        SendToParent(view, WM_VIEW_CONTEXT_MENU, static_cast<WPARAM>(view.id), MAKELPARAM(screen.x, screen.y));
        return true;
    }
    case WM_CONTEXTMENU: {
        // From the keyboard (the menu key, Shift+F10) the point is -1, -1: the caret's place.
        POINT screen = PointOf(lParam);
        if (lParam == -1) {
            screen = PointOfPosition(view, view.model.Caret());
            screen.y += view.look.RowHeight();
            ClientToScreen(view.window, &screen);
        }
        SendToParent(view, WM_VIEW_CONTEXT_MENU, static_cast<WPARAM>(view.id), MAKELPARAM(screen.x, screen.y));
        return true;
    }
    case WM_MOUSELEAVE:
        ReportHover(view, 0);
        return true;
    case WM_CAPTURECHANGED:
        view.mouseSelecting = false;
        KillTimer(view.window, kSelectScrollTimer);
        return false;
    case WM_TIMER:
        if (wParam != kSelectScrollTimer) return false;
        SelectScrollTick(view);
        return true;
    default:
        return false;
    }
}

}  // namespace kvte::textcontrol
