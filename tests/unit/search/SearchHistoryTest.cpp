// The histories in a settings file: moves with duplicates, a full list, the empty entry,
// clearing.
#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "search/SearchHistory.h"
#include "search/SearchOptions.h"

namespace {

using List = std::vector<std::string>;

struct SearchHistoryTest : testing::Test {
    TempFolder folder;
    ProfileFile settings{};
    void SetUp() override { OpenProfile(settings, folder.File("kvte.ini").c_str(), "main"); }
    List Shown() { return ReadHistory(settings, kFindHistory, kHistoryCount); }
    void Add(std::initializer_list<std::string> texts)
    {
        for (const std::string& text : texts) ASSERT_TRUE(AddHistory(settings, text.c_str(), kFindHistory, kHistoryCount));
    }
    std::string Key(const char* key)  // a key of the find history, shown or not
    {
        SetSection(settings, kFindHistory);
        char value[1024];
        GetString(settings, key, value, sizeof value);
        return value;
    }
};

TEST_F(SearchHistoryTest, ANewTextGoesFirstAndADuplicateMovesUpWithoutACopy)
{
    Add({"y", "abc", "x", "abc"});
    EXPECT_EQ(Shown(), (List{"abc", "x", "y"}));
    Add({"ABC", "y"});
    EXPECT_EQ(Shown(), (List{"y", "ABC", "abc", "x"})) << "letter case counts";
    EXPECT_EQ(ReadHistory(settings, kReplaceHistory, kHistoryCount), List{}) << "the other list is apart";
}

TEST_F(SearchHistoryTest, AFullListPushesItsLastEntryIntoTheKeyBeyondOutOfSight)
{
    for (int i = 0; i < 21; ++i) Add({"t" + std::to_string(i)});
    List shown = Shown();
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown.front(), "t20");
    EXPECT_EQ(shown.back(), "t1");
    EXPECT_EQ(Key("f20"), "t0");
    Add({"t22"});
    EXPECT_EQ(Key("f20"), "t1") << "the former f19";
    // A duplicate at the last shown key moves up without touching the key beyond.
    Add({"t3"});
    EXPECT_EQ(Shown().front(), "t3");
    EXPECT_EQ(Key("f20"), "t1");
}

TEST_F(SearchHistoryTest, AnEmptyEntryHidesTheOlderOnesUntilTheyArePushedOut)
{
    Add({"old1", "old2", "", "new"});
    EXPECT_EQ(Shown(), List{"new"});
    EXPECT_EQ(Key("f2"), "old2");
    Add({""});  // meets the first empty one as its duplicate
    EXPECT_EQ(Shown(), List{});
    EXPECT_EQ(Key("f1"), "new");
    EXPECT_EQ(Key("f2"), "old2");
}

TEST_F(SearchHistoryTest, ClearingEmptiesTheShownKeysAndKeepsTheOneBeyond)
{
    for (int i = 0; i < 21; ++i) Add({"t" + std::to_string(i)});
    ASSERT_TRUE(AddHistory(settings, "r", kReplaceHistory, kHistoryCount));
    ASSERT_TRUE(ClearHistory(settings, kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{});
    EXPECT_EQ(Key("f19"), "");
    EXPECT_EQ(Key("f20"), "t0");
    EXPECT_EQ(ReadHistory(settings, kReplaceHistory, kHistoryCount), List{"r"});
    Add({"next"});
    EXPECT_EQ(Shown(), List{"next"}) << "after clearing, the next text is the only one";
    // A file that cannot be written changes nothing.
    OpenProfile(settings, (folder.File("missing-folder") + "/kvte.ini").c_str(), "main");
    EXPECT_FALSE(AddHistory(settings, "x", kFindHistory, kHistoryCount));
    EXPECT_EQ(Shown(), List{});
}

}  // namespace

TEST_F(SearchHistoryTest, SearchOptionsKeepTheirDefaultsUntilTheFileSaysOtherwise)
{
    SearchState state;
    state.matchCase = state.wrap = false;
    ReadSearchOptions(settings, state);  // no [search] yet
    ASSERT_TRUE(!state.wrap && AppendSection(settings, kSearchSection) && WriteInt(settings, "wrap", 1));
    // Each reads and writes [search] whatever section the settings had current.
    ASSERT_TRUE(SetSection(settings, "main") && WriteSearchOptions(settings, state));
    state.matchCase = true;
    SetSection(settings, "main");
    ReadSearchOptions(settings, state);
    EXPECT_TRUE(!state.matchCase && state.wrap);
    ASSERT_TRUE(WriteString(settings, "matchcase", ""));  // an empty value says nothing
    state.matchCase = true;
    ReadSearchOptions(settings, state);
    EXPECT_TRUE(state.matchCase);

    FileSearchChoices choices;
    choices.folder = "C:\\x";
    choices.masks = "";  // stored empty, read as every file
    choices.regularExpression = true;
    ASSERT_TRUE(SetSection(settings, "main") && WriteFileSearchChoices(settings, choices));
    FileSearchChoices read;
    SetSection(settings, "main");
    ReadFileSearchChoices(settings, read);
    EXPECT_TRUE(read.folder == "C:\\x" && read.masks == "*" && read.regularExpression && read.subfolders);
    choices.folder.clear();  // an empty folder says nothing: the one shown stays
    ASSERT_TRUE(WriteFileSearchChoices(settings, choices));
    ReadFileSearchChoices(settings, read);
    EXPECT_EQ(read.folder, "C:\\x");
}
