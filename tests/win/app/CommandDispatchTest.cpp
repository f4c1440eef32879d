// WM_COMMAND on the main window goes through the command table: a row added by a
// subsystem receives its command with its record, an id without a row does nothing, and
// the exit row closes the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

struct Received {
    std::vector<int> ids;
};

int Receive(void* context, int id)
{
    static_cast<Received*>(context)->ids.push_back(id);
    return 0;
}

struct CommandDispatchTest : testing::Test {
    ModalRecorder modal;
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
    }
    void TearDown() override
    {
        EndMainWindowForTest();
    }
};

TEST_F(CommandDispatchTest, ACommandReachesTheRowItsSubsystemAdded)
{
    Received received;
    ASSERT_TRUE(RegisterCommand(theApp.commands, 40007, &Receive, &received));  // an id no subsystem has
    ASSERT_FALSE(RegisterCommand(theApp.commands, 2003, &Receive, &received));  // the tools' range has it
    SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(40007, 1), 0);       // from an accelerator
    SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(40011, 0), 0);
    EXPECT_EQ(received.ids, (std::vector<int>{40007}));
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(CommandDispatchTest, TheEditingRowsActOnTheCurrentView)
{
    InsertText(0, "abc");
    SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(40027, 0), 0);  // select all
    int start = 0, end = 0;
    EXPECT_EQ(GetSelectionRange(0, &start, &end), -1);
    EXPECT_EQ(end - start, 3);
}

TEST_F(CommandDispatchTest, ExitClosesTheMainWindow)
{
    HWND window = theApp.mainWindow;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(40002, 0), 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
