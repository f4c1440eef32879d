// The title of the main window and the status parts that go with it.
#include "FrameFixture.h"

#include "app/frame/Title.h"
#include "documents/DocumentList.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

struct TitleTest : FrameFixture {};

TEST_F(TitleTest, AnUntitledUnchangedDocumentHasTwoBlanksBeforeTheHyphen)
{
    Start();
    EXPECT_EQ(Title(), L"無題  - KelvaraTextEditorVer3.36");
    EXPECT_EQ(StatusPart(kStatusWriteProtect), L"");
    EXPECT_EQ(StatusPart(kStatusWrap), L"");
    EXPECT_EQ(StatusPart(kStatusEncoding), L"S-JIS");
}

TEST_F(TitleTest, AModifiedWriteProtectedFileShowsBothInTheTitleAndPartThree)
{
    Start();
    Document& current = CurrentDocument(theApp.documents.list);
    SetPath(current, "C:\\a.txt");
    current.modified = true;
    current.writable = false;
    UpdateTitle();
    EXPECT_EQ(Title(), L"C:\\a.txt(書込禁止) * - KelvaraTextEditorVer3.36");
    EXPECT_EQ(StatusPart(kStatusWriteProtect), L"書禁");
    // Japanese names keep their characters in the title.
    SetPath(current, InternalFromWide(L"C:\\文書\\表.txt"));
    current.writable = true;
    UpdateTitle();
    EXPECT_EQ(Title(), L"C:\\文書\\表.txt  - KelvaraTextEditorVer3.36");
    EXPECT_EQ(StatusPart(kStatusWriteProtect), L"");
}

TEST_F(TitleTest, WrappingShowsInPartTwoAndChecksTheWrapToggle)
{
    Start();
    // The wrap command's own row may not be there; the check needs one.
    RegisterCommand(
        theApp.commands, IDM_VIEW_WRAP, [](void*, int) { return 0; }, nullptr);
    CurrentDocument(theApp.documents.list).wrapped = true;
    UpdateTitle();
    EXPECT_EQ(StatusPart(kStatusWrap), L"折返");
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
    CurrentDocument(theApp.documents.list).wrapped = false;
    UpdateTitle();
    EXPECT_EQ(StatusPart(kStatusWrap), L"");
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_WRAP));
}

TEST_F(TitleTest, EveryEncodingCodeHasItsLabelAndPlainAsciiCountsAsShiftJis)
{
    Start();
    const struct {
        int code;
        const wchar_t* label;
    } cases[] = {
        {0x0100, L"JIS"},   {0x0200, L"S-JIS"}, {0x0400, L"EUC"},   {0x0800, L"UTF16"},
        {0x0801, L"UTF16"}, {0x0802, L"UTF8"},  {0x0803, L"S-JIS"}, {0x0804, L"UTF8"},
        {0, L"S-JIS"},      {0x1000, L"S-JIS"}, {0x2000, L"S-JIS"}, {-1, L"S-JIS"},
    };
    for (const auto& c : cases) {
        CurrentDocument(theApp.documents.list).encoding = static_cast<EncodingCode>(c.code);
        UpdateTitle();
        EXPECT_EQ(StatusPart(kStatusEncoding), c.label) << "code " << c.code;
    }
}

TEST_F(TitleTest, LineEndsAndTheCaretFollowTheView)
{
    Start();
    ASSERT_NE(SetText(CurrentView(), "ab\ncd\n\tx"), 0);
    UpdateTitle();
    EXPECT_EQ(StatusPart(kStatusLineEnding), L"LF");
    SetCaretLine(CurrentView(), 3);
    SendMessageW(theApp.mainWindow, WM_VIEW_CARET_MOVED, 0, 0);
    EXPECT_EQ(StatusPart(kStatusCaret), L"3行：1桁");
    EXPECT_EQ(CaretStatusText(12, 4), L"12行：5桁");
    // A value the control does not give leaves the part alone.
    EXPECT_EQ(LineEndingLabel(0), nullptr);
    EXPECT_EQ(LineEndingLabel(4), nullptr);
}

}  // namespace
