// The main window as the app tests run it: started hidden on the settings beside the test
// program with the modal seam recording, and ended so that the next test starts from a
// fresh application (the views and tab bar go, a WM_QUIT left behind is dropped).
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "ModalRecorder.h"

inline void EndMainWindowForTest()
{
    if (IsWindow(theApp.mainWindow)) DestroyWindow(theApp.mainWindow);
    theApp.mainWindow = nullptr;
    ReleaseDocumentWindows(theApp);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

struct MainWindowTest : testing::Test {
    ModalRecorder modal;

    // [indication] toolbar and statusbar as given (a negative value removes both keys),
    // then the main window with this command line.
    void Start(int toolbar = 1, int statusbar = 1, const std::wstring& commandLine = L"")
    {
        ASSERT_TRUE(PrepareSettings());
        ProfileFile& settings = *theApp.settings;
        SetSection(settings, "indication");
        if (toolbar < 0 || statusbar < 0) DeleteSection(settings);
        if (toolbar >= 0 && statusbar >= 0) WriteInt(settings, "toolbar", toolbar);
        if (toolbar >= 0 && statusbar >= 0) WriteInt(settings, "statusbar", statusbar);
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), commandLine.c_str(), SW_HIDE), StartResult::Created);
    }
    void TearDown() override
    {
        EndMainWindowForTest();
        if (theApp.settings && SetSection(*theApp.settings, "indication")) {
            WriteInt(*theApp.settings, "toolbar", 1);
            WriteInt(*theApp.settings, "statusbar", 1);
        }
    }

    static LRESULT Command(int id) { return SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static std::wstring StatusPart(int part)
    {
        wchar_t text[1024] = {};
        SendMessageW(theApp.frame.statusBar.window, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::wstring Title()
    {
        wchar_t text[512] = {};
        GetWindowTextW(theApp.mainWindow, text, 512);
        return text;
    }
};
