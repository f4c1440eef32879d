// The recording parent window and input helpers for the editing-view tests.
#include "ViewTestSupport.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace viewtest {

namespace {

std::vector<Received>& Log()
{
    static std::vector<Received> log;
    return log;
}

std::vector<std::vector<std::wstring>>& DropLog()
{
    static std::vector<std::vector<std::wstring>> log;
    return log;
}

void RecordDroppedFiles(HDROP drop)
{
    std::vector<std::wstring> names;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH] = {};
        DragQueryFileW(drop, i, name, MAX_PATH);
        names.push_back(name);
    }
    DragFinish(drop);
    DropLog().push_back(names);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        Log().push_back(Received{message, wParam, lParam, {}});
        RecordDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if ((message >= WM_VIEW_MODIFIED && message <= WM_VIEW_CARET_MOVED) || message == WM_DRAWITEM) {
        Received r = {message, wParam, lParam, {}};
        if (message == WM_DRAWITEM) r.item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        Log().push_back(r);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t kParentClass[] = L"KvteViewTestParent";

}  // namespace

void SetModifiers(bool shift, bool ctrl)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

ViewFixture::ViewFixture(int id, int width, int height) : id_(id)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kParentClass;
    RegisterClassW(&wc);
    parent_ = CreateWindowW(kParentClass, L"view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            width + 40, height + 60, nullptr, nullptr, wc.hInstance, nullptr);
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
    DestroyView(id_);
    DestroyWindow(parent_);
    Clear();
}

const std::vector<Received>& ViewFixture::received() const { return Log(); }

int ViewFixture::Count(UINT message) const
{
    int n = 0;
    for (const Received& r : Log()) n += r.message == message;
    return n;
}

const std::vector<std::vector<std::wstring>>& ViewFixture::dropped() const { return DropLog(); }

void ViewFixture::Clear()
{
    Log().clear();
    DropLog().clear();
}

std::string ViewFixture::Text() const
{
    std::string text(static_cast<size_t>(GetTextLength(id_)) + 1, '\0');
    int n = GetText(id_, text.data(), 1);
    text.resize(static_cast<size_t>(n));
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
    int width = DrawMetrics(id_, 0);
    int height = DrawMetrics(id_, 1);
    return POINT{(column - 1) * width + width / 4, (line - 1) * height + height / 2};
}

void ViewFixture::Click(POINT point, bool shift)
{
    WPARAM keys = MK_LBUTTON | (shift ? MK_SHIFT : 0);
    SendMessageW(view(), WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
    SendMessageW(view(), WM_LBUTTONUP, shift ? MK_SHIFT : 0, MAKELPARAM(point.x, point.y));
}

void ViewFixture::Drag(POINT from, POINT to)
{
    SendMessageW(view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(view(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void ViewFixture::Paint()
{
    InvalidateRect(view(), nullptr, FALSE);
    UpdateWindow(view());
}

}  // namespace viewtest
