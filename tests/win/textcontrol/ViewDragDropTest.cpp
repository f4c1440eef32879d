// Drops on a view through a real OLE drag (the cursor over the view, DoDragDrop finding
// its registered target): files go to the parent as WM_DROPFILES, text into the view as
// the OLE option says; and a drag inside one view moves its own bytes.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/OleDrag.h"
#include "ViewTestSupport.h"
#include "textcontrol/win32/ViewDragDrop.h"

using viewtest::ViewFixture;

namespace {
// Drags `data` onto the view's client point `at` and drops it; the effect of the drop.
DWORD DragOnto(ViewFixture& f, POINT at, IDataObject* data, DWORD allowed)
{
    SetWindowPos(f.parent(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ClientToScreen(f.view(), &at);
    SetCursorPos(at.x, at.y);
    oledrag::ScriptedDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, &source, allowed, &effect);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return effect;
}

const std::wstring kJapanesePath = L"C:\\\x6587\x66F8\\\x65E5\x672C\x8A9E.txt";  // 文書\日本語.txt
const DWORD kAny = DROPEFFECT_COPY | DROPEFFECT_MOVE;
}  // namespace

TEST(ViewDragDrop, FilesReachTheParentWholeAndTextGoesInUnlessTheOptionRefusesIt)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {  // the view goes before OLE does
        ViewFixture f;
        SetText(f.id(), "abcd");
        SetOption(f.id(), OPTION_OLE, 1 + 4, 0);  // text refused; files still pass on
        // The files win over the text offered beside them; the source forgot the list's end.
        std::vector<BYTE> unterminated = oledrag::DropFilesBlock({kJapanesePath, L"C:\\b"});
        unterminated.resize(unterminated.size() - 2 * sizeof(wchar_t));
        oledrag::FileDataObject files(unterminated, L"names");
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), DragOnto(f, f.PointAt(1, 3), &files, kAny));
        ASSERT_EQ(1u, f.dropped().size());
        EXPECT_EQ((std::vector<std::wstring>{kJapanesePath, L"C:\\b"}), f.dropped()[0]);
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), DragOnto(f, f.PointAt(1, 3), &files, DROPEFFECT_MOVE));
        EXPECT_EQ(1u, f.dropped().size());

        IDataObject* text = kvte::textcontrol::CreateTextDataObject(L"\x65E5");
        ASSERT_TRUE(text != nullptr);
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), DragOnto(f, f.PointAt(1, 3), text, kAny));
        SetOption(f.id(), OPTION_OLE, 1, 0);
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), DragOnto(f, f.PointAt(1, 3), text, kAny));
        EXPECT_EQ("ab\x93\xFA" "cd", f.Text());
        text->Release();
    }
    OleUninitialize();
}

TEST(ViewDragDrop, ADragInsideTheViewMovesOrCopiesItsOwnBytesAsOneUndoStep)
{
    ViewFixture f;
    using kvte::textcontrol::MoveSelectionWithin;
    SetText(f.id(), "ab\xF0\x40" "cd\r\nef");  // U+20089 survives: the bytes move, not UTF-16
    SelectRange(f.id(), 2, 5);
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 10, true));  // after "e"
    EXPECT_EQ("acd\r\neb\xF0\x40" "f", f.Text());
    Undo(f.id());
    SelectRange(f.id(), 5, 9);  // "cd" and the line break, to the front
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 1, true));
    EXPECT_EQ("cd\r\nab\xF0\x40" "ef", f.Text());
    EXPECT_FALSE(MoveSelectionWithin(f.id(), 2, true));  // onto itself
    ASSERT_TRUE(MoveSelectionWithin(f.id(), 11, false));  // a copy at the end
    EXPECT_EQ("cd\r\nab\xF0\x40" "efcd\r\n", f.Text());
}
