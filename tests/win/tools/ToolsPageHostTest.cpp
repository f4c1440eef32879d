// The tool list page inside the real options dialog: its place in the tree, help that
// does nothing, OK writing the edited list and Cancel writing nothing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "../options/OptionsFixture.h"
#include "resources/tools_ids.h"
#include "tools/ToolList.h"
#include "tools/win32/ToolsPage.h"

namespace {

struct ToolsPageHostTest : OptionsFixture {
    void SetUp() override
    {
        OptionsFixture::SetUp();
        SetSection(settings, "tool");
        WriteInt(settings, "num", 3);
        const char* rows[3][3] = {{"A", "a.exe", "0"}, {"B", "b.exe", "1"}, {"C", "c.exe", "2"}};
        for (int n = 0; n < 3; ++n) {
            WriteString(settings, ToolKey("name", n).c_str(), rows[n][0]);
            WriteString(settings, ToolKey("path", n).c_str(), rows[n][1]);
            WriteString(settings, ToolKey("type", n).c_str(), rows[n][2]);
        }
        options.toolsPage = &ToolsPageProc;
        Register();
    }
    static void SelectRow(HWND page, int row)
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendDlgItemMessageW(page, IDC_TOOL_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
};

TEST_F(ToolsPageHostTest, TheToolsPageIsTheThirdPageUnderGeneral)
{
    ASSERT_GE(options.count, 3);
    EXPECT_EQ(options.pages[2].dialogId, IDD_TOOL_PAGE);
    EXPECT_FALSE(options.pages[2].topLevel);
    EXPECT_STREQ(options.pages[2].label, L"ツール設定");
}

TEST_F(ToolsPageHostTest, OkWritesTheEditedListAndHelpDoesNothing)
{
    const int result = Run([this](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
        TreeView_SelectItem(tree, options.pages[2].treeItem);
        Click(dialog, IDC_OPTIONS_HELP);
        HWND page = Page(IDD_TOOL_PAGE);
        SelectRow(page, 2);
        Click(page, IDC_TOOL_UP);
        Click(page, IDC_TOOL_SEPARATOR);
        Ok(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(helpShown.empty());
    ProfileBatch batch;
    BeginBatch(batch, settings);
    const auto stored = ReadToolList(batch);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[1].name, "C");
    EXPECT_EQ(stored[1].type, kToolBuiltIn);
    EXPECT_EQ(stored[2].type, kToolModeless);
    EXPECT_EQ(stored[3].type, kToolSeparator);
}

TEST_F(ToolsPageHostTest, CancelWritesNothing)
{
    const std::string before = FileText();
    const int result = Run([this](HWND dialog) {
        HWND page = Page(IDD_TOOL_PAGE);
        SelectRow(page, 0);
        Click(page, IDC_TOOL_DOWN);
        Click(page, IDC_TOOL_SEPARATOR);
        Cancel(dialog);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(FileText(), before);
}

}  // namespace
