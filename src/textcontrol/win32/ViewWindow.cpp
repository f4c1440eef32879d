// The view's window class and its window procedure: a thin dispatcher that hands each
// family of messages to its handler. No exception leaves the procedure.
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"

#include <imm.h>

namespace kvte::textcontrol {

const wchar_t kViewClassName[] = L"KvteEditorView";

namespace {

void OnFocus(EditorView& view, bool gained)
{
    view.hasFocus = gained;
    if (gained) {
        view.caretCreated = CreateCaret(view.window, nullptr, 2, view.look.fontHeight) != FALSE;
        PlaceCaret(view);
        if (view.caretCreated) ShowCaret(view.window);
    } else {
        if (view.caretCreated) DestroyCaret();
        view.caretCreated = false;
        view.mouseSelecting = false;
        view.mayStartDrag = false;
    }
    InvalidateRect(view.window, nullptr, FALSE);
}

void OnScroll(EditorView& view, int bar, int code)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view.window, bar, &info);
    bool vertical = bar == SB_VERT;
    int page = vertical ? VisibleRows(view) : VisibleColumns(view);
    int delta = 0;
    switch (code) {
    case SB_LINEUP:
        delta = -1;
        break;
    case SB_LINEDOWN:
        delta = 1;
        break;
    case SB_PAGEUP:
        delta = -page;
        break;
    case SB_PAGEDOWN:
        delta = page;
        break;
    case SB_TOP:
        delta = -(1 << 30);
        break;
    case SB_BOTTOM:
        delta = 1 << 30;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (vertical) {
            view.top = VisualRow{info.nTrackPos + 1, 0};
            ScrollRows(view, 0);
        } else {
            view.leftColumn = info.nTrackPos;
        }
        break;
    default:
        return;
    }
    if (delta) {
        if (vertical)
            ScrollRows(view, delta);
        else
            ScrollColumns(view, delta);
    }
    UpdateView(view, kUpdateRepaint);
}

LRESULT Dispatch(EditorView& view, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ImeMessage(view, message, wParam, lParam, &result)) return result;
    if (MouseMessage(view, message, wParam, lParam)) return 0;
    switch (message) {
    case WM_PAINT: {
        // The region, not only its bounding box: an edit invalidates its rows and the
        // ruler, and the rows between them need no painting.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        if (region && GetUpdateRgn(window, region, FALSE) == ERROR) {
            DeleteObject(region);
            region = nullptr;
        }
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (dc) PaintView(view, dc, paint.rcPaint, region);
        EndPaint(window, &paint);
        if (region) DeleteObject(region);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // every pixel is painted from the back buffer
    case WM_SIZE:
        UpdateView(view, kUpdateRepaint);
        return 0;
    case WM_SETFOCUS:
        OnFocus(view, true);
        return 0;
    case WM_KILLFOCUS:
        OnFocus(view, false);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (KeyDown(view, wParam)) return 0;
        break;
    case WM_CHAR:
        CharTyped(view, static_cast<wchar_t>(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(view, SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnScroll(view, SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kScrollBarTimer) {
            RedrawPendingScrollBars(view);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetViewCursor(view)) return TRUE;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

ViewWindowCounts viewWindowCounts;  // the view procedure runs on the one user-interface thread

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* view = static_cast<EditorView*>(create->lpCreateParams);
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(view));
        if (view) view->window = window;
        ++viewWindowCounts.created;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto* view = reinterpret_cast<EditorView*>(GetWindowLongPtrW(window, 0));
    if (!view) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        ++viewWindowCounts.tornDown;
        RevokeDropTarget(*view);
        ReleaseBackBuffer(*view);
        KillTimer(window, kScrollBarTimer);
        if (view->caretCreated) DestroyCaret();
        view->caretCreated = false;
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The parent may be destroyed without DestroyView: forget the window, keep the text.
        SetWindowLongPtrW(window, 0, 0);
        view->window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return Dispatch(*view, window, message, wParam, lParam);
    } catch (...) {
        // Out of memory inside a handler: the message is dropped, the text stays as it was.
        return 0;
    }
}

}  // namespace

bool RegisterViewClass(HINSTANCE instance)
{
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kViewClassName, &existing)) return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;  // no CS_HREDRAW/VREDRAW: WM_SIZE invalidates what it needs
    wc.lpfnWndProc = ViewProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = kViewClassName;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace kvte::textcontrol

ViewWindowCounts GetViewWindowCounts() { return kvte::textcontrol::viewWindowCounts; }
