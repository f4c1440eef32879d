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
    // Other programs get UTF-16 through the tables, where U+20089 has only U+30FB ...
    EXPECT_EQ(std::wstring(L"\x4E0F"
                           L"a\xFF71\x65E5\r\nz\x30FB"),
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
