// The command table: rows reach their handler with their own record, an id claimed twice
// is refused, an id without a row does nothing, and ranges (the tool entries) hold every
// id between their ends and no other.
#include <gtest/gtest.h>

#include <vector>

#include "app/CommandTable.h"

namespace {

struct Calls {
    std::vector<int> ids;
};

int Record(void* context, int id)
{
    static_cast<Calls*>(context)->ids.push_back(id);
    return id * 2;
}

int Other(void*, int) { return -7; }

TEST(CommandTable, EachRowReachesItsHandlerWithItsOwnRecord)
{
    CommandTable table;
    Calls first, second;
    ASSERT_TRUE(RegisterCommand(table, 40003, &Record, &first));
    ASSERT_TRUE(RegisterCommand(table, 40001, &Record, &second));
    ASSERT_TRUE(RegisterCommand(table, 40071, &Other, nullptr));
    int result = 0;
    EXPECT_TRUE(DispatchCommand(table, 40003, &result));
    EXPECT_EQ(result, 80006);
    EXPECT_TRUE(DispatchCommand(table, 40001, nullptr));
    EXPECT_TRUE(DispatchCommand(table, 40071, &result));
    EXPECT_EQ(result, -7);
    EXPECT_EQ(first.ids, std::vector<int>{40003});
    EXPECT_EQ(second.ids, std::vector<int>{40001});
}

TEST(CommandTable, ASecondClaimIsRefusedAnIdWithoutARowDoesNothingAndARangeHoldsItsEnds)
{
    CommandTable table;
    Calls first, second;
    int result = 99;
    EXPECT_FALSE(DispatchCommand(table, 40010, &result));
    ASSERT_TRUE(RegisterCommand(table, 40010, &Record, &first));
    ASSERT_TRUE(RegisterCommandRange(table, 2000, 10000, &Record, &second));
    const int refused[][2] = {{40010, 40010}, {2000, 2000}, {10000, 10000}, {5000, 5000},
                              {1000, 2000},   {9000, 40010}, {30, 20}};
    for (const auto& ids : refused) EXPECT_FALSE(RegisterCommandRange(table, ids[0], ids[1], &Record, &first));
    EXPECT_FALSE(RegisterCommand(table, 40011, nullptr, &second));
    EXPECT_EQ(table.rows.size(), 2u);
    for (int id : {0, 1999, 10001, 40009, 40011, -1, 65535}) EXPECT_FALSE(DispatchCommand(table, id, &result)) << id;
    EXPECT_EQ(result, 99);
    EXPECT_TRUE(DispatchCommand(table, 40010, nullptr));
    EXPECT_EQ(first.ids, std::vector<int>{40010});
    for (int id : {2000, 2001, 10000}) EXPECT_TRUE(DispatchCommand(table, id, nullptr));
    EXPECT_EQ(second.ids, (std::vector<int>{2000, 2001, 10000}));
    // The ids just outside the range take rows of their own.
    ASSERT_TRUE(RegisterCommand(table, 1999, &Other, nullptr) && RegisterCommand(table, 10001, &Other, nullptr));
    for (int id : {1999, 10001}) EXPECT_TRUE(DispatchCommand(table, id, &result) && result == -7) << id;
}

TEST(CommandTable, TheCheckedFlagBelongsToItsRow)
{
    CommandTable table;
    ASSERT_TRUE(RegisterCommand(table, 40036, &Other, nullptr));
    ASSERT_TRUE(RegisterCommand(table, 40037, &Other, nullptr));
    EXPECT_TRUE(SetCommandChecked(table, 40036, true));
    EXPECT_FALSE(IsCommandChecked(table, 40037));
    EXPECT_FALSE(SetCommandChecked(table, 40038, true));
    EXPECT_FALSE(IsCommandChecked(table, 40038));
    // A later registration moves rows; the flag moves with its row.
    ASSERT_TRUE(RegisterCommand(table, 40001, &Other, nullptr));
    EXPECT_TRUE(IsCommandChecked(table, 40036));
    EXPECT_TRUE(SetCommandChecked(table, 40036, false));
    EXPECT_FALSE(IsCommandChecked(table, 40036));
}

}  // namespace
