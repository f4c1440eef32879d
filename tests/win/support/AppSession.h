// The main window as the app tests run it: started hidden on the settings beside the test
// program with the modal seam recording, and ended so that the next test starts afresh.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "textcontrol/win32/EditControl.h"
#include "ModalRecorder.h"

inline void EndMainWindowForTest()
{
    if (IsWindow(theApp.mainWindow)) DestroyWindow(theApp.mainWindow);
    theApp.mainWindow = nullptr;
    ReleaseDocumentWindows(theApp);
    MSG message;  // a WM_QUIT has no window: dispatching drops it
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The current view's text, its line ends as CR LF.
inline std::string CurrentViewText()
{
    std::string text(static_cast<std::size_t>(GetTextLength(CurrentView())) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetText(CurrentView(), text.data(), 1)));
    return text;
}

struct MainWindowTest : testing::Test {
    ModalRecorder modal;

    // [indication] toolbar and statusbar as given, then the main window with this command line.
    void Start(int toolbar = 1, int statusbar = 1, const std::wstring& commandLine = L"")
    {
        ASSERT_TRUE(PrepareSettings());
        SetIndication(toolbar, statusbar);
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), commandLine.c_str(), SW_HIDE), StartResult::Created);
    }
    void TearDown() override
    {
        EndMainWindowForTest();
        if (theApp.settings) SetIndication(1, 1);
    }
    static void SetIndication(int toolbar, int statusbar)
    {
        SetSection(*theApp.settings, "indication");
        WriteInt(*theApp.settings, "toolbar", toolbar);
        WriteInt(*theApp.settings, "statusbar", statusbar);
    }

    static LRESULT Command(int id) { return SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static std::wstring StatusPart(int part) { return TextOf(theApp.frame.statusBar.window, SB_GETTEXTW, part); }
    static std::wstring Title() { return TextOf(theApp.mainWindow, WM_GETTEXT, 1024); }
    static std::wstring TextOf(HWND window, UINT message, WPARAM wParam)
    {
        wchar_t text[1024] = {};
        SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(text));
        return text;
    }
};
