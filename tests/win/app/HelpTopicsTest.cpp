// The help commands hand the viewer the right file and page: F1 (through the accelerator
// table, as the main loop sees the key) opens the help file at its default topic, the two
// reference pages and the help button of every options page that has a topic open with the
// table of contents at their page (the pages without one show nothing), and a topic that
// would not fit is not cut short.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/Help.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "options/win32/OptionsDialog.h"
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

// What each options page's help button handed the viewer, by the page's label; empty for
// a page that showed nothing.
std::vector<std::pair<std::wstring, std::wstring>> pageHelp;

void PressEveryPagesHelp(HWND dialog)
{
    OptionsDialog& options = theApp.options.dialog;
    HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
    for (int i = 0; i < options.count; ++i) {
        const std::size_t before = viewerCalls.size();
        TreeView_SelectItem(tree, options.pages[i].treeItem);
        SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
        std::wstring shown;
        if (viewerCalls.size() == before + 1 && viewerCalls.back().command == kDisplayContents)
            shown = viewerCalls.back().target;
        else if (viewerCalls.size() != before)
            shown = L"(" + std::to_wstring(viewerCalls.size() - before) + L" calls)";
        pageHelp.emplace_back(options.pages[i].label, shown);
    }
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs inside the dialog's modal loop; the dialog is found by its caption, shown or not yet.
void CALLBACK DriveOptions(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"KelvaraTextEditorの設定");
    if (!dialog) return;  // not created yet: the next tick looks again
    KillTimer(nullptr, timer);
    PressEveryPagesHelp(dialog);
}

TEST_F(HelpTopicsTest, EveryOptionsPageWithATopicOpensItsPageAndTheOthersNothing)
{
    pageHelp.clear();
    modal.realDialogs = {IDD_OPTIONS};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &DriveOptions);
    Command(IDM_TOOL_OPTIONS);
    KillTimer(nullptr, timer);
    const std::wstring file = HelpFile() + L"::_RESOURCE\\";
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"全般", file + L"全般設定.html"},        {L"確認設定", file + L"確認設定.html"},
        {L"ツール設定", L""},                       {L"保存", file + L"保存設定.html"},
        {L"エディタ", file + L"エディタの設定.html"}, {L"マーク設定", file + L"マーク色設定.html"},
        {L"クリッカブル設定", L""},                 {L"拡張子設定", file + L"拡張子設定.html"},
        {L"タブの設定", file + L"タブ.html"}};
    EXPECT_EQ(pageHelp, expected);
}

}  // namespace
