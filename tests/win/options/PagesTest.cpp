// The pages that bind controls to keys: editor, tabs, saving, marks, confirmations and
// clickable text; their range checks and what each writes at OK.
#include "OptionsFixture.h"

namespace {

using PagesTest = OptionsFixture;

std::wstring ComboText(HWND page, int combo)
{
    wchar_t text[64] = {};
    const LRESULT selected = SendDlgItemMessageW(page, combo, CB_GETCURSEL, 0, 0);
    if (selected >= 0) SendDlgItemMessageW(page, combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(PagesTest, AnInvalidTabSizeIsRefusedWhileTheRestOfThePageIsWritten)
{
    const int tabSize = Int("editor1", "nTab");
    const int lineSpace = Int("editor1", "linespace");
    for (const wchar_t* typed : {L"9", L"four", L"0", L""}) {
        modal.shown.clear();
        Run([&](HWND dialog) {
            HWND page = Page(IDD_OPTION_EDITOR);
            Type(page, IDC_EDITOR_TAB_EDIT, typed);
            Type(page, IDC_EDITOR_SPACE_EDIT, L"3");
            Tick(page, IDC_EDITOR_RULER, true);
            Ok(dialog);
        });
        EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_BAD_TAB_SIZE}) << typed;
        EXPECT_EQ(Int("editor1", "nTab"), tabSize) << typed;
        EXPECT_EQ(Int("editor1", "linespace"), 3);
        EXPECT_EQ(Int("editor1", "Ruler"), 1);
        SetSection(settings, "editor1");
        WriteInt(settings, "linespace", lineSpace);
    }
    modal.shown.clear();
    Run([&](HWND dialog) {
        Type(Page(IDD_OPTION_EDITOR), IDC_EDITOR_TAB_EDIT, L" 8 ");
        Type(Page(IDD_OPTION_EDITOR), IDC_EDITOR_SPACE_EDIT, L"6");
        Ok(dialog);
    });
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_BAD_LINE_SPACE});
    EXPECT_EQ(Int("editor1", "nTab"), 8);
    EXPECT_EQ(Int("editor1", "linespace"), lineSpace);
}

TEST_F(PagesTest, OleModeAndPermissionsMakeOneNumber)
{
    SetSection(settings, "editor1");
    WriteInt(settings, "ole", 13);  // cut mode, neither permission
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_EDITOR);
        EXPECT_TRUE(Ticked(page, IDC_EDITOR_OLE_CUT));
        EXPECT_FALSE(Ticked(page, IDC_EDITOR_OLE_ACCEPT));
        EXPECT_FALSE(Ticked(page, IDC_EDITOR_OLE_OFFER));
        Choose(page, IDC_EDITOR_OLE_CUT, IDC_EDITOR_OLE_CONTROL, IDC_EDITOR_OLE_COPY);
        Ok(dialog);
    });
    EXPECT_EQ(Int("editor1", "ole"), 14);

    WriteInt(settings, "ole", 16);
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_EDITOR);
        EXPECT_TRUE(Ticked(page, IDC_EDITOR_OLE_CONTROL));
        EXPECT_TRUE(Ticked(page, IDC_EDITOR_OLE_ACCEPT));
        EXPECT_TRUE(Ticked(page, IDC_EDITOR_OLE_OFFER));
        Tick(page, IDC_EDITOR_OLE_OFFER, false);
        Ok(dialog);
    });
    EXPECT_EQ(Int("editor1", "ole"), 24);
}

TEST_F(PagesTest, TheColourListIsSortedAndChoosesTheStoredFile)
{
    SetSection(settings, "editor1");
    WriteString(settings, "ColorFile", "c.ini");
    std::wstring first, chosen;
    LRESULT count = 0;
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_EDITOR);
        count = SendDlgItemMessageW(page, IDC_EDITOR_COLOR_FILE, CB_GETCOUNT, 0, 0);
        chosen = ComboText(page, IDC_EDITOR_COLOR_FILE);
        SendDlgItemMessageW(page, IDC_EDITOR_COLOR_FILE, CB_SETCURSEL, 0, 0);
        first = ComboText(page, IDC_EDITOR_COLOR_FILE);
        Tick(page, IDC_EDITOR_INDENT, true);
        Tick(page, IDC_EDITOR_END_HOME, false);
        Ok(dialog);
    });
    EXPECT_EQ(count, 3);  // the folder named like a colour file is left out
    EXPECT_EQ(chosen, L"c.ini");
    EXPECT_EQ(first, L"a.ini");
    EXPECT_EQ(Text("editor1", "ColorFile"), "a.ini");
    EXPECT_TRUE(autoIndent);
    EXPECT_FALSE(vsHome);

    // A stored name that is not there (nor in another letter case) shows the first file.
    WriteString(settings, "ColorFile", "C.INI");
    Run([&](HWND) { chosen = ComboText(Page(IDD_OPTION_EDITOR), IDC_EDITOR_COLOR_FILE); });
    EXPECT_EQ(chosen, L"a.ini");
}

TEST_F(PagesTest, TabWidthIsCheckedAndTheDefaultButtonStores120)
{
    SetSection(settings, "tab");
    WriteInt(settings, "width", 80);
    Run([&](HWND dialog) {
        Type(Page(IDD_OPTION_TABS), IDC_TABS_WIDTH_EDIT, L"301");
        Ok(dialog);
    });
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_BAD_TAB_WIDTH});
    EXPECT_EQ(modal.shown[0].style & 0xF0, 16u);
    EXPECT_EQ(Int("tab", "width"), 80);
    EXPECT_EQ(tabBarWidth, 0);

    modal.shown.clear();
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_TABS);
        wchar_t shown[16] = {};
        GetDlgItemTextW(page, IDC_TABS_WIDTH_EDIT, shown, 16);
        EXPECT_STREQ(shown, L"80");
        Click(page, IDC_TABS_DEFAULT_WIDTH);
        Ok(dialog);
    });
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_EQ(Int("tab", "width"), 120);
    EXPECT_EQ(tabBarWidth, 120);
}

TEST_F(PagesTest, RadioGroupsWithoutAKnownValueWriteNothing)
{
    SetSection(settings, "tab");
    WriteInt(settings, "OnOpen", 7);
    WriteInt(settings, "OnDrag", 2);
    SetSection(settings, "main");
    WriteInt(settings, "retline", 0);
    WriteInt(settings, "kanji", 4);
    Run([&](HWND dialog) {
        HWND tabs = Page(IDD_OPTION_TABS);
        EXPECT_FALSE(Ticked(tabs, IDC_TABS_OPEN_CLOSE) || Ticked(tabs, IDC_TABS_OPEN_UNTITLED) ||
                     Ticked(tabs, IDC_TABS_OPEN_NEW));
        EXPECT_TRUE(Ticked(tabs, IDC_TABS_DRAG_NEW));
        Choose(tabs, IDC_TABS_DRAG_CLOSE, IDC_TABS_DRAG_NEW, IDC_TABS_DRAG_UNTITLED);
        Ok(dialog);
    });
    EXPECT_EQ(Int("tab", "OnOpen"), 7);
    EXPECT_EQ(Int("tab", "OnDrag"), 1);
    EXPECT_EQ(Int("main", "retline"), 0);
    EXPECT_EQ(Int("main", "kanji"), 4);
}

TEST_F(PagesTest, OnlyTheChosenUnicodeEncodingsBomBoxCanChange)
{
    SetSection(settings, "main");
    WriteInt(settings, "kanji", 5);
    WriteInt(settings, "utf16_bom", 1);
    WriteInt(settings, "utf8_bom", 0);
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_SAVE);
        EXPECT_TRUE(Ticked(page, IDC_SAVE_KANJI_UTF8));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SAVE_UTF8_BOM)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SAVE_UTF16_BOM)));
        EXPECT_TRUE(Ticked(page, IDC_SAVE_UTF16_BOM));  // ticked though disabled
        Choose(page, IDC_SAVE_KANJI_AUTO, IDC_SAVE_KANJI_UTF8, IDC_SAVE_KANJI_UTF16);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SAVE_UTF16_BOM)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SAVE_UTF8_BOM)));
        Choose(page, IDC_SAVE_KANJI_AUTO, IDC_SAVE_KANJI_UTF8, IDC_SAVE_KANJI_JIS);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SAVE_UTF16_BOM)));
        Choose(page, IDC_SAVE_RETLINE_AUTO, IDC_SAVE_RETLINE_CR, IDC_SAVE_RETLINE_CR);
        Ok(dialog);
    });
    EXPECT_EQ(Int("main", "kanji"), 3);
    EXPECT_EQ(Int("main", "retline"), 2);
    EXPECT_EQ(Int("main", "utf16_bom"), 1);
    EXPECT_EQ(Int("main", "utf8_bom"), 0);
}

TEST_F(PagesTest, ClickableKindsAreBitsAndTheDefaultBecomes15)
{
    SetSection(settings, "editor1");
    WriteInt(settings, "clickable", 65535);
    Run([&](HWND dialog) { Ok(dialog); });
    EXPECT_EQ(Int("editor1", "clickable"), 15);

    WriteInt(settings, "clickable", 4);
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_CLICKABLE);
        EXPECT_FALSE(Ticked(page, IDC_CLICKABLE_FIRST));
        EXPECT_TRUE(Ticked(page, IDC_CLICKABLE_FIRST + 2));
        Tick(page, IDC_CLICKABLE_FIRST + 3, true);
        Ok(dialog);
    });
    EXPECT_EQ(Int("editor1", "clickable"), 12);
}

TEST_F(PagesTest, MarksAndConfirmationsAreWrittenAsOneOrZero)
{
    SetSection(settings, "editor2");
    WriteInt(settings, "vTab", 2);  // anything but 1 is off
    SetSection(settings, "notice");
    WriteInt(settings, "OnEnd", 1);
    WriteInt(settings, "OnCloseAll", 0);
    Run([&](HWND dialog) {
        HWND marks = Page(IDD_OPTION_MARKS);
        EXPECT_FALSE(Ticked(marks, IDC_MARKS_LINE_END + 3));
        Click(marks, IDC_MARKS_SHOW_ALL);
        for (int i = 0; i < 6; ++i) EXPECT_TRUE(Ticked(marks, IDC_MARKS_LINE_END + i));
        Click(marks, IDC_MARKS_HIDE_ALL);
        Tick(marks, IDC_MARKS_LINE_END + 5, true);
        HWND confirm = Page(IDD_OPTION_CONFIRM);
        EXPECT_TRUE(Ticked(confirm, IDC_CONFIRM_ON_END));
        Tick(confirm, IDC_CONFIRM_ON_END, false);
        Tick(confirm, IDC_CONFIRM_ON_CLOSE_ALL, true);
        Ok(dialog);
    });
    EXPECT_EQ(Int("editor2", "vTab"), 0);
    EXPECT_EQ(Int("editor2", "vCrlf"), 0);
    EXPECT_EQ(Int("editor2", "vUnderLine"), 1);
    EXPECT_EQ(Int("notice", "OnEnd"), 0);
    EXPECT_EQ(Int("notice", "OnCloseAll"), 1);
}

}  // namespace
