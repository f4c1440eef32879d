// The file-type page's list and the extension dialog: rows added, edited and deleted
// through the real controls, and the extensions the dialog refuses.
#include "OptionsFixture.h"

namespace {

using FileTypesPageTest = OptionsFixture;

void Select(HWND page, int row)
{
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

TEST_F(FileTypesPageTest, AddEditAndDeleteGoThroughTheListAndTheExtensionDialog)
{
    const std::vector<std::pair<const wchar_t*, int>> refused = {
        {L"  ", IDS_MSG_EXTENSION_EMPTY},   {L"a=b", IDS_MSG_EXTENSION_EQUALS},       {L"a]", IDS_MSG_EXTENSION_BRACKET},
        {L"a\nb", IDS_MSG_EXTENSION_LINE_END}, {L";a", IDS_MSG_EXTENSION_FIRST_CHARACTER},
    };
    std::vector<int> expected = {IDS_MSG_CONFIRM_DELETE_ITEM, IDS_MSG_CONFIRM_DELETE_ITEM};
    entryScript = [&](HWND entry) {
        wchar_t shown[64] = {};
        GetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown, 64);
        ShowWindow(entry, SW_SHOW);  // so that an ending of the dialog (which hides it) shows
        for (const auto& typed : refused) {
            if (shown[0]) break;
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, typed.first);
            SendMessageW(entry, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(IsWindowVisible(entry));
            expected.push_back(typed.second);
        }
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown[0] ? L"HTM" : L" pl ");
        SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_SETCURSEL, shown[0] ? -1 : 1, 0);
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
        Click(page, IDC_FILE_TYPES_EDIT);  // no environment chosen: the row keeps its own
        Ok(dialog);
    });
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    const std::string text = FileText();
    EXPECT_NE(text.find("\r\n[FileType]\r\nHTM=HTML.esf\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\npl="), std::string::npos);
}

}  // namespace
