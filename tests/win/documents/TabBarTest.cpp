// The tab bar's window: what it draws (read back from the window), the tooltips it
// registers and what the mouse does through it. The geometry behind it is proved by the
// native tests; here a bar sits in a parent of its own around a list without views.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "documents/win32/TabBar.h"
#include "resources/resource.h"

namespace {

std::vector<int> commands;  // the WM_COMMAND ids the parent received

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

struct TabBarTest : testing::Test {
    DocumentsState documents;
    DocumentList& list = documents.list;
    TabBar bar;
    HWND parent = nullptr;
    std::vector<std::string> calls;  // what the list asked of the windows
    const int w = 600;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);

    void SetUp() override
    {
        commands.clear();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvteTabBarTestParent";
        RegisterClassW(&wc);
        parent = CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               w + 40, 120, nullptr, nullptr, wc.hInstance, nullptr);
        DocumentsHost& host = documents.host;
        host.context = this;
        host.showView = [](void* c, int slot, bool shown) {
            Of(c).calls.push_back((shown ? "show " : "hide ") + std::to_string(slot));
        };
        host.tabChanged = [](void* c) { Of(c).calls.push_back("changed"); };
        host.repaintBar = [](void* c) { RepaintBar(Of(c).bar); };
        host.rebuildNameTips = [](void* c) { RebuildNameTips(Of(c).bar); };
        ASSERT_TRUE(CreateBar(bar, documents, parent, GetModuleHandleW(nullptr)));
        LayoutBar(bar, 0, 0, w);
    }
    void TearDown() override
    {
        if (GetCapture() == bar.barWindow) ReleaseCapture();
        DestroyBar(bar);
        DestroyWindow(parent);
    }
    static TabBarTest& Of(void* context) { return *static_cast<TabBarTest*>(context); }

    void Add(const std::string& path = "")
    {
        int slot = AddDocument(list, documents.host);
        if (!path.empty()) SetPath(*GetDocument(list, slot), path);
        RebuildNameTips(bar);
        RepaintBar(bar);
    }
    void Click(int x)
    {
        SendMessageW(bar.barWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
        SendMessageW(bar.barWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
    }
    COLORREF Pixel(int x, int y) const
    {
        HDC dc = GetDC(bar.barWindow);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(bar.barWindow, dc);
        return colour;
    }
    std::wstring Tip(int id) const
    {
        wchar_t text[300] = {};
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = bar.barWindow;
        tool.uId = static_cast<UINT_PTR>(id);
        tool.lpszText = text;
        SendMessageW(bar.tipWindow, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        return text;
    }
};

TEST_F(TabBarTest, TheCurrentTabAndTheMarksAreDrawnInTheirColours)
{
    ASSERT_NE(face, window);
    EXPECT_EQ(window, Pixel(1, 8));  // left of the tab's face
    EXPECT_EQ(face, Pixel(2, 2));
    EXPECT_EQ(window, Pixel(120, 8));  // the separator
    Add("C:\\b.txt");
    GetDocument(list, 0)->modified = true;
    GetDocument(list, 0)->writable = false;
    GetDocument(list, 1)->modified = true;
    RepaintBar(bar);
    EXPECT_EQ(RGB(255, 255, 0), Pixel(7, 9));      // write protection over a change
    EXPECT_EQ(RGB(128, 128, 128), Pixel(127, 9));  // the current tab
    EXPECT_EQ(window, Pixel(100, 15)) << "a tab that is not current";
}

TEST_F(TabBarTest, AHotButtonIsFramedAndHoldsTheCaptureUntilThePointerLeaves)
{
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(window, Pixel(w - 48, 8));
    SendMessageW(bar.barWindow, WM_MOUSEMOVE, 0, MAKELPARAM(w - 40, 8));
    EXPECT_EQ(ink, Pixel(w - 48, 8));
    EXPECT_EQ(ink, Pixel(w - 33, 8));
    EXPECT_EQ(bar.barWindow, GetCapture());
    SendMessageW(bar.barWindow, WM_MOUSEMOVE, 0, MAKELPARAM(w - 8, 40));  // below, through the capture
    EXPECT_EQ(window, Pixel(w - 48, 8));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TabBarTest, ClicksSelectTabsScrollAndAskTheParentToClose)
{
    Add();
    Add();
    calls.clear();
    Click(120);
    EXPECT_EQ(0, list.currentSlot);
    EXPECT_EQ((std::vector<std::string>{"show 0", "hide 1", "hide 2", "changed"}), calls);
    EXPECT_EQ(face, Pixel(100, 15));
    Click(w - 24);
    EXPECT_EQ(1, list.firstVisibleTab);
    EXPECT_TRUE(commands.empty());
    Click(w - 8);
    EXPECT_EQ(std::vector<int>{IDM_WINDOW_CLOSE_TAB}, commands);
    EXPECT_EQ(3, list.tabCount) << "the main window does the closing";
}

TEST_F(TabBarTest, TooltipsNameTheButtonsAndEachVisibleTabsPath)
{
    Add("C:\\\x95\xb6\x8f\x91\\\x83\x81\x83\x82.txt");  // C:\文書\メモ.txt
    Add("D:\\b.txt");
    EXPECT_EQ(3 + 3, SendMessageW(bar.tipWindow, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ((std::vector<std::wstring>{Tip(0), Tip(1), Tip(2), Tip(3), Tip(4)}),
              (std::vector<std::wstring>{L"左へスクロール", L"右へスクロール", L"このタブを閉じる(Ctrl+D)", L"無題",
                                         L"C:\\文書\\メモ.txt"}));
    // Scrolled by one: the ids restart at 3 with the first visible tab.
    Click(w - 24);
    EXPECT_EQ(L"C:\\文書\\メモ.txt", Tip(3));
    EXPECT_EQ(L"", Tip(5));
}

}  // namespace
