// The slot array and the tab order: slots are kept while positions close up, a closed
// slot is taken again by the next new document at the end of the tab order, the only
// tab is never removed, and exactly the current view is shown.
#include "FakeWindows.h"

namespace {

struct ThreeTabs : testing::Test {
    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;
    void SetUp() override
    {
        EXPECT_TRUE(IsReusable(*GetDocument(list, 0))) << "a fresh list holds one untitled tab";
        ASSERT_EQ(AddDocument(list, documents.host), 1);
        ASSERT_EQ(AddDocument(list, documents.host), 2);
    }
    // The tab position of each slot, -1 for an empty one.
    std::vector<int> Positions() const
    {
        std::vector<int> positions;
        for (int slot = 0; slot < list.slotCount; ++slot)
            positions.push_back(GetDocument(list, slot) ? GetDocument(list, slot)->tabPosition : -1);
        return positions;
    }
};

TEST_F(ThreeTabs, ClosingATabSelectsItsLeftNeighbourAndItsSlotIsTakenAgainAtTheEnd)
{
    EXPECT_EQ(Where(list, windows), "slot 2 tab 2 of 3, view 2");
    EXPECT_EQ(windows.viewCount, 3);
    EXPECT_EQ(GetDocument(list, 2)->savedWindowProc, 0x1002u) << "the view is attached";
    EXPECT_EQ(GetDocument(list, 3), nullptr);
    EXPECT_EQ(GetDocument(list, -1), nullptr);
    SelectSlot(list, documents.host, 1);
    EXPECT_TRUE(RemoveDocument(list, documents.host, 1));
    EXPECT_EQ(Positions(), (std::vector<int>{0, -1, 1}));
    EXPECT_EQ(Where(list, windows), "slot 0 tab 0 of 2, view 0");
    EXPECT_EQ(SlotAtTab(list, 1), 2);
    EXPECT_EQ(AddDocument(list, documents.host), 1);
    EXPECT_EQ(Positions(), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(list.slotCount, 3);
    EXPECT_EQ(Where(list, windows), "slot 1 tab 2 of 3, view 1");
    // The leftmost tab gives way to its right neighbour.
    SelectSlot(list, documents.host, 0);
    EXPECT_TRUE(RemoveDocument(list, documents.host, 0));
    EXPECT_EQ(Positions(), (std::vector<int>{-1, 1, 0}));
    EXPECT_EQ(Where(list, windows), "slot 2 tab 0 of 2, view 2");
    EXPECT_EQ(AddDocument(list, documents.host), 0) << "slot 0 is taken again too";
}

TEST_F(ThreeTabs, ClosingATabLeftOfTheScrolledBarScrollsBackToTheCurrentTab)
{
    list.firstVisibleTab = 2;
    EXPECT_TRUE(RemoveDocument(list, documents.host, 2));
    EXPECT_EQ(list.currentTab, 1);
    EXPECT_EQ(list.firstVisibleTab, 1);
}

TEST(DocumentList, ClosingTheOnlyTabResetsItInTheSameSlot)
{
    DocumentsState documents;
    FakeWindows windows(documents);
    GetDocument(documents.list, 0)->fileName = "a.txt";
    GetDocument(documents.list, 0)->modified = true;
    windows.views[0].text = "a";
    EXPECT_FALSE(RemoveDocument(documents.list, documents.host, 0));
    EXPECT_EQ(documents.list.tabCount, 1);
    EXPECT_TRUE(IsReusable(*GetDocument(documents.list, 0)));
    EXPECT_TRUE(windows.views[0].text.empty()) << "a fresh view";
    EXPECT_TRUE(windows.views[0].attached);
    EXPECT_FALSE(RemoveDocument(documents.list, documents.host, 5));
}

TEST_F(ThreeTabs, NextAndPreviousStopAtTheEndsSelectingTheCurrentTabDoesNothingAndAFailedViewChangesNothing)
{
    const int changes = windows.tabChanges;
    SelectNextTab(list, documents.host);
    SelectSlot(list, documents.host, 2);
    SelectSlot(list, documents.host, 7);
    EXPECT_EQ(windows.tabChanges, changes);
    SelectPreviousTab(list, documents.host);
    SelectPreviousTab(list, documents.host);
    EXPECT_EQ(Where(list, windows), "slot 0 tab 0 of 3, view 0");
    SelectPreviousTab(list, documents.host);
    EXPECT_EQ(windows.tabChanges, changes + 2);
    SelectNextTab(list, documents.host);
    EXPECT_EQ(list.currentTab, 1);
    windows.refuseViews = true;
    EXPECT_EQ(AddDocument(list, documents.host), -1);
    EXPECT_EQ(list.slotCount, 3);
    EXPECT_EQ(Where(list, windows), "slot 1 tab 1 of 3, view 1");
    EXPECT_EQ(windows.viewCount, 3);
}

}  // namespace

// Moving a tab: the others shift, the current one stays in view; an empty slot is no tab.
TEST_F(ThreeTabs, MovingATabShiftsTheOthersAndTheCurrentFollows)
{
    ASSERT_EQ(AddDocument(list, documents.host), 3);
    ASSERT_TRUE(RemoveDocument(list, documents.host, 1));  // slots 0, 2, 3 at tabs 0, 1, 2
    list.barWidth = list.tabWidth * 2 + 3 * list.barHeight;  // room for two tabs and the buttons
    SelectSlot(list, documents.host, 2);
    const std::tuple<int, int, bool, std::vector<int>, int> cases[] = {  // from, to, moved, positions, first visible
        {0, 2, true, {2, -1, 0, 1}, 0}, {2, 0, true, {0, -1, 1, 2}, 0},  {1, 1, false, {0, -1, 1, 2}, 0},
        {1, 3, false, {0, -1, 1, 2}, 0}, {1, 2, true, {0, -1, 2, 1}, 1}, {-1, 0, false, {0, -1, 2, 1}, 1},
        {3, 0, false, {0, -1, 2, 1}, 1},
    };
    for (const auto& [from, to, moved, positions, firstVisible] : cases) {
        EXPECT_EQ(MoveTab(list, from, to), moved) << from << "->" << to;
        EXPECT_EQ(Positions(), positions) << from << "->" << to;
        EXPECT_EQ(list.currentTab, positions[2]);
        EXPECT_EQ(list.firstVisibleTab, firstVisible) << from << "->" << to;
    }
}
