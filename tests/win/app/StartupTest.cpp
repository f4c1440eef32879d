// Start-up: placement and the command line's file, the hand-over from real second processes
// in oddly named folders, requests refused with 3, and a program folder without any name.
#include <string>
#include <vector>

#include "app/OpenFileRequest.h"
#include "app/frame/StatusBar.h"
#include "config/SettingsFile.h"
#include "platform/HeldPath.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"

namespace {

std::vector<std::string> received;  // path|mode|showErrors

int RecordRequest(const char* path, int mode, bool showErrors)
{
    received.push_back(std::string(path) + "|" + std::to_string(mode) + (showErrors ? "|1" : "|0"));
    return 0;
}

struct StartupTest : MainWindowTest {
    OpenRequestHandler previousHandler = nullptr;
    void SetUp() override
    {
        DeleteFileW((ModuleFolder() + L"kvte.ini").c_str());
        received.clear();
    }
    void TearDown() override
    {
        SetOpenRequestHandler(previousHandler);
        MainWindowTest::TearDown();
    }
};

TEST_F(StartupTest, TheWindowTakesItsPlacementAndOpensTheFileOfTheCommandLine)
{
    ASSERT_TRUE(PrepareSettings());
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "main");
    const std::pair<const char*, int> placement[] = {
        {"windows", 0}, {"x", 40}, {"y", 50}, {"width", 500}, {"height", 320}};
    for (const auto& [key, value] : placement) WriteInt(settings, key, value);
    const std::wstring file = ModuleFolder() + L"start up.txt";
    ASSERT_TRUE(WriteFileBytes(file, "opened"));
    Start(1, 1, L"\"" + file + L"\"");
    RECT rect, placed{40, 50, 540, 370};
    GetWindowRect(theApp.mainWindow, &rect);
    EXPECT_TRUE(EqualRect(&rect, &placed));
    EXPECT_EQ(WideFromInternal(CurrentDocument(theApp.documents.list).filePath), file);
    EXPECT_EQ(GetTextLength(CurrentView()), 6);
    EXPECT_EQ(Title(), file + L"  - KelvaraTextEditorVer3.36");
    DeleteFileW(file.c_str());
}

BOOL CALLBACK AnswerMessageBox(HWND window, LPARAM data)
{
    auto* process = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == process->first && IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        process->second.push_back(window);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

// Runs exe as a real second process while this test's window serves the messages it
// sends; answers its message boxes with OK. Its exit code and how many boxes it showed.
std::pair<DWORD, size_t> RunSecondCopy(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {0xFFFFFFFF, 0};
    CloseHandle(process.hThread);
    std::pair<DWORD, std::vector<HWND>> boxes{process.dwProcessId, {}};
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (GetTickCount() - start > 60000) TerminateProcess(process.hProcess, 0xFFFFFFFD);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        EnumWindows(&AnswerMessageBox, reinterpret_cast<LPARAM>(&boxes));
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return {exitCode, boxes.second.size()};
}

// Each copy of kvte.exe in such a folder keeps its settings there, announces an upgrade
// of them once, and hands its command line's file (if any) to this test's window; a
// request that is malformed or names a path no name can hold is refused with 3.
TEST_F(StartupTest, SecondCopiesKeepTheirSettingsAndHandTheirFileOverAndMalformedRequestsAreRefused)
{
    Start();
    previousHandler = SetOpenRequestHandler(&RecordRequest);
    const std::wstring file = ModuleFolder() + L"second copy.txt";
    ASSERT_TRUE(WriteFileBytes(file, ""));
    for (const wchar_t* name : {L"ﾃｽﾄ", L"ｶﾞｷﾞｸﾞ", L"表ソフト能", L"한국어", L"a¥b"}) {
        SCOPED_TRACE(InternalFromWide(name));
        ScratchFolder folder(name);
        std::string held;
        if (HoldPath(folder.path(), held) == PathHold::NotHeld) continue;  // no short names here
        const std::wstring exe = folder.path() + L"kvte.exe", ini = folder.path() + L"kvte.ini";
        ASSERT_TRUE(CopyFileW((ModuleFolder() + L"..\\..\\kvte.exe").c_str(), exe.c_str(), FALSE));
        EXPECT_EQ(RunSecondCopy(exe, L""), std::make_pair(DWORD{0}, size_t{0}));
        std::string text = ReadFileBytes(ini);
        const std::string current = "main=" + std::to_string(kSettingsVersion);
        ASSERT_NE(text.find(current), std::string::npos) << "no kvte.ini there";
        text.replace(text.find(current), current.size(), "main=300");
        ASSERT_TRUE(WriteFileBytes(ini, text));
        EXPECT_EQ(RunSecondCopy(exe, L"\"" + file + L"\""), std::make_pair(DWORD{0}, size_t{1}));  // message 9
        EXPECT_NE(ReadFileBytes(ini).find(current), std::string::npos);
        EXPECT_EQ(folder.Entries(), L"kvte.exe|kvte.ini|");
    }
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0], InternalFromWide(file) + "|0|1");
    EXPECT_EQ(FindWindowExW(nullptr, theApp.mainWindow, kMainWindowClass, nullptr), nullptr);
    DeleteFileW(file.c_str());

    received.clear();
    auto send = [](const void* data, DWORD size) {
        COPYDATASTRUCT copy{COPYDATA_OPEN_FILE, size, const_cast<void*>(data)};
        return SendMessageW(theApp.mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    };
    std::vector<char> unterminated(272, 'a');
    EXPECT_EQ(send(unterminated.data(), 272), 3);
    // "a¥b" would come back as "a\b", another file: refused as well.
    PathSeamsRestored restored;
    SetShortPathLookup(&DenyShortPath);
    char ansi[64];
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"C:\\a¥b\\x.txt", -1, ansi, 64, nullptr, &lossy) && !lossy) {
        OpenFileRequest request;
        ASSERT_TRUE(MakeOpenFileRequest(ansi, 0, true, request));
        EXPECT_EQ(send(&request, sizeof request), 3);
    }
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(modal.shown.empty());
}

// -code=cp932 before a path reads that file as Windows Shift-JIS, at start-up and when a
// second copy hands it over (WM_COPYDATA 103); the bar says so.
TEST_F(StartupTest, ACodeOnTheCommandLineReadsTheFileInItAlsoWhenASecondCopyHandsItOver)
{
    ScratchFolder folder(L"code");
    const std::wstring first = folder.path() + L"first.txt", second = folder.path() + L"second.txt";
    ASSERT_TRUE(WriteFileBytes(first, "\xed\x9e"));  // 德 in CP932, another kanji in Shift_JIS-2004
    ASSERT_TRUE(WriteFileBytes(second, "\xed\x9e\xed\x9e"));
    Start(1, 1, L"-code=cp932 \"" + first + L"\"");
    auto shows = [](const std::wstring& path, const std::string& text) {
        const Document& current = CurrentDocument(theApp.documents.list);
        EXPECT_EQ(WideFromInternal(current.filePath), path);
        EXPECT_EQ(current.encoding, EncodingCode::Cp932);
        EXPECT_EQ(CurrentViewText(), text);
        EXPECT_EQ(StatusPart(kStatusEncoding), L"CP932");
    };
    shows(first, "\xea\xc3");
    ScratchFolder copy(L"code copy");
    const std::wstring exe = copy.path() + L"kvte.exe";
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"..\\..\\kvte.exe").c_str(), exe.c_str(), FALSE));
    EXPECT_EQ(RunSecondCopy(exe, L"-code=cp932 \"" + second + L"\""), std::make_pair(DWORD{0}, size_t{0}));
    shows(second, "\xea\xc3\xea\xc3");
    EXPECT_TRUE(modal.shown.empty());
}

BOOL CALLBACK CloseWindowsOfProcess(HWND window, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// A library named "hhctrl.ocx" beside the program, with the loader preferring such
// libraries as Windows does (the Wine runner asks for that), is never loaded: the program takes its libraries from the
// system folder only.
TEST_F(StartupTest, ALibraryPlantedBesideTheProgramIsNotLoaded)
{
    ScratchFolder folder(L"planted");
    const std::wstring exe = folder.path() + L"kvte.exe", mark = folder.path() + L"planted-library-loaded";
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"..\\..\\kvte.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"planted\\hhctrl.ocx").c_str(), (folder.path() + L"hhctrl.ocx").c_str(), FALSE));
    // The planted library works: loaded by its path, it leaves its mark.
    HMODULE planted = LoadLibraryW((folder.path() + L"hhctrl.ocx").c_str());
    ASSERT_NE(planted, nullptr);
    FreeLibrary(planted);
    ASSERT_TRUE(DeleteFileW(mark.c_str()));

    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.path().c_str(), &startup, &process);
    ASSERT_TRUE(started);
    // Closed as a user would, its windows and any box it shows first; ended if it will not go.
    for (int tries = 0; WaitForSingleObject(process.hProcess, 300) == WAIT_TIMEOUT; ++tries) {
        if (tries == 100) TerminateProcess(process.hProcess, 1);
        EnumWindows(&CloseWindowsOfProcess, process.dwProcessId);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted library was loaded";
}

TEST_F(StartupTest, WithoutAnyNameForItsFolderItSaysSoOnceAndWritesNothing)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&DenyShortPath);
    ScratchFolder korean(L"한국어");
    SetProgramPathForTesting(korean.path() + L"kvte.exe");
    ASSERT_TRUE(PrepareSettings());
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_FOLDER_NOT_HELD);
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_ICONWARNING));
    EXPECT_EQ(modal.shown[0].owner, nullptr);
    EXPECT_STREQ(theApp.helpFilePath, "");
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    SetSection(*theApp.settings, "main");
    EXPECT_FALSE(WriteInt(*theApp.settings, "lapel", 1));
    EXPECT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(korean.Entries(), L"");
}

}  // namespace
