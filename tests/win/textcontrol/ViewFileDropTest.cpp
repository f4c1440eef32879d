// Drops on a view through a real OLE drag: the cursor is put over the view and DoDragDrop
// finds the view's registered drop target by itself. Files go to the parent window as
// WM_DROPFILES; text still goes into the view.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "../support/OleDrag.h"
#include "textcontrol/win32/ViewDragDrop.h"

using viewtest::ViewFixture;
using oledrag::DropFilesBlock;
using oledrag::FileDataObject;
using oledrag::ScriptedDropSource;

namespace {

struct DragResult {
    HRESULT result;
    DWORD effect;
    std::vector<DWORD> feedback;  // the target's answers to DragEnter and DragOver
};

// Drags `data` onto the client point `at` of the view and drops it there, then lets the
// posted messages arrive.
DragResult DragOnto(ViewFixture& f, POINT at, IDataObject* data, DWORD allowed)
{
    SetWindowPos(f.parent(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ClientToScreen(f.view(), &at);
    SetCursorPos(at.x, at.y);
    ScriptedDropSource source;
    DragResult r = {E_FAIL, DROPEFFECT_NONE, {}};
    r.result = DoDragDrop(data, &source, allowed, &r.effect);
    r.feedback = source.feedback;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return r;
}

// True when the wide list of a DROPFILES block ends (an empty name) inside the block, so
// that a reader that stops at the empty name never leaves it.
bool ListEndsInside(HGLOBAL block)
{
    SIZE_T size = GlobalSize(block);
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    bool ends = false;
    SIZE_T at = reinterpret_cast<const DROPFILES*>(bytes)->pFiles;
    bool nameStart = true;
    for (; at + sizeof(wchar_t) <= size; at += sizeof(wchar_t)) {
        wchar_t unit;
        std::memcpy(&unit, bytes + at, sizeof unit);
        if (unit == 0 && nameStart) {
            ends = true;
            break;
        }
        nameStart = unit == 0;
    }
    GlobalUnlock(block);
    return ends;
}

HGLOBAL GlobalOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

const std::wstring kJapanesePath = L"C:\\\x6587\x66F8\\\x65E5\x672C\x8A9E\x30E1\x30E2.txt";  // 文書\日本語メモ
const std::wstring kPlainPath = L"C:\\work\\readme.txt";

class ViewFileDrop : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

}  // namespace

TEST_F(ViewFileDrop, FilesReachTheParentInDropOrderWhateverTheTextAllows)
{
    ViewFixture f;
    SetText(f.id(), "abcd");
    SelectRange(f.id(), 2, 2);
    SetOption(f.id(), OPTION_OLE, 1 + 4, 0);  // drops of text refused
    FileDataObject data(DropFilesBlock({kJapanesePath, kPlainPath}), L"");
    f.Clear();

    DragResult r = DragOnto(f, f.PointAt(1, 4), &data, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    EXPECT_EQ(DRAGDROP_S_DROP, r.result);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), r.effect);
    ASSERT_FALSE(r.feedback.empty());
    for (DWORD answer : r.feedback) EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), answer);
    ASSERT_EQ(1u, f.dropped().size());
    EXPECT_EQ((std::vector<std::wstring>{kJapanesePath, kPlainPath}), f.dropped()[0]);
    EXPECT_EQ("abcd", f.Text());
    EXPECT_EQ(2, GetCaretOffset(f.id()));  // the drag did not leave the caret where it pointed
    EXPECT_EQ(0, f.Count(WM_VIEW_MODIFIED));

    // A write-protected document still passes files on: they open elsewhere.
    SetEditable(f.id(), 0);
    f.Clear();
    r = DragOnto(f, f.PointAt(1, 1), &data, DROPEFFECT_COPY);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), r.effect);
    ASSERT_EQ(1u, f.dropped().size());
    EXPECT_EQ(2u, f.dropped()[0].size());
    EXPECT_EQ("abcd", f.Text());

    // A source that allows only a move is refused rather than answered with an effect it
    // did not offer.
    f.Clear();
    r = DragOnto(f, f.PointAt(1, 1), &data, DROPEFFECT_MOVE);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), r.effect);
    EXPECT_TRUE(f.dropped().empty());
}

TEST_F(ViewFileDrop, FilesWinOverTextOfferedBesideThem)
{
    ViewFixture f;
    SetText(f.id(), "abcd");
    FileDataObject data(DropFilesBlock({kPlainPath}), L"readme.txt");
    f.Clear();
    // Text alone would move here (option 1); files are always copied.
    DragResult r = DragOnto(f, f.PointAt(1, 3), &data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), r.effect);
    ASSERT_EQ(1u, f.dropped().size());
    EXPECT_EQ(std::vector<std::wstring>{kPlainPath}, f.dropped()[0]);
    EXPECT_EQ("abcd", f.Text());
}

TEST_F(ViewFileDrop, TextStillGoesIntoTheViewUnlessTheOptionRefusesIt)
{
    ViewFixture f;
    SetText(f.id(), "abcd");
    IDataObject* text = kvte::textcontrol::CreateTextDataObject(L"\x65E5");
    ASSERT_TRUE(text != nullptr);
    f.Clear();
    DragResult r = DragOnto(f, f.PointAt(1, 3), text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(DRAGDROP_S_DROP, r.result);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), r.effect);
    EXPECT_EQ(
        "ab\x93\xFA"
        "cd",
        f.Text());
    EXPECT_EQ(0, f.Count(WM_DROPFILES));

    SetOption(f.id(), OPTION_OLE, 1 + 4, 0);
    r = DragOnto(f, f.PointAt(1, 1), text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), r.effect);
    EXPECT_EQ(
        "ab\x93\xFA"
        "cd",
        f.Text());
    text->Release();
}

TEST_F(ViewFileDrop, ABrokenFileListIsNeverReadPastItsEnd)
{
    ViewFixture f;
    SetText(f.id(), "abcd");

    // The source forgot the terminators: the parent still gets names that end in the block.
    std::vector<BYTE> unterminated = DropFilesBlock({L"C:\\a.txt", L"C:\\b"});
    unterminated.resize(unterminated.size() - 2 * sizeof(wchar_t));
    FileDataObject open(unterminated, L"");
    f.Clear();
    DragResult r = DragOnto(f, f.PointAt(1, 1), &open, DROPEFFECT_COPY);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), r.effect);
    ASSERT_EQ(1u, f.dropped().size());
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b"}), f.dropped()[0]);
    // Whatever lies beyond a block, its copy holds the end of its list; an odd-length
    // block puts the list's units across its last byte.
    for (SIZE_T cut : {0, 1}) {
        std::vector<BYTE> bytes(unterminated.begin(), unterminated.end() - cut);
        HGLOBAL source = GlobalOf(bytes);
        HGLOBAL copy = kvte::textcontrol::CopyOfDropFiles(source);
        ASSERT_TRUE(copy != nullptr);
        EXPECT_TRUE(ListEndsInside(copy)) << cut;
        GlobalFree(copy);
        GlobalFree(source);
    }

    // A list said to start beyond the block, and a block shorter than its header: nothing
    // is handed on.
    std::vector<BYTE> outside = DropFilesBlock({kPlainPath});
    reinterpret_cast<DROPFILES*>(outside.data())->pFiles = static_cast<DWORD>(outside.size() + 16);
    std::vector<BYTE> truncated = DropFilesBlock({kPlainPath});
    truncated.resize(sizeof(DROPFILES) - 4);
    for (const std::vector<BYTE>& block : {outside, truncated}) {
        FileDataObject broken(block, L"");
        f.Clear();
        r = DragOnto(f, f.PointAt(1, 1), &broken, DROPEFFECT_COPY);
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), r.effect);
        EXPECT_TRUE(f.dropped().empty());
    }
    EXPECT_EQ("abcd", f.Text());
}
