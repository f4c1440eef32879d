// The options page of the tool list on its real dialog: the rows it builds from [tool],
// add from a tool information file (and the files it refuses), up, down, delete and
// separator, and what the apply message writes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ProfileFile.h"
#include "files/FileAccess.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "resources/options_ids.h"
#include "resources/tools_ids.h"
#include "tools/ToolList.h"
#include "tools/win32/ToolsPage.h"
#include "../support/ScratchFolder.h"
#include "../support/ModalRecorder.h"

namespace {

struct ToolsPageTest : testing::Test {
    ModalRecorder modal;
    ScratchFolder folder{L"tools-page"};
    std::string iniPath = InternalFromWide(folder.path()) + "kvte.ini";
    ProfileFile settings;
    HWND owner = nullptr;
    HWND page = nullptr;

    void SetUp() override
    {
        InitCommonControls();
        OpenProfile(settings, iniPath.c_str(), "tool");
    }
    void TearDown() override
    {
        if (owner) DestroyWindow(owner);
    }
    void Open(const std::string& ini)
    {
        WriteFile(iniPath, ini);
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TOOL_PAGE), owner, &ToolsPageProc,
                                  reinterpret_cast<LPARAM>(&settings));
        ASSERT_NE(page, nullptr);
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        ASSERT_TRUE(ReplaceWholeFile(path.c_str(), bytes.data(), bytes.size()).Ok());
    }
    HWND List() const { return GetDlgItem(page, IDC_TOOL_LIST); }
    int Rows() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Cell(int row, int column) const
    {
        wchar_t text[600] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 600;
        SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // Each row as "name|type|path".
    std::vector<std::wstring> Table() const
    {
        std::vector<std::wstring> rows;
        for (int row = 0; row < Rows(); ++row) rows.push_back(Cell(row, 0) + L"|" + Cell(row, 1) + L"|" + Cell(row, 2));
        return rows;
    }
    void Select(int row) const
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = row < 0 ? 0 : LVIS_SELECTED;
        SendMessageW(List(), LVM_SETITEMSTATE, row < 0 ? static_cast<WPARAM>(-1) : row, reinterpret_cast<LPARAM>(&item));
    }
    void Click(int id) const { SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Apply() const { SendMessageW(page, WM_OPTION_APPLY, 0, 0); }
    std::vector<ToolEntry> Stored()
    {
        ProfileBatch batch;
        BeginBatch(batch, settings);
        return ReadToolList(batch);
    }
};

const char kThreeTools[] =
    "[tool]\r\nnum=5\r\nname0=Grep\r\npath0=C:\\g.exe\r\ntype0=0\r\nname1=-\r\npath1=-\r\ntype1=-1\r\n"
    "name2=View\r\npath2=C:\\v.exe\r\ntype2=1\r\nname3=Kit\r\npath3=C:\\k.exe\r\ntype3=2\r\n"
    "name4=Odd\r\npath4=C:\\o.exe\r\ntype4=7\r\nname5=past num\r\n";

TEST_F(ToolsPageTest, RowsShowEveryEntryWithItsTypeText)
{
    Open(kThreeTools);
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"Grep|モーダル|C:\\g.exe", L"-|区切り線|-", L"View|モードレス|C:\\v.exe",
                                                  L"Kit|内蔵|C:\\k.exe", L"Odd|7|C:\\o.exe"}));
    const DWORD extended = static_cast<DWORD>(SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), DWORD{LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES});
}

TEST_F(ToolsPageTest, ApplyKeepsEveryTypeAndTheOrder)
{
    Open(kThreeTools);
    Apply();
    auto stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    const int types[] = {0, -1, 1, 2, 7};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(stored[i].type, types[i]) << i;
    EXPECT_EQ(stored[1].name, "-");
    EXPECT_EQ(stored[1].path, "-");
    EXPECT_EQ(stored[4].path, "C:\\o.exe");
}

TEST_F(ToolsPageTest, UpAndDownMoveTheSelectedRowAndKeepItSelected)
{
    Open(kThreeTools);
    Select(2);
    Click(IDC_TOOL_UP);
    Click(IDC_TOOL_UP);
    Click(IDC_TOOL_UP);  // already first: nothing
    EXPECT_EQ(Cell(0, 0), L"View");
    EXPECT_EQ(Cell(1, 0), L"Grep");
    EXPECT_EQ(Cell(2, 1), L"区切り線");
    Select(3);
    Click(IDC_TOOL_DOWN);
    Click(IDC_TOOL_DOWN);  // already last: nothing
    EXPECT_EQ(Cell(4, 0), L"Kit");
    EXPECT_EQ(Cell(3, 1), L"7");
    Select(-1);
    Click(IDC_TOOL_UP);  // nothing selected: nothing moves
    Apply();
    auto stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[0].name, "View");
    EXPECT_EQ(stored[0].type, 1);
    EXPECT_EQ(stored[3].name, "Odd");
    EXPECT_EQ(stored[3].type, 7);  // the type moved with its row
    EXPECT_EQ(stored[4].type, 2);
}

TEST_F(ToolsPageTest, DeleteAsksAndSeparatorsGoAtTheEnd)
{
    Open("[tool]\r\nnum=2\r\nname0=a\r\npath0=a.exe\r\ntype0=0\r\nname1=b\r\npath1=b.exe\r\ntype1=1\r\n");
    Click(IDC_TOOL_DELETE);  // nothing selected: no question, nothing removed
    EXPECT_EQ(SendMessageW(page, WM_OPTION_HELP, 0, 0), 0);  // no help topic
    EXPECT_TRUE(modal.shown.empty());
    Select(0);
    modal.answers = {IDNO, IDYES};
    Click(IDC_TOOL_DELETE);
    EXPECT_EQ(Rows(), 2);
    Click(IDC_TOOL_DELETE);
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[1].number, IDS_MSG_CONFIRM_DELETE_ITEM);
    EXPECT_EQ(modal.shown[1].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    Click(IDC_TOOL_SEPARATOR);
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"b|モードレス|b.exe", L"-|区切り線|-"}));
    Apply();
    const std::string text = [&] {
        std::string bytes;
        ReadWholeFile(iniPath.c_str(), bytes);
        return bytes;
    }();
    EXPECT_NE(text.find("num=2"), std::string::npos);
    EXPECT_NE(text.find("type1=-1"), std::string::npos);
}

TEST_F(ToolsPageTest, AddRegistersTheToolOfAnInformationFileBesideIt)
{
    Open("[tool]\r\nnum=0\r\n");
    const std::string kti = InternalFromWide(folder.path()) + "grep.kti";
    WriteFile(kti, "[general]\r\nname=Grep\r\nfile=bin\\grep.exe\r\ntype=1\r\n");
    modal.chosenFiles = {folder.path() + L"grep.kti", L""};
    Click(IDC_TOOL_ADD);
    Click(IDC_TOOL_ADD);  // cancelled: nothing added
    ASSERT_EQ(modal.fileDialogs.size(), 2u);
    EXPECT_STREQ(modal.fileDialogs[0].title, L"ツール情報ファイルを選択していください。");
    EXPECT_STREQ(modal.fileDialogs[0].filter, L"KelvaraTextEditorツール情報ファイル(*.kti)");
    EXPECT_STREQ(modal.fileDialogs[0].filter + wcslen(modal.fileDialogs[0].filter) + 1, L"*.kti");
    EXPECT_FALSE(modal.fileDialogs[0].save);
    EXPECT_EQ(Table(), std::vector<std::wstring>{L"Grep|モードレス|" + folder.path() + L"bin\\grep.exe"});
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(ToolsPageTest, InformationFilesThatCannotRegisterATellWhyAndAddNothing)
{
    Open("[tool]\r\nnum=0\r\n");
    const std::string base = InternalFromWide(folder.path());
    WriteFile(base + "none.kti", "[general]\r\nname=No program\r\n");
    WriteFile(base + "long.kti", "[general]\r\nname=" + std::string(260, 'n') + "\r\nfile=a.exe\r\n");
    WriteFile(base + "deep.kti", "[general]\r\nfile=" + std::string(255, 'f') + "\r\n");
    WriteFile(base + "type.kti", "[general]\r\nfile=a.exe\r\ntype=5\r\n");
    modal.chosenFiles = {folder.path() + L"none.kti", folder.path() + L"long.kti", folder.path() + L"deep.kti",
                         folder.path() + L"type.kti", folder.path() + L"missing.kti"};
    for (int i = 0; i < 5; ++i) Click(IDC_TOOL_ADD);
    EXPECT_EQ(Rows(), 0);
    std::vector<int> numbers;
    for (const ShownMessage& shown : modal.shown) {
        numbers.push_back(shown.number);
        EXPECT_EQ(shown.style, static_cast<unsigned>(MB_ICONERROR));
    }
    EXPECT_EQ(numbers, (std::vector<int>{IDS_MSG_TOOL_INFO_NO_PROGRAM, IDS_MSG_TOOL_INFO_NAME_TOO_LONG,
                                         IDS_MSG_TOOL_INFO_PATH_TOO_LONG, IDS_MSG_TOOL_INFO_BAD_TYPE,
                                         IDS_MSG_TOOL_INFO_UNREADABLE}));
}

}  // namespace
