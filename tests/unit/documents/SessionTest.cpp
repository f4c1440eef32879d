// The session: the files open at exit, with their caret lines and the current one, come
// back at the next start; files gone since are skipped, a shorter session leaves no keys
// of a longer one behind, and with the session off nothing comes back.
#include "FakeWindows.h"

#include "documents/Session.h"

namespace {

using SessionTest = OpenSaveFixture;

TEST_F(SessionTest, FilesInTabOrderComeBackWithTheirLinesAndTheCurrentOne)
{
    Set("main", "session", 1);
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) ASSERT_EQ(Open(name, "1\n2\n3\n", kOpenModeNewTab), kOpenLoaded);
    windows.views[1].caretLine = 3;
    windows.views[2].caretLine = 2;
    SelectSlot(list, documents.host, 2);
    ASSERT_TRUE(ConfirmExit(documents));  // the untitled first tab is left out
    std::remove(folder.File("c.txt").c_str());  // b.txt is current; c.txt goes away

    const Session kept = ReadSession(settings);
    ASSERT_EQ(kept.files.size(), 4u);
    EXPECT_EQ(kept.files[1], (SessionFile{folder.File("b.txt"), 2}));
    EXPECT_EQ(kept.current, 1);

    // The next run: the untitled tab is taken by the first file, c.txt is skipped quietly.
    DocumentsState next;
    FakeWindows nextWindows{next};
    next.settings = &settings;
    ReopenSession(next, ReadSession(settings), next.list.currentSlot);
    EXPECT_TRUE(nextWindows.messages.empty());
    ASSERT_EQ(next.list.tabCount, 3);
    EXPECT_EQ(CurrentDocument(next.list).filePath, folder.File("b.txt"));
    EXPECT_EQ(nextWindows.views[0].caretLine, 3);
    EXPECT_EQ(GetDocument(next.list, SlotAtTab(next.list, 2))->filePath, folder.File("d.txt"));

    // A shorter session leaves nothing of the longer one; the session off empties it.
    WriteSession(Session{{{folder.File("a.txt"), 1}}, 7}, settings);
    SetSection(settings, "session");
    char leftover[8];
    EXPECT_EQ(GetString(settings, "f1", leftover, sizeof leftover), 0);
    EXPECT_EQ(ReadSession(settings).current, 0) << "a current index beyond the files";
    Set("main", "session", 0);
    ASSERT_TRUE(ConfirmExit(documents));
    EXPECT_TRUE(ReadSession(settings).files.empty());
}

TEST_F(SessionTest, AFileGivenAtStartStaysCurrent)
{
    MakeFile("s.txt", "x");
    WriteSession(Session{{{folder.File("s.txt"), 1}}, 0}, settings);
    ASSERT_EQ(Open("given.txt", "y"), kOpenLoaded);
    const int given = list.currentSlot;
    ReopenSession(documents, ReadSession(settings), given);
    EXPECT_EQ(list.tabCount, 2);
    EXPECT_EQ(list.currentSlot, given);
}

}  // namespace
