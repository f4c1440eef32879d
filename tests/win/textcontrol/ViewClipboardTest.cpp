// Copy, cut and paste through the system clipboard as CF_UNICODETEXT.
#include <windows.h>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

namespace {

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

}  // namespace

TEST(ViewClipboard, Plane2AndHalfWidthCharactersSurviveCopyAndPaste)
{
    ViewFixture f;
    // 丏 (plane 2), a, ｱ, 日, line break, z, then U+20089 (plane 2, above U+FFFF).
    const std::string text =
        "\xF0\x42"
        "a\xB1\x93\xFA\r\nz\xF0\x40";
    SetText(f.id(), text.c_str());
    SelectAll(f.id());
    Copy(f.id());
    // Other programs get every character, U+20089 as a surrogate pair ...
    EXPECT_EQ(std::wstring(L"\x4E0F"
                           L"a\xFF71\x65E5\r\nz\xD840\xDC89"),
              ClipboardText());
    f.Key(VK_END, false, true);
    Paste(f.id());
    // ... while a paste in the editor gives back exactly the bytes copied.
    EXPECT_EQ(text + text, f.Text());
    EXPECT_EQ(3, GetLineCount(f.id()));
}

TEST(ViewClipboard, TextFromOtherProgramsComesThroughTheTables)
{
    ViewFixture f;
    SetClipboardText(L"\x4E0F\xFF71\x65E5");
    Paste(f.id());
    EXPECT_EQ("\xF0\x42\xB1\x93\xFA", f.Text());
}

TEST(ViewClipboard, JisX0213CharactersFromOtherProgramsArriveWhole)
{
    ViewFixture f;
    // "𠀋𡈽 ㉑ か゚" as another program puts it: two surrogate pairs, a BMP character and a
    // base character with a combining mark.
    SetClipboardText(L"\xD840\xDC0B\xD844\xDE3D \x3251 \x304B\x309A");
    Paste(f.id());
    EXPECT_EQ(std::string("\x87\xA0\x88\x61 \x84\xBF \x82\xF5"), f.Text());
    // Each is one two-byte character: the caret steps over it whole ...
    SetSelection(f.id(), 1, 1, 1, 1);
    f.Key(VK_RIGHT);
    EXPECT_EQ(3, GetCaretPosition(f.id()));
    f.Key(VK_END);
    f.Key(VK_LEFT);
    EXPECT_EQ(9, GetCaretPosition(f.id()));
    // ... and a selection of one character copies both of its units.
    f.Key(VK_RIGHT, true);
    Copy(f.id());
    EXPECT_EQ(std::wstring(L"\x304B\x309A"), ClipboardText());
    SetSelection(f.id(), 1, 3, 1, 3);
    f.Key(VK_RIGHT, true);
    Copy(f.id());
    EXPECT_EQ(std::wstring(L"\xD844\xDE3D"), ClipboardText());
    // An emoji has no code: one "?" for each of its units, as the file conversion does.
    SetClipboardText(L"\xD83D\xDE00");
    SetText(f.id(), "");
    Paste(f.id());
    EXPECT_EQ("??", f.Text());
}

TEST(ViewClipboard, CutRemovesOnlyWhatReachedTheClipboardAndUndoBringsItBack)
{
    ViewFixture f;
    SetText(f.id(), "one two");
    SelectRange(f.id(), 1, 5);
    Cut(f.id());
    EXPECT_EQ(L"one ", ClipboardText());
    EXPECT_EQ("two", f.Text());
    Undo(f.id());
    EXPECT_EQ("one two", f.Text());
    SetSelection(f.id(), 1, 1, 1, 1);
    Cut(f.id());  // nothing selected: nothing happens, the clipboard keeps its text
    EXPECT_EQ("one two", f.Text());
    EXPECT_EQ(L"one ", ClipboardText());
}

TEST(ViewClipboard, PasteReplacesTheSelectionAsOneUndoStep)
{
    ViewFixture f;
    SetText(f.id(), "abc");
    SetClipboardText(L"X\nY\rZ");
    SelectRange(f.id(), 2, 3);
    f.Key('V', false, true);
    EXPECT_EQ("aX\r\nY\r\nZc", f.Text());
    Undo(f.id());
    EXPECT_EQ("abc", f.Text());
}

TEST(ViewClipboard, CharactersWithoutAnInternalCodeBecomeQuestionMarks)
{
    ViewFixture f;
    SetClipboardText(L"a\x0E01z");  // a Thai letter has no Shift_JIS-2004 code
    Paste(f.id());
    EXPECT_EQ("a?z", f.Text());
}
