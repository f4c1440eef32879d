// Saving and closing: every encoding and line ending byte for byte, write failures that
// must leave the old file whole and the document modified, and the questions before
// closing one tab, all tabs and the program.
#include "FakeWindows.h"

namespace {

using SaveTest = OpenSaveFixture;

// "日ｱ" with a line break: a kanji and a half-width katakana.
const std::string kText = "\x93\xfa\xb1\nx";

TEST_F(SaveTest, EveryEncodingAndLineEndingByteForByte)
{
    struct Case {
        int kanji, retline, utf16Bom, utf8Bom;
        std::string bytes;
    } const cases[] = {
        {0, 4, 0, 0, "\x93\xfa\xb1\nx"},  // a new document: Shift_JIS, its own line ends
        {1, 1, 0, 0, "\x93\xfa\xb1\r\nx"},
        {2, 2, 0, 0, "\xc6\xfc\x8e\xb1\rx"},  // EUC-JP keeps the katakana half-width
        {3, 3, 0, 0, "\x1b$B\x46\x7c\x25\x22\x1b(B\nx"},
        {4, 1, 1, 0, std::string("\xff\xfe\xe5\x65\x71\xff\r\0\n\0x\0", 12)},
        {4, 3, 0, 0, std::string("\xe5\x65\x71\xff\n\0x\0", 8)},
        {5, 3, 0, 1, "\xef\xbb\xbf\xe6\x97\xa5\xef\xbd\xb1\nx"},
        {5, 3, 0, 0, "\xe6\x97\xa5\xef\xbd\xb1\nx"},
        {9, 3, 0, 0, "\x93\xfa\xb1\nx"},  // an unknown choice writes Shift_JIS
    };
    std::string path = folder.File("out.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kanji " << c.kanji << " retline " << c.retline);
        Set("main", "kanji", c.kanji);
        Set("main", "retline", c.retline);
        Set("main", "utf16_bom", c.utf16Bom);
        Set("main", "utf8_bom", c.utf8Bom);
        windows.views[0].text = kText;
        CurrentDocument(list).modified = true;
        EXPECT_TRUE(SaveDocument(documents, 0, path));
        EXPECT_EQ(TempFolder::Read(path), c.bytes);
        EXPECT_FALSE(CurrentDocument(list).modified);
        // The document is now what was written (kanji 0 keeps the new document's Shift_JIS).
        EXPECT_EQ(CurrentDocument(list).encoding, ChooseSaveEncoding(c.kanji, EncodingCode::ShiftJis, c.utf16Bom, c.utf8Bom));
    }
}

TEST_F(SaveTest, SaveAllWritesEachFileInTheEncodingItWasReadInAndAsksANameForEachUntitledOne)
{
    std::string bom = MakeFile("bom.txt", "\xef\xbb\xbf\xe6\x97\xa5\xe6\x9c\xac\r\n");
    // 日〜語 with the standard wave dash, which the document remembers and writes back.
    std::string plain = MakeFile("plain.txt", "\xe6\x97\xa5\xe3\x80\x9c\xe8\xaa\x9e\n");
    OpenFile(documents, bom, kOpenModeNormal, true);
    OpenFile(documents, plain, kOpenModeNormal, true);
    windows.views[1].text += "x";
    NewDocument(documents);  // untitled, empty and unchanged: still asked for
    SelectSlot(list, documents.host, 0);
    windows.fileTypes.clear();
    windows.savePaths = {folder.File("new.bat")};
    EXPECT_TRUE(SaveAll(documents));
    EXPECT_EQ(TempFolder::Read(bom), "\xef\xbb\xbf\xe6\x97\xa5\xe6\x9c\xac\r\n");
    EXPECT_EQ(TempFolder::Read(plain), "\xe6\x97\xa5\xe3\x80\x9c\xe8\xaa\x9e\nx");
    EXPECT_EQ(windows.saveDialogs, 1);
    // The new name's file type goes to the tab saved, not to the one on screen.
    EXPECT_EQ(windows.fileTypes, (std::vector<std::pair<int, std::string>>{{2, folder.File("new.bat")}}));
}

TEST_F(SaveTest, AFailedWriteKeepsTheOldFileAndTheChanges)
{
    std::string path = MakeFile("a.txt", "old content");
    OpenFile(documents, path, kOpenModeNormal, true);
    windows.views[0].text = "new content that is longer";
    CurrentDocument(list).modified = true;

    FileFaultsForTesting full;
    full.writeFailsAfterBytes = 4;  // the disk fills up mid-write
    SetFileFaultsForTesting(full);
    EXPECT_FALSE(SaveCurrent(documents));
    SetFileFaultsForTesting(FileFaultsForTesting{});
    EXPECT_EQ(TempFolder::Read(path), "old content");
    EXPECT_TRUE(CurrentDocument(list).modified);
    EXPECT_EQ(windows.views[0].saves, 0);  // undoing back to the loaded text still reads as loaded
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgWriteFailed});
    EXPECT_EQ(folder.EntryCount(), 2u);  // no temporary file left behind

    // A read-only target is never made writable: the user is told so and offered
    // another name; write protection of the document itself does not stop a save.
    std::filesystem::permissions(path, std::filesystem::perms::all, std::filesystem::perm_options::remove);
    windows.answers = {kAnswerNo};
    EXPECT_FALSE(SaveCurrent(documents));
    EXPECT_EQ(windows.messages.back(), kMsgReadOnlySaveAs);
    windows.answers = {kAnswerYes};
    const std::string other = folder.File("other.txt");
    windows.savePaths = {other};
    EXPECT_TRUE(SaveCurrent(documents));
    EXPECT_EQ(TempFolder::Read(other), "new content that is longer");
    EXPECT_EQ(TempFolder::Read(path), "old content");
    CurrentDocument(list).modified = true;
    SetPath(CurrentDocument(list), path);
    CurrentDocument(list).stamp = ReadFileStamp(path.c_str());  // as if read from there
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    CurrentDocument(list).writable = false;
    EXPECT_TRUE(SaveCurrent(documents));
    EXPECT_EQ(TempFolder::Read(path), "new content that is longer");
    EXPECT_EQ(windows.views[0].saves, 2);  // under the other name, then here
}

TEST_F(SaveTest, ALossyTextAsksBeforeItIsWrittenOverItsOwnFile)
{
    const std::string original = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e \xf0\x9f\x98\x80\r\n";
    std::string path = MakeFile("emoji.txt", original);
    OpenFile(documents, path, kOpenModeNormal, true);
    windows.messages.clear();
    windows.answers = {kAnswerNo};
    EXPECT_FALSE(SaveCurrent(documents));
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgConfirmLossySave});
    EXPECT_EQ(TempFolder::Read(path), original);
    // Under another name it is written without a question, and from then on the
    // document is that file's whole content.
    std::string copy = folder.File("copy.txt");
    windows.savePaths = {copy};
    EXPECT_TRUE(SaveDocumentAs(documents, 0));
    EXPECT_EQ(windows.messages.size(), 1u);
    EXPECT_TRUE(SaveCurrent(documents));
    EXPECT_EQ(windows.messages.size(), 1u);
}

// A character the encoding cannot hold (𠂉 of plane 2 in Windows Shift-JIS) is written as
// "?" only when the user says so.
TEST_F(SaveTest, AnEncodingThatCannotHoldTheTextAsksFirst)
{
    const std::string path = folder.File("cp932.txt");
    windows.views[0].text = "\xf0\x40" "a";
    CurrentDocument(list).encoding = EncodingCode::Cp932;
    windows.answers = {kAnswerNo, kAnswerYes};
    EXPECT_TRUE(!SaveDocument(documents, 0, path) && TempFolder::Read(path).empty());
    EXPECT_TRUE(SaveDocument(documents, 0, path) && TempFolder::Read(path) == "?a");
    EXPECT_EQ(windows.messages, (std::vector<int>{kMsgConfirmUnheldSave, kMsgConfirmUnheldSave}));
}

TEST_F(SaveTest, ClosingAskedOnlyAboutChangesAndACancelledSaveKeepsTheTab)
{
    CloseCurrentTab(documents);  // nothing to ask
    EXPECT_TRUE(windows.asked.empty());
    NewDocument(documents);
    CurrentDocument(list).modified = true;
    NewDocument(documents);
    const int tabs = list.tabCount;
    SelectSlot(list, documents.host, 0);
    CurrentDocument(list).modified = true;
    windows.answers = {kAnswerYes};
    windows.savePaths = {""};  // the save-as dialog is cancelled
    CloseCurrentTab(documents);
    EXPECT_EQ(list.tabCount, tabs);
    EXPECT_EQ(windows.asked, std::vector<std::string>{kUntitledName});
}

TEST_F(SaveTest, CloseAllStopsAtTheFirstCancelWithEarlierSavesKept)
{
    std::string a = MakeFile("a.txt", "a"), b = MakeFile("b.txt", "b"), c = MakeFile("c.txt", "c");
    for (const std::string& path : {a, b, c}) OpenFile(documents, path, kOpenModeNewTab, true);
    for (int slot = 1; slot <= 3; ++slot) {
        GetDocument(list, slot)->modified = true;
        windows.views[slot].text += "!";
    }
    windows.answers = {kAnswerYes, kAnswerYes, kAnswerCancel};  // close all?, a: save, b: cancel
    EXPECT_FALSE(CloseAllTabs(documents, true));
    EXPECT_EQ(windows.shownWhenAsked, (std::vector<int>{1, 2}));  // each tab on screen when asked about
    EXPECT_EQ(list.tabCount, 4);
    EXPECT_EQ(TempFolder::Read(a), "a!");
    EXPECT_EQ(TempFolder::Read(b), "b");
    EXPECT_FALSE(GetDocument(list, 1)->modified);
    EXPECT_TRUE(GetDocument(list, 2)->modified);

    windows.answers = {kAnswerNo};  // the first question itself
    EXPECT_FALSE(CloseAllTabs(documents, true));
    EXPECT_EQ(windows.messages.back(), kMsgConfirmCloseAll);

    windows.answers = {kAnswerYes, kAnswerNo, kAnswerNo};
    EXPECT_TRUE(CloseAllTabs(documents, true));
    EXPECT_EQ(list.tabCount, 1);
    EXPECT_TRUE(IsReusable(CurrentDocument(list)));
    EXPECT_EQ(windows.ShownView(), list.currentSlot);
}

TEST_F(SaveTest, ExitWritesTheCurrentDocumentsWrapState)
{
    CurrentDocument(list).wrapped = true;
    EXPECT_TRUE(ConfirmExit(documents));
    EXPECT_EQ(Setting("main", "lapel"), 1);
    EXPECT_TRUE(windows.messages.empty());

    Set("notice", "OnEnd", 1);
    windows.answers = {kAnswerNo};
    EXPECT_FALSE(ConfirmExit(documents));
    windows.answers = {kAnswerYes};
    EXPECT_TRUE(ConfirmExit(documents));
    EXPECT_EQ(Setting("main", "lapel"), 0);  // the fresh tab does not wrap

    CurrentDocument(list).modified = true;
    windows.answers = {kAnswerYes, kAnswerCancel};
    EXPECT_FALSE(ConfirmExit(documents));
}

}  // namespace
