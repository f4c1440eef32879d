// The options command in the running program: after OK what is open takes the stored
// settings and what the pages chose; after Cancel nothing changes.
#include "../support/AppSession.h"
#include "app/CommandTable.h"
#include "resources/resource.h"

namespace {

std::vector<int> appliedViews;  // the views that took the editor settings again

using OptionsCommandTest = MainWindowTest;

TEST_F(OptionsCommandTest, OkReappliesTheSettingsAndTheChoicesToWhatIsOpenAndCancelNothing)
{
    Start();
    ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_WINDOW_NEW_TAB, nullptr));
    theApp.documents.callbacks.applyEditorSettings = [](void*, int view) { appliedViews.push_back(view); };
    modal.realDialogs = {IDD_OPTIONS, IDD_OPTIONS};
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "tab");
    const int width = GetInt(settings, "width");
    WriteInt(settings, "width", 77);
    theApp.autoIndent = !theApp.autoIndent;
    const HMENU before = GetMenu(theApp.mainWindow);
    modal.dialogScript = [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
    ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_TOOL_OPTIONS, nullptr));
    EXPECT_TRUE(appliedViews.empty());
    EXPECT_EQ(GetMenu(theApp.mainWindow), before);
    EXPECT_NE(theApp.documents.list.tabWidth, 77);

    modal.dialogScript = [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); };
    ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_TOOL_OPTIONS, nullptr));
    SetSection(settings, "tab");
    WriteInt(settings, "width", width);
    EXPECT_EQ(appliedViews, (std::vector<int>{0, 1}));
    EXPECT_NE(GetMenu(theApp.mainWindow), before);
    EXPECT_EQ(theApp.documents.list.tabWidth, 77);
    SetSection(settings, "editor1");
    EXPECT_EQ(theApp.autoIndent, GetInt(settings, "indent") == 1);
}

}  // namespace
