// Many changes in one write, laid out as the single operations would, or none at all.
#include "config/ProfileBatch.h"

#include <gtest/gtest.h>

#include "files/FileAccess.h"
#include "../support/TempFolder.h"

namespace {

struct ProfileBatchTest : testing::Test {
    TempFolder folder;
    std::string path = folder.File("kvte.ini");
    ProfileFile profile;
    const std::string before =
        "; settings\r\n[main]\r\nx=1\r\n\r\n[find_history]\r\nf0=a\r\nf1=b\r\n\r\n[tab]\r\nwidth=120\r\n";

    void SetUp() override
    {
        TempFolder::Write(path, before);
        OpenProfile(profile, path.c_str(), "main");
    }
    std::string Content() const { return TempFolder::Read(path); }

    // The changes that the tests make, once as a batch and once one by one.
    template <typename Target>
    void Changes(Target& target)
    {
        SetSection(target, "main");
        WriteInt(target, "x", 200);
        WriteString(target, "kanji", "\x83\\");
        SetSection(target, "find_history");
        DeleteSection(target);
        AppendSection(target, "FileType");
        WriteString(target, "htm", "HTML.esf");
        SetSection(target, "tab");
        WriteInt(target, "width", -5);
    }
};

TEST_F(ProfileBatchTest, MakesTheSameFileAsTheSingleOperationsInOneWrite)
{
    Changes(profile);
    const std::string expected = Content();

    TempFolder::Write(path, before);
    ProfileBatch batch;
    ASSERT_TRUE(BeginBatch(batch, profile));
    Changes(batch);
    EXPECT_EQ(Content(), before) << "nothing is written before the commit";
    SetSection(batch, "main");
    EXPECT_EQ(GetInt(batch, "x"), 200) << "reads see the batch's own changes";
    // One write: with a fault that fails the first write, the commit fails as a whole.
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 10;
    SetFileFaultsForTesting(faults);
    ProfileBatch failing = batch;
    EXPECT_FALSE(CommitBatch(failing));
    SetFileFaultsForTesting({});
    EXPECT_EQ(Content(), before);
    ASSERT_TRUE(CommitBatch(batch));
    EXPECT_EQ(Content(), expected);
}

TEST_F(ProfileBatchTest, ARefusedStepSpoilsTheWholeBatch)
{
    ProfileBatch batch;
    ASSERT_TRUE(BeginBatch(batch, profile));
    EXPECT_TRUE(WriteInt(batch, "x", 2));
    EXPECT_FALSE(WriteString(batch, "y", "two\r\nlines"));
    EXPECT_FALSE(WriteInt(batch, "z", 3) || AppendSection(batch, "new")) << "a failed batch takes no more changes";
    EXPECT_FALSE(CommitBatch(batch));
    EXPECT_EQ(Content(), before);
}

TEST_F(ProfileBatchTest, AMissingFileIsCreatedAndAnUnchangedOneIsNotWritten)
{
    ProfileFile fresh;
    OpenProfile(fresh, folder.File("fresh.ini").c_str(), "a");
    ProfileBatch batch;
    ASSERT_TRUE(BeginBatch(batch, fresh));
    ASSERT_TRUE(AppendSection(batch, "FileType"));
    ASSERT_TRUE(CommitBatch(batch));
    EXPECT_EQ(TempFolder::Read(folder.File("fresh.ini")), "\r\n[FileType]");

    // Deleting a section that is not there changes nothing and writes nothing, so even a
    // write that would fail is not attempted.
    ASSERT_TRUE(BeginBatch(batch, profile));
    SetSection(batch, "nosuch");
    EXPECT_TRUE(DeleteSection(batch));
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 0;
    SetFileFaultsForTesting(faults);
    EXPECT_TRUE(CommitBatch(batch));
    SetFileFaultsForTesting({});
}

}  // namespace
