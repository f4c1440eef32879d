// The messages a view sends its parent: each exactly when it should.
#include <windows.h>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "textcontrol/win32/LinkOpener.h"

using viewtest::ViewFixture;

TEST(ViewNotify, ModifiedFollowsEachEditButNotLoadingOrMoving)
{
    ViewFixture f;
    SetText(f.id(), "abc");
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));
    f.Key(VK_RIGHT);
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));
    f.Type(L"x");
    EXPECT_EQ(1, f.Count(WM_VIEW_MODIFIED));
    f.Type(L"y");
    EXPECT_EQ(2, f.Count(WM_VIEW_MODIFIED));
    InsertText(f.id(), "\r\n");
    Undo(f.id());
    EXPECT_EQ(4, f.Count(WM_VIEW_MODIFIED));
    f.Clear();
    Undo(f.id());
    Undo(f.id());
    Undo(f.id());  // nothing left to undo: no message
    EXPECT_EQ(1, f.Count(WM_VIEW_MODIFIED));
    EXPECT_EQ(static_cast<WPARAM>(f.id()), f.received().front().wParam);
}

TEST(ViewNotify, CaretMovedOnlyWhenCaretOrSelectionChanges)
{
    ViewFixture f;
    SetText(f.id(), "abc\r\ndef");
    f.Clear();
    f.Key(VK_LEFT);  // already at the start
    EXPECT_EQ(0, f.Count(WM_VIEW_CARET_MOVED));
    f.Key(VK_RIGHT);
    EXPECT_EQ(1, f.Count(WM_VIEW_CARET_MOVED));
    f.Key(VK_RIGHT, true);
    EXPECT_EQ(2, f.Count(WM_VIEW_CARET_MOVED));
    SetCaretLine(f.id(), 2);
    EXPECT_EQ(3, f.Count(WM_VIEW_CARET_MOVED));
    SetCaretLine(f.id(), 2);
    EXPECT_EQ(3, f.Count(WM_VIEW_CARET_MOVED));
    f.Click(f.PointAt(1, 3));
    EXPECT_EQ(4, f.Count(WM_VIEW_CARET_MOVED));
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));
}

TEST(ViewNotify, LinkHoverReportsWebMailAndNothingOnChangeOnly)
{
    ViewFixture f;
    SetText(f.id(), "see http://example.com/ or mail me@example.com now");
    auto move = [&](int column) {
        POINT p = f.PointAt(1, column);
        SendMessageW(f.view(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    };
    move(2);
    EXPECT_EQ(0, f.Count(WM_VIEW_LINK_HOVER));  // still 0: nothing to report
    move(6);
    move(8);
    ASSERT_EQ(1, f.Count(WM_VIEW_LINK_HOVER));
    EXPECT_EQ(5u, f.received().back().wParam);
    move(36);
    ASSERT_EQ(2, f.Count(WM_VIEW_LINK_HOVER));
    EXPECT_EQ(6u, f.received().back().wParam);
    move(50);
    ASSERT_EQ(3, f.Count(WM_VIEW_LINK_HOVER));
    EXPECT_EQ(0u, f.received().back().wParam);
    SetOption(f.id(), OPTION_CLICKABLE, 0, 0);  // no clickable kinds: no links
    move(8);
    EXPECT_EQ(3, f.Count(WM_VIEW_LINK_HOVER));
}

TEST(ViewNotify, RightButtonAsksTheParentForTheContextMenuAtTheScreenPoint)
{
    ViewFixture f;
    SetText(f.id(), "text");
    POINT p = f.PointAt(1, 2);
    SendMessageW(f.view(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(0, f.Count(WM_VIEW_CONTEXT_MENU));
    SendMessageW(f.view(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    ASSERT_EQ(1, f.Count(WM_VIEW_CONTEXT_MENU));
    POINT screen = p;
    ClientToScreen(f.view(), &screen);
    const auto& r = f.received().back();
    EXPECT_EQ(static_cast<WPARAM>(f.id()), r.wParam);
    EXPECT_EQ(screen.x, static_cast<short>(LOWORD(r.lParam)));
    EXPECT_EQ(screen.y, static_cast<short>(HIWORD(r.lParam)));
}

TEST(ViewNotify, TheMenuKeyAsksForTheContextMenuBelowTheCaret)
{
    ViewFixture f;
    SetText(f.id(), "abc");
    SetSelection(f.id(), 1, 3, 1, 3);
    SendMessageW(f.view(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.view()), -1);
    ASSERT_EQ(1, f.Count(WM_VIEW_CONTEXT_MENU));
    POINT expected = {2 * DrawMetrics(f.id(), 0), DrawMetrics(f.id(), 1)};
    ClientToScreen(f.view(), &expected);
    const auto& r = f.received().back();
    EXPECT_EQ(expected.x, static_cast<short>(LOWORD(r.lParam)));
    EXPECT_EQ(expected.y, static_cast<short>(HIWORD(r.lParam)));
}

TEST(ViewNotify, OwnerDrawnLineEndMarkIsRequestedPerVisibleLineEnd)
{
    ViewFixture f(3);
    SetText(f.id(), "a\r\nbb\r\nccc");
    ShowMark(f.id(), MARK_LINE_END, 1, 0);
    SetOption(f.id(), OPTION_OWNER_DRAW, 8, 1);
    f.Clear();
    f.Paint();
    ASSERT_EQ(2, f.Count(WM_DRAWITEM));  // the last line has no line end
    int w = DrawMetrics(f.id(), 0), h = DrawMetrics(f.id(), 1);
    int n = 0;
    for (const auto& r : f.received()) {
        if (r.message != WM_DRAWITEM) continue;
        EXPECT_EQ(3u, r.wParam);
        EXPECT_EQ(1000u, r.item.CtlType);
        EXPECT_EQ(3u, r.item.CtlID);
        EXPECT_EQ(3u, r.item.itemID);  // the main window reads the view from here
        EXPECT_EQ(3u, r.item.itemState);
        EXPECT_TRUE(r.item.hDC != nullptr);
        EXPECT_EQ((n + 1) * w, r.item.rcItem.left);  // after "a", after "bb"
        EXPECT_EQ(n * h, r.item.rcItem.top);
        EXPECT_EQ(2 * w, r.item.rcItem.right - r.item.rcItem.left);
        EXPECT_EQ(h, r.item.rcItem.bottom - r.item.rcItem.top);
        ++n;
    }
    SetOption(f.id(), OPTION_OWNER_DRAW, 0, 1);  // drawn by the view itself again
    f.Clear();
    f.Paint();
    EXPECT_EQ(0, f.Count(WM_DRAWITEM));
}

TEST(ViewNotify, SilentWhenNotificationsAreSwitchedOff)
{
    ViewFixture f;
    SetOption(f.id(), OPTION_NOTIFY_PARENT, 0, 0);
    f.Type(L"abc");
    EXPECT_TRUE(f.received().empty());
}

namespace {

std::wstring& Opened()
{
    static std::wstring opened;
    return opened;
}

bool RecordOpen(HWND, const wchar_t* target)
{
    Opened() += std::wstring(target) + L"|";
    return true;
}

}  // namespace

TEST(ViewNotify, DoubleClickOnALinkOpensItInsteadOfSelecting)
{
    ViewFixture f;
    kvte::textcontrol::LinkOpener previous = kvte::textcontrol::ReplaceLinkOpener(RecordOpen);
    Opened().clear();
    SetText(f.id(), "go https://example.org/a?b=1 or me@example.com");
    auto doubleClick = [&](int column) {
        POINT p = f.PointAt(1, column);
        SendMessageW(f.view(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    };
    doubleClick(10);
    doubleClick(36);
    EXPECT_EQ(L"https://example.org/a?b=1|mailto:me@example.com|", Opened());
    EXPECT_EQ(0, GetSelectionRange(f.id(), nullptr, nullptr));  // nothing selected
    SetOption(f.id(), OPTION_CLICKABLE, 1, 0);                  // mail addresses only
    doubleClick(10);
    EXPECT_EQ(L"https://example.org/a?b=1|mailto:me@example.com|", Opened());
    EXPECT_EQ(-1, GetSelectionRange(f.id(), nullptr, nullptr));  // a word was selected
    kvte::textcontrol::ReplaceLinkOpener(previous);
}
