// The tab bar's geometry: label cut-off by bytes, button and tab hit areas, scrolling
// limits, clicks, the marks and the name tooltips.
#include <gtest/gtest.h>

#include "FakeWindows.h"
#include "documents/TabBarLayout.h"

namespace {

TEST(TabLabel, NamesAreCutByBytesWithDotsPlacedByTheByteAtTheCut)
{
    // 7 * 14 + 15 = 113 < 120: whole.
    TabLabel whole = LayoutTabLabel("abcdefghij.txt", 120, 7);
    EXPECT_FALSE(whole.cut);
    EXPECT_EQ(whole.text, "abcdefghij.txt");
    // 7 * 15 + 15 = 120: cut, k = 15, 14 bytes kept, dots 3 pixels right of (k - 2) * 7.
    TabLabel cut = LayoutTabLabel("abcdefghijk.txt", 120, 7);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.text, "abcdefghijk.tx");
    EXPECT_EQ(cut.dotsOffset, 13 * 7 + 3);
    // Byte 14 is the lead byte of "表" (0x95 0x5C): the dots move 3 pixels left.
    TabLabel lead = LayoutTabLabel("abcdefghijklmn\x95\x5c.txt", 120, 7);
    EXPECT_EQ(lead.text, "abcdefghijklmn");
    EXPECT_EQ(lead.dotsOffset, 13 * 7);
    // Bytes 13-14 form one character: it is not split, the label ends before it.
    TabLabel split = LayoutTabLabel("abcdefghijklm\x95\x5c.txt", 120, 7);
    EXPECT_EQ(split.text, "abcdefghijklm");
    EXPECT_EQ(split.dotsOffset, 13 * 7 + 3);
}

TEST(TabLabel, UntitledAndDegenerateWidths)
{
    EXPECT_EQ(LayoutTabLabel("", 120, 7).text, kUntitledName);
    EXPECT_FALSE(LayoutTabLabel("", 120, 7).cut);
    EXPECT_FALSE(LayoutTabLabel("a-long-name.txt", 120, 0).cut);  // no font measured
    TabLabel tiny = LayoutTabLabel("a-long-name.txt", 16, 7);       // k = 0
    EXPECT_TRUE(tiny.cut);
    EXPECT_EQ(tiny.text, "");
    EXPECT_EQ(tiny.dotsOffset, 0);
}

TEST(TabBar, ButtonsAndTabsAreHitAtTheirEdges)
{
    EXPECT_EQ(BarButtonAt(400, 351, 0), kNoButton);
    EXPECT_EQ(BarButtonAt(400, 352, 0), kScrollLeftButton);
    EXPECT_EQ(BarButtonAt(400, 368, 16), kScrollRightButton);
    EXPECT_EQ(BarButtonAt(400, 399, 8), kCloseButton);
    EXPECT_EQ(BarButtonAt(400, 400, 8), kNoButton);
    EXPECT_EQ(BarButtonAt(400, 399, 17), kNoButton);
    EXPECT_EQ(BarButtonAt(400, 399, -1), kNoButton);
    // A taller bar (a higher DPI) is hit over its whole height.
    EXPECT_EQ(BarButtonAt(400, 399, 24, BarHeightAt(144)), kCloseButton);
    EXPECT_EQ(BarButtonAt(400, 399, 25, BarHeightAt(144)), kNoButton);
    EXPECT_EQ(BarHeightAt(96), 16);
    EXPECT_EQ(BarHeightAt(120), 20);
    EXPECT_EQ(BarHeightAt(192), 32);
    EXPECT_EQ(BarHeightAt(72), 16);  // never below the design

    DocumentsState documents;
    FakeWindows windows(documents);
    AddDocument(documents.list, documents.host);
    EXPECT_EQ(TabAtX(documents.list, 0), 0);
    EXPECT_EQ(TabAtX(documents.list, 120), 0);  // the border belongs to the left tab
    EXPECT_EQ(TabAtX(documents.list, 121), 1);
    EXPECT_EQ(TabAtX(documents.list, 241), -1);
}

TEST(TabBar, ScrollButtonsStopAtTheFirstAndLastTab)
{
    DocumentsState documents;
    FakeWindows windows(documents);
    DocumentList& list = documents.list;
    AddDocument(list, documents.host);
    AddDocument(list, documents.host);
    list.barWidth = 400;
    ClickBar(list, documents.host, 360);  // scroll left at 0
    EXPECT_EQ(list.firstVisibleTab, 0);
    for (int i = 0; i < 5; ++i) ClickBar(list, documents.host, 376);
    EXPECT_EQ(list.firstVisibleTab, 2);
    std::vector<VisibleTab> visible = VisibleTabs(list);
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(visible[0].left, 0);
    EXPECT_EQ(visible[0].slot, 2);
    ClickBar(list, documents.host, 360);
    EXPECT_EQ(list.firstVisibleTab, 1);
    EXPECT_TRUE(ClickBar(list, documents.host, 399));  // close: the main window closes the current tab
}

TEST(TabBar, AClickSelectsTheTabUnderThePointer)
{
    DocumentsState documents;
    FakeWindows windows(documents);
    DocumentList& list = documents.list;
    AddDocument(list, documents.host);
    AddDocument(list, documents.host);
    list.barWidth = 600;
    EXPECT_FALSE(ClickBar(list, documents.host, 120));
    EXPECT_EQ(list.currentSlot, 0);
    EXPECT_EQ(windows.ShownView(), 0);
    const int changes = windows.tabChanges;
    ClickBar(list, documents.host, 500);  // right of the last tab
    EXPECT_EQ(list.currentSlot, 0);
    EXPECT_EQ(windows.tabChanges, changes);
}

TEST(TabBar, HoverTracksTheButtonUnderThePointer)
{
    DocumentList list;
    list.barWidth = 400;
    EXPECT_FALSE(HoverBar(list, 10, 5));
    EXPECT_TRUE(HoverBar(list, 390, 5));
    EXPECT_EQ(list.hotButton, kCloseButton);
    EXPECT_FALSE(HoverBar(list, 395, 5));
    EXPECT_TRUE(HoverBar(list, 390, 40));  // below the bar, seen through the capture
    EXPECT_EQ(list.hotButton, kNoButton);
}

TEST(TabBar, MarksAndNameTips)
{
    Document document;
    EXPECT_EQ(MarkOf(document), TabMark::None);
    document.modified = true;
    EXPECT_EQ(MarkOf(document), TabMark::Modified);
    document.writable = false;
    EXPECT_EQ(MarkOf(document), TabMark::WriteProtected);

    DocumentsState documents;
    FakeWindows windows(documents);
    DocumentList& list = documents.list;
    AddDocument(list, documents.host);
    SetPath(*GetDocument(list, 1), "C:\\\x83\x5c\\a.txt");
    list.firstVisibleTab = 1;
    std::vector<NameTip> tips = NameTips(list);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].id, 3);
    EXPECT_EQ(tips[0].left, 2);
    EXPECT_EQ(tips[0].right, 120);
    EXPECT_EQ(tips[0].text, "C:\\\x83\x5c\\a.txt");
    list.firstVisibleTab = 0;
    EXPECT_EQ(NameTips(list)[0].text, kUntitledName);
}

TEST(Document, TheNameIsTheLastComponentEvenAfterA5CTrailByte)
{
    Document document;
    document.modified = true;
    SetPath(document, "C:\\\x83\x5c\x83\x8b\\\xb1\xb2\x95\x5c.txt");  // "ソル" folder, "ｱｲ表.txt"
    EXPECT_EQ(document.fileName, "\xb1\xb2\x95\x5c.txt");
    EXPECT_FALSE(document.modified);
    SetPath(document, "/tmp/a.txt");
    EXPECT_EQ(document.fileName, "a.txt");
}

}  // namespace
