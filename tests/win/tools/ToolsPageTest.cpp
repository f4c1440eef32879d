// The tool list's options page on its real dialog: its rows from [tool], up, down, delete,
// separator, adding the tool of an information file, and what the apply message writes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/options_ids.h"
#include "resources/resource.h"
#include "resources/tools_ids.h"
#include "tools/ToolList.h"
#include "tools/win32/ToolsPage.h"
#include "../support/ModalRecorder.h"
#include "../support/ScratchFolder.h"

namespace {

struct ToolsPageTest : testing::Test {
    ModalRecorder modal;
    ScratchFolder folder{L"tools-page"};
    std::string base = InternalFromWide(folder.path());
    ProfileFile settings;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
    HWND page = nullptr;

    void TearDown() override { DestroyWindow(owner); }
    void WriteFile(const std::string& name, const std::string& bytes)
    {
        ASSERT_TRUE(ReplaceWholeFile((base + name).c_str(), bytes.data(), bytes.size()).Ok());
    }
    void Open()
    {
        InitCommonControls();
        OpenProfile(settings, (base + "kvte.ini").c_str(), "tool");
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TOOL_PAGE), owner, &ToolsPageProc,
                                  reinterpret_cast<LPARAM>(&settings));
        ASSERT_NE(page, nullptr);
    }
    // What the apply message wrote, each entry as "name|type|path;".
    std::string Applied()
    {
        SendMessageW(page, WM_OPTION_APPLY, 0, 0);
        ProfileBatch batch;
        BeginBatch(batch, settings);
        std::string rows;
        for (const ToolEntry& entry : ReadToolList(batch))
            rows += entry.name + "|" + std::to_string(entry.type) + "|" + entry.path + ";";
        return rows;
    }
    void Select(int row) const  // -1: none
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED, item.state = row < 0 ? 0 : LVIS_SELECTED;
        SendMessageW(GetDlgItem(page, IDC_TOOL_LIST), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void Click(int id) const { SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(ToolsPageTest, RowsMoveGoAndAreAddedAndApplyWritesThemInOrderWithTheirTypes)
{
    WriteFile("kvte.ini", "[tool]\r\nnum=5\r\nname0=Grep\r\npath0=C:\\g.exe\r\ntype0=0\r\nname1=-\r\npath1=-\r\ntype1=-1\r\n"
                          "name2=View\r\npath2=C:\\v.exe\r\ntype2=1\r\nname3=Kit\r\npath3=C:\\k.exe\r\ntype3=2\r\n"
                          "name4=Odd\r\npath4=C:\\o.exe\r\ntype4=7\r\nname5=past num\r\n");
    WriteFile("grep.kti", "[general]\r\nname=Grep\r\nfile=bin\\grep.exe\r\ntype=1\r\n");
    WriteFile("type.kti", "[general]\r\nfile=a.exe\r\ntype=5\r\n");
    Open();
    EXPECT_EQ(Applied(), "Grep|0|C:\\g.exe;-|-1|-;View|1|C:\\v.exe;Kit|2|C:\\k.exe;Odd|7|C:\\o.exe;");
    Select(2);
    for (int i = 0; i < 3; ++i) Click(IDC_TOOL_UP);  // the third press: already first, nothing
    Select(3);
    Click(IDC_TOOL_DOWN);
    Click(IDC_TOOL_DOWN);  // already last: nothing
    Select(-1);
    Click(IDC_TOOL_UP);      // nothing selected: nothing moves
    Click(IDC_TOOL_DELETE);  // nor is anything asked
    EXPECT_EQ(SendMessageW(page, WM_OPTION_HELP, 0, 0), 0);  // no help topic
    EXPECT_TRUE(modal.shown.empty());
    Select(1);
    modal.answers = {IDNO, IDYES};
    Click(IDC_TOOL_DELETE);
    Click(IDC_TOOL_DELETE);
    Click(IDC_TOOL_SEPARATOR);
    // Add: the second file is cancelled (nothing added, nothing said), the last two refused.
    for (const wchar_t* name : {L"grep.kti", L"", L"type.kti", L"missing.kti"}) {
        modal.chosenFiles = {name[0] ? folder.path() + name : L""};
        Click(IDC_TOOL_ADD);
    }
    EXPECT_STREQ(modal.fileDialogs[0].title, L"ツール情報ファイルを選択してください。");
    EXPECT_STREQ(modal.fileDialogs[0].filter + wcslen(modal.fileDialogs[0].filter) + 1, L"*.kti");
    ASSERT_EQ(modal.shown.size(), 4u);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(modal.shown[2].number, IDS_MSG_TOOL_INFO_BAD_TYPE);
    EXPECT_EQ(modal.shown[3].number, IDS_MSG_TOOL_INFO_UNREADABLE);
    EXPECT_EQ(modal.shown[3].style, static_cast<unsigned>(MB_ICONERROR));
    EXPECT_EQ(Applied(),
              "View|1|C:\\v.exe;-|-1|-;Odd|7|C:\\o.exe;Kit|2|C:\\k.exe;-|-1|-;Grep|1|" + base + "bin\\grep.exe;");
}

}  // namespace
