// The documents on real windows under Wine, driven by the messages a user's actions send:
// files handed over by another copy (WM_COPYDATA) and dropped (WM_DROPFILES), the save
// and close commands, the main window's close request. Files live in folders named with
// half-width katakana and with a 0x5C trail byte; write failures must leave the old file
// byte-identical and the document modified.
#include <windows.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/OpenFileRequest.h"
#include "config/ProfileFile.h"
#include "documents/OpenFile.h"
#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/ScratchFolder.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    ReadWholeFile(path.c_str(), bytes);
    return bytes;
}

// The view's own visibility (the main window itself stays hidden in tests).
bool Shown(HWND view) { return (GetWindowLongW(view, GWL_STYLE) & WS_VISIBLE) != 0; }

// A drop of files as the shell makes it: DROPFILES followed by wide paths.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t units = 1;
    for (const std::wstring& path : paths) units += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) {
        std::copy(path.begin(), path.end(), text);
        text += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct DocumentWindowsTest : testing::Test {
    ModalRecorder modal;
    // "ｶﾀｶﾅ" and "表示" (0x95 0x5C 0x8E 0xA6): names whose bytes trip naive path code.
    ScratchFolder kana{L"ｶﾀｶﾅ"};
    ScratchFolder trail{L"表示"};
    // Another copy's requests carry ANSI paths, which the test session's code page may
    // not spell in Japanese.
    ScratchFolder plain{L"plain"};

    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        Set("main", "FileWindowActive", 0);  // no synthesized keys in the test session
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    }
    void TearDown() override
    {
        SetFileFaultsForTesting(FileFaultsForTesting{});
        EndMainWindowForTest();
        // The first start's defaults for every key these tests change.
        Set("main", "FileWindowActive", 1);
        Set("main", "kanji", 0);
        Set("main", "retline", 4);
        Set("main", "lapel", 0);
        Set("tab", "OnOpen", 1);
        Set("tab", "OnDrag", 1);
        Set("notice", "OnCloseAll", 1);
        Set("notice", "OnEnd", 0);
    }
    static void Set(const char* section, const char* key, int value)
    {
        SetSection(*theApp.settings, section);
        WriteInt(*theApp.settings, key, value);
    }
    static int Setting(const char* section, const char* key)
    {
        SetSection(*theApp.settings, section);
        return GetInt(*theApp.settings, key);
    }
    DocumentList& List() { return theApp.documents.list; }
    Document& Current() { return CurrentDocument(List()); }
    void Command(int id)
    {
        SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }
    // Another copy asks for path (ASCII, so that any ANSI code page carries it).
    LRESULT Request(const std::wstring& path, int mode)
    {
        OpenFileRequest request;
        EXPECT_TRUE(MakeOpenFileRequest(InternalFromWide(path), mode, true, request));
        COPYDATASTRUCT data{COPYDATA_OPEN_FILE, sizeof request, &request};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    void Drop(const std::vector<std::wstring>& paths)
    {
        SendMessageW(theApp.mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        Pump();
    }
    std::string ViewTextOf(int slot)
    {
        std::string text(static_cast<size_t>(GetTextLength(slot)) + 1, '\0');
        text.resize(static_cast<size_t>(GetText(slot, text.data(), 4)));
        return text;
    }
    void Type(const char* text)
    {
        SetFocus(GetViewWindow(CurrentView()));
        for (const char* p = text; *p; ++p) SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, *p, 1);
        Pump();
    }
};

TEST_F(DocumentWindowsTest, FilesDroppedOpenInDropOrderFromFoldersWithAwkwardNames)
{
    const std::wstring a = kana.path() + L"ｱ.txt", b = trail.path() + L"表.txt", c = plain.path() + L"c.txt";
    WriteBytes(a, "alpha\r\n");
    WriteBytes(b, "\x95\x5c\r\n");
    WriteBytes(c, "c");
    Drop({a, b, c});
    ASSERT_EQ(List().tabCount, 3);
    // The first took the untitled tab, the others new ones; the last is current.
    EXPECT_EQ(WideFromInternal(GetDocument(List(), 0)->filePath), a);
    EXPECT_EQ(WideFromInternal(GetDocument(List(), 1)->filePath), b);
    EXPECT_EQ(WideFromInternal(GetDocument(List(), 2)->filePath), c);
    EXPECT_EQ(GetDocument(List(), 1)->tabPosition, 1);
    EXPECT_EQ(WideFromInternal(GetDocument(List(), 1)->fileName), L"表.txt");
    EXPECT_EQ(ViewTextOf(0), "alpha\r\n");
    EXPECT_EQ(ViewTextOf(1), "\x95\x5c\r\n");
    EXPECT_EQ(List().currentSlot, 2);
    EXPECT_TRUE(Shown(GetViewWindow(2)));
    EXPECT_FALSE(Shown(GetViewWindow(0)));
    EXPECT_FALSE(Shown(GetViewWindow(1)));
    SelectSlot(List(), theApp.documents.host, 1);
    wchar_t title[512];
    GetWindowTextW(theApp.mainWindow, title, 512);
    EXPECT_EQ(std::wstring(title), b + L"  - KelvaraTextEditorVer3.36");
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(DocumentWindowsTest, AnotherCopysRequestsFollowThePolicyAndFindOpenFiles)
{
    const std::wstring a = plain.path() + L"a.txt";
    WriteBytes(a, "a");
    EXPECT_EQ(Request(a, 0), kOpenLoaded);
    EXPECT_EQ(Request(a, 3), kOpenAlreadyOpen);
    EXPECT_EQ(List().tabCount, 1);
    // The same file spelled in another case is another path to the program.
    std::wstring upper = a;
    upper.replace(upper.size() - 5, 1, L"A");
    EXPECT_EQ(Request(upper, 0), kOpenLoaded);
    EXPECT_EQ(List().tabCount, 2);
    EXPECT_EQ(Request(plain.path() + L"missing.txt", 3), kOpenNotOpened);
    EXPECT_EQ(List().tabCount, 3);
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_FILE_NOT_FOUND);
    EXPECT_EQ(Request(a, 7), kOpenAlreadyOpen);
    EXPECT_EQ(Request(plain.path() + L"b.txt", 7), kOpenNotOpened);
}

TEST_F(DocumentWindowsTest, ARequestByShortNameOpensUnderTheLongName)
{
    // A sender whose code page lacks the characters hands over the short form.
    const std::wstring path = kana.path() + L"ﾒﾓ.txt";
    WriteBytes(path, "memo");
    wchar_t shortPath[MAX_PATH];
    DWORD units = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (units == 0 || std::wstring(shortPath, units) == path) GTEST_SKIP() << "no short names here";
    EXPECT_EQ(Request(std::wstring(shortPath, units), 0), kOpenLoaded);
    EXPECT_EQ(WideFromInternal(Current().filePath), path);
    EXPECT_EQ(ViewTextOf(CurrentView()), "memo");
}

TEST_F(DocumentWindowsTest, EveryViewCarriesItsSlotAndClosingReusesIt)
{
    Command(IDM_FILE_NEW);  // takes the untitled tab again: nothing new
    EXPECT_EQ(List().tabCount, 1);
    Set("tab", "OnOpen", 2);
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        WriteBytes(plain.path() + name, "x");
        Request(plain.path() + name, 0);
    }
    ASSERT_EQ(List().tabCount, 4);
    for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(SlotOfView(GetViewWindow(slot)), slot);
    SelectSlot(List(), theApp.documents.host, 2);
    Command(IDM_WINDOW_CLOSE_TAB);
    EXPECT_EQ(List().currentSlot, 1);
    EXPECT_EQ(GetViewWindow(2), nullptr);
    Set("tab", "OnNew", 1);
    Command(IDM_FILE_NEW);
    Set("tab", "OnNew", 0);
    EXPECT_EQ(List().currentSlot, 2);
    EXPECT_EQ(Current().tabPosition, 3);
    EXPECT_EQ(SlotOfView(GetViewWindow(2)), 2);
    // An edit in the view reaches the document through the main window.
    Type("k");
    EXPECT_TRUE(Current().modified);
}

TEST_F(DocumentWindowsTest, AReadOnlyFileOpensWriteProtectedAndCannotBeSavedOver)
{
    const std::wstring path = trail.path() + L"ro.txt";
    WriteBytes(path, "keep");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Drop({path});
    EXPECT_FALSE(Current().writable);
    wchar_t title[512];
    GetWindowTextW(theApp.mainWindow, title, 512);
    EXPECT_NE(std::wstring(title).find(L"(書込禁止)"), std::wstring::npos);
    // Write protection does not stop a save; the file's attribute does.
    SetText(CurrentView(), "changed");
    Current().modified = true;
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), "keep");
    EXPECT_TRUE(Current().modified);
    ASSERT_FALSE(modal.shown.empty());
    EXPECT_EQ(modal.shown.back().number, IDS_MSG_WRITE_FAILED);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DocumentWindowsTest, FailedWritesLeaveTheOldFileWhole)
{
    const std::wstring path = kana.path() + L"keep.txt";
    WriteBytes(path, "old bytes");
    Drop({path});
    SetText(CurrentView(), "new bytes, more of them");
    Current().modified = true;

    // Another program holds the file open without sharing it.
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Command(IDM_FILE_SAVE);
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(path), "old bytes");
    EXPECT_TRUE(Current().modified);

    // The disk fills up in the middle of the write.
    FileFaultsForTesting full;
    full.writeFailsAfterBytes = 3;
    SetFileFaultsForTesting(full);
    Command(IDM_FILE_SAVE);
    SetFileFaultsForTesting(FileFaultsForTesting{});
    EXPECT_EQ(ReadBytes(path), "old bytes");
    EXPECT_TRUE(Current().modified);
    EXPECT_EQ(kana.Entries(), L"keep.txt|");
    ASSERT_EQ(modal.shown.size(), 2u) << modal.shown[0].number;
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_WRITE_FAILED);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_WRITE_FAILED);

    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), "new bytes, more of them");
    EXPECT_FALSE(Current().modified);
}

TEST_F(DocumentWindowsTest, ZeroBytesComeBackAsTheyWere)
{
    const std::string bytes("a\0b\r\nc\r\ne\x95\x5c\0\0z", 14);
    const std::wstring path = trail.path() + L"zero.bin";
    WriteBytes(path, bytes);
    Set("main", "auto_kanji", 0);
    Drop({path});
    Set("main", "auto_kanji", 1);
    Current().modified = true;
    Command(IDM_FILE_SAVE);
    EXPECT_FALSE(Current().modified);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(DocumentWindowsTest, SaveAsWritesEachEncodingWithHalfWidthKatakanaWidened)
{
    // "ｱｲ" and a line break: widened to "アイ" by every encoding but Shift_JIS.
    struct Case {
        int kanji;
        const wchar_t* name;
        std::string bytes;
    } cases[] = {
        {1, L"s.txt", "\xb1\xb2\r\n"},
        {2, L"e.txt", "\xa5\xa2\xa5\xa4\r\n"},
        {3, L"j.txt", "\x1b$(O%\"%$\x1b(B\r\n"},
        {5, L"u.txt", "\xe3\x82\xa2\xe3\x82\xa4\r\n"},
    };
    Set("main", "retline", 1);
    for (const Case& c : cases) {
        Set("main", "kanji", c.kanji);
        SetText(CurrentView(), "\xb1\xb2\n");
        modal.chosenFiles = {trail.path() + c.name};
        Command(IDM_FILE_SAVE_AS);
        EXPECT_EQ(ReadBytes(trail.path() + c.name), c.bytes) << c.kanji;
    }
    ASSERT_EQ(modal.fileDialogs.size(), 4u);
    EXPECT_TRUE(modal.fileDialogs[0].save);
    EXPECT_EQ(std::wstring(modal.fileDialogs[0].title), L"名前をつけて保存");
    EXPECT_EQ(std::wstring(modal.fileDialogs[0].filter), L"テキストファイル(*.txt)");
    EXPECT_EQ(WideFromInternal(Current().fileName), L"u.txt");
}

TEST_F(DocumentWindowsTest, TheOpenDialogOpensAndItsCancelChangesNothing)
{
    const std::wstring path = kana.path() + L"ﾃﾞｰﾀ.txt";
    WriteBytes(path, "data");
    modal.chosenFiles = {L"", path};
    Command(IDM_FILE_OPEN);
    EXPECT_TRUE(Current().filePath.empty());
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(WideFromInternal(Current().filePath), path);
    ASSERT_EQ(modal.fileDialogs.size(), 2u);
    EXPECT_FALSE(modal.fileDialogs[1].save);
    EXPECT_EQ(std::wstring(modal.fileDialogs[1].title), L"ファイルを開く");
}

TEST_F(DocumentWindowsTest, CloseAllCancelledInTheMiddleKeepsEveryTab)
{
    Set("tab", "OnOpen", 2);
    Set("tab", "OnDrag", 2);
    const std::wstring a = kana.path() + L"a.txt", b = kana.path() + L"b.txt";
    WriteBytes(a, "a");
    WriteBytes(b, "b");
    Drop({a, b});
    for (int slot = 1; slot <= 2; ++slot) {
        SetText(slot, "changed");
        GetDocument(List(), slot)->modified = true;
    }
    modal.answers = {IDYES, IDYES, IDCANCEL};  // close all?  a: save  b: cancel
    Command(IDM_WINDOW_CLOSE_ALL_TABS);
    EXPECT_EQ(List().tabCount, 3);
    EXPECT_EQ(ReadBytes(a), "changed");
    EXPECT_EQ(ReadBytes(b), "b");
    ASSERT_EQ(modal.shown.size(), 3u);
    EXPECT_EQ(modal.shown[1].text, L"a.txtは変更されています。\n変更点を保存しますか？");
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));

    modal.answers = {IDYES, IDNO};
    Command(IDM_WINDOW_CLOSE_ALL_TABS);
    EXPECT_EQ(List().tabCount, 1);
    EXPECT_TRUE(IsReusable(Current()));
    EXPECT_TRUE(Shown(GetViewWindow(CurrentView())));
}

TEST_F(DocumentWindowsTest, ClosingTheWindowAsksWritesTheWrapAndEnds)
{
    Current().wrapped = true;
    Current().modified = true;
    modal.answers = {IDCANCEL};
    SendMessageW(theApp.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(theApp.mainWindow));
    modal.answers = {IDNO};
    HWND window = theApp.mainWindow;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Setting("main", "lapel"), 1);
}

TEST_F(DocumentWindowsTest, StartingWithLapelWrapsTheFirstDocument)
{
    EndMainWindowForTest();
    Set("main", "lapel", 1);
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    EXPECT_TRUE(Current().wrapped);
    modal.answers = {};
    SendMessageW(theApp.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(Setting("main", "lapel"), 1);
}

}  // namespace
