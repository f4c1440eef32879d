// The tab bar's geometry: label cut-off by bytes, button and tab hit areas, scrolling
// limits, clicks, the marks and the name tooltips.
#include "FakeWindows.h"
#include "documents/TabBarLayout.h"

namespace {

TEST(TabLabel, NamesAreCutByBytesWithDotsPlacedByTheByteAtTheCut)
{
    struct Case {
        const char* name;
        int tabWidth, charWidth;
        const char* text;  // kept bytes
        bool cut;
        int dots;
    } const cases[] = {
        {"abcdefghij.txt", 120, 7, "abcdefghij.txt", false, 0},  // 7 * 14 + 15 < 120: whole
        {"abcdefghijk.txt", 120, 7, "abcdefghijk.tx", true, 13 * 7 + 3},  // k = 15: 14 kept
        // Byte 14 is the lead byte of "表" (0x95 0x5C): the dots move 3 pixels left.
        {"abcdefghijklmn\x95\x5c.txt", 120, 7, "abcdefghijklmn", true, 13 * 7},
        // Bytes 13-14 form one character: not split, the label ends before it.
        {"abcdefghijklm\x95\x5c.txt", 120, 7, "abcdefghijklm", true, 13 * 7 + 3},
        {"abcdefghijklmn\x95", 120, 7, "abcdefghijklmn", true, 13 * 7},  // a lone lead byte at the cut
        {"", 120, 7, kUntitledName, false, 0},
        {"a-long-name.txt", 120, 0, "a-long-name.txt", false, 0},  // no font measured
        {"a-long-name.txt", 16, 7, "", true, 0},                   // k = 0
        {"a-long-name.txt", 29, 7, "a", true, 3},                  // k = 2
        {"a\x95\x5c-name.txt", 29, 7, "a", true, 0},              // k = 2 at a lead byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabLabel label = LayoutTabLabel(c.name, c.tabWidth, c.charWidth);
        EXPECT_EQ(label.text, c.text);
        EXPECT_EQ(label.cut, c.cut);
        EXPECT_EQ(label.dotsOffset, c.dots);
    }
}

TEST(TabBar, ButtonsAndTabsAreHitAtTheirEdges)
{
    struct Case {
        int x, y, height, button;
    } const cases[] = {
        {351, 0, 16, kNoButton},   {352, 0, 16, kScrollLeftButton}, {368, 16, 16, kScrollRightButton},
        {399, 8, 16, kCloseButton}, {400, 8, 16, kNoButton},        {399, 17, 16, kNoButton},
        {399, -1, 16, kNoButton},  {399, 24, 24, kCloseButton},     {399, 25, 24, kNoButton},
    };
    for (const Case& c : cases) EXPECT_EQ(BarButtonAt(400, c.x, c.y, c.height), c.button) << c.x << "," << c.y;
    for (auto [dpi, height] : {std::pair{96, 16}, {120, 20}, {144, 24}, {192, 32}, {72, 16}, {97, 16}})
        EXPECT_EQ(BarHeightAt(dpi), height) << dpi;

    DocumentsState documents;
    FakeWindows windows(documents);
    AddDocument(documents.list, documents.host);
    for (auto [x, tab] : {std::pair{0, 0}, {120, 0}, {121, 1}, {240, 1}, {241, -1}, {-1, -1}})
        EXPECT_EQ(TabAtX(documents.list, x), tab) << x;  // a border belongs to the left tab
}

struct ThreeTabBar : testing::Test {
    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;
    void SetUp() override
    {
        AddDocument(list, documents.host);
        AddDocument(list, documents.host);
        list.barWidth = 400;
    }
};

TEST_F(ThreeTabBar, ScrollButtonsStopAtTheFirstAndLastTab)
{
    ClickBar(list, documents.host, 360);  // scroll left at 0
    EXPECT_EQ(list.firstVisibleTab, 0);
    for (int i = 0; i < 5; ++i) ClickBar(list, documents.host, 376);
    EXPECT_EQ(list.firstVisibleTab, 2);
    std::vector<VisibleTab> visible = VisibleTabs(list);
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(std::make_pair(visible[0].left, visible[0].slot), std::make_pair(0, 2));
    ClickBar(list, documents.host, 360);
    EXPECT_EQ(list.firstVisibleTab, 1);
    EXPECT_EQ(TabAtX(list, 121), 2) << "x counts from the first visible tab";
    EXPECT_TRUE(ClickBar(list, documents.host, 399));  // close: the main window closes the current tab
}

TEST_F(ThreeTabBar, AClickSelectsTheTabUnderThePointerAndHoverTracksTheButtons)
{
    list.barWidth = 600;  // the tabs end at 360, the buttons start at 552
    EXPECT_FALSE(ClickBar(list, documents.host, 120));
    EXPECT_EQ(Where(list, windows), "slot 0 tab 0 of 3, view 0");
    const int changes = windows.tabChanges;
    ClickBar(list, documents.host, 500);  // right of the last tab
    EXPECT_EQ(windows.tabChanges, changes);

    EXPECT_FALSE(HoverBar(list, 10, 5));
    EXPECT_TRUE(HoverBar(list, 590, 5));
    EXPECT_EQ(list.hotButton, kCloseButton);
    EXPECT_FALSE(HoverBar(list, 595, 5));
    EXPECT_TRUE(HoverBar(list, 590, 40));  // below the bar, seen through the capture
    EXPECT_EQ(list.hotButton, kNoButton);
}

TEST_F(ThreeTabBar, MarksAndNameTips)
{
    Document& document = *GetDocument(list, 1);
    EXPECT_EQ(MarkOf(document), TabMark::None);
    document.modified = true;
    EXPECT_EQ(MarkOf(document), TabMark::Modified);
    document.writable = false;
    EXPECT_EQ(MarkOf(document), TabMark::WriteProtected);

    SetPath(document, "C:\\\x83\x5c\\a.txt");
    list.firstVisibleTab = 1;
    std::string tips;  // id, left and right edge, text of each
    for (const NameTip& tip : NameTips(list))
        tips += std::to_string(tip.id) + " " + std::to_string(tip.left) + "-" + std::to_string(tip.right) + " " +
                tip.text + "|";
    EXPECT_EQ(tips, "3 2-120 C:\\\x83\x5c\\a.txt|4 122-240 " + std::string(kUntitledName) + "|");
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
    EXPECT_EQ(FolderOfPath("C:\\\x83\x5c\\a.txt"), "C:\\\x83\x5c");  // "C:\ソ"
    EXPECT_EQ(FolderOfPath("a.txt"), "");
}

// A bar with room for two tabs follows the selection; the buttons still scroll past it.
TEST_F(ThreeTabBar, SelectingATabScrollsItIntoView)
{
    list.barWidth = 2 * 120 + 3 * 16 + 10;
    SelectSlot(list, documents.host, 0);
    EXPECT_EQ(list.firstVisibleTab, 0);
    SelectNextTab(list, documents.host);
    EXPECT_EQ(list.firstVisibleTab, 0);
    SelectNextTab(list, documents.host);
    EXPECT_EQ(list.firstVisibleTab, 1);
    ClickBar(list, documents.host, list.barWidth - 24);  // scroll right
    EXPECT_EQ(list.firstVisibleTab, 2);
    SelectSlot(list, documents.host, 0);
    EXPECT_EQ(list.firstVisibleTab, 0);
    // A middle click closes the tab under it (made current first), never a button's.
    EXPECT_TRUE(MiddleClickBar(list, documents.host, 130));
    EXPECT_EQ(list.currentSlot, 1);
    EXPECT_FALSE(MiddleClickBar(list, documents.host, list.barWidth - 24));
    list.firstVisibleTab = 2;  // nothing right of the last tab
    EXPECT_FALSE(MiddleClickBar(list, documents.host, 130));
}

// A held tab follows the pointer past the threshold; its release selects it, not a click.
TEST_F(ThreeTabBar, ADraggedTabFollowsThePointerAndIsSelectedWhenReleased)
{
    list.barWidth = 600;
    TabDrag drag;
    HoldTab(list, drag, 10);
    EXPECT_FALSE(DragTab(list, drag, 13, 4) || ReleaseTab(list, documents.host, drag)) << "a click";
    HoldTab(list, drag, 10);
    EXPECT_TRUE(DragTab(list, drag, 250, 4) && !DragTab(list, drag, 245, 4) && DragTab(list, drag, 130, 4));
    EXPECT_EQ(SlotAtTab(list, 1), 0);
    EXPECT_TRUE(DragTab(list, drag, 590, 4) && ReleaseTab(list, documents.host, drag)) << "past the last tab";
    EXPECT_EQ(Where(list, windows), "slot 0 tab 2 of 3, view 0");
    HoldTab(list, drag, 590);
    EXPECT_EQ(drag.tab, -1) << "the close button";
    EXPECT_FALSE(DragTab(list, drag, 300, 4) || drag.moved) << "nothing held, nothing moves";
}

}  // namespace
