// A real view driven by the messages of typing, the IME, keys and the mouse.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

TEST(ViewInput, TypedAsciiJapaneseAndSurrogatePairsReadBackAsInternalText)
{
    ViewFixture f;
    f.Type(L"ab");
    f.Type(L"\x65E5\x672C");  // 日本
    f.Type(L"\x4E0F");        // JIS X 0213 plane 2
    f.Type(L"\xFF71");        // half-width katakana stays one byte
    f.Type(L"\xD840\xDC89");  // above U+FFFF: its plane-2 code
    f.Type(L"\xD83D\xDE00");  // an emoji has no code: "??"
    f.Type(L"\r");
    f.Type(L"x");
    EXPECT_EQ(std::string("ab\x93\xFA\x96\x7B\xF0\x42\xB1\xF0\x40??\r\nx"), f.Text());
    EXPECT_EQ(2, GetLineCount(f.id()));
    EXPECT_EQ(2, GetCaretLine(f.id()));
    EXPECT_EQ(2, GetCaretPosition(f.id()));
}

TEST(ViewInput, LoneSurrogatesAndControlCharactersInsertNothing)
{
    ViewFixture f;
    f.Type(L"\xDC89");        // a low half alone
    f.Type(L"\x0001\x001B");  // control characters are commands, not text
    EXPECT_EQ("", f.Text());
    f.Type(L"\xD840");  // a high half waits ...
    f.Type(L"a");       // ... and is dropped when no low half follows
    EXPECT_EQ("a", f.Text());
}

TEST(ViewInput, BackspaceAndDeleteRemoveWholeDoubleByteCharacters)
{
    ViewFixture f;
    SetText(f.id(),
            "a\x93\xFA"
            "b");
    SetSelection(f.id(), 1, 4, 1, 4);  // after 日
    f.Type(L"\b");
    EXPECT_EQ("ab", f.Text());
    SetText(f.id(),
            "a\x93\xFA"
            "b");
    SetSelection(f.id(), 1, 2, 1, 2);
    f.Key(VK_DELETE);
    EXPECT_EQ("ab", f.Text());
}

TEST(ViewInput, ImeResultIsInsertedOnceAndUndoneInOneStep)
{
    ViewFixture f;
    f.Type(L"x");
    HIMC context = ImmGetContext(f.view());
    ASSERT_TRUE(context != nullptr);
    ImmSetOpenStatus(context, TRUE);
    const wchar_t result[] = L"\x65E5\x672C\x8A9E";  // 日本語
    ASSERT_TRUE(
        ImmSetCompositionStringW(context, SCS_SETSTR, (void*)result, sizeof result - sizeof(wchar_t), nullptr, 0));
    ASSERT_TRUE(ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
    ImmReleaseContext(f.view(), context);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ("x\x93\xFA\x96\x7B\x8C\xEA", f.Text());
    Undo(f.id());
    EXPECT_EQ("x", f.Text());
    Redo(f.id());
    EXPECT_EQ("x\x93\xFA\x96\x7B\x8C\xEA", f.Text());
}

TEST(ViewInput, ImeCompositionWindowStandsAtTheCaretInTheViewsFont)
{
    ViewFixture f;
    SetOption(f.id(), OPTION_LINE_NUMBER_WIDTH, 50, 0);
    SetText(f.id(), "abc\r\ndef");
    SetSelection(f.id(), 2, 3, 2, 3);
    SendMessageW(f.view(), WM_IME_STARTCOMPOSITION, 0, 0);
    HIMC context = ImmGetContext(f.view());
    ASSERT_TRUE(context != nullptr);
    COMPOSITIONFORM form = {};
    ASSERT_TRUE(ImmGetCompositionWindow(context, &form));
    EXPECT_EQ(static_cast<DWORD>(CFS_POINT), form.dwStyle);
    EXPECT_EQ(50 + 2 * DrawMetrics(f.id(), 0), form.ptCurrentPos.x);
    EXPECT_EQ(DrawMetrics(f.id(), 1), form.ptCurrentPos.y);
    LOGFONTW font = {};
    ASSERT_TRUE(ImmGetCompositionFontW(context, &font));
    EXPECT_EQ(std::wstring(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF"), std::wstring(font.lfFaceName));
    f.Key(VK_LEFT);  // the window follows the caret while composing
    ASSERT_TRUE(ImmGetCompositionWindow(context, &form));
    EXPECT_EQ(50 + DrawMetrics(f.id(), 0), form.ptCurrentPos.x);
    SendMessageW(f.view(), WM_IME_ENDCOMPOSITION, 0, 0);
    ImmReleaseContext(f.view(), context);
}

TEST(ViewInput, ShiftWithArrowsHomeAndEndSelects)
{
    ViewFixture f;
    SetText(f.id(), "hello world\r\nsecond");
    f.Key(VK_RIGHT);
    f.Key(VK_RIGHT, true);
    f.Key(VK_RIGHT, true);
    int start = 0, end = 0;
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(2, start);
    EXPECT_EQ(4, end);
    f.Key(VK_END, true);
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(12, end);
    f.Key(VK_DOWN, true);
    int line = 0, column = 0, line2 = 0, column2 = 0;
    EXPECT_EQ(0, GetSelection(f.id(), &line, &column, &line2, &column2));
    EXPECT_EQ(1, line);
    EXPECT_EQ(2, column);
    EXPECT_EQ(2, line2);
    EXPECT_EQ(7, column2);  // "second" is shorter than the column kept
    f.Key(VK_LEFT);         // without Shift: the selection collapses to its start
    EXPECT_EQ(-2, GetSelection(f.id(), &line, &column, nullptr, nullptr));
    EXPECT_EQ(1, line);
    EXPECT_EQ(2, column);
    f.Key(VK_END, true, true);  // Ctrl+Shift+End: to the end of the text
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(20, end);
}

TEST(ViewInput, ClickDragAndShiftClickSelectWithTheMouse)
{
    ViewFixture f;
    SetText(f.id(), "abcdefgh\r\nijklmnop");
    f.Click(f.PointAt(1, 3));
    EXPECT_EQ(1, GetCaretLine(f.id()));
    EXPECT_EQ(3, GetCaretPosition(f.id()));
    f.Drag(f.PointAt(1, 2), f.PointAt(2, 4));
    int start = 0, end = 0;
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(2, start);
    EXPECT_EQ(14, end);  // line 2 column 4: 8 bytes + CR LF + 3 + 1
    f.Click(f.PointAt(1, 1));
    f.Click(f.PointAt(1, 6), true);
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(1, start);
    EXPECT_EQ(6, end);
}

TEST(ViewInput, DraggingBelowTheTextKeepsScrollingAndSelecting)
{
    ViewFixture f;
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "line\r\n";
    SetText(f.id(), text.c_str());
    POINT start = f.PointAt(1, 2);
    SendMessageW(f.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageW(f.view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x, 400 + 5));
    int line2 = 0, column2 = 0;
    GetSelection(f.id(), nullptr, nullptr, &line2, &column2);
    int before = line2;
    for (int tick = 0; tick < 5; ++tick) SendMessageW(f.view(), WM_TIMER, 2, 0);
    GetSelection(f.id(), nullptr, nullptr, &line2, &column2);
    EXPECT_GE(line2, before + 5);  // at least a row per tick
    SendMessageW(f.view(), WM_LBUTTONUP, 0, MAKELPARAM(start.x, 400 + 5));
    for (int tick = 0; tick < 5; ++tick) SendMessageW(f.view(), WM_TIMER, 2, 0);  // released: no more
    int after = 0;
    GetSelection(f.id(), nullptr, nullptr, &after, nullptr);
    EXPECT_EQ(line2, after);
    int line = 0, column = 0;
    EXPECT_EQ(0, GetSelection(f.id(), &line, &column, nullptr, nullptr));
    EXPECT_EQ(1, line);
    EXPECT_EQ(2, column);
}

TEST(ViewInput, DoubleClickSelectsAWord)
{
    ViewFixture f;
    SetText(f.id(), "one two three");
    POINT p = f.PointAt(1, 6);
    SendMessageW(f.view(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    int start = 0, end = 0;
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(5, start);
    EXPECT_EQ(8, end);
}

TEST(ViewInput, TypingUndoesAsOneStepAndRedoRestoresIt)
{
    ViewFixture f;
    f.Type(L"abc");
    f.Key(VK_LEFT);
    f.Type(L"X");
    EXPECT_EQ("abXc", f.Text());
    Undo(f.id());
    EXPECT_EQ("abc", f.Text());
    Undo(f.id());
    EXPECT_EQ("", f.Text());
    Redo(f.id());
    EXPECT_EQ("abc", f.Text());
    f.Key('Y', false, true);  // Ctrl+Y
    EXPECT_EQ("abXc", f.Text());
    f.Key('Z', false, true);  // Ctrl+Z
    EXPECT_EQ("abc", f.Text());
}

TEST(ViewInput, TabIndentsAndShiftTabUnindentsAMultiLineSelection)
{
    ViewFixture f;
    SetText(f.id(), "a\r\nb\r\nc");
    SetSelection(f.id(), 1, 1, 2, 2);
    f.Key(VK_TAB);
    EXPECT_EQ("\ta\r\n\tb\r\nc", f.Text());
    f.Key(VK_TAB, true);
    EXPECT_EQ("a\r\nb\r\nc", f.Text());
    SetSelection(f.id(), 3, 2, 3, 2);
    f.Key(VK_TAB);  // no selection: a tab is typed
    EXPECT_EQ("a\r\nb\r\nc\t", f.Text());
}

TEST(ViewInput, ProtectedViewRefusesTypingPasteAndEditingKeys)
{
    ViewFixture f;
    SetText(f.id(), "keep");
    SetEditable(f.id(), 0);
    f.Type(L"x\b\r");
    f.Key(VK_DELETE);
    SelectAll(f.id());
    Copy(f.id());
    Paste(f.id());
    Cut(f.id());
    f.Key(VK_TAB);
    InsertText(f.id(), "y");
    EXPECT_EQ("keep", f.Text());
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));
    SetEditable(f.id(), 1);
    SetSelection(f.id(), 1, 5, 1, 5);
    f.Type(L"!");
    EXPECT_EQ("keep!", f.Text());
}

TEST(ViewInput, PageDownMovesTheCaretAndScrollsByAScreen)
{
    ViewFixture f;
    std::string text;
    for (int i = 1; i <= 500; ++i) text += "line " + std::to_string(i) + "\r\n";
    SetText(f.id(), text.c_str());
    f.Key(VK_NEXT);
    int first = GetCaretLine(f.id());
    EXPECT_GT(first, 5);
    f.Key(VK_NEXT);
    EXPECT_EQ(first * 2 - 1, GetCaretLine(f.id()));
    f.Key(VK_END, false, true);
    EXPECT_EQ(501, GetCaretLine(f.id()));
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS | SIF_PAGE | SIF_RANGE;
    GetScrollInfo(f.view(), SB_VERT, &info);
    EXPECT_EQ(500, info.nMax);
    EXPECT_GE(info.nPos + static_cast<int>(info.nPage), 500);  // the last line is on screen
}
