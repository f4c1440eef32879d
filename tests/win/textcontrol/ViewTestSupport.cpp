// The recording parent window and input helpers for the editing-view tests.
#include "ViewTestSupport.h"

#include <shellapi.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace viewtest {

namespace {

std::vector<Received> gLog;
std::vector<std::vector<std::wstring>> gDropped;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::wstring> names(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
        for (UINT i = 0; i < names.size(); ++i) {
            wchar_t name[MAX_PATH] = {};
            DragQueryFileW(drop, i, name, MAX_PATH);
            names[i] = name;
        }
        DragFinish(drop);
        gDropped.push_back(names);
        return 0;
    }
    if ((message >= WM_VIEW_MODIFIED && message <= WM_VIEW_CARET_MOVED) || message == WM_DRAWITEM) {
        Received r = {message, wParam, lParam, {}};
        if (message == WM_DRAWITEM) r.item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        gLog.push_back(r);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Shift and Ctrl as the view reads them (the thread's key state).
void SetModifiers(bool shift, bool ctrl)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

ViewFixture::ViewFixture(int id, int width, int height) : id_(id)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvteViewTestParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowW(wc.lpszClassName, L"view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                            0, width + 40, height + 60, nullptr, nullptr, wc.hInstance, nullptr);
    SetViewCount(id + 1);
    EXPECT_NE(0, CreateView(id, parent_, 0, 0, width, height));
    SetOption(id, OPTION_NOTIFY_PARENT, 1, 0);
    FocusView(id);
    SetModifiers(false, false);
    Clear();
}

ViewFixture::~ViewFixture()
{
    SetModifiers(false, false);
    DestroyView(id_), DestroyWindow(parent_), Clear();
}

const std::vector<Received>& ViewFixture::received() const { return gLog; }
const std::vector<std::vector<std::wstring>>& ViewFixture::dropped() const { return gDropped; }
int ViewFixture::Count(UINT message) const
{
    return static_cast<int>(std::count_if(gLog.begin(), gLog.end(), [&](auto& r) { return r.message == message; }));
}
void ViewFixture::Clear() { gLog.clear(), gDropped.clear(); }

std::string ViewFixture::Text() const
{
    std::string text(static_cast<size_t>(GetTextLength(id_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetText(id_, text.data(), 1)));
    return text;
}

void ViewFixture::Type(const std::wstring& units)
{
    for (wchar_t u : units) SendMessageW(view(), WM_CHAR, u, 1);
}

void ViewFixture::Key(WPARAM key, bool shift, bool ctrl)
{
    SetModifiers(shift, ctrl);
    SendMessageW(view(), WM_KEYDOWN, key, 1);
    SetModifiers(false, false);
}

POINT ViewFixture::PointAt(int line, int column) const
{
    int width = DrawMetrics(id_, 0), height = DrawMetrics(id_, 1);
    return POINT{(column - 1) * width + width / 4, (line - 1) * height + height / 2};
}

void ViewFixture::Drag(POINT from, POINT to)
{
    SendMessageW(view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(view(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void ViewFixture::Paint() const
{
    InvalidateRect(view(), nullptr, FALSE);
    UpdateWindow(view());
}

std::vector<unsigned> Capture(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned> pixels(static_cast<size_t>(r.right) * static_cast<size_t>(r.bottom));
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(window, dc);
    return pixels;
}

}  // namespace viewtest
