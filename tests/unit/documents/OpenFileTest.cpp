// Opening files: which tab a file goes into under each policy and mode, what a failed
// open leaves behind, detection and write protection, and the warning about a text that
// could not be loaded whole.
#include "FakeWindows.h"

namespace {

using OpenFileTest = OpenSaveFixture;

TEST_F(OpenFileTest, FirstFileTakesTheUntitledTabASecondGetsANewOneAndAnOpenPathOnlySwitches)
{
    std::string a = MakeFile("a.txt", "alpha\r\n"), b = MakeFile("b.txt", "beta");
    EXPECT_EQ(OpenFile(documents, a, kOpenModeNormal, true), kOpenLoaded);
    EXPECT_EQ(GetDocument(list, 0)->filePath, a);
    EXPECT_EQ(ViewText(0), "alpha\r\n");
    EXPECT_EQ(windows.activations, 1);
    Set("main", "FileWindowActive", 0);  // leaves the window alone
    EXPECT_EQ(OpenFile(documents, b, kOpenModeNormal, true), kOpenLoaded);
    EXPECT_EQ(list.currentSlot, 1);
    EXPECT_EQ(ViewText(1), "beta");
    EXPECT_EQ(windows.activations, 1);
    EXPECT_TRUE(windows.messages.empty());
    // Even with changes, and under any mode, even one that opens nothing.
    GetDocument(list, 0)->modified = true;
    windows.views[0].text = "edited";
    EXPECT_EQ(OpenFile(documents, a, kOpenModeNewTab, true), kOpenAlreadyOpen);
    EXPECT_EQ(list.currentSlot, 0);
    EXPECT_EQ(ViewText(0), "edited");
    EXPECT_EQ(OpenFile(documents, b, 7, true), kOpenAlreadyOpen);
    EXPECT_EQ(list.currentSlot, 1);
    EXPECT_EQ(list.tabCount, 2);
    EXPECT_EQ(windows.activations, 1);
    // A file already open comes forward like a loaded one.
    Set("main", "FileWindowActive", 1);
    EXPECT_EQ(OpenFile(documents, a, kOpenModeNormal, true), kOpenAlreadyOpen);
    EXPECT_EQ(windows.activations, 2);
}

TEST_F(OpenFileTest, AnUntitledTabWithChangesOrWriteProtectionIsNotReused)
{
    GetDocument(list, 0)->modified = true;
    EXPECT_EQ(Open("a.txt", "alpha", kOpenModeReuseUntitled), kOpenLoaded);
    EXPECT_EQ(list.currentSlot, 1);
    GetDocument(list, 0)->modified = false;
    GetDocument(list, 0)->writable = false;
    EXPECT_EQ(Open("b.txt", "beta", kOpenModeReuseUntitled), kOpenLoaded);
    EXPECT_EQ(list.currentSlot, 2);
    // A reusable tab in a lower slot is taken even when another tab is current.
    GetDocument(list, 0)->writable = true;
    EXPECT_EQ(Open("c.txt", "c", kOpenModeReuseUntitled), kOpenLoaded);
    EXPECT_EQ(list.currentSlot, 0);
}

TEST_F(OpenFileTest, CloseFirstAsksAboutChangesAndCancelLeavesEverything)
{
    GetDocument(list, 0)->modified = true;
    windows.views[0].text = "draft";
    windows.answers = {kAnswerCancel};
    EXPECT_EQ(Open("a.txt", "alpha", kOpenModeCloseFirst), kOpenCancelled);
    EXPECT_EQ(ViewText(0), "draft");
    EXPECT_TRUE(GetDocument(list, 0)->modified);
    EXPECT_EQ(windows.asked, std::vector<std::string>{kUntitledName});
    windows.answers = {kAnswerNo};
    EXPECT_EQ(Open("a.txt", "alpha", kOpenModeCloseFirst), kOpenLoaded);
    EXPECT_EQ(list.tabCount, 1);
    EXPECT_EQ(ViewText(0), "alpha");
    EXPECT_FALSE(GetDocument(list, 0)->modified);
}

TEST_F(OpenFileTest, AMissingFileUnknownModeOrEmptyPathOpensNothing)
{
    EXPECT_EQ(OpenFile(documents, folder.File("missing.txt"), kOpenModeNewTab, true), kOpenNotOpened);
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgFileNotFound});
    EXPECT_EQ(list.tabCount, 1) << "no empty tab is left behind";
    EXPECT_EQ(list.currentSlot, 0);
    EXPECT_EQ(windows.activations, 0);
    // Without showErrors nothing is shown; the tab chosen is still shown as current.
    const int repaints = windows.repaints;
    EXPECT_EQ(OpenFile(documents, folder.File("missing.txt"), kOpenModeReuseUntitled, false), kOpenNotOpened);
    EXPECT_EQ(list.currentSlot, 0);
    EXPECT_GT(windows.repaints, repaints);
    std::string a = MakeFile("a.txt", "alpha");
    EXPECT_EQ(OpenFile(documents, a, 7, true), kOpenNotOpened);
    EXPECT_EQ(OpenFile(documents, a, -2, true), kOpenNotOpened);
    // An empty path names no file, not the untitled tab.
    EXPECT_EQ(OpenFile(documents, "", kOpenModeNormal, true), kOpenNotOpened);
    EXPECT_EQ(windows.messages, (std::vector<int>{kMsgFileNotFound, kMsgFileNotFound}));
    EXPECT_TRUE(IsReusable(CurrentDocument(list)));
    // A file that is there but fails while being read: result 4 and message 3.
    FileFaultsForTesting broken;
    broken.readFailure = FileErrorKind::Other;
    SetFileFaultsForTesting(broken);
    windows.messages.clear();
    EXPECT_EQ(OpenFile(documents, a, kOpenModeNormal, true), kOpenReadFailed);
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgReadFailed});
}

TEST_F(OpenFileTest, AViewThatCannotTakeTheTextLeavesTheTabAsItWas)
{
    // Another policy value loads into the current tab without asking: a modified tab.
    std::string old = MakeFile("old.txt", "old");
    OpenFile(documents, old, kOpenModeNormal, true);
    windows.views[0].text = "edited";
    CurrentDocument(list).modified = true;
    const EncodingCode before = CurrentDocument(list).encoding;
    Set("tab", "OnOpen", 9);
    documents.host.setText = [](void*, int, std::string&&) { return false; };
    EXPECT_EQ(Open("new.txt", "\xe6\x97\xa5\xe6\x9c\xac\n"), kOpenNoMemory);
    EXPECT_EQ(CurrentDocument(list).filePath, old);
    EXPECT_TRUE(CurrentDocument(list).modified);
    EXPECT_EQ(CurrentDocument(list).encoding, before);
    EXPECT_EQ(ViewText(0), "edited");
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgOutOfMemory});
}

TEST_F(OpenFileTest, DroppedFilesFollowTheDropPolicy)
{
    Set("tab", "OnDrag", 2);
    EXPECT_EQ(Open("a.txt", "a", kOpenModeDrop), kOpenLoaded);
    EXPECT_EQ(list.tabCount, 2);
    // Another value loads into the current tab without asking.
    Set("tab", "OnDrag", 9);
    CurrentDocument(list).modified = true;
    EXPECT_EQ(Open("b.txt", "b", kOpenModeDrop), kOpenLoaded);
    EXPECT_EQ(list.tabCount, 2);
    EXPECT_TRUE(windows.asked.empty());
    EXPECT_EQ(CurrentDocument(list).fileName, "b.txt");
}

TEST_F(OpenFileTest, DetectionConvertsAndRecordsTheEncoding)
{
    // "日本" in UTF-8 and an empty file.
    EXPECT_EQ(Open("u.txt", "\xe6\x97\xa5\xe6\x9c\xac\n"), kOpenLoaded);
    EXPECT_EQ(ViewText(0), "\x93\xfa\x96\x7b\n");
    EXPECT_EQ(CurrentDocument(list).encoding, EncodingCode::Utf8);
    EXPECT_EQ(Open("e.txt", ""), kOpenLoaded);
    EXPECT_EQ(ViewText(1), "");
    EXPECT_EQ(CurrentDocument(list).encoding, EncodingCode::Undetermined);
    // Without detection the bytes load as they are and a reused tab keeps its code.
    Set("main", "auto_kanji", 0);
    GetDocument(list, 0)->encoding = EncodingCode::EucJp;
    windows.answers = {kAnswerNo};
    SelectSlot(list, documents.host, 0);
    EXPECT_EQ(Open("raw.txt", "\xe6\x97\xa5", kOpenModeCloseFirst), kOpenLoaded);
    EXPECT_EQ(ViewText(0), "\xe6\x97\xa5");
    EXPECT_EQ(GetDocument(list, 0)->encoding, EncodingCode::EucJp);
}

TEST_F(OpenFileTest, AReadOnlyFileOpensWriteProtectedAndALossyOneWarns)
{
    std::string path = MakeFile("ro.txt", "locked");
    std::filesystem::permissions(path, std::filesystem::perms::all, std::filesystem::perm_options::remove);
    EXPECT_EQ(OpenFile(documents, path, kOpenModeNormal, true), kOpenLoaded);
    EXPECT_FALSE(CurrentDocument(list).writable);
    EXPECT_FALSE(windows.views[0].editable);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    EXPECT_FALSE(CurrentDocument(list).loadedLossily);
    // An emoji has no Shift_JIS-2004 code: the text is marked and a warning shown once.
    EXPECT_EQ(Open("emoji.txt", "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e \xf0\x9f\x98\x80\r\n"), kOpenLoaded);
    EXPECT_EQ(windows.messages, std::vector<int>{kMsgLoadedLossily});
    EXPECT_TRUE(CurrentDocument(list).loadedLossily);
    // Zero bytes are kept whole: no warning.
    EXPECT_EQ(Open("zero.txt", std::string("a\0b", 3)), kOpenLoaded);
    EXPECT_FALSE(CurrentDocument(list).loadedLossily);
    EXPECT_EQ(ViewText(2), std::string("a\0b", 3));
    EXPECT_EQ(windows.messages.size(), 1u);
}

TEST_F(OpenFileTest, NewDocumentTakesTheReusableTabUnlessOnNewIsOneAndTheOpenDialogOpens)
{
    NewDocument(documents);
    EXPECT_EQ(list.tabCount, 1);
    GetDocument(list, 0)->modified = true;
    NewDocument(documents);
    EXPECT_EQ(list.tabCount, 2);
    NewDocument(documents);  // the new tab is reusable and current already
    EXPECT_EQ(list.tabCount, 2);
    Set("tab", "OnNew", 1);
    NewDocument(documents);
    EXPECT_EQ(list.tabCount, 3);
    // The open dialog opens the chosen file; cancelled, it opens nothing.
    windows.openPaths = {"", MakeFile("a.txt", "a")};
    ShowOpenDialog(documents);
    EXPECT_TRUE(CurrentDocument(list).filePath.empty());
    ShowOpenDialog(documents);
    EXPECT_EQ(CurrentDocument(list).fileName, "a.txt");
}

// Where the file dialogs start: the document's own folder (a "\" trail byte is no
// separator), else the last folder chosen; Save As suggests the name.
TEST(FileDialogStartTest, TheDocumentsFolderElseTheLastChosenAndTheNameForSaveAs)
{
    DocumentsState documents;
    NoteDialogChoice(documents, "D:\\last\\x.txt");
    const struct {
        const char* path;
        bool save;
        const char* folder;
        const char* name;
    } cases[] = {
        {"", false, "D:\\last", ""},
        {"", true, "D:\\last", ""},
        {"C:\\a\\b.txt", false, "C:\\a", ""},
        {"C:\\a\\b.txt", true, "C:\\a", "b.txt"},
        {"C:\\b.txt", true, "C:\\", "b.txt"},
        {"C:\\\x95\\\\\x95\\.txt", true, "C:\\\x95\\", "\x95\\.txt"},  // folder and name "表"
        {"/home/u/c.txt", true, "/home/u", "c.txt"},
    };
    for (const auto& c : cases) {
        SetPath(CurrentDocument(documents.list), c.path);
        const FileDialogStart start = StartOfFileDialog(documents, c.save);
        EXPECT_EQ(start.folder, c.folder) << c.path;
        EXPECT_EQ(start.name, c.name) << c.path;
    }
}

}  // namespace
