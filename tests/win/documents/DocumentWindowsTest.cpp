// The documents in a real main window, driven by drops, another copy's requests, the file
// commands and the close request, in folders whose names trip naive path code.
#include <windows.h>

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "../support/AppSession.h"
#include "app/OpenFileRequest.h"
#include "documents/OpenFile.h"
#include "documents/win32/DocumentWindows.h"
#include "documents/win32/TabBar.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/OleDrag.h"
#include "../support/ScratchFolder.h"

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT) DispatchMessageW(&message);
}

struct DocumentWindowsTest : MainWindowTest {
    ScratchFolder kana{L"ｶﾀｶﾅ"};
    ScratchFolder trail{L"表示"};  // 0x95 0x5C 0x8E 0xA6
    // Another copy's requests carry ANSI paths, which the session's code page may not spell.
    ScratchFolder plain{L"plain"};

    static bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        Set("main", "FileWindowActive", 0);  // no synthesized keys in the test session
        Start();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        // The first start's defaults for every key these tests change.
        Set("main", "FileWindowActive", 1);
        Set("main", "lapel", 0);
        Set("tab", "OnOpen", 1);
        Set("tab", "OnDrag", 1);
    }
    static void Set(const char* section, const char* key, int value)
    {
        SetSection(*theApp.settings, section);
        WriteInt(*theApp.settings, key, value);
    }
    DocumentList& List() { return theApp.documents.list; }
    Document& Current() { return CurrentDocument(List()); }
    std::wstring PathOf(int slot) { return WideFromInternal(GetDocument(List(), slot)->filePath); }
    void Command(int id)
    {
        SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }
    LRESULT Request(const std::wstring& path, int mode)
    {
        OpenFileRequest request;
        EXPECT_TRUE(MakeOpenFileRequest(InternalFromWide(path), mode, true, request));
        COPYDATASTRUCT data{COPYDATA_OPEN_FILE, sizeof request, &request};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    void Drop(const std::vector<std::wstring>& paths)
    {
        std::vector<BYTE> block = oledrag::DropFilesBlock(paths);
        HGLOBAL memory = GlobalAlloc(GHND, block.size());
        std::copy(block.begin(), block.end(), static_cast<BYTE*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        SendMessageW(theApp.mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
        Pump();
    }
};

TEST_F(DocumentWindowsTest, DroppedFilesOpenInDropOrderFromFoldersWithAwkwardNames)
{
    const std::wstring a = kana.path() + L"ｱ.txt", b = trail.path() + L"表.txt", c = plain.path() + L"c.txt";
    WriteFileBytes(a, "alpha\r\n");
    WriteFileBytes(b, "\x95\x5c\r\n");
    WriteFileBytes(c, "c");
    Drop({a, b, c});
    ASSERT_EQ(List().tabCount, 3);
    EXPECT_EQ((std::vector<std::wstring>{PathOf(0), PathOf(1), PathOf(2)}), (std::vector<std::wstring>{a, b, c}));
    EXPECT_EQ(WideFromInternal(GetDocument(List(), 1)->fileName), L"表.txt");
    char text[16] = {};
    EXPECT_EQ(std::string(text, static_cast<size_t>(GetText(1, text, 4))), "\x95\x5c\r\n");
    EXPECT_TRUE(Shown(GetViewWindow(2)));
    EXPECT_FALSE(Shown(GetViewWindow(0)));
    SelectSlot(List(), theApp.documents.host, 1);
    EXPECT_EQ(Title(), b + L"  - KelvaraTextEditorVer3.36");
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(DocumentWindowsTest, AnotherCopysRequestsOpenFindOpenFilesAndReportMissingOnes)
{
    const std::wstring a = plain.path() + L"a.txt";
    WriteFileBytes(a, "a");
    EXPECT_EQ(Request(a, 0), kOpenLoaded);
    EXPECT_EQ(Request(a, 3), kOpenAlreadyOpen);
    EXPECT_EQ(Request(plain.path() + L"missing.txt", 0), kOpenNotOpened);
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_FILE_NOT_FOUND);
}

TEST_F(DocumentWindowsTest, EveryViewCarriesItsSlotAndClosingATabFreesIt)
{
    Set("tab", "OnOpen", 2);
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        WriteFileBytes(plain.path() + name, "x");
        Request(plain.path() + name, 0);
    }
    ASSERT_EQ(List().tabCount, 4);
    for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(SlotOfView(GetViewWindow(slot)), slot);
    SelectSlot(List(), theApp.documents.host, 2);
    Command(IDM_WINDOW_CLOSE_TAB);
    EXPECT_EQ(List().currentSlot, 1);
    EXPECT_EQ(GetViewWindow(2), nullptr);
    // The list reaches the main window's tab bar: a tooltip per tab beside the buttons'.
    TabBar* bar = BarOfWindow(FindWindowExW(theApp.mainWindow, nullptr, L"TabEx", nullptr));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar->tipWindow, TTM_GETTOOLCOUNT, 0, 0), 3 + 3);
    // An edit in the view reaches the document through the main window.
    SetFocus(GetViewWindow(CurrentView()));
    SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, 'k', 1);
    Pump();
    EXPECT_TRUE(Current().modified);
    // Undone back to the file's text, the tab reads as unmodified again.
    Command(IDM_EDIT_UNDO);
    Pump();
    EXPECT_FALSE(Current().modified);
}

TEST_F(DocumentWindowsTest, ClosedTabsFreeTheirViewsDrawingObjects)
{
    const HANDLE process = GetCurrentProcess();
    const DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);
    const ViewWindowCounts before = GetViewWindowCounts();
    for (int round = 0; round < 200; ++round) {
        Command(IDM_WINDOW_NEW_TAB);
        UpdateWindow(GetViewWindow(CurrentView()));  // paints, so the back buffer exists
        Command(IDM_WINDOW_CLOSE_TAB);
    }
    const ViewWindowCounts after = GetViewWindowCounts();
    EXPECT_EQ(after.created - before.created, 200);
    EXPECT_EQ(after.tornDown - before.tornDown, 200);
    // Wine reports 0 for both; Windows reports the real counts.
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore + 10);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), userBefore + 10);
}

TEST_F(DocumentWindowsTest, AFileTheSystemWillNotLetBeWrittenKeepsItsBytesAndTheChanges)
{
    const std::wstring locked = trail.path() + L"locked.txt", readOnly = trail.path() + L"ro.txt";
    WriteFileBytes(locked, "old bytes");
    WriteFileBytes(readOnly, "keep");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    Drop({locked, readOnly});
    EXPECT_FALSE(Current().writable);
    EXPECT_NE(Title().find(L"(書込禁止)"), std::wstring::npos);
    for (int slot : {1, 0}) {
        SelectSlot(List(), theApp.documents.host, slot);
        SetText(slot, "changed");
        Current().modified = true;
        // Another program holds the first file open without sharing it.
        HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Command(IDM_FILE_SAVE);
        CloseHandle(lock);
        EXPECT_TRUE(Current().modified);
    }
    EXPECT_EQ(ReadFileBytes(readOnly), "keep");
    EXPECT_EQ(ReadFileBytes(locked), "old bytes");
    EXPECT_EQ(trail.Entries(), L"locked.txt|ro.txt|");
    // The read-only file says so (and offers another name, declined here); the locked one
    // could not be written.
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_READ_ONLY_SAVE_AS);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_WRITE_FAILED);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(locked), "changed");
    EXPECT_FALSE(Current().modified);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DocumentWindowsTest, TheFileDialogsOpenAndSaveUnderTheChosenNames)
{
    const std::wstring data = kana.path() + L"ﾃﾞｰﾀ.txt", saved = trail.path() + L"e.txt";
    WriteFileBytes(data, "data");
    modal.chosenFiles = {L"", data};
    Command(IDM_FILE_OPEN);  // cancelled
    EXPECT_TRUE(Current().filePath.empty());
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(WideFromInternal(Current().filePath), data);
    Set("main", "kanji", 2);
    SetText(CurrentView(), "\xb1\n");  // "ｱ", kept half-width by EUC-JP
    modal.chosenFiles = {saved};
    Command(IDM_FILE_SAVE_AS);
    Set("main", "kanji", 0);
    EXPECT_EQ(ReadFileBytes(saved), "\x8e\xb1\n");
    ASSERT_EQ(modal.fileDialogs.size(), 3u);
    EXPECT_EQ(std::wstring(modal.fileDialogs[0].title), L"ファイルを開く");
    EXPECT_EQ(std::wstring(modal.fileDialogs[2].title), L"名前をつけて保存");
    EXPECT_EQ(std::wstring(modal.fileDialogs[2].filter), L"テキストファイル(*.txt)");

    // A fresh view typed into and saved under a first start's settings: Shift_JIS, CR LF.
    Set("main", "retline", 4);
    Command(IDM_FILE_NEW);
    for (wchar_t typed : std::wstring(L"あ\rb")) SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, typed, 0);
    modal.chosenFiles = {trail.path() + L"fresh.txt"};
    Command(IDM_FILE_SAVE_AS);
    EXPECT_EQ(ReadFileBytes(trail.path() + L"fresh.txt"), "\x82\xa0\r\nb");
}

TEST_F(DocumentWindowsTest, CloseAllAsksForEachChangedTabByName)
{
    Set("tab", "OnDrag", 2);
    const std::wstring a = kana.path() + L"a.txt", b = kana.path() + L"b.txt";
    WriteFileBytes(a, "a");
    WriteFileBytes(b, "b");
    Drop({a, b});
    for (int slot = 1; slot <= 2; ++slot) {
        SetText(slot, "changed");
        GetDocument(List(), slot)->modified = true;
    }
    modal.answers = {IDYES, IDYES, IDCANCEL};  // close all?  a: save  b: cancel
    Command(IDM_WINDOW_CLOSE_ALL_TABS);
    EXPECT_EQ(List().tabCount, 3);
    ASSERT_EQ(modal.shown.size(), 3u);
    EXPECT_EQ(modal.shown[1].text, L"a.txtは変更されています。\n変更点を保存しますか？");
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));
    modal.answers = {IDYES, IDNO};
    Command(IDM_WINDOW_CLOSE_ALL_TABS);
    EXPECT_EQ(List().tabCount, 1);
    EXPECT_TRUE(Shown(GetViewWindow(CurrentView())));
}

TEST_F(DocumentWindowsTest, ClosingTheWindowAsksAndKeepsTheWrapForTheNextStart)
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
    EndMainWindowForTest();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    EXPECT_TRUE(Current().wrapped);
}

// Dialog 160 really shown for each encoding through the command (the last through a click on
// the status bar's encoding): the text read in it, the label the bar then shows, and the
// text first read back by an undo.
int reopenRow = 0;

TEST_F(DocumentWindowsTest, ReopeningInEachEncodingThroughTheRealDialogReadsItAndLabelsIt)
{
    struct Row {
        std::string bytes, text;
        const wchar_t* label;
    } const rows[] = {
        {"\xed\x9e", "\xed\x9e", L"S-JIS"},
        {"\xed\x9e", "\xea\xc3", L"CP932"},  // 德, an NEC-selected kanji
        {"\xc6\xfc", "\x93\xfa", L"EUC"},
        {"\x1b$B\x46\x7c\x1b(B", "\x93\xfa", L"JIS"},
        {"\xe6\x97\xa5", "\x93\xfa", L"UTF8"},
        {"\xe5\x65", "\x93\xfa", L"UTF16"},
        {"\x65\xe5", "\x93\xfa", L"UTF16BE"},  // Save As below shows " BOM"
    };
    // A file recognition could only take as Shift-JIS (a zero byte) says so.
    WriteFileBytes(plain.path() + L"zero.txt", std::string("ab\0cdefgh\r\n", 11));
    ASSERT_EQ(Request(plain.path() + L"zero.txt", 0), kOpenLoaded);
    EXPECT_EQ(StatusPart(kStatusEncoding), L"S-JIS?");
    modal.realDialogs = {IDD_ENCODING_CHOICE};
    modal.dialogScript = [](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_ENCODING_LIST, LB_SETCURSEL, static_cast<WPARAM>(reopenRow), 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    for (reopenRow = 0; reopenRow < kEncodingChoiceCount; ++reopenRow) {
        const Row& row = rows[reopenRow];
        SCOPED_TRACE(reopenRow);
        const std::wstring path = plain.path() + L"e" + std::to_wstring(reopenRow) + L".txt";
        WriteFileBytes(path, row.bytes);
        ASSERT_EQ(Request(path, 0), kOpenLoaded);
        const std::string read = CurrentViewText();
        if (reopenRow + 1 < kEncodingChoiceCount) {
            Command(IDM_FILE_REOPEN_ENCODING);
        } else {
            NMMOUSE click = {};
            click.hdr = {theApp.frame.statusBar.window, 0, static_cast<UINT>(NM_CLICK)};
            click.dwItemSpec = kStatusEncoding;
            SendMessageW(theApp.mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
            Pump();
        }
        EXPECT_EQ(CurrentViewText(), row.text);
        EXPECT_TRUE(Current().encodingChosen);
        EXPECT_EQ(StatusPart(kStatusEncoding), row.label);
        Command(IDM_EDIT_UNDO);
        EXPECT_EQ(CurrentViewText(), read) << "undo brings back the text as first read";
    }
    EXPECT_EQ(modal.dialogs, std::vector<int>(kEncodingChoiceCount, IDD_ENCODING_CHOICE));
    EXPECT_TRUE(modal.shown.empty());
}

// The Save As dialog really shown, its lists and box used as a user does.
std::wstring saveAsName;
bool markEnabledForEuc = true, markEnabledForUtf16Be = false;

BOOL CALLBACK FindSaveControls(HWND window, LPARAM found)
{
    if (GetDlgItem(window, IDC_FILE_LINE_ENDING) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND SaveControls(HWND fileDialog)
{
    HWND found = nullptr;
    EnumChildWindows(fileDialog, &FindSaveControls, reinterpret_cast<LPARAM>(&found));
    return found;
}

void Pick(HWND controls, int id, int row)
{
    SendDlgItemMessageW(controls, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(controls, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(controls, id)));
}

TEST_F(DocumentWindowsTest, SaveAsThroughTheRealDialogWritesUtf16BeWithAMarkAndCrByteForByte)
{
    const std::wstring path = plain.path() + L"a.txt";
    WriteFileBytes(path, "\x93\xfa\r\nA");  // 日 CR LF A
    ASSERT_EQ(Request(path, 0), kOpenLoaded);
    saveAsName = plain.path() + L"be.txt";
    modal.realFileDialogs = true;
    modal.dialogScript = [](HWND dialog) {
        HWND controls = SaveControls(dialog);
        if (controls == nullptr) {  // the test fails on the file not written
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        Pick(controls, IDC_FILE_ENCODING, 3);  // euc: no mark
        markEnabledForEuc = IsWindowEnabled(GetDlgItem(controls, IDC_FILE_MARK));
        Pick(controls, IDC_FILE_ENCODING, 7);  // utf16be
        markEnabledForUtf16Be = IsWindowEnabled(GetDlgItem(controls, IDC_FILE_MARK));
        CheckDlgButton(controls, IDC_FILE_MARK, BST_CHECKED);
        Pick(controls, IDC_FILE_LINE_ENDING, 3);  // CR
        for (int box : {edt1, cmb13}) SetDlgItemTextW(dialog, box, saveAsName.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    Command(IDM_FILE_SAVE_AS);
    EXPECT_EQ(ReadFileBytes(saveAsName), std::string("\xfe\xff\x65\xe5\x00\x0d\x00\x41", 8));
    EXPECT_FALSE(markEnabledForEuc);
    EXPECT_TRUE(markEnabledForUtf16Be);
    EXPECT_EQ(PathOf(List().currentSlot), saveAsName);
    EXPECT_EQ(StatusPart(kStatusEncoding) + L" " + StatusPart(kStatusLineEnding), L"UTF16BE BOM CR");
    EXPECT_TRUE(modal.shown.empty());
}

}  // namespace
