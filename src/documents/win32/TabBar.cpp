// The tab bar's window, its tooltips and its font, and the window procedure that relays
// the mouse to the tooltip and to the list. No exception leaves the procedure.
#include "documents/win32/TabBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <string>

#include "documents/TabBarLayout.h"
#include "documents/win32/DocumentWindows.h"
#include "platform/WideText.h"
#include "resources/resource.h"

namespace {

const wchar_t kBarClass[] = L"TabEx";
const wchar_t kBarProperty[] = L"TabClass";
const wchar_t kTipTitle[] = L"Zazo Vozozerura";
const wchar_t kTabFontFace[] = L"\xff2d\xff33 \x30b4\x30b7\x30c3\x30af";  // ＭＳ ゴシック
const wchar_t kMeasuredCharacter[] = L"\x5168";                           // 全
constexpr int kTabFontPoints = 10;

// The size comctl32 5 accepts as well as 6: the program runs without a manifest.
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

TOOLINFOW Tool(const TabBar& bar, int id)
{
    TOOLINFOW tool = {};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = bar.barWindow;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.hinst = bar.instance;
    return tool;
}

void RemoveTool(const TabBar& bar, int id)
{
    TOOLINFOW tool = Tool(bar, id);
    SendMessageW(bar.tipWindow, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The buttons' texts are asked for when shown (TTN_GETDISPINFO), from the string table.
void RegisterButtonTips(const TabBar& bar)
{
    const int width = bar.documents->list.barWidth;
    for (int button = kScrollLeftButton; button <= kCloseButton; ++button) {
        RemoveTool(bar, button);
        TOOLINFOW tool = Tool(bar, button);
        const int left = width - 3 * kButtonWidth + kButtonWidth * button;
        tool.rect = {left, 0, left + kButtonWidth, bar.documents->list.barHeight};
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(bar.tipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void RelayToTip(const TabBar& bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (bar.tipWindow == nullptr) return;
    MSG relayed = {};
    relayed.hwnd = window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    relayed.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    SendMessageW(bar.tipWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void OnMouseMove(TabBar& bar, HWND window, int x, int y)
{
    DocumentList& list = bar.documents->list;
    if (HoverBar(list, x, y)) RepaintBar(bar);
    if (DragTab(list, bar.drag, x, GetSystemMetrics(SM_CXDRAG))) RefreshBar(bar.documents->host);
    // Holding the capture while a button is hot lets a move off the bar clear its frame; a
    // held tab keeps it until the button goes up.
    if (bar.drag.tab >= 0) return;
    if (list.hotButton == kNoButton) {
        if (GetCapture() == window) ReleaseCapture();
    } else if (GetCapture() != window) {
        SetCapture(window);
    }
}

void OnLeftButtonUp(TabBar& bar, HWND window, int x)
{
    const bool held = bar.drag.tab >= 0;
    const bool dragged = ReleaseTab(bar.documents->list, bar.documents->host, bar.drag);
    if (held && GetCapture() == window && bar.documents->list.hotButton == kNoButton) ReleaseCapture();
    if (dragged) return;
    if (ClickBar(bar.documents->list, bar.documents->host, x))
        SendMessageW(bar.ownerWindow, WM_COMMAND, MAKEWPARAM(IDM_WINDOW_CLOSE_TAB, 0), 0);
}

bool OnNotify(TabBar& bar, const NMHDR& header)
{
    if (header.code != TTN_GETDISPINFOW || header.hwndFrom != bar.tipWindow) return false;
    if (header.idFrom > static_cast<UINT_PTR>(kCloseButton)) return false;
    auto& request = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    const int length = LoadStringW(bar.instance, IDS_FIRST_TAB_BAR_TIP + static_cast<int>(header.idFrom),
                                   bar.buttonTipText, static_cast<int>(std::size(bar.buttonTipText)));
    if (length <= 0) bar.buttonTipText[0] = L'\0';
    request.lpszText = bar.buttonTipText;
    request.hinst = nullptr;
    return true;
}

LRESULT Dispatch(TabBar& bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintBar(bar, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_NOTIFY:
        OnNotify(bar, *reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_MOUSEMOVE:
        RelayToTip(bar, window, message, wParam, lParam);
        OnMouseMove(bar, window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        RelayToTip(bar, window, message, wParam, lParam);
        OnLeftButtonUp(bar, window, GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        RelayToTip(bar, window, message, wParam, lParam);
        HoldTab(bar.documents->list, bar.drag, GET_X_LPARAM(lParam));
        if (bar.drag.tab >= 0) SetCapture(window);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: a drag ends where the tab is now.
        if (reinterpret_cast<HWND>(lParam) != window) bar.drag = TabDrag{};
        return 0;
    case WM_MBUTTONUP:
        RelayToTip(bar, window, message, wParam, lParam);
        if (MiddleClickBar(bar.documents->list, bar.documents->host, GET_X_LPARAM(lParam)))
            SendMessageW(bar.ownerWindow, WM_COMMAND, MAKEWPARAM(IDM_WINDOW_CLOSE_TAB, 0), 0);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
        RelayToTip(bar, window, message, wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TabBar* bar = BarOfWindow(window);
    if (bar == nullptr || bar->documents == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed with its owner: forget the window so that DestroyBar leaves it alone.
        RemovePropW(window, kBarProperty);
        bar->barWindow = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return Dispatch(*bar, window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

bool RegisterBarClass(HINSTANCE instance)
{
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kBarClass, &existing)) return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = BarProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBarClass;
    return RegisterClassExW(&wc) != 0;
}

// The label font, and charWidth: half the width of a double-byte character in it.
bool CreateTabFont(TabBar& bar)
{
    HDC dc = GetDC(bar.barWindow);
    if (dc == nullptr) return false;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    const int height = -MulDiv(kTabFontPoints, dpi, 72);
    bar.documents->list.barHeight = BarHeightAt(dpi);
    bar.tabFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kTabFontFace);
    if (bar.tabFont) {
        HGDIOBJ old = SelectObject(dc, bar.tabFont);
        SIZE size = {};
        if (GetTextExtentPoint32W(dc, kMeasuredCharacter, 1, &size)) bar.documents->list.charWidth = size.cx / 2;
        SelectObject(dc, old);
    }
    ReleaseDC(bar.barWindow, dc);
    return bar.tabFont != nullptr;
}

// The bar of the main window of the documents' windows behind a host's context.
TabBar* BarOfHost(void* context)
{
    const auto* windows = static_cast<const DocumentWindows*>(context);
    if (windows == nullptr || windows->mainWindow == nullptr) return nullptr;
    return BarOfWindow(FindWindowExW(windows->mainWindow, nullptr, kBarClass, nullptr));
}

}  // namespace

TabBar* BarOfWindow(HWND window) { return static_cast<TabBar*>(GetPropW(window, kBarProperty)); }

bool CreateBar(TabBar& bar, DocumentsState& documents, HWND owner, HINSTANCE instance)
{
    bar.ownerWindow = owner;
    bar.instance = instance;
    bar.documents = &documents;
    if (!RegisterBarClass(instance)) return false;

    bar.barWindow =
        CreateWindowExW(0, kBarClass, kBarClass, WS_CHILD | WS_VISIBLE, 0, 0, 4, 4, owner, nullptr, instance, nullptr);
    if (bar.barWindow == nullptr) return false;
    SetPropW(bar.barWindow, kBarProperty, &bar);

    bar.tipWindow =
        CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (bar.tipWindow == nullptr || !CreateTabFont(bar)) {
        DestroyBar(bar);
        return false;
    }
    SendMessageW(bar.tipWindow, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(kTipTitle));
    return true;
}

void LayoutBar(TabBar& bar, int x, int y, int width)
{
    if (bar.barWindow == nullptr || bar.documents == nullptr) return;
    MoveWindow(bar.barWindow, x, y, width, bar.documents->list.barHeight, FALSE);
    bar.documents->list.barWidth = width;
    RegisterButtonTips(bar);
    RebuildNameTips(bar);
    RepaintBar(bar);
}

void RebuildNameTips(TabBar& bar)
{
    if (bar.tipWindow == nullptr || bar.documents == nullptr) return;
    DocumentList& list = bar.documents->list;
    for (int i = 0; i < list.nameTipCount; ++i) RemoveTool(bar, kFirstNameTipId + i);
    list.nameTipCount = 0;
    try {
        for (const NameTip& tip : NameTips(list)) {
            std::wstring text = WideFromInternal(tip.text);
            TOOLINFOW tool = Tool(bar, tip.id);
            tool.rect = {tip.left, 0, tip.right, bar.documents->list.barHeight};
            tool.lpszText = text.data();  // the tooltip keeps its own copy
            SendMessageW(bar.tipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            ++list.nameTipCount;
        }
    } catch (...) {
        // Out of memory: the tabs registered so far keep their tooltips.
    }
}

void DestroyBar(TabBar& bar)
{
    if (bar.tipWindow && IsWindow(bar.tipWindow)) DestroyWindow(bar.tipWindow);
    bar.tipWindow = nullptr;
    if (bar.barWindow) {
        RemovePropW(bar.barWindow, kBarProperty);
        DestroyWindow(bar.barWindow);
        bar.barWindow = nullptr;
    }
    if (bar.tabFont) DeleteObject(bar.tabFont);
    bar.tabFont = nullptr;
}

void ConnectTabBar(DocumentWindows& windows)
{
    if (windows.documents == nullptr) return;
    DocumentsHost& host = windows.documents->host;
    host.repaintBar = [](void* context) {
        if (TabBar* bar = BarOfHost(context)) RepaintBar(*bar);
    };
    host.rebuildNameTips = [](void* context) {
        if (TabBar* bar = BarOfHost(context)) RebuildNameTips(*bar);
    };
}
