// Files changed by another program: the decision from the kept and the present stamp, each
// change asked about once, reloading in the encoding the file was read in, and a save that
// would overwrite another program's change.
#include "FakeWindows.h"

#include "documents/FileChanges.h"

namespace {

TEST(FileChanges, TheDecisionFollowsTheStampsTheTabAndTheSetting)
{
    const FileStamp kept{true, 10, 1000, 7};
    const FileStamp touched{true, 10, 2000, 7};   // only the clock moved: still asked
    const FileStamp rewritten{true, 10, 1000, 8};  // same size and time, other bytes
    const FileStamp gone{};
    struct Case {
        bool hasPath, modified;
        FileStamp kept, now;
        int setting;
        ChangeAction expected;
    } const cases[] = {
        {true, false, kept, kept, 0, ChangeAction::None},
        {true, false, kept, touched, 0, ChangeAction::AskReload},
        {true, false, kept, rewritten, 0, ChangeAction::AskReload},
        {true, false, kept, rewritten, 1, ChangeAction::Reload},
        {true, true, kept, rewritten, 1, ChangeAction::WarnModified},
        {true, true, kept, rewritten, 0, ChangeAction::WarnModified},
        {true, false, kept, rewritten, 2, ChangeAction::None},
        {true, false, kept, gone, 2, ChangeAction::ReportGone},
        {true, true, kept, gone, 0, ChangeAction::ReportGone},
        {true, false, gone, kept, 0, ChangeAction::None},  // never read from a file
        {false, false, kept, rewritten, 0, ChangeAction::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideOnChange(c.hasPath, c.modified, c.kept, c.now, c.setting), c.expected)
            << &c - cases;
    }
}

using FileChangesTest = OpenSaveFixture;

TEST_F(FileChangesTest, EachChangeIsAskedOnceAndReloadsInTheEncodingItWasReadIn)
{
    // EUC-JP "日本" read and detected; another program writes "本日" in EUC-JP.
    ASSERT_EQ(Open("a.txt", "\xc6\xfc\xcb\xdc\n"), kOpenLoaded);
    const std::string path = folder.File("a.txt");
    ASSERT_EQ(CurrentDocument(list).encoding, EncodingCode::EucJp);
    EXPECT_EQ(CheckFileChanges(documents), 0);
    EXPECT_TRUE(windows.messages.empty());

    TempFolder::Write(path, "\xcb\xdc\xc6\xfc\n\xa4\xa2");
    ASSERT_EQ(Open("b.txt", "b", kOpenModeNewTab), kOpenLoaded);
    windows.answers = {kAnswerNo};
    EXPECT_EQ(CheckFileChanges(documents), 0);
    EXPECT_EQ(list.currentSlot, 0) << "the tab asked about is shown";
    EXPECT_EQ(CheckFileChanges(documents), 0);  // the same change is not asked about again
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgFileChanged});
    EXPECT_EQ(windows.asked, std::vector<std::string>{"a.txt"});

    TempFolder::Write(path, "\xcb\xdc\xc6\xfc\n");
    documents.askingAboutChanges = true;  // an earlier check's question is still open
    EXPECT_EQ(CheckFileChanges(documents), 0);
    documents.askingAboutChanges = false;
    windows.answers = {kAnswerYes};
    EXPECT_EQ(CheckFileChanges(documents), 1);
    EXPECT_EQ(ViewText(0), "\x96\x7b\x93\xfa\n");  // "本日" in InternalText
    EXPECT_FALSE(CurrentDocument(list).modified);

    // A modified tab is warned (default No); a deleted file is reported once and the tab
    // becomes modified.
    CurrentDocument(list).modified = true;
    TempFolder::Write(path, "x");
    windows.answers = {kAnswerNo};
    EXPECT_EQ(CheckFileChanges(documents), 0) << "No keeps the changes";
    std::remove(path.c_str());
    CurrentDocument(list).modified = false;
    CheckFileChanges(documents);
    CheckFileChanges(documents);
    EXPECT_EQ(windows.messages,
              (std::vector<int>{kMsgFileChanged, kMsgFileChanged, kMsgFileChangedModified, kMsgFileGone}));
    EXPECT_TRUE(CurrentDocument(list).modified);
}

TEST_F(FileChangesTest, SavingOverAnotherProgramsChangeAsksAndNoWritesNothing)
{
    ASSERT_EQ(Open("a.txt", "mine"), kOpenLoaded);
    const std::string path = folder.File("a.txt");
    TempFolder::Write(path, "theirs");
    windows.answers = {kAnswerNo, kAnswerYes};
    EXPECT_FALSE(SaveDocument(documents, 0, path));
    EXPECT_EQ(TempFolder::Read(path), "theirs");
    EXPECT_TRUE(SaveDocument(documents, 0, path));
    EXPECT_EQ(TempFolder::Read(path), "mine");
    EXPECT_TRUE(SaveDocument(documents, 0, path));  // its own write is not another's change
    EXPECT_EQ(windows.messages, (std::vector<int>{kMsgOverwriteChangedFile, kMsgOverwriteChangedFile}));
}

TEST_F(FileChangesTest, ReopeningInAChosenEncodingAsksWhenModifiedReportsLossAndIsSavedInIt)
{
    Set("main", "auto_kanji", 0);
    CurrentDocument(list).modified = true;  // an untitled tab has no file to read: nothing to ask
    EXPECT_FALSE(ReopenDocumentAs(documents, 0, EncodingCode::EucJp));
    CurrentDocument(list).modified = false;
    ASSERT_EQ(Open("a.txt", "\xc6\xfc\xcb\xdc"), kOpenLoaded);  // "日本" in EUC-JP, taken as Shift-JIS
    const std::string path = folder.File("a.txt");
    CurrentDocument(list).modified = true;
    windows.answers = {kAnswerNo, kAnswerYes};
    EXPECT_FALSE(ReopenDocumentAs(documents, 0, EncodingCode::EucJp));
    EXPECT_EQ(ViewText(0), "\xc6\xfc\xcb\xdc");
    EXPECT_TRUE(ReopenDocumentAs(documents, 0, EncodingCode::EucJp));
    EXPECT_EQ(ViewText(0), "\x93\xfa\x96\x7b");
    EXPECT_FALSE(CurrentDocument(list).modified);
    EXPECT_TRUE(ReopenDocumentAs(documents, 0, EncodingCode::Utf8));  // not UTF-8: reported
    EXPECT_EQ(windows.messages, (std::vector<int>{kMsgReopenDiscardsChanges, kMsgReopenDiscardsChanges, kMsgLoadedLossily}));

    // A UTF-16 file keeps its mark, and saving writes the chosen code whatever [main] kanji says.
    TempFolder::Write(path, std::string("\xff\xfe\x41\x00", 4));
    EXPECT_TRUE(ReopenDocumentAs(documents, 0, EncodingCode::Utf16Le));
    EXPECT_EQ(CurrentDocument(list).encoding, EncodingCode::Utf16LeBom);
    Set("main", "kanji", 1);
    EXPECT_TRUE(SaveDocument(documents, 0, path));
    EXPECT_EQ(TempFolder::Read(path), std::string("\xff\xfe\x41\x00", 4));

    FileFaultsForTesting huge;  // the file grew past what the program can hold
    huge.readFailure = FileErrorKind::TooLarge;
    SetFileFaultsForTesting(huge);
    windows.messages.clear();
    EXPECT_FALSE(ReloadDocument(documents, 0, true));
    SetFileFaultsForTesting(FileFaultsForTesting{});
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgOutOfMemory});
}

}  // namespace
