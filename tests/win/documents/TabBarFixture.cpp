// The parent window and the recording host of the tab-bar tests.
#include "TabBarFixture.h"

#include <gtest/gtest.h>

namespace tabbartest {

namespace {

const wchar_t kParentClass[] = L"KvteTabBarTestParent";

std::vector<int>& CommandLog()
{
    static std::vector<int> log;
    return log;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        CommandLog().push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BarFixture& Of(void* context) { return *static_cast<BarFixture*>(context); }

}  // namespace

BarFixture::BarFixture(int width)
{
    CommandLog().clear();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kParentClass;
    RegisterClassW(&wc);
    parent = CreateWindowW(kParentClass, L"tab bar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           width + 40, 120, nullptr, nullptr, wc.hInstance, nullptr);

    DocumentsHost& host = documents.host;
    host.context = this;
    host.showView = [](void* c, int slot, bool shown) {
        Of(c).calls.push_back((shown ? "show " : "hide ") + std::to_string(slot));
    };
    host.focusView = [](void* c, int slot) { Of(c).calls.push_back("focus " + std::to_string(slot)); };
    host.layoutMainWindow = [](void* c) { Of(c).calls.push_back("layout"); };
    host.tabChanged = [](void* c) { Of(c).calls.push_back("changed"); };
    host.repaintBar = [](void* c) { RepaintBar(Of(c).bar); };
    host.rebuildNameTips = [](void* c) { RebuildNameTips(Of(c).bar); };

    EXPECT_TRUE(CreateBar(bar, documents, parent, GetModuleHandleW(nullptr)));
    LayoutBar(bar, 0, 0, width);
}

BarFixture::~BarFixture()
{
    if (GetCapture() == bar.barWindow) ReleaseCapture();
    DestroyBar(bar);
    DestroyWindow(parent);
}

int BarFixture::Add(const std::string& path)
{
    int slot = AddDocument(documents.list, documents.host);
    if (slot >= 0 && !path.empty()) SetPath(At(slot), path);
    // A new document is laid out by the main window, which rebuilds the name tooltips.
    RebuildNameTips(bar);
    RepaintBar(bar);
    return slot;
}

void BarFixture::MouseMove(int x, int y) { SendMessageW(bar.barWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

void BarFixture::Click(int x, int y)
{
    SendMessageW(bar.barWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(bar.barWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::vector<int> BarFixture::Commands() const { return CommandLog(); }

COLORREF BarFixture::Pixel(int x, int y) const
{
    HDC dc = GetDC(bar.barWindow);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(bar.barWindow, dc);
    return colour;
}

}  // namespace tabbartest
