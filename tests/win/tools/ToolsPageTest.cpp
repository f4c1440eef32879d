// The tool list's options page on its real dialog: the rows it builds from [tool], up,
// down, delete and separator, what the apply message writes, and adding the tool of an
// information file (whose reading the native tests cover).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ProfileFile.h"
#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/options_ids.h"
#include "resources/resource.h"
#include "resources/tools_ids.h"
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
    // A page on the settings of "kvte.ini"; the earlier page stays behind it.
    void Open()
    {
        InitCommonControls();
        OpenProfile(settings, (base + "kvte.ini").c_str(), "tool");
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TOOL_PAGE), owner, &ToolsPageProc,
                                  reinterpret_cast<LPARAM>(&settings));
        ASSERT_NE(page, nullptr);
    }
    // Each row as "name|type|path".
    std::vector<std::wstring> Table() const
    {
        std::vector<std::wstring> rows;
        HWND list = GetDlgItem(page, IDC_TOOL_LIST);
        for (int row = 0; row < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
            rows.emplace_back();
            for (int column = 0; column < 3; ++column) {
                wchar_t text[600] = {};
                LVITEMW item{};
                item.iSubItem = column, item.pszText = text, item.cchTextMax = 600;
                SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
                rows.back() += (column ? L"|" : L"") + std::wstring(text);
            }
        }
        return rows;
    }
    void Select(int row) const
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED, item.state = row < 0 ? 0 : LVIS_SELECTED;
        SendMessageW(GetDlgItem(page, IDC_TOOL_LIST), LVM_SETITEMSTATE, row < 0 ? static_cast<WPARAM>(-1) : row,
                     reinterpret_cast<LPARAM>(&item));
    }
    void Click(int id) const { SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(ToolsPageTest, RowsMoveAndGoWithTheirTypesAndApplyWritesThemInOrder)
{
    WriteFile("kvte.ini", "[tool]\r\nnum=5\r\nname0=Grep\r\npath0=C:\\g.exe\r\ntype0=0\r\nname1=-\r\npath1=-\r\ntype1=-1\r\n"
                          "name2=View\r\npath2=C:\\v.exe\r\ntype2=1\r\nname3=Kit\r\npath3=C:\\k.exe\r\ntype3=2\r\n"
                          "name4=Odd\r\npath4=C:\\o.exe\r\ntype4=7\r\nname5=past num\r\n");
    Open();
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"Grep|モーダル|C:\\g.exe", L"-|区切り線|-", L"View|モードレス|C:\\v.exe",
                                                  L"Kit|内蔵|C:\\k.exe", L"Odd|7|C:\\o.exe"}));
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
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    Click(IDC_TOOL_SEPARATOR);
    const std::vector<std::wstring> rows{L"View|モードレス|C:\\v.exe", L"-|区切り線|-", L"Odd|7|C:\\o.exe",
                                         L"Kit|内蔵|C:\\k.exe", L"-|区切り線|-"};
    EXPECT_EQ(Table(), rows);
    // A fresh page shows what the apply message wrote, types without a name included.
    SendMessageW(page, WM_OPTION_APPLY, 0, 0);
    Open();
    EXPECT_EQ(Table(), rows);
}

TEST_F(ToolsPageTest, AddRegistersTheToolOfAnInformationFileOrTellsWhyNot)
{
    WriteFile("kvte.ini", "[tool]\r\nnum=0\r\n");
    WriteFile("grep.kti", "[general]\r\nname=Grep\r\nfile=bin\\grep.exe\r\ntype=1\r\n");
    WriteFile("type.kti", "[general]\r\nfile=a.exe\r\ntype=5\r\n");
    Open();
    for (const wchar_t* name : {L"grep.kti", L"", L"type.kti", L"missing.kti"}) {
        modal.chosenFiles = {name[0] ? folder.path() + name : L""};
        Click(IDC_TOOL_ADD);  // the second is cancelled: nothing added, nothing said
    }
    EXPECT_STREQ(modal.fileDialogs[0].filter + wcslen(modal.fileDialogs[0].filter) + 1, L"*.kti");
    EXPECT_EQ(Table(), std::vector<std::wstring>{L"Grep|モードレス|" + folder.path() + L"bin\\grep.exe"});
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_TOOL_INFO_BAD_TYPE);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_TOOL_INFO_UNREADABLE);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_ICONERROR));
}

}  // namespace
