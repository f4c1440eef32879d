// Start-up under Wine: the settings file beside the executable (also in folders whose
// names only the code-for-code name pair or the short form can hold), message 9, the
// window placement, the single-instance hand-over (in-process and from a real second
// process), and requests from other processes that are malformed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/OpenFileRequest.h"
#include "files/FileAccess.h"
#include "config/ProfileFile.h"
#include "encoding/NameText.h"
#include "platform/HeldPath.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/ScratchFolder.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

struct ReceivedRequest {
    std::string path;
    int mode;
    bool showErrors;
};
std::vector<ReceivedRequest> received;

int RecordRequest(const char* path, int mode, bool showErrors)
{
    received.push_back({path, mode, showErrors});
    return 0;
}

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string SettingsPath() { return std::string(theApp.programFolder) + "kvte.ini"; }

struct StartupTest : testing::Test {
    ModalRecorder modal;
    OpenRequestHandler previousHandler = SetOpenRequestHandler(&RecordRequest);

    void SetUp() override { received.clear(); }
    void TearDown() override
    {
        EndMainWindowForTest();
        SetOpenRequestHandler(previousHandler);
    }
    void FreshSettings()
    {
        DeleteFileW((ModuleFolder() + L"kvte.ini").c_str());
        ASSERT_TRUE(PrepareSettings());
    }
    std::string SettingsText()
    {
        std::string text;
        ReadWholeFile(SettingsPath().c_str(), text);
        return text;
    }
};

TEST_F(StartupTest, FirstStartCreatesCurrentSettingsSilently)
{
    FreshSettings();
    EXPECT_TRUE(modal.shown.empty());
    std::string text = SettingsText();
    ASSERT_FALSE(text.empty());
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "version");
    EXPECT_EQ(GetInt(settings, "main"), 336);
    EXPECT_EQ(GetInt(settings, "a"), 0);
    EXPECT_EQ(GetInt(settings, "b"), 0);
    size_t fileType = text.find("\r\n\r\n[FileType]\r\nhtm=HTML.esf\r\nhtml=HTML.esf\r\nini=ini.esf\r\n");
    ASSERT_NE(fileType, std::string::npos);
    EXPECT_EQ(text.find('[', fileType + 5), std::string::npos);
    EXPECT_NE(
        text.find("\r\n[main]\r\nFileWindowActive=1\r\nwindows=1\r\nx=200\r\ny=200\r\nwidth=480\r\n"
                  "height=300\r\nretline=4\r\nkanji=0\r\nauto_kanji=1\r\nutf16_bom=0\r\nutf8_bom=0\r\nlapel=0\r\n"),
        std::string::npos);
    EXPECT_STREQ(theApp.helpFilePath, (std::string(theApp.programFolder) + "help.chm").c_str());
}

TEST_F(StartupTest, AnOlderFileShowsMessageNineOnce)
{
    FreshSettings();
    SetSection(*theApp.settings, "version");
    WriteInt(*theApp.settings, "main", 300);
    ASSERT_TRUE(PrepareSettings());
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, 9);
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_EQ(modal.shown[0].text,
              L"KelvaraTextEditorのバージョンが新しくなりました。\n今から設定ファイルを更新したあと起動します。");
    ASSERT_TRUE(PrepareSettings());
    EXPECT_EQ(modal.shown.size(), 1u);
}

TEST_F(StartupTest, WindowPlacementComesFromTheSettings)
{
    FreshSettings();
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "main");
    WriteInt(settings, "windows", 0);
    WriteInt(settings, "x", 40);
    WriteInt(settings, "y", 50);
    WriteInt(settings, "width", 500);
    WriteInt(settings, "height", 320);
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_SHOWNOACTIVATE), StartResult::Created);
    RECT rect;
    GetWindowRect(theApp.mainWindow, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 320);
    EXPECT_NE(GetViewWindow(0), nullptr);
    wchar_t title[128];
    GetWindowTextW(theApp.mainWindow, title, 128);
    EXPECT_STREQ(title, L"無題  - KelvaraTextEditorVer3.36");
}

TEST_F(StartupTest, ASecondStartHandsItsPathOverAndMakesNoWindow)
{
    FreshSettings();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_EQ(CreateMainWindow(instance, L"", SW_HIDE), StartResult::Created);
    HWND first = theApp.mainWindow;

    std::wstring file = ModuleFolder() + L"hand over.txt";
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);

    EXPECT_EQ(CreateMainWindow(instance, (L"\"" + file + L"\"").c_str(), SW_HIDE), StartResult::HandedOver);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NE(received[0].path.find("hand over.txt"), std::string::npos);
    EXPECT_EQ(received[0].path.find('"'), std::string::npos);
    EXPECT_EQ(received[0].mode, 0);
    EXPECT_TRUE(received[0].showErrors);

    // Unquoted, with a blank: taken whole.
    EXPECT_EQ(CreateMainWindow(instance, file.c_str(), SW_HIDE), StartResult::HandedOver);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].path, received[0].path);

    // No path: nothing is sent.
    EXPECT_EQ(CreateMainWindow(instance, L"", SW_HIDE), StartResult::HandedOver);
    EXPECT_EQ(received.size(), 2u);
    theApp.mainWindow = first;
    DeleteFileW(file.c_str());
}

struct SecondCopyRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<std::wstring> boxes;  // titles of the message boxes it showed, each answered OK
};

struct BoxSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMessageBox(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == search->processId && IsWindowVisible(window) && std::wstring(className) == L"#32770")
        search->found.push_back(window);
    return TRUE;
}

// Answers the message boxes of the process with OK, recording their titles.
void AnswerMessageBoxes(DWORD processId, std::vector<std::wstring>& boxes)
{
    BoxSearch search{processId, {}};
    EnumWindows(&CollectMessageBox, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.found) {
        wchar_t title[64] = {};
        GetWindowTextW(box, title, 64);
        boxes.push_back(title);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// Runs a copy of kvte.exe as a real second process while this test's window runs,
// serving the messages it sends and answering its message boxes. exe: the copy to run
// (empty: the one built beside the tests).
SecondCopyRun RunSecondCopy(const std::wstring& arguments, std::wstring exe = L"")
{
    SecondCopyRun run;
    if (exe.empty()) exe = ModuleFolder() + L"..\\..\\kvte.exe";
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return run;
    CloseHandle(process.hThread);
    DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (GetTickCount() - start > 60000) {
            TerminateProcess(process.hProcess, 0xFFFFFFFD);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        AnswerMessageBoxes(process.dwProcessId, run.boxes);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    return run;
}

TEST_F(StartupTest, ARealSecondProcessSendsOneRequestAndEndsWithZero)
{
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    std::wstring file = ModuleFolder() + L"second copy.txt";
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(created);

    EXPECT_EQ(RunSecondCopy(L"\"" + file + L"\"").exitCode, 0u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NE(received[0].path.find("second copy.txt"), std::string::npos);
    EXPECT_EQ(received[0].mode, 0);
    EXPECT_TRUE(received[0].showErrors);

    EXPECT_EQ(RunSecondCopy(L"").exitCode, 0u);
    EXPECT_EQ(received.size(), 1u);
    EXPECT_EQ(FindWindowExW(nullptr, theApp.mainWindow, kMainWindowClass, nullptr), nullptr)
        << "the second copy left a window behind";
    DeleteFileW(file.c_str());
}

TEST_F(StartupTest, MalformedCopyDataIsRefusedWithResultThree)
{
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    auto send = [](const void* data, DWORD size) {
        COPYDATASTRUCT copy{COPYDATA_OPEN_FILE, size, const_cast<void*>(data)};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    };
    std::vector<char> shortData(100, 0);
    EXPECT_EQ(send(shortData.data(), static_cast<DWORD>(shortData.size())), 3);
    std::vector<char> unterminated(272, 'a');
    EXPECT_EQ(send(unterminated.data(), static_cast<DWORD>(unterminated.size())), 3);
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(modal.shown.empty());

    OpenFileRequest request;
    ASSERT_TRUE(MakeOpenFileRequest("C:\\x.txt", 2, false, request));
    EXPECT_EQ(send(&request, sizeof request), 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].path, "C:\\x.txt");
    EXPECT_EQ(received[0].mode, 2);
    EXPECT_FALSE(received[0].showErrors);
}

}  // namespace

namespace {

// The accelerators turn the usual editing keys into commands of the main window; each
// must reach the view, or the key would be swallowed.
TEST_F(StartupTest, EditingAcceleratorsReachTheView)
{
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_SHOWNOACTIVATE), StartResult::Created);
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(112));
    ASSERT_NE(accelerators, nullptr);
    auto press = [&](WORD key, bool control) {
        MSG message = {GetViewWindow(0), WM_KEYDOWN, key, 0, 0, {0, 0}};
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        EXPECT_TRUE(TranslateAcceleratorW(theApp.mainWindow, accelerators, &message));
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    auto text = [] {
        std::vector<char> buffer(static_cast<size_t>(GetTextLength(0)) + 1);
        GetText(0, buffer.data(), 1);
        return std::string(buffer.data());
    };
    InsertText(0, "abc");
    press('A', true);  // select all
    press('C', true);  // copy
    press('Z', true);  // undo the insertion
    EXPECT_EQ(text(), "");
    press('Y', true);  // redo
    EXPECT_EQ(text(), "abc");
    press('A', true);
    press('V', true);  // paste the copied "abc" over the selection, then once more
    press('V', true);
    EXPECT_EQ(text(), "abcabc");
    DestroyAcceleratorTable(accelerators);
}

}  // namespace

namespace {

// kvte.exe copied into a fresh folder of the given name and started there twice while
// this test's window runs, so that each start prepares its settings and then hands over
// (nothing) and ends: the first start creates "kvte.ini" there silently; the second,
// after the file has been set back to version 300, reads that same file, announces the
// upgrade once and writes it there.
void StartTwiceIn(const std::wstring& name)
{
    ScratchFolder folder(name);
    ASSERT_TRUE(folder.Exists());
    const std::wstring exe = folder.path() + L"kvte.exe";
    const std::wstring ini = folder.path() + L"kvte.ini";
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"..\\..\\kvte.exe").c_str(), exe.c_str(), FALSE));

    SecondCopyRun first = RunSecondCopy(L"", exe);
    EXPECT_EQ(first.exitCode, 0u);
    EXPECT_TRUE(first.boxes.empty());
    std::string text = ReadFileBytes(ini);
    ASSERT_NE(text.find("[Version]\r\nmain=336\r\na=0\r\nb=0\r\n"), std::string::npos) << "no kvte.ini there";
    EXPECT_NE(text.find("\r\n\r\n[FileType]\r\nhtm=HTML.esf"), std::string::npos);

    text.replace(text.find("main=336"), 8, "main=300");
    ASSERT_TRUE(WriteFileBytes(ini, text));
    SecondCopyRun second = RunSecondCopy(L"", exe);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_EQ(second.boxes, std::vector<std::wstring>{L"KelvaraTextEditor"});  // message 9
    EXPECT_NE(ReadFileBytes(ini).find("[Version]\r\nmain=336\r\n"), std::string::npos);
    EXPECT_EQ(folder.Entries(), L"kvte.exe|kvte.ini|");
}

TEST_F(StartupTest, KeepsItsSettingsInFoldersOfHalfWidthKanaAndOfBackslashTrailBytes)
{
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    for (const wchar_t* name : {L"ﾃｽﾄ", L"ｶﾞｷﾞｸﾞ", L"表ソフト能"}) {
        SCOPED_TRACE(InternalFromWide(name));
        StartTwiceIn(name);
    }
}

TEST_F(StartupTest, KeepsItsSettingsInFoldersOfCharactersAboveTheBasicPlane)
{
    const std::wstring names[] = {L"\U0002000B\U0002123D", L"\uFF71 \U0002A6B2 \u30C6"};  // 𠀋𡈽, ｱ 𪚲 テ
    for (const std::wstring& name : names) {
        if (!IsNameHeld(Utf16View(name)))
            GTEST_SKIP() << "the name pair does not map characters above U+FFFF yet, so these folders would be "
                            "reached only through their short forms";
    }
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    for (const std::wstring& name : names) {
        SCOPED_TRACE(InternalFromWide(name));
        StartTwiceIn(name);
    }
}

TEST_F(StartupTest, KeepsItsSettingsThroughTheShortFormOfAFolderThatCannotBeNamed)
{
    for (const wchar_t* name : {L"한국어", L"a¥b"}) {
        ScratchFolder folder(name);
        std::string held;
        if (HoldPath(folder.path(), held) != PathHold::ShortForm)
            GTEST_SKIP() << "this file system gives no short names";
    }
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    for (const wchar_t* name : {L"한국어", L"a¥b"}) {
        SCOPED_TRACE(InternalFromWide(name));
        StartTwiceIn(name);
    }

    // In-process, where the folder the program keeps can be seen.
    PathSeamsRestored restored;
    ScratchFolder korean(L"한국어");
    SetProgramPathForTesting(korean.path() + L"kvte.exe");
    ASSERT_TRUE(PrepareSettings());
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_NE(WideFromInternal(theApp.programFolder), korean.path());
    EXPECT_NE(ReadFileBytes(korean.path() + L"kvte.ini").find("main=336"), std::string::npos);
    EXPECT_EQ(WideFromInternal(theApp.helpFilePath), WideFromInternal(theApp.programFolder) + L"help.chm");
}

// "a¥b" would come back as "a\b", another file: a request for it must not be passed on
// under that name.
TEST_F(StartupTest, AnOpenRequestForAPathThatCannotBeNamedIsRefused)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&DenyShortPath);
    char ansi[64];
    BOOL lossy = FALSE;
    int n =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"C:\\a¥b\\x.txt", -1, ansi, sizeof ansi, nullptr, &lossy);
    if (n == 0 || lossy) GTEST_SKIP() << "the system code page has no ¥";
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    OpenFileRequest request;
    ASSERT_TRUE(MakeOpenFileRequest(ansi, 0, true, request));
    COPYDATASTRUCT copy{COPYDATA_OPEN_FILE, sizeof request, &request};
    EXPECT_EQ(SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)), 3);
    EXPECT_TRUE(received.empty());
}

TEST_F(StartupTest, WithoutAnyNameForItsFolderItSaysSoOnceAndWritesNothing)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&DenyShortPath);
    ScratchFolder korean(L"한국어");
    ScratchFolder current(L"current");
    SetProgramPathForTesting(korean.path() + L"kvte.exe");
    wchar_t previousFolder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previousFolder);
    SetCurrentDirectoryW(current.path().c_str());

    ASSERT_TRUE(PrepareSettings());
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_FOLDER_NOT_HELD);
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_ICONWARNING));
    EXPECT_EQ(modal.shown[0].owner, nullptr);
    EXPECT_NE(modal.shown[0].text.find(L"設定ファイル"), std::wstring::npos);
    EXPECT_STREQ(theApp.programFolder, "");
    EXPECT_STREQ(theApp.helpFilePath, "");

    // The program runs on the values of a missing file, and no write lands anywhere.
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "version");
    EXPECT_EQ(GetInt(settings, "main"), 0);
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    SetSection(settings, "main");
    EXPECT_FALSE(WriteInt(settings, "lapel", 1));
    EXPECT_FALSE(WriteString(settings, "FontName", "x"));
    EXPECT_FALSE(AppendSection(settings, "FileType"));
    EXPECT_EQ(GetInt(settings, "lapel"), 0);
    EXPECT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(korean.Entries(), L"");
    EXPECT_EQ(current.Entries(), L"");
    SetCurrentDirectoryW(previousFolder);
}

}  // namespace
