// The help commands hand the viewer the right file and page: F1 (through the accelerator
// table) opens the help file, the reference pages open the contents at their page, and a
// topic that would not fit is not cut short.
#include <string>
#include <vector>

#include "app/Help.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "../support/AppSession.h"

namespace {

constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kDisplayContents = 0x0001;

struct ViewerCall {
    HWND owner;
    std::wstring target;
    UINT command;
};
std::vector<ViewerCall> viewerCalls;

HWND WINAPI RecordViewer(HWND owner, const wchar_t* target, UINT command, DWORD_PTR)
{
    // The loop's pre-translation and the start-up calls are not pages being shown.
    if (command == kDisplayTopic || command == kDisplayContents) viewerCalls.push_back({owner, target, command});
    return nullptr;
}

struct HelpTopicsTest : MainWindowTest {
    HelpViewer previous = nullptr;
    void SetUp() override
    {
        Start();
        viewerCalls.clear();
        previous = SetHelpViewer(&RecordViewer);
    }
    void TearDown() override
    {
        SetHelpViewer(previous);
        MainWindowTest::TearDown();
    }
    static std::wstring HelpFile() { return WideFromInternal(theApp.helpFilePath); }
};

TEST_F(HelpTopicsTest, F1AndTheReferencePagesOpenTheHelpFileBesideTheProgramButNeverACutTopic)
{
    // F1 as the main loop offers it to the accelerator table.
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG f1{theApp.mainWindow, WM_KEYDOWN, VK_F1, 1, 0, {0, 0}};
    ASSERT_TRUE(table && TranslateAcceleratorW(theApp.mainWindow, table, &f1));
    Command(IDM_HELP_FEATURES);
    Command(IDM_HELP_SHORTCUTS);
    ASSERT_EQ(viewerCalls.size(), 3u);
    EXPECT_EQ(viewerCalls[0].target, WideFromInternal(theApp.programFolder) + L"help.chm");
    EXPECT_EQ(viewerCalls[0].command, kDisplayTopic);
    EXPECT_EQ(viewerCalls[1].target, HelpFile() + L"::_RESOURCE\\機能一覧.html");
    EXPECT_EQ(viewerCalls[2].target, HelpFile() + L"::_RESOURCE\\ショートカットキー一覧.html");
    EXPECT_EQ(viewerCalls[1].command, kDisplayContents);
    for (const ViewerCall& call : viewerCalls) EXPECT_EQ(call.owner, theApp.mainWindow);

    // The joined text (file, "::", page) may hold 1023 bytes; one more would be cut.
    viewerCalls.clear();
    const std::size_t room = 1023 - std::string(theApp.helpFilePath).size() - 2;
    const std::string fits = "_RESOURCE\\" + std::string(room - 15, 'a') + ".html";
    ShowHelpPage(theApp.mainWindow, fits.c_str());
    ASSERT_EQ(viewerCalls.size(), 1u);
    EXPECT_EQ(viewerCalls[0].target.size(), 1023u);
    ShowHelpPage(theApp.mainWindow, ("a" + fits).c_str());
    EXPECT_EQ(viewerCalls.size(), 1u);

    // A program whose folder has no name has no help file: the commands show nothing
    // rather than hand the viewer a bare page name.
    theApp.helpFilePath[0] = '\0';
    Command(IDM_HELP_CONTENTS);
    Command(IDM_HELP_FEATURES);
    EXPECT_EQ(viewerCalls.size(), 1u);
}

}  // namespace
