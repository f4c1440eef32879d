// A real view driven by the messages of typing, the IME and keys; the clipboard; the
// operations by view id and the messages a view sends its parent, each when it should.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

TEST(ViewInput, TypedCharactersAndSurrogatePairsReadBackAsInternalText)
{
    ViewFixture f, other(1);
    f.Type(L"a\x65E5\xFF71");  // 日 and a half-width katakana
    f.Type(L"\xD840");         // a high half waits in its own view ...
    other.Type(L"\xDC89z");    // ... a low half alone elsewhere is no character
    f.Type(L"\xDC89\xD83D\xDE00\x0001\xD840x\r");  // U+20089; an emoji has no code; a control; a lone half
    EXPECT_EQ("a\x93\xFA\xB1\xF0\x40??x\r\n", f.Text());
    EXPECT_EQ("z", other.Text());
}

TEST(ViewInput, KeysMoveSelectEditAndUndoThroughTheKeyMap)
{
    ViewFixture f;
    SetText(f.id(), "hello world\r\nsecond");
    f.Key(VK_RIGHT), f.Key(VK_RIGHT, true), f.Key(VK_END, true), f.Key(VK_DOWN, true);
    int line = 0, column = 0, line2 = 0, column2 = 0;
    EXPECT_EQ(0, GetSelection(f.id(), &line, &column, &line2, &column2));
    EXPECT_EQ((std::vector<int>{1, 2, 2, 7}), (std::vector<int>{line, column, line2, column2}));
    f.Key(VK_LEFT);  // without Shift: the selection collapses to its start
    EXPECT_EQ(2, GetCaretOffset(f.id()));
    f.Key(VK_TAB), f.Key(VK_END, true, true), f.Key(VK_TAB);  // a tab; over two lines, an indent
    EXPECT_EQ("\th\tello world\r\n\tsecond", f.Text());
    f.Key('Z', false, true), f.Key('Z', false, true);
    EXPECT_EQ("hello world\r\nsecond", f.Text());
    f.Key('Y', false, true);
    EXPECT_EQ("h\tello world\r\nsecond", f.Text());
    f.Key(VK_TAB, false, true);  // Ctrl+Tab is the program's
    EXPECT_EQ("h\tello world\r\nsecond", f.Text());
}

TEST(ViewInput, ImeResultIsInsertedOnceAtTheCaretWhereTheCompositionWindowStands)
{
    ViewFixture f;
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 50, 0);
    SetText(f.id(), "x\r\nab");
    SetSelection(f.id(), 2, 3, 2, 3);
    SendMessageW(f.view(), WM_IME_STARTCOMPOSITION, 0, 0);
    HIMC context = ImmGetContext(f.view());
    ASSERT_TRUE(context != nullptr);
    COMPOSITIONFORM form = {};
    ASSERT_TRUE(ImmGetCompositionWindow(context, &form));
    EXPECT_EQ(50 + 2 * DrawMetrics(f.id(), 0), form.ptCurrentPos.x);
    EXPECT_EQ(DrawMetrics(f.id(), 1), form.ptCurrentPos.y);
    LOGFONTW font = {};
    EXPECT_TRUE(ImmGetCompositionFontW(context, &font) && !lstrcmpW(font.lfFaceName, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF"));
    SendMessageW(f.view(), WM_IME_ENDCOMPOSITION, 0, 0);
    ImmSetOpenStatus(context, TRUE);
    const wchar_t result[] = L"\x65E5\x672C";  // 日本
    ASSERT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, (void*)result, sizeof result - 2, nullptr, 0));
    ASSERT_TRUE(ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
    ImmReleaseContext(f.view(), context);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ("x\r\nab\x93\xFA\x96\x7B", f.Text());
    Undo(f.id());
    EXPECT_EQ("x\r\nab", f.Text());
}

namespace {
std::wstring ClipboardText()
{
    std::wstring text;
    HANDLE data = OpenClipboard(nullptr) ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (data) text = static_cast<const wchar_t*>(GlobalLock(data)), GlobalUnlock(data);
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}
}  // namespace

TEST(ViewClipboard, CharactersCrossBothWaysThroughTheTablesAndPasteIsOneUndoStep)
{
    ViewFixture f;
    // 丏 (plane 2), a, ｱ, 日, line break, z, U+20089 (a surrogate pair outside).
    const std::string text = "\xF0\x42" "a\xB1\x93\xFA\r\nz\xF0\x40";
    SetText(f.id(), text.c_str());
    SelectAll(f.id());
    Copy(f.id());
    EXPECT_EQ(std::wstring(L"\x4E0F" L"a\xFF71\x65E5\r\nz\xD840\xDC89"), ClipboardText());
    SelectRange(f.id(), 1, 3);
    Cut(f.id());  // only what reached the clipboard leaves the text
    EXPECT_EQ(std::wstring(L"\x4E0F"), ClipboardText());
    EXPECT_EQ(text.substr(2), f.Text());
    // From another program: two surrogate pairs, か and its combining mark, a Thai letter
    // without a code, an emoji without one, and line breaks of every kind.
    SetClipboardText(L"\xD840\xDC0B\xD844\xDE3D\x304B\x309A\x0E01\xD83D\xDE00\nY\rZ");
    SelectRange(f.id(), 1, 2);
    f.Key('V', false, true);
    EXPECT_EQ("\x87\xA0\x88\x61\x82\xF5???\r\nY\r\nZ" + text.substr(3), f.Text());
    Undo(f.id());
    EXPECT_EQ(text.substr(2), f.Text());
}

// A click puts the caret, Shift+click selects from it, a double click takes the word; the
// wheel scrolls the system's lines per notch and the bar's arrow one line.
TEST(ViewInput, ClicksSelectAndTheWheelAndBarScroll)
{
    ViewFixture f;
    std::string text;
    for (int line = 1; line <= 100; ++line) text += "word" + std::to_string(line) + " other\r\n";
    SetText(f.id(), text.c_str());
    auto mouse = [&](UINT message, int line, int column, WPARAM keys) {
        const POINT at = f.PointAt(line, column);
        SendMessageW(f.view(), message, keys, MAKELPARAM(at.x, at.y));
        SendMessageW(f.view(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    };
    auto selection = [&] {
        int line = 0, column = 0, line2 = 0, column2 = 0;
        GetSelection(f.id(), &line, &column, &line2, &column2);
        return std::vector<int>{line, column, line2, column2};
    };
    mouse(WM_LBUTTONDOWN, 2, 3, MK_LBUTTON);
    EXPECT_EQ(selection(), (std::vector<int>{2, 3, 2, 3}));
    mouse(WM_LBUTTONDOWN, 3, 9, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(selection(), (std::vector<int>{2, 3, 3, 9}));
    mouse(WM_LBUTTONDBLCLK, 1, 2, MK_LBUTTON);
    EXPECT_EQ(selection(), (std::vector<int>{1, 1, 1, 6}));

    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageW(f.view(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(GetScrollPos(f.view(), SB_VERT), static_cast<int>(lines));
    SendMessageW(f.view(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(f.view(), SB_VERT), static_cast<int>(lines) + 1);
    SendMessageW(f.view(), WM_MOUSEWHEEL, MAKEWPARAM(0, 4 * WHEEL_DELTA), 0);
    EXPECT_EQ(GetScrollPos(f.view(), SB_VERT), 0) << "never above the first line";
}

TEST(ViewOperations, IdsLinesAndRangesUseOneBasedBytePositions)
{
    ViewFixture f(2);
    EXPECT_EQ(0, CreateView(2, f.parent(), 0, 0, 10, 10));  // already in use
    EXPECT_STREQ("", GetLineText(7, 1));
    EXPECT_EQ(1, SetViewCount(1));  // never removes the live view 2
    ASSERT_EQ(1, SetText(f.id(), "\x93\xFA\nline two\ntail"));
    EXPECT_EQ(std::string("line two"), std::string(GetLineText(f.id(), 2), GetLineLength(f.id(), 2)));
    SetSelection(f.id(), 1, 2, 1, 2);  // inside 日: moved to its start
    EXPECT_EQ(1, GetCaretPosition(f.id()));
    f.Clear();
    EXPECT_EQ(1, ReplaceRangeText(f.id(), 1, 8, "A\0\r\nB", 5));  // 日, the line break and "lin"
    EXPECT_EQ(std::string("A\0\r\nBe two\r\ntail", 16), f.Text());
    EXPECT_EQ(6, GetCaretOffset(f.id()));
    EXPECT_EQ(1, f.Count(WM_VIEW_MODIFIED));
    Undo(f.id());
    EXPECT_EQ("\x93\xFA\r\nline two\r\ntail", f.Text());
    SetEditable(f.id(), 0);
    EXPECT_EQ(0, ReplaceRangeText(f.id(), 1, 2, "z", 1));
}

TEST(ViewOperations, TheParentIsToldOfEditsCaretMovesLinksAndMenusOnChangeOnly)
{
    ViewFixture f(3);
    SetText(f.id(), "see http://a.jp/ or me@b.jp\r\nbb");
    f.Key(VK_LEFT), f.Key(VK_RIGHT);  // already at the start, then a move
    f.Type(L"x");
    Undo(f.id()), Undo(f.id());  // nothing left for the second
    EXPECT_EQ(2, f.Count(WM_VIEW_MODIFIED));
    EXPECT_EQ(3, f.Count(WM_VIEW_CARET_MOVED));  // right, typing, undo
    EXPECT_EQ(3u, f.received().front().wParam);
    f.Clear();
    for (int column : {2, 6, 8, 22, 29}) {
        POINT p = f.PointAt(1, column);
        SendMessageW(f.view(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    std::vector<WPARAM> hover;
    for (const auto& r : f.received()) hover.push_back(r.wParam);
    EXPECT_EQ((std::vector<WPARAM>{5, 6, 0}), hover);
    POINT p = f.PointAt(1, 2), screen = p;
    ClientToScreen(f.view(), &screen);
    SendMessageW(f.view(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(f.view(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    ASSERT_EQ(1, f.Count(WM_VIEW_CONTEXT_MENU));
    EXPECT_EQ(MAKELPARAM(screen.x, screen.y), f.received().back().lParam);
    SetOption(f.id(), OPTION_NOTIFY_PARENT, 0, 0);
    f.Clear();
    f.Type(L"abc");
    EXPECT_TRUE(f.received().empty());
}
