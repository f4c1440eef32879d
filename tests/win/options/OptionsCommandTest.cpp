// The options command in the running program: after OK every open view, the tab bar and
// the menus take the stored settings; after Cancel nothing changes.
#include "../support/AppSession.h"
#include "app/CommandTable.h"
#include "options/win32/OptionsDialog.h"
#include "resources/resource.h"

namespace {

std::vector<int>& AppliedViews()
{
    static std::vector<int> views;
    return views;
}

void RecordApply(void*, int view) { AppliedViews().push_back(view); }

// The button that ends the options dialog, pressed from inside its modal loop; the dialog
// is found by its caption, shown or not yet.
int& Button()
{
    static int button = IDCANCEL;
    return button;
}

void CALLBACK Press(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (HWND dialog = FindWindowW(L"#32770", L"KelvaraTextEditorの設定")) {
        SendMessageW(dialog, WM_COMMAND, Button(), 0);
    }
}

INT_PTR RunOptionsDialog(const ModalDialogRequest& request)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &Press);
    const INT_PTR result = DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner,
                                           request.procedure, request.parameter);
    KillTimer(nullptr, timer);
    return result;
}

struct OptionsCommandTest : MainWindowTest {
    void SetUp() override
    {
        Start();
        // The pages are registered at start-up, in tree order.
        ASSERT_GE(theApp.options.dialog.count, 8);
        EXPECT_EQ(theApp.options.dialog.pages[0].dialogId, IDD_OPTION_GENERAL);
        ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_WINDOW_NEW_TAB, nullptr));
        AppliedViews().clear();
        theApp.documents.callbacks.applyEditorSettings = &RecordApply;
        ModalUiHandlers handlers = SetModalUiHandlers(PlatformModalUiHandlers());
        handlers.dialog = &RunOptionsDialog;
        SetModalUiHandlers(handlers);
    }
};

TEST_F(OptionsCommandTest, OkReappliesEverythingToWhatIsOpen)
{
    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "tool");
    WriteInt(settings, "num", 1);
    WriteString(settings, "name0", "Sample");
    WriteString(settings, "path0", "sample.exe");
    WriteInt(settings, "type0", 1);
    SetSection(settings, "indication");
    WriteInt(settings, "statusbar", 0);
    const HMENU before = GetMenu(theApp.mainWindow);

    Button() = IDOK;
    ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_TOOL_OPTIONS, nullptr));

    EXPECT_EQ(AppliedViews(), (std::vector<int>{0, 1}));
    const HMENU after = GetMenu(theApp.mainWindow);
    EXPECT_EQ(after, theApp.frame.mainMenu);
    EXPECT_NE(after, before);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID;
    EXPECT_TRUE(GetMenuItemInfoW(after, 2000, FALSE, &item));  // the tool is in the new menus
    EXPECT_TRUE(IsCommandChecked(theApp.commands, IDM_VIEW_TOOLBAR));
    EXPECT_FALSE(IsCommandChecked(theApp.commands, IDM_VIEW_STATUSBAR));
    SetSection(settings, "tool");
    WriteInt(settings, "num", 0);
}

TEST_F(OptionsCommandTest, CancelLeavesEverythingAsItWas)
{
    const HMENU before = GetMenu(theApp.mainWindow);
    Button() = IDCANCEL;
    ASSERT_TRUE(DispatchCommand(theApp.commands, IDM_TOOL_OPTIONS, nullptr));
    EXPECT_TRUE(AppliedViews().empty());
    EXPECT_EQ(GetMenu(theApp.mainWindow), before);
}

}  // namespace
