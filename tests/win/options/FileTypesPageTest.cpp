// The file-type page's list and the extension dialog: rows added, edited and deleted
// through the real controls, a file unreadable at opening, and the refused extensions.
#include "OptionsFixture.h"
#include "options/win32/FileTypeEntry.h"

namespace {

using FileTypesPageTest = OptionsFixture;

std::wstring Cell(HWND page, int row, int column)
{
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column, item.pszText = text, item.cchTextMax = 64;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void Select(HWND page, int row)
{
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

TEST_F(FileTypesPageTest, AddEditAndDeleteGoThroughTheListAndOkWritesIt)
{
    entryScript = [&](HWND entry) {
        wchar_t shown[64] = {};
        GetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown, 64);
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown[0] ? L"HTM" : L" pl ");
        if (!shown[0]) SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_SETCURSEL, 1, 0);
        SendMessageW(entry, WM_COMMAND, IDOK, 0);
    };
    modal.answers = {IDNO, IDYES};
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_FILE_TYPES);
        const LRESULT rows = SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0);
        Select(page, 1);
        Click(page, IDC_FILE_TYPES_DELETE);  // "no": kept
        Click(page, IDC_FILE_TYPES_DELETE);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0), rows - 1);
        Click(page, IDC_FILE_TYPES_ADD);
        Select(page, 0);
        Click(page, IDC_FILE_TYPES_EDIT);
        EXPECT_EQ(Cell(page, 0, 0), L"HTM");
        EXPECT_EQ(Cell(page, rows - 1, 0), L"pl");
        Ok(dialog);
    });
    EXPECT_EQ(Messages(), std::vector<int>(2, IDS_MSG_CONFIRM_DELETE_ITEM));
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    const std::string text = FileText();
    EXPECT_NE(text.find("\r\n[FileType]\r\nHTM="), std::string::npos);
    EXPECT_NE(text.find("\r\npl="), std::string::npos);
}

TEST_F(FileTypesPageTest, AFileUnreadableAtOpeningIsNotOverwrittenAtOk)
{
    const std::string before = FileText();
    FileFaultsForTesting faults;
    faults.readFailure = FileErrorKind::SharingViolation;
    SetFileFaultsForTesting(faults);
    Run([&](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageW(Page(IDD_OPTION_FILE_TYPES), IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0), 0);
        SetFileFaultsForTesting(FileFaultsForTesting());  // readable again before OK
        Ok(dialog);
    });
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_SETTINGS_WRITE_FAILED});
}

TEST_F(FileTypesPageTest, TheExtensionDialogRefusesWhatCannotBeAKeyAndCancelKeepsTheEntry)
{
    const std::vector<std::pair<const wchar_t*, int>> refused = {
        {L"  ", IDS_MSG_EXTENSION_EMPTY},       {L"a=b", IDS_MSG_EXTENSION_EQUALS},
        {L"a]", IDS_MSG_EXTENSION_BRACKET},     {L"a\r\nb", IDS_MSG_EXTENSION_LINE_END},
        {L";a", IDS_MSG_EXTENSION_FIRST_CHARACTER},
    };
    entryScript = [&](HWND entry) {
        ShowWindow(entry, SW_SHOW);  // so that an ending of the dialog (which hides it) shows
        for (const auto& typed : refused) {
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, typed.first);
            SendMessageW(entry, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(IsWindowVisible(entry));
        }
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L".pl");
        SendMessageW(entry, WM_COMMAND, IDOK, 0);
    };
    FileTypeRow entry{"txt", "C.esf"};
    ASSERT_EQ(RunExtensionDialog(GetModuleHandleW(nullptr), nullptr, folderInternal.c_str(), entry), 1);
    std::vector<int> expected;
    for (const auto& typed : refused) expected.push_back(typed.second);
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(entry.extension, ".pl");
    EXPECT_EQ(entry.environment, "C.esf");

    entryScript = [](HWND entry) {
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L"changed");
        SendMessageW(entry, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(RunExtensionDialog(GetModuleHandleW(nullptr), nullptr, folderInternal.c_str(), entry), 0);
    EXPECT_EQ(entry.extension, ".pl");
}

}  // namespace
