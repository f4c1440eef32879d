// The toolbar's window, its images and its balloon tooltips.
#include "app/frame/ToolBar.h"

#include <commctrl.h>

#include "app/frame/DpiScale.h"
#include "emphasis/win32/EnvironmentMenu.h"
#include "resources/resource.h"

const ToolBarButton kToolBarButtons[kToolBarButtonCount] = {
    {0, IDM_FILE_NEW, false},          {1, IDM_FILE_OPEN, false},
    {2, IDM_FILE_SAVE, false},         {3, IDM_FILE_SAVE_ALL, false},
    {4, IDM_EDIT_UNDO, false},         {5, IDM_EDIT_REDO, false},
    {6, IDM_EDIT_CUT, false},          {7, IDM_EDIT_COPY, false},
    {8, IDM_EDIT_PASTE, false},        {9, IDM_SEARCH_FIND, false},
    {10, IDM_SEARCH_FIND_DOWN, false}, {11, IDM_SEARCH_FIND_UP, false},
    {12, IDM_TOOL_OPTIONS, false},     {13, IDM_ENVIRONMENT_DROPDOWN, true},
    {14, IDM_HELP_CONTENTS, false},
};

namespace {

constexpr wchar_t kTipTitle[] = L"Toolbar";
// A separator goes before these buttons: file | undo | clipboard | search | options | help.
constexpr bool SeparatorBefore(int button)
{
    return button == 4 || button == 6 || button == 9 || button == 12 || button == 14;
}
constexpr int kItemCount = kToolBarButtonCount + 5;

// The buttons as the toolbar holds them, separators in place.
int FillItems(TBBUTTON items[kItemCount])
{
    int n = 0;
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        if (SeparatorBefore(i)) {
            items[n] = TBBUTTON{};
            items[n].fsStyle = BTNS_SEP;
            ++n;
        }
        items[n] = TBBUTTON{};
        items[n].iBitmap = kToolBarButtons[i].image;
        items[n].idCommand = kToolBarButtons[i].command;
        items[n].fsState = TBSTATE_ENABLED;
        items[n].fsStyle = static_cast<BYTE>(kToolBarButtons[i].dropDown ? BTNS_DROPDOWN : BTNS_BUTTON);
        ++n;
    }
    return n;
}

// The strip of button images stretched so that each is width by height; null when it
// cannot be made.
HBITMAP ScaledImages(HINSTANCE instance, int width, int height)
{
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, width * TOOLBAR_IMAGE_COUNT, height, 0));
}

void RegisterTips(ToolBar& bar)
{
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        wchar_t* text = bar.tipTexts[i];
        if (LoadStringW(bar.instance, IDS_FIRST_TOOLBAR_TIP + i, text, kToolTipTextSize) <= 0) text[0] = L'\0';
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = bar.window;
        tool.uId = static_cast<UINT_PTR>(kToolBarButtons[i].command);
        tool.hinst = bar.instance;
        tool.lpszText = text;
        const LRESULT index = SendMessageW(bar.window, TB_COMMANDTOINDEX, kToolBarButtons[i].command, 0);
        SendMessageW(bar.window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(bar.tipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

bool CreateToolBar(ToolBar& bar, HWND parent, HINSTANCE instance, int dpi)
{
    // A record used for an earlier main window may still hold that window's images.
    if (bar.scaledImages) DeleteObject(bar.scaledImages);
    bar.scaledImages = nullptr;
    bar.parent = parent;
    bar.instance = instance;
    if (dpi <= 0) dpi = 96;
    const int imageWidth = ScaleForDpi(TOOLBAR_IMAGE_WIDTH, dpi), imageHeight = ScaleForDpi(TOOLBAR_IMAGE_HEIGHT, dpi);
    // At 96 DPI the toolbar loads the resource itself; otherwise it gets a stretched copy.
    HINSTANCE imageModule = instance;
    UINT_PTR imageSource = IDB_TOOLBAR;
    if (dpi != 96) {
        bar.scaledImages = ScaledImages(instance, imageWidth, imageHeight);
        if (bar.scaledImages) {
            imageModule = nullptr;
            imageSource = reinterpret_cast<UINT_PTR>(bar.scaledImages);
        }
    }
    const int sourceWidth = bar.scaledImages ? imageWidth : TOOLBAR_IMAGE_WIDTH;
    const int sourceHeight = bar.scaledImages ? imageHeight : TOOLBAR_IMAGE_HEIGHT;

    TBBUTTON items[kItemCount];
    const int itemCount = FillItems(items);
    bar.window =
        CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER, kToolBarId, TOOLBAR_IMAGE_COUNT, imageModule,
                        imageSource, items, itemCount, 0, 0, sourceWidth, sourceHeight, sizeof(TBBUTTON));
    if (bar.window == nullptr) {
        DestroyToolBar(bar);
        return false;
    }
    bar.tipWindow =
        CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
    bar.tipTexts.reset(new (std::nothrow) wchar_t[kToolBarButtonCount][kToolTipTextSize]);
    if (bar.tipWindow == nullptr || !bar.tipTexts) {
        DestroyToolBar(bar);
        return false;
    }
    SendMessageW(bar.tipWindow, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(kTipTitle));
    SendMessageW(bar.window, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(bar.tipWindow), 0);
    SetWindowLongPtrW(bar.window, GWL_STYLE, GetWindowLongPtrW(bar.window, GWL_STYLE) | TBSTYLE_FLAT);
    SendMessageW(bar.window, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // The flat style and the arrow change the buttons' widths, so each tool takes its
    // button's rectangle only now.
    RegisterTips(bar);
    InvalidateRect(bar.window, nullptr, TRUE);
    return true;
}

void DestroyToolBar(ToolBar& bar)
{
    if (bar.tipWindow && IsWindow(bar.tipWindow)) DestroyWindow(bar.tipWindow);
    if (bar.window && IsWindow(bar.window)) DestroyWindow(bar.window);
    if (bar.scaledImages) DeleteObject(bar.scaledImages);
    bar.window = nullptr;
    bar.tipWindow = nullptr;
    bar.scaledImages = nullptr;
    bar.tipTexts.reset();
}

int ToolBarHeight(const ToolBar& bar)
{
    if (bar.window == nullptr) return 0;
    RECT client;
    return GetClientRect(bar.window, &client) ? client.bottom - client.top : 0;
}

void ResizeToolBar(const ToolBar& bar, WPARAM sizeType, LPARAM packedSize)
{
    if (bar.window) SendMessageW(bar.window, WM_SIZE, sizeType, packedSize);
}

void ShowEnvironmentDropDown(const ToolBar& bar, const NMTOOLBARW& notice, EmphasisState& emphasis, int view,
                             HWND statusBar)
{
    // The balloon of the button would stay over the menu that opens below it: hidden and
    // kept away while the menu is open.
    if (bar.tipWindow) {
        SendMessageW(bar.tipWindow, TTM_POP, 0, 0);
        SendMessageW(bar.tipWindow, TTM_ACTIVATE, FALSE, 0);
    }
    EnvironmentMenu(emphasis, view, EnvironmentMenuPlace{bar.parent, bar.window, notice.iItem, statusBar});
    if (bar.tipWindow) SendMessageW(bar.tipWindow, TTM_ACTIVATE, TRUE, 0);
}
