// Clicks on the tab bar and its tooltips: the scroll limits, which tab a click selects,
// the close button's command, and the tooltip of each button and visible tab.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "TabBarFixture.h"
#include "resources/resource.h"

using tabbartest::BarFixture;

namespace {

std::wstring TipText(const BarFixture& f, int id)
{
    wchar_t text[300] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = f.bar.barWindow;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.lpszText = text;
    SendMessageW(f.bar.tipWindow, TTM_GETTEXTW, static_cast<WPARAM>(std::size(text)), reinterpret_cast<LPARAM>(&tool));
    return text;
}

struct Tool {
    UINT_PTR id;
    RECT rect;
};

std::vector<Tool> Tools(const BarFixture& f)
{
    std::vector<Tool> tools;
    const int count = static_cast<int>(SendMessageW(f.bar.tipWindow, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        if (SendMessageW(f.bar.tipWindow, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)))
            tools.push_back({tool.uId, tool.rect});
    }
    return tools;
}

}  // namespace

TEST(TabBarMouse, ScrollingStopsWithTheLastTabAtTheLeftEdgeAndAtZero)
{
    BarFixture f;
    f.Add();
    f.Add();
    const int w = f.Width();
    const int expectedRight[] = {1, 2, 2};
    for (int expected : expectedRight) {
        f.Click(w - 24);
        EXPECT_EQ(expected, f.documents.list.firstVisibleTab);
    }
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), f.Pixel(60, 15)) << "the last, current tab is drawn first";
    const int expectedLeft[] = {1, 0, 0};
    for (int expected : expectedLeft) {
        f.Click(w - 40);
        EXPECT_EQ(expected, f.documents.list.firstVisibleTab);
    }
    EXPECT_TRUE(f.Commands().empty());
}

TEST(TabBarMouse, AClickSelectsTheTabUnderItTheLeftOneOnABorderAndNothingPastTheLast)
{
    BarFixture f;  // 600 wide: the three tabs end at 360, the buttons start at 552
    f.Add();
    f.Add();
    ASSERT_EQ(2, f.documents.list.currentTab);

    f.calls.clear();
    f.Click(120);
    EXPECT_EQ(0, f.documents.list.currentTab);
    EXPECT_EQ(0, f.documents.list.currentSlot);
    EXPECT_EQ((std::vector<std::string>{"show 0", "focus 0", "layout", "hide 1", "hide 2", "changed"}), f.calls);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), f.Pixel(100, 15));

    f.Click(121);
    EXPECT_EQ(1, f.documents.list.currentTab);
    f.Click(0, 40);  // y is not looked at
    EXPECT_EQ(0, f.documents.list.currentTab);

    f.calls.clear();
    f.Click(361);
    f.Click(551);
    EXPECT_TRUE(f.calls.empty());
    EXPECT_EQ(0, f.documents.list.currentTab);

    // With the bar scrolled, x counts from the first visible tab.
    f.documents.list.firstVisibleTab = 1;
    f.Click(130);
    EXPECT_EQ(2, f.documents.list.currentTab);
    EXPECT_TRUE(f.Commands().empty());
}

TEST(TabBarMouse, TheCloseButtonAsksTheMainWindowToCloseTheCurrentTab)
{
    BarFixture f;
    f.Add();
    f.calls.clear();
    f.Click(f.Width() - 8);
    EXPECT_EQ(std::vector<int>{IDM_WINDOW_CLOSE_TAB}, f.Commands());
    EXPECT_TRUE(f.calls.empty());  // the main window does the closing
    EXPECT_EQ(2, f.documents.list.tabCount);
}

TEST(TabBarMouse, TooltipsNameTheButtonsAndEachVisibleTabsPath)
{
    BarFixture f;
    const std::string memo = "C:\\\x95\xb6\x8f\x91\\\x83\x81\x83\x82.txt";  // C:\文書\メモ.txt
    f.Add(memo);
    f.Add();
    f.Add("D:\\b.txt");

    std::vector<Tool> tools = Tools(f);
    ASSERT_EQ(3u + 4u, tools.size());
    EXPECT_EQ(4, f.documents.list.nameTipCount);
    for (const Tool& tool : tools) {
        if (tool.id > 2) continue;
        const LONG left = f.Width() - 48 + 16 * static_cast<LONG>(tool.id);
        EXPECT_EQ(left, tool.rect.left);
        EXPECT_EQ(left + 16, tool.rect.right);
        EXPECT_EQ(16, tool.rect.bottom);
    }
    EXPECT_EQ(L"左へスクロール", TipText(f, 0));
    EXPECT_EQ(L"右へスクロール", TipText(f, 1));
    EXPECT_EQ(L"このタブを閉じる(Ctrl+D)", TipText(f, 2));
    EXPECT_EQ(L"無題", TipText(f, 3));
    EXPECT_EQ(L"C:\\文書\\メモ.txt", TipText(f, 4));
    EXPECT_EQ(L"無題", TipText(f, 5));
    EXPECT_EQ(L"D:\\b.txt", TipText(f, 6));

    // Scrolled by one: ids restart at 3 with the first visible tab; the buttons follow a
    // new width.
    f.Click(f.Width() - 24);
    LayoutBar(f.bar, 0, 0, 500);
    tools = Tools(f);
    ASSERT_EQ(3u + 3u, tools.size());
    EXPECT_EQ(L"C:\\文書\\メモ.txt", TipText(f, 3));
    EXPECT_EQ(L"D:\\b.txt", TipText(f, 5));
    EXPECT_EQ(L"", TipText(f, 6));
    for (const Tool& tool : tools) {
        if (tool.id == 2) {
            EXPECT_EQ(500 - 16, tool.rect.left);
        }
        if (tool.id == 4) {
            EXPECT_EQ(122, tool.rect.left);
        }
    }
}
