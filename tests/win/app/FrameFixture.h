// A main window started for a test, hidden, with the bars' settings chosen by the test
// and put back to shown afterwards.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

struct FrameFixture : testing::Test {
    ModalRecorder modal;

    // Sets [indication] toolbar and statusbar (a negative value removes both keys) and
    // creates the main window.
    void Start(int toolbar = 1, int statusbar = 1)
    {
        ASSERT_TRUE(PrepareSettings());
        ProfileFile& settings = *theApp.settings;
        SetSection(settings, "indication");
        if (toolbar < 0 || statusbar < 0) {
            DeleteSection(settings);
        } else {
            WriteInt(settings, "toolbar", toolbar);
            WriteInt(settings, "statusbar", statusbar);
        }
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    }
    void TearDown() override
    {
        EndMainWindowForTest();
        if (theApp.settings && SetSection(*theApp.settings, "indication")) {
            WriteInt(*theApp.settings, "toolbar", 1);
            WriteInt(*theApp.settings, "statusbar", 1);
        }
    }

    static std::wstring StatusPart(int part)
    {
        wchar_t text[256] = {};
        HWND bar = theApp.frame.statusBar.window;
        if (LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)) >= 256) return L"(too long)";
        SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::wstring Title()
    {
        wchar_t text[512] = {};
        GetWindowTextW(theApp.mainWindow, text, 512);
        return text;
    }
    static bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
    // Top of a child in the main window's client area.
    static int ClientTop(HWND child)
    {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, theApp.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    }
};
