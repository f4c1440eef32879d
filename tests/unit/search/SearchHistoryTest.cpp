// The histories in a settings file: moves with duplicates, a full list, the empty entry,
// clearing; every change is one write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/TempFolder.h"
#include "search/SearchHistory.h"

namespace {

class SearchHistoryTest : public ::testing::Test {
protected:
    TempFolder folder;
    ProfileFile settings{};
    void SetUp() override { OpenProfile(settings, folder.File("kvte.ini").c_str(), "main"); }

    using List = std::vector<std::string>;
    List Shown() { return ReadHistory(settings, kFindHistory, kHistoryCount); }
    std::string Key(char const* key)
    {
        SetSection(settings, kFindHistory);
        char value[1024];
        GetString(settings, key, value, sizeof value);
        return value;
    }
};

TEST_F(SearchHistoryTest, ANewTextGoesFirstAndADuplicateMovesUpWithoutACopy)
{
    for (char const* text : {"y", "abc", "x"}) ASSERT_TRUE(AddHistory(settings, text, kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), (List{"x", "abc", "y"}));
    ASSERT_TRUE(AddHistory(settings, "abc", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), (List{"abc", "x", "y"}));
    ASSERT_TRUE(AddHistory(settings, "ABC", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), (List{"ABC", "abc", "x", "y"})) << "letter case counts";
    ASSERT_TRUE(AddHistory(settings, "y", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), (List{"y", "ABC", "abc", "x"}));
    EXPECT_EQ(ReadHistory(settings, kReplaceHistory, kHistoryCount), List{}) << "the other list is apart";
}

TEST_F(SearchHistoryTest, AFullListPushesItsLastEntryIntoTheKeyBeyondOutOfSight)
{
    for (int i = 0; i < 21; ++i)
        ASSERT_TRUE(AddHistory(settings, ("t" + std::to_string(i)).c_str(), kFindHistory, kHistoryCount));
    List shown = Shown();
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown.front(), "t20");
    EXPECT_EQ(shown.back(), "t1");
    EXPECT_EQ(Key("f20"), "t0");
    ASSERT_TRUE(AddHistory(settings, "t22", kFindHistory, kHistoryCount));
    EXPECT_EQ(Key("f20"), "t1") << "the former f19";
    // A duplicate at the last shown key moves up without touching the key beyond.
    ASSERT_TRUE(AddHistory(settings, "t3", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown().front(), "t3");
    EXPECT_EQ(Key("f20"), "t1");
}

TEST_F(SearchHistoryTest, AnEmptyEntryHidesTheOlderOnesUntilTheyArePushedOut)
{
    for (char const* text : {"old1", "old2", "", "new"})
        ASSERT_TRUE(AddHistory(settings, text, kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{"new"});
    EXPECT_EQ(Key("f2"), "old2");
    // A second empty text meets the first as its duplicate.
    ASSERT_TRUE(AddHistory(settings, "", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{});
    EXPECT_EQ(Key("f1"), "new");
    EXPECT_EQ(Key("f2"), "old2");
}

TEST_F(SearchHistoryTest, ClearingEmptiesTheShownKeysAndKeepsTheOneBeyond)
{
    for (int i = 0; i < 21; ++i)
        ASSERT_TRUE(AddHistory(settings, ("t" + std::to_string(i)).c_str(), kFindHistory, kHistoryCount));
    ASSERT_TRUE(AddHistory(settings, "r", kReplaceHistory, kHistoryCount));
    ASSERT_TRUE(ClearHistory(settings, kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{});
    EXPECT_EQ(Key("f19"), "");
    EXPECT_EQ(Key("f20"), "t0");
    EXPECT_EQ(ReadHistory(settings, kReplaceHistory, kHistoryCount), List{"r"});
    ASSERT_TRUE(AddHistory(settings, "next", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{"next"}) << "after clearing, the next text is the only one";
}

TEST_F(SearchHistoryTest, AnUnwritableFileChangesNothing)
{
    ProfileFile refused{};
    OpenProfile(refused, (folder.File("missing-folder") + "/kvte.ini").c_str(), "main");
    EXPECT_FALSE(AddHistory(refused, "x", kFindHistory, kHistoryCount));
    EXPECT_EQ(ReadHistory(refused, kFindHistory, kHistoryCount), List{});
}

}  // namespace
