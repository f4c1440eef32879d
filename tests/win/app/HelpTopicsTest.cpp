// The help commands hand the viewer the right file and page: F1 (through the accelerator
// table, as the main loop sees the key) opens the help file at its default topic, the two
// reference pages open with the table of contents at their page, and a topic that would
// not fit is not cut short.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Help.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kDisplayContents = 0x0001;

struct ViewerCall {
    HWND owner;
    std::wstring target;
    UINT command;
    DWORD_PTR data;
};
std::vector<ViewerCall> viewerCalls;

HWND WINAPI RecordViewer(HWND owner, const wchar_t* target, UINT command, DWORD_PTR data)
{
    // The loop's pre-translation and the start-up calls are not pages being shown.
    if (command == kDisplayTopic || command == kDisplayContents)
        viewerCalls.push_back({owner, target ? target : L"", command, data});
    return nullptr;
}

struct HelpTopicsTest : testing::Test {
    ModalRecorder modal;
    HelpViewer previous = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
        viewerCalls.clear();
        previous = SetHelpViewer(&RecordViewer);
    }
    void TearDown() override
    {
        SetHelpViewer(previous);
        EndMainWindowForTest();
    }
    static std::wstring HelpFile() { return WideFromInternal(theApp.helpFilePath); }
    static void Command(int id) { SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // A key as the main loop offers it to the accelerator table: addressed to the view
    // that has the focus, translated for the main window.
    static bool PressKey(WPARAM key)
    {
        HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
        MSG message{};
        message.hwnd = theApp.mainWindow;
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = 1;
        return table && TranslateAcceleratorW(theApp.mainWindow, table, &message) != 0;
    }
};

TEST_F(HelpTopicsTest, F1OpensTheHelpFileBesideTheProgramAtItsDefaultTopic)
{
    ASSERT_TRUE(PressKey(VK_F1));
    ASSERT_EQ(viewerCalls.size(), 1u);
    EXPECT_EQ(viewerCalls[0].command, kDisplayTopic);
    EXPECT_EQ(viewerCalls[0].data, 0u);
    EXPECT_EQ(viewerCalls[0].owner, theApp.mainWindow);
    EXPECT_EQ(viewerCalls[0].target, WideFromInternal(theApp.programFolder) + L"help.chm");
}

TEST_F(HelpTopicsTest, TheReferencePagesOpenWithTheContentsAtTheirPage)
{
    Command(IDM_HELP_FEATURES);
    Command(IDM_HELP_SHORTCUTS);
    Command(IDM_HELP_CONTENTS);
    ASSERT_EQ(viewerCalls.size(), 3u);
    EXPECT_EQ(viewerCalls[0].target, HelpFile() + L"::_RESOURCE\\機能一覧.html");
    EXPECT_EQ(viewerCalls[1].target, HelpFile() + L"::_RESOURCE\\ショートカットキー一覧.html");
    EXPECT_EQ(viewerCalls[0].command, kDisplayContents);
    EXPECT_EQ(viewerCalls[1].command, kDisplayContents);
    EXPECT_EQ(viewerCalls[2].target, HelpFile());
    EXPECT_EQ(viewerCalls[2].command, kDisplayTopic);
    for (const ViewerCall& call : viewerCalls) EXPECT_EQ(call.owner, theApp.mainWindow);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(HelpTopicsTest, ATopicPastTheLimitIsNotShownCutShort)
{
    // The joined text (file, "::", page) may hold 1023 bytes; one more would be cut.
    const std::size_t room = 1023 - std::string(theApp.helpFilePath).size() - 2;
    const std::string fits = "_RESOURCE\\" + std::string(room - 15, 'a') + ".html";
    ASSERT_EQ(fits.size(), room);
    ShowHelpPage(theApp.mainWindow, fits.c_str());
    ASSERT_EQ(viewerCalls.size(), 1u);
    EXPECT_EQ(viewerCalls[0].target.size(), 1023u);

    ShowHelpPage(theApp.mainWindow, ("a" + fits).c_str());
    EXPECT_EQ(viewerCalls.size(), 1u);
}

TEST_F(HelpTopicsTest, WithoutAProgramFolderNoHelpIsOpened)
{
    // The program folder could not be named: there is no file to show.
    char saved[sizeof theApp.helpFilePath];
    std::memcpy(saved, theApp.helpFilePath, sizeof saved);
    theApp.helpFilePath[0] = '\0';
    PressKey(VK_F1);
    Command(IDM_HELP_FEATURES);
    std::memcpy(theApp.helpFilePath, saved, sizeof saved);
    EXPECT_TRUE(viewerCalls.empty());
}

}  // namespace
