// Start-up under Wine: the settings file beside the executable, message 9, the window
// placement, the single-instance hand-over (in-process and from a real second process),
// and requests from other processes that are malformed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/OpenFileRequest.h"
#include "files/FileAccess.h"
#include "config/ProfileFile.h"
#include "textcontrol/win32/EditControl.h"
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

void DrainQuit()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

struct StartupTest : testing::Test {
    ModalRecorder modal;
    OpenRequestHandler previousHandler = SetOpenRequestHandler(&RecordRequest);

    void SetUp() override { received.clear(); }
    void TearDown() override
    {
        if (theApp.mainWindow) DestroyWindow(theApp.mainWindow);
        theApp.mainWindow = nullptr;
        DestroyView(0);
        DrainQuit();
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

// Runs kvte.exe as a real second process while this test's window runs, serving the
// messages it sends; returns its exit code.
DWORD RunSecondCopy(const std::wstring& arguments)
{
    std::wstring exe = ModuleFolder() + L"..\\..\\kvte.exe";
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    CloseHandle(process.hThread);
    DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() - start < 60000) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DWORD code = 0xFFFFFFFE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

TEST_F(StartupTest, ARealSecondProcessSendsOneRequestAndEndsWithZero)
{
    FreshSettings();
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    std::wstring file = ModuleFolder() + L"second copy.txt";
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(created);

    EXPECT_EQ(RunSecondCopy(L"\"" + file + L"\""), 0u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NE(received[0].path.find("second copy.txt"), std::string::npos);
    EXPECT_EQ(received[0].mode, 0);
    EXPECT_TRUE(received[0].showErrors);

    EXPECT_EQ(RunSecondCopy(L""), 0u);
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
