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
        item.iSubItem = column, item.pszText = text, item.cchTextMax = 600;
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
        item.stateMask = LVIS_SELECTED, item.state = row < 0 ? 0 : LVIS_SELECTED;
        SendMessageW(List(), LVM_SETITEMSTATE, row < 0 ? static_cast<WPARAM>(-1) : row, reinterpret_cast<LPARAM>(&item));
    }
    void Click(int id) const { SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Apply() const { SendMessageW(page, WM_OPTION_APPLY, 0, 0); }
    std::vector<ToolEntry> Stored()
    {
        ProfileBatch batch;
        return BeginBatch(batch, settings), ReadToolList(batch);
    }
};

const char kTools[] =
    "[tool]\r\nnum=5\r\nname0=Grep\r\npath0=C:\\g.exe\r\ntype0=0\r\nname1=-\r\npath1=-\r\ntype1=-1\r\n"
    "name2=View\r\npath2=C:\\v.exe\r\ntype2=1\r\nname3=Kit\r\npath3=C:\\k.exe\r\ntype3=2\r\n"
    "name4=Odd\r\npath4=C:\\o.exe\r\ntype4=7\r\nname5=past num\r\n";

TEST_F(ToolsPageTest, RowsMoveAndGoWithTheirTypesAndApplyWritesThemInOrder)
{
    Open(kTools);
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
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"View|モードレス|C:\\v.exe", L"-|区切り線|-", L"Odd|7|C:\\o.exe",
                                                  L"Kit|内蔵|C:\\k.exe", L"-|区切り線|-"}));
    SendMessageW(page, WM_OPTION_APPLY, 0, 0);
    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    const int types[] = {1, -1, 7, 2, -1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(stored[i].type, types[i]) << i;
    EXPECT_EQ(stored[2].path, "C:\\o.exe");
    EXPECT_EQ(stored[4].name, "-");
}

TEST_F(ToolsPageTest, AddRegistersTheToolOfAnInformationFileOrTellsWhyNot)
{
    Open("[tool]\r\nnum=0\r\n");
    const std::string base = InternalFromWide(folder.path());
    WriteFile(base + "grep.kti", "[general]\r\nname=Grep\r\nfile=bin\\grep.exe\r\ntype=1\r\n");
    WriteFile(base + "none.kti", "[general]\r\nname=No program\r\n");
    WriteFile(base + "long.kti", "[general]\r\nname=" + std::string(260, 'n') + "\r\nfile=a.exe\r\n");
    WriteFile(base + "deep.kti", "[general]\r\nfile=" + std::string(255, 'f') + "\r\n");
    WriteFile(base + "type.kti", "[general]\r\nfile=a.exe\r\ntype=5\r\n");
    for (const wchar_t* name : {L"grep.kti", L"", L"none.kti", L"long.kti", L"deep.kti", L"type.kti", L"missing.kti"}) {
        modal.chosenFiles = {name[0] ? folder.path() + name : L""};
        Click(IDC_TOOL_ADD);  // the second is cancelled: nothing added, nothing said
    }
    EXPECT_STREQ(modal.fileDialogs[0].title, L"ツール情報ファイルを選択してください。");
    EXPECT_STREQ(modal.fileDialogs[0].filter + wcslen(modal.fileDialogs[0].filter) + 1, L"*.kti");
    EXPECT_EQ(Table(), std::vector<std::wstring>{L"Grep|モードレス|" + folder.path() + L"bin\\grep.exe"});
    std::vector<int> numbers;
    for (const ShownMessage& shown : modal.shown) numbers.push_back(shown.number + (shown.style == MB_ICONERROR ? 0 : 1000));
    EXPECT_EQ(numbers, (std::vector<int>{IDS_MSG_TOOL_INFO_NO_PROGRAM, IDS_MSG_TOOL_INFO_NAME_TOO_LONG,
                                         IDS_MSG_TOOL_INFO_PATH_TOO_LONG, IDS_MSG_TOOL_INFO_BAD_TYPE,
                                         IDS_MSG_TOOL_INFO_UNREADABLE}));
}

}  // namespace
