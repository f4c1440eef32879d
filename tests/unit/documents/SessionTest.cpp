// The files open at exit come back in tab order with their caret lines; gone ones are skipped
// quietly, a file given at start stays current, a shorter session leaves no keys behind.
#include "FakeWindows.h"

#include "documents/Session.h"

namespace {

using SessionTest = OpenSaveFixture;

TEST_F(SessionTest, FilesComeBackInTabOrderWithTheirLinesAndTheCurrentOne)
{
    Set("main", "session", 1);
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) ASSERT_EQ(Open(name, "1\n2\n3\n", kOpenModeNewTab), kOpenLoaded);
    windows.views[1].caretLine = 3;
    SelectSlot(list, documents.host, 2);
    const Session session = SessionOfDocuments(documents);
    EXPECT_TRUE(session.files.size() == 4 && session.current == 1) << "the untitled first tab is left out";
    ASSERT_TRUE(ConfirmExit(documents));
    std::remove(folder.File("c.txt").c_str());

    DocumentsState next;
    FakeWindows nextWindows{next};
    ASSERT_EQ(OpenFile(next, MakeFile("given.txt", ""), kOpenModeNormal, false), kOpenLoaded);
    ReopenSession(next, ReadSession(settings), next.list.currentSlot);
    ASSERT_TRUE(nextWindows.messages.empty() && next.list.tabCount == 4) << "given, a, b, d: c.txt skipped quietly";
    EXPECT_EQ(GetDocument(next.list, SlotAtTab(next.list, 3))->filePath, folder.File("d.txt"));
    EXPECT_EQ(nextWindows.views[SlotAtTab(next.list, 1)].caretLine, 3);
    EXPECT_EQ(next.list.currentTab, 0) << "the file given at start";
    SelectSlot(next.list, next.host, SlotAtTab(next.list, 3));
    ReopenSession(next, Session{{{folder.File("given.txt"), 2}}, 0}, -1);
    EXPECT_TRUE(next.list.tabCount == 4 && next.list.currentTab == 3) << "a file open already is left where it is";

    WriteSession(Session{{{std::string(kMaxPathBytes, 'p'), 1}}, 7}, settings);
    char leftover[8];
    EXPECT_EQ(GetString(settings, "f1", leftover, sizeof leftover), 0);
    const Session longest = ReadSession(settings);
    EXPECT_TRUE(longest.current == 0 && longest.files.at(0).path.size() == kMaxPathBytes) << "current beyond the files";
    Set("main", "session", 0);
    ASSERT_TRUE(ConfirmExit(documents));
    EXPECT_TRUE(ReadSession(settings).files.empty());
}

}  // namespace
