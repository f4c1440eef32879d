// The recently used files: newest first, each once, cut at the limit, kept in the
// settings between runs, and a file that is gone leaving the list when chosen.
#include "FakeWindows.h"

#include "documents/RecentFiles.h"

namespace {

using RecentFilesTest = OpenSaveFixture;

TEST_F(RecentFilesTest, NewestFirstEachOnceCutAtTheLimitAndKeptBetweenRuns)
{
    Set("recent", "num", 31);  // more than the most the menu holds
    ReadRecentFiles(documents.recent, settings);
    EXPECT_EQ(documents.recent.limit, kMostRecentFiles);
    for (int i = 0; i < 32; ++i) ASSERT_EQ(Open("f" + std::to_string(i) + ".txt", "x", kOpenModeNewTab), kOpenLoaded);
    ASSERT_EQ(Open("f5.txt", "x"), kOpenAlreadyOpen);  // already open: not opened, not noted
    ASSERT_TRUE(SaveDocument(documents, 3, folder.File("f3.txt")));
    std::vector<std::string>& paths = documents.recent.paths;
    ASSERT_EQ(paths.size(), 30u);
    EXPECT_EQ(paths[0], folder.File("f3.txt"));
    EXPECT_EQ(paths[1], folder.File("f31.txt"));
    EXPECT_EQ(paths[29], folder.File("f2.txt"));  // f3 moved to the front, f1 and f0 dropped off
    NoteRecentFile(documents.recent, "");
    NoteRecentFile(documents.recent, std::string(kMaxPathBytes + 1, 'a'));
    EXPECT_EQ(paths[0], folder.File("f3.txt")) << "no path, or one too long, is no entry";

    // The settings keep them for the next run, which may list fewer.
    ASSERT_TRUE(WriteRecentFiles(documents.recent, settings));
    Set("recent", "num", 2);
    RecentFiles next;
    ReadRecentFiles(next, settings);
    EXPECT_EQ(next.paths, (std::vector<std::string>{paths[0], paths[1]}));

    // A file that is gone is named and leaves the list; one that is there opens.
    std::remove(paths[1].c_str());
    const std::string gone = paths[1];
    EXPECT_FALSE(OpenRecentFile(documents, 1));
    EXPECT_EQ(windows.messages.back(), kMsgRecentFileGone);
    EXPECT_EQ(windows.asked.back(), gone);
    EXPECT_EQ(paths.size(), 29u);
    EXPECT_TRUE(OpenRecentFile(documents, 0)) << "open already";
    NoteRecentFile(documents.recent, MakeFile("new.txt", "y"));
    EXPECT_TRUE(OpenRecentFile(documents, 0)) << "loaded";
    EXPECT_FALSE(OpenRecentFile(documents, static_cast<int>(paths.size()))) << "beyond the list";
}

}  // namespace
