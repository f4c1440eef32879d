// The operations by view id around the text: views, lines, selection queries, the font
// dialog seam, wrapping, and drops into the view.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "textcontrol/win32/FontDialog.h"
#include "textcontrol/win32/ViewDragDrop.h"

using viewtest::ViewFixture;

TEST(ViewOperations, IdsAreCheckedAndUnknownViewsAreHarmless)
{
    ViewFixture f(2);
    EXPECT_EQ(0, CreateView(2, f.parent(), 0, 0, 10, 10));  // already in use
    EXPECT_EQ(0, CreateView(-1, f.parent(), 0, 0, 10, 10));
    EXPECT_EQ(nullptr, GetViewWindow(7));
    EXPECT_EQ(0, SetText(7, "x"));
    EXPECT_EQ(0, GetTextLength(7));
    EXPECT_STREQ("", GetLineText(7, 1));
    Paste(7);
    DestroyView(7);
    EXPECT_EQ(1, SetViewCount(1));  // never removes the live view 2
    EXPECT_TRUE(GetViewWindow(2) != nullptr);
    EXPECT_GE(GetControlVersion(), 100);
    EXPECT_EQ(0, GetControlBeta());
}

TEST(ViewOperations, LinesAndSelectionQueriesUseOneBasedBytePositions)
{
    ViewFixture f;
    ASSERT_EQ(1, SetText(f.id(), "\x93\xFA\x96\x7B\nline two\ntail"));
    EXPECT_EQ(3, GetLineEnding(f.id()));
    EXPECT_EQ(3, GetLineCount(f.id()));
    EXPECT_EQ(4, GetLineLength(f.id(), 1));
    EXPECT_EQ(std::string("line two"), std::string(GetLineText(f.id(), 2), GetLineLength(f.id(), 2)));
    EXPECT_EQ(0, GetLineLength(f.id(), 9));
    int line = 0, column = 0;
    EXPECT_EQ(-2, GetSelection(f.id(), &line, &column, nullptr, nullptr));
    EXPECT_EQ(0, GetSelectionRange(f.id(), nullptr, nullptr));
    SetSelection(f.id(), 1, 2, 1, 2);  // inside 日: moved to its start
    EXPECT_EQ(1, GetCaretPosition(f.id()));
    SelectRange(f.id(), 3, 9);  // 本 and the CR LF and "li"
    int start = 0, end = 0;
    EXPECT_EQ(-1, GetSelectionRange(f.id(), &start, &end));
    EXPECT_EQ(3, start);
    EXPECT_EQ(9, end);
    EXPECT_EQ(2, GetCaretLine(f.id()));
    EXPECT_EQ(3, GetCaretPosition(f.id()));
    EXPECT_EQ(9, GetCaretOffset(f.id()));
    std::string crlf(static_cast<size_t>(GetTextLength(f.id())) + 1, '\0');
    EXPECT_EQ(GetTextLength(f.id()), GetText(f.id(), crlf.data(), 1));
    std::string lf(crlf.size(), '\0');
    EXPECT_EQ(GetTextLength(f.id()) - 2, GetText(f.id(), lf.data(), 4));
}

TEST(ViewOperations, ATextHandedOverIsShownWholeAndIsNoChange)
{
    ViewFixture f;
    std::string kept = "stays";
    EXPECT_EQ(0, SetTextOwned(7, std::move(kept)));
    EXPECT_EQ("stays", kept);
    // Long enough to be kept where it lies; a zero byte inside stays a character.
    std::string text("\x93\xFA\0b\r\n", 6);
    for (int i = 0; i < 20000; ++i) text += "line\r\n";
    text += "tail";
    f.Clear();
    ASSERT_EQ(1, SetTextOwned(f.id(), std::move(text)));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));
    EXPECT_EQ(1, GetLineEnding(f.id()));
    EXPECT_EQ(20002, GetLineCount(f.id()));
    EXPECT_EQ(4, GetLineLength(f.id(), 1));
    EXPECT_EQ(std::string("\x93\xFA\0b", 4), std::string(GetLineText(f.id(), 1), 4));
    EXPECT_EQ(std::string("tail"), std::string(GetLineText(f.id(), 20002), GetLineLength(f.id(), 20002)));
    f.Paint();
    // Typing into it changes only the copy of the part typed into.
    SetSelection(f.id(), 3, 1, 3, 1);
    f.Type(L"x");
    EXPECT_EQ(std::string("xline"), std::string(GetLineText(f.id(), 3), GetLineLength(f.id(), 3)));
    EXPECT_EQ(std::string("line"), std::string(GetLineText(f.id(), 4), GetLineLength(f.id(), 4)));
    EXPECT_EQ(1, f.Count(WM_VIEW_MODIFIED));
}

TEST(ViewOperations, BookmarksHighlightAndEmphasisReachTheModel)
{
    ViewFixture f;
    SetText(f.id(), "a\r\nb\r\nc");
    SetBookmark(f.id(), 2, 1, 1);
    EXPECT_EQ(1, IsBookmarked(f.id(), 2));
    f.Key(VK_HOME, false, true);
    f.Type(L"\r");
    EXPECT_EQ(1, IsBookmarked(f.id(), 3));  // moved down with its line
    EXPECT_EQ(-1, AddEmphasis(f.id(), "if", nullptr, 1, RGB(255, 0, 0), 0, 1, 0));
    EXPECT_NE(-1, AddEmphasis(f.id(), "x", nullptr, 9, 0, 0, 1, 0));
    SetHighlightText(f.id(), "b", 1, 1);
    ClearEmphasis(f.id(), 1);
    f.Paint();  // paints all of it without trouble
}

namespace {

bool ChooseMincho(HWND, LOGFONTW* font, int* size)
{
    lstrcpyW(font->lfFaceName, L"\xFF2D\xFF33 \x660E\x671D");  // ＭＳ 明朝
    *size = 14;
    return true;
}

bool Cancel(HWND, LOGFONTW*, int*) { return false; }

}  // namespace

TEST(ViewOperations, FontDialogReturnsSizeAndShiftJisNameOrNegativeWhenCancelled)
{
    ViewFixture f;
    int widthBefore = DrawMetrics(f.id(), 1);
    kvte::textcontrol::FontDialogRunner previous = kvte::textcontrol::ReplaceFontDialogRunner(ChooseMincho);
    char name[264] = {};
    EXPECT_EQ(14, ChooseFontDialog(f.id(), name, 1));
    EXPECT_STREQ("\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9", name);
    EXPECT_GT(DrawMetrics(f.id(), 1), widthBefore);  // 14 points are taller than 12
    kvte::textcontrol::ReplaceFontDialogRunner(Cancel);
    char untouched[264] = "same";
    EXPECT_LT(ChooseFontDialog(f.id(), untouched, 1), 0);
    EXPECT_STREQ("same", untouched);
    kvte::textcontrol::ReplaceFontDialogRunner(previous);
}

TEST(ViewOperations, MetricsFollowFontAndLineSpacing)
{
    ViewFixture f;
    SetFont(f.id(), "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E", 12, 1);
    int width = DrawMetrics(f.id(), 0), height = DrawMetrics(f.id(), 1);
    EXPECT_GT(width, 3);
    EXPECT_GT(height, width);
    SetOption(f.id(), OPTION_LINE_SPACING, 4, 1);
    EXPECT_EQ(height + 4, DrawMetrics(f.id(), 1));
    SetFont(f.id(), "", 0, 1);  // no name, no size: the default font, still usable
    EXPECT_GT(DrawMetrics(f.id(), 0), 0);
}

TEST(ViewOperations, WrappingKeepsTheCaretOnScreenAndUpDownGoByRows)
{
    ViewFixture f(0, 200, 300);
    std::string longLine(300, 'x');
    SetText(f.id(), (longLine + "\r\nend").c_str());
    SetWrap(f.id(), 1, 0, 1);
    SetSelection(f.id(), 1, 1, 1, 1);
    f.Key(VK_DOWN);
    EXPECT_EQ(1, GetCaretLine(f.id()));  // the next row of the same line
    EXPECT_GT(GetCaretPosition(f.id()), 10);
    f.Key(VK_END, false, true);
    EXPECT_EQ(2, GetCaretLine(f.id()));
    SetWrap(f.id(), 0, 0, 1);
    SetSelection(f.id(), 1, 1, 1, 1);
    f.Key(VK_DOWN);
    EXPECT_EQ(2, GetCaretLine(f.id()));
}

TEST(ViewOperations, ChangingTheTabWidthRewrapsLinesWithTabs)
{
    ViewFixture f;
    SetText(f.id(), (std::string(30, '\t') + "\r\nnext").c_str());
    SetOption(f.id(), OPTION_TAB_WIDTH, 1, 0);
    SetWrap(f.id(), 1, 0, 1);
    f.Key(VK_DOWN);
    EXPECT_EQ(2, GetCaretLine(f.id()));  // 30 columns: one row
    SetOption(f.id(), OPTION_TAB_WIDTH, 8, 1);
    f.Key(VK_HOME, false, true);
    f.Key(VK_DOWN);
    EXPECT_EQ(1, GetCaretLine(f.id()));  // 240 columns: the line has rows of its own below
}

TEST(ViewOperations, DropInsertsTextAtThePointUnlessDropsAreRefused)
{
    OleInitialize(nullptr);
    ViewFixture f;
    SetText(f.id(), "abcd");
    IDropTarget* target = kvte::textcontrol::DropTargetOfView(f.id());
    ASSERT_TRUE(target != nullptr);
    IDataObject* data = kvte::textcontrol::CreateTextDataObject(L"\x65E5");
    ASSERT_TRUE(data != nullptr);
    POINT p = f.PointAt(1, 3);
    ClientToScreen(f.view(), &p);
    POINTL at = {p.x, p.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, target->DragEnter(data, 0, at, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);  // option 8 = 1: moves
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, target->Drop(data, 0, at, &effect));
    EXPECT_EQ(
        "ab\x93\xFA"
        "cd",
        f.Text());

    SetOption(f.id(), OPTION_OLE, 16, 0);  // Ctrl decides
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_CONTROL, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    target->DragLeave();

    SetOption(f.id(), OPTION_OLE, 1 + 4, 0);  // drops refused
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, 0, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_COPY;
    target->Drop(data, 0, at, &effect);
    EXPECT_EQ(
        "ab\x93\xFA"
        "cd",
        f.Text());
    data->Release();
}

TEST(ViewOperations, DragInsideTheViewMovesOrCopiesItsOwnBytesAsOneUndoStep)
{
    ViewFixture f;
    using kvte::textcontrol::MoveSelectionWithin;
    SetText(f.id(),
            "ab\xF0\x40"
            "cd\r\nef");                                 // U+20089 survives: the bytes move, not UTF-16
    SelectRange(f.id(), 2, 5);                           // "b" and the plane-2 character
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 10, true));  // after "e"
    EXPECT_EQ(
        "acd\r\ne"
        "b\xF0\x40"
        "f",
        f.Text());
    int start = 0, end = 0;
    GetSelectionRange(f.id(), &start, &end);
    EXPECT_EQ(7, start);
    EXPECT_EQ(10, end);
    Undo(f.id());
    EXPECT_EQ(
        "ab\xF0\x40"
        "cd\r\nef",
        f.Text());

    SelectRange(f.id(), 5, 9);  // "cd" and the line break, moved to the front
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 1, true));
    EXPECT_EQ(
        "cd\r\nab\xF0\x40"
        "ef",
        f.Text());
    Undo(f.id());
    SelectRange(f.id(), 1, 3);
    EXPECT_FALSE(MoveSelectionWithin(f.id(), 2, true));   // onto itself
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 11, false));  // a copy at the end
    EXPECT_EQ(
        "ab\xF0\x40"
        "cd\r\nefab",
        f.Text());
    SetEditable(f.id(), 0);
    SelectRange(f.id(), 1, 3);
    EXPECT_FALSE(MoveSelectionWithin(f.id(), 11, true));
}
