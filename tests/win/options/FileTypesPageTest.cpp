// The file-type page and the extension dialog: the rows as read, edited and written back,
// and the extensions the dialog refuses.
#include "OptionsFixture.h"
#include "options/win32/FileTypeEntry.h"

namespace {

using FileTypesPageTest = OptionsFixture;

int Rows(HWND page) { return static_cast<int>(SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring Cell(HWND page, int row, int column)
{
    wchar_t text[300] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 300;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void Select(HWND page, int row)
{
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The text of the settings file from its FileType header on.
std::string SectionOnDisk(const std::string& file)
{
    const size_t at = file.find("\r\n[FileType]");
    return at == std::string::npos ? std::string("(none)") : file.substr(at);
}

void WriteSection(ProfileFile& settings, const char* lines)
{
    SetSection(settings, "FileType");
    DeleteSection(settings);
    AppendSection(settings, "FileType");
    std::string bytes;
    ReadWholeFile(settings.path, bytes);
    bytes += lines;
    ReplaceWholeFile(settings.path, bytes.data(), bytes.size());
}

TEST_F(FileTypesPageTest, DeletingEveryRowLeavesTheBareHeaderLastAndAnEmptyListNextTime)
{
    int before = 0;
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_FILE_TYPES);
        before = Rows(page);
        EXPECT_EQ(Cell(page, 0, 1).substr(Cell(page, 0, 1).size() - 4), L".esf");
        modal.answer = IDYES;
        while (Rows(page) > 0) {
            Select(page, 0);
            Click(page, IDC_FILE_TYPES_DELETE);
        }
        Ok(dialog);
    });
    EXPECT_EQ(before, 14);
    EXPECT_EQ(Messages(), std::vector<int>(14, IDS_MSG_CONFIRM_DELETE_ITEM));
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(SectionOnDisk(FileText()), "\r\n[FileType]");
    int after = -1;
    Run([&](HWND) { after = Rows(Page(IDD_OPTION_FILE_TYPES)); });
    EXPECT_EQ(after, 0);
}

TEST_F(FileTypesPageTest, NoAnswerOrNoSelectionRemovesNothing)
{
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_FILE_TYPES);
        const int rows = Rows(page);
        modal.answer = IDNO;
        Select(page, 0);
        Click(page, IDC_FILE_TYPES_DELETE);
        EXPECT_EQ(Rows(page), rows);
        modal.answer = IDYES;
        LVITEMW clear{};
        clear.stateMask = LVIS_SELECTED;
        SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(&clear));
        Click(page, IDC_FILE_TYPES_DELETE);
        EXPECT_EQ(Rows(page), rows);
        Cancel(dialog);
    });
}

TEST_F(FileTypesPageTest, TwoRowsDifferingInLetterCaseStoreOneLine)
{
    WriteSection(settings, "\r\ntxt=a.esf\r\nTXT=b.esf\r\nc=C.esf");
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_FILE_TYPES);
        EXPECT_EQ(Rows(page), 3);  // the last line, without a line end, is a row too
        EXPECT_EQ(Cell(page, 1, 0), L"TXT");
        Ok(dialog);
    });
    EXPECT_EQ(SectionOnDisk(FileText()), "\r\n[FileType]\r\ntxt=b.esf\r\nc=C.esf\r\n");
}

TEST_F(FileTypesPageTest, AddAndEditGoThroughTheExtensionDialog)
{
    WriteSection(settings, "\r\nhtm=HTML.esf\r\n");
    entryScript = [&](HWND entry) {
        wchar_t shown[64] = {};
        GetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown, 64);
        if (shown[0] == L'\0') {
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L" pl ");
            SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_SETCURSEL, 1, 0);
        } else {
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L"HTM");
        }
        SendMessageW(entry, WM_COMMAND, IDOK, 0);
    };
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_FILE_TYPES);
        Click(page, IDC_FILE_TYPES_ADD);
        Select(page, 0);
        Click(page, IDC_FILE_TYPES_EDIT);
        EXPECT_EQ(Cell(page, 0, 0), L"HTM");
        EXPECT_EQ(Cell(page, 0, 1), L"HTML.esf");
        EXPECT_EQ(Cell(page, 1, 0), L"pl");
        Ok(dialog);
    });
    EXPECT_EQ(entryDialogs, 2);
    const std::string section = SectionOnDisk(FileText());
    EXPECT_EQ(section.substr(0, 28), "\r\n[FileType]\r\nHTM=HTML.esf\r\n");
    EXPECT_EQ(section.substr(28, 3), "pl=");
}

TEST_F(FileTypesPageTest, AFileUnreadableAtOpeningIsNotOverwrittenAtOk)
{
    const std::string before = FileText();
    FileFaultsForTesting faults;
    faults.readFailure = FileErrorKind::SharingViolation;
    SetFileFaultsForTesting(faults);
    int rows = -1;
    Run([&](HWND dialog) {
        rows = Rows(Page(IDD_OPTION_FILE_TYPES));
        // The file becomes readable again before OK: the empty list must not replace it.
        SetFileFaultsForTesting(FileFaultsForTesting());
        Ok(dialog);
    });
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(Text("FileType", "html"), "HTML.esf");
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_SETTINGS_WRITE_FAILED});
}

struct ExtensionDialogTest : OptionsFixture {
    FileTypeRow entry;
    int Open() { return RunExtensionDialog(GetModuleHandleW(nullptr), nullptr, folderInternal.c_str(), entry); }
};

TEST_F(ExtensionDialogTest, RefusesExtensionsTheSettingsCannotHoldAndStaysOpen)
{
    const std::vector<std::pair<const wchar_t*, int>> refused = {
        {L"", IDS_MSG_EXTENSION_EMPTY},         {L"  ", IDS_MSG_EXTENSION_EMPTY},
        {L"a=b", IDS_MSG_EXTENSION_EQUALS},     {L"a]", IDS_MSG_EXTENSION_BRACKET},
        {L"a\r\nb", IDS_MSG_EXTENSION_LINE_END}, {L"[a", IDS_MSG_EXTENSION_FIRST_CHARACTER},
        {L";a", IDS_MSG_EXTENSION_FIRST_CHARACTER},
    };
    std::vector<bool> stillOpen;
    entryScript = [&](HWND entry) {
        // Shown now, so that an ending of the dialog (which hides it) can be seen.
        ShowWindow(entry, SW_SHOW);
        for (const auto& typed : refused) {
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, typed.first);
            SendMessageW(entry, WM_COMMAND, IDOK, 0);
            stillOpen.push_back(IsWindowVisible(entry) != FALSE);
        }
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L".pl");
        SendMessageW(entry, WM_COMMAND, IDOK, 0);
    };
    entry.environment = "C.esf";
    ASSERT_EQ(Open(), 1);
    std::vector<int> expected;
    for (const auto& typed : refused) expected.push_back(typed.second);
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(stillOpen, std::vector<bool>(refused.size(), true));
    EXPECT_EQ(entry.extension, ".pl");  // a leading dot is the user's choice
    EXPECT_EQ(entry.environment, "C.esf");
}

TEST_F(ExtensionDialogTest, ListsTheEnvironmentsUnsortedAndCancelKeepsTheEntry)
{
    LRESULT count = 0;
    std::wstring first;
    entryScript = [&](HWND entry) {
        count = SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_GETCOUNT, 0, 0);
        wchar_t text[64] = {};
        SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_GETLBTEXT,
                            SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_GETCURSEL, 0, 0),
                            reinterpret_cast<LPARAM>(text));
        first = text;
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L"changed");
        SendMessageW(entry, WM_COMMAND, IDCANCEL, 0);
    };
    entry = {"txt", "gone.esf"};
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(first.empty());  // none equal: the first found is chosen
    EXPECT_EQ(entry.extension, "txt");
    EXPECT_EQ(entry.environment, "gone.esf");

    // With no environments at all, OK keeps the environment text it had.
    DeleteFileW((folder + L"esf\\HTML.esf").c_str());
    DeleteFileW((folder + L"esf\\C.esf").c_str());
    entryScript = [&](HWND entry) { SendMessageW(entry, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(Open(), 1);
    EXPECT_EQ(entry.environment, "gone.esf");
}

}  // namespace
