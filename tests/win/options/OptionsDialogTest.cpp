// The options dialog with its pages for real: the tree, help, a round trip through every
// page's controls (the manifest, the file types and their dialog), and what only OK writes.
#include "OptionsFixture.h"
#include "options/win32/Manifest.h"

namespace {

INT_PTR CALLBACK SilentPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Shown as far as the page goes: the dialog itself may not be on screen yet.
bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void SelectRow(HWND page, int row)
{
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

using OptionsDialogTest = OptionsFixture;

TEST_F(OptionsDialogTest, OpensOnTheFirstPageAndHelpFollowsTheChosenPage)
{
    ASSERT_TRUE(RegisterOptionPages(options) && options.count == 9);  // no tools page without its procedure
    ReleasePageTable(options);
    options.toolsPage = &SilentPage;
    Run([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
        std::wstring shape;  // the pages' labels in the tree, a child marked by its root's number
        for (int i = 0; i < options.count; ++i) {
            wchar_t text[64] = {};
            TVITEMW query{TVIF_TEXT, options.pages[i].treeItem, 0, 0, text, 64, 0, 0, 0, 0};
            TreeView_GetItem(tree, &query);
            HTREEITEM root = TreeView_GetParent(tree, query.hItem);
            for (int r = 0; r < i; ++r) shape += root == options.pages[r].treeItem ? std::to_wstring(r) + L">" : L"";
            shape += std::wstring(text) + L" ";
        }
        EXPECT_EQ(shape, L"全般 0>確認設定 0>ツール設定 0>保存 0>ファイルの安全 エディタ 5>マーク設定 5>クリッカブル設定 拡張子設定 タブの設定 ");
        EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
        for (int i = 0; i < options.count; ++i) EXPECT_EQ(Shown(options.pages[i].pageWindow), i == 0) << i;
        for (int page : {2, 7, 6}) {  // the tools and clickable pages have no topic
            TreeView_SelectItem(tree, options.pages[page].treeItem);
            SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
        }
        EXPECT_TRUE(Shown(options.pages[6].pageWindow) && !Shown(options.pages[0].pageWindow));
    });
    ASSERT_EQ(helpShown.size(), 1u);
    EXPECT_EQ(WideFromInternal(helpShown[0]), L"_RESOURCE\\マーク色設定.html");
    for (int i = 0; i < options.count; ++i) EXPECT_EQ(options.pages[i].pageWindow, nullptr);
}

// What needs the windows: the controls that follow others, the buttons that set several
// at once, the colour list, the file-type list with its extension dialog, and OK writing
// every page, visited or not.
TEST_F(OptionsDialogTest, ARoundTripThroughEveryPage)
{
    // Adding: a refused extension (which ones the native tests cover) keeps the dialog open.
    entryScript = [&](HWND entry) {
        wchar_t shown[64] = {};
        GetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown, 64);
        ShowWindow(entry, SW_SHOW);  // so that an ending of the dialog (which hides it) shows
        if (!shown[0]) {
            SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, L";a");
            SendMessageW(entry, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(IsWindowVisible(entry));
        }
        SetDlgItemTextW(entry, IDC_FILE_TYPE_EXTENSION, shown[0] ? L"HTM" : L" pl ");
        SendDlgItemMessageW(entry, IDC_FILE_TYPE_ENVIRONMENT, CB_SETCURSEL, shown[0] ? -1 : 1, 0);
        SendMessageW(entry, WM_COMMAND, IDOK, 0);
    };
    modal.answers = {IDNO, IDYES};
    SetSection(settings, "main"), WriteInt(settings, "windows", 1), WriteInt(settings, "kanji", 5);
    SetSection(settings, "editor1"), WriteString(settings, "ColorFile", "c.ini");
    SetSection(settings, "later"), WriteInt(settings, "k", 1);  // after FileType: OK must put FileType back last
    LRESULT colours = 0, colour = 0;
    EXPECT_EQ(Run([&](HWND dialog) {
                  HWND general = Page(IDD_OPTION_GENERAL), save = Page(IDD_OPTION_SAVE), editor = Page(IDD_OPTION_EDITOR);
                  HWND types = Page(IDD_OPTION_FILE_TYPES);
                  const LRESULT rows = SendDlgItemMessageW(types, IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0);
                  SelectRow(types, 1);
                  Click(types, IDC_FILE_TYPES_DELETE);  // "no": kept
                  Click(types, IDC_FILE_TYPES_DELETE);
                  EXPECT_EQ(SendDlgItemMessageW(types, IDC_FILE_TYPES_LIST, LVM_GETITEMCOUNT, 0, 0), rows - 1);
                  Click(types, IDC_FILE_TYPES_ADD);
                  SelectRow(types, 0);
                  Click(types, IDC_FILE_TYPES_EDIT);  // no environment chosen: the row keeps its own
                  EXPECT_FALSE(Enabled(general, IDC_GENERAL_X_EDIT));
                  Choose(general, IDC_GENERAL_SYSTEM_PLACE, IDC_GENERAL_OWN_PLACE, IDC_GENERAL_OWN_PLACE);
                  EXPECT_TRUE(Enabled(general, IDC_GENERAL_HEIGHT_SPIN));
                  EXPECT_TRUE(Enabled(save, IDC_SAVE_UTF8_BOM) && !Enabled(save, IDC_SAVE_UTF16_BOM));
                  Choose(save, IDC_SAVE_KANJI_AUTO, IDC_SAVE_KANJI_UTF8, IDC_SAVE_KANJI_UTF16);
                  EXPECT_TRUE(Enabled(save, IDC_SAVE_UTF16_BOM) && !Enabled(save, IDC_SAVE_UTF8_BOM));
                  // Sorted, without the folder named like a colour file, the stored one chosen.
                  colours = SendDlgItemMessageW(editor, IDC_EDITOR_COLOR_FILE, CB_GETCOUNT, 0, 0);
                  colour = SendDlgItemMessageW(editor, IDC_EDITOR_COLOR_FILE, CB_GETCURSEL, 0, 0);
                  SendDlgItemMessageW(editor, IDC_EDITOR_COLOR_FILE, CB_SETCURSEL, 0, 0);
                  Tick(general, IDC_GENERAL_LUNA, true);
                  Click(Page(IDD_OPTION_MARKS), IDC_MARKS_SHOW_ALL);
                  SetDlgItemTextW(Page(IDD_OPTION_TABS), IDC_TABS_WIDTH_EDIT, L"80");
                  Click(Page(IDD_OPTION_TABS), IDC_TABS_DEFAULT_WIDTH);
                  Ok(dialog);
              }),
              1);
    EXPECT_TRUE(colours == 3 && colour == 2) << colours << " " << colour;
    EXPECT_EQ(Int("main", "windows"), 0);
    EXPECT_EQ(Int("main", "kanji"), 4);
    EXPECT_EQ(Int("editor2", "vTab"), 1);
    EXPECT_EQ(Int("tab", "width"), 120);
    EXPECT_EQ(options.chosen.tabBarWidth, 120);
    const std::string text = FileText();
    EXPECT_NE(text.find("ColorFile=a.ini"), std::string::npos);
    EXPECT_NE(text.find("\r\n[FileType]\r\nHTM=HTML.esf\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\npl="), std::string::npos);
    EXPECT_LT(text.find("[later]"), text.find("[FileType]"));
    EXPECT_EQ(text.find('[', text.find("[FileType]") + 1), std::string::npos);
    EXPECT_EQ(Read(options.host.manifestPath), std::string(kManifestText));
    const std::vector<int> asked = {IDS_MSG_CONFIRM_DELETE_ITEM, IDS_MSG_CONFIRM_DELETE_ITEM,
                                    IDS_MSG_EXTENSION_FIRST_CHARACTER, IDS_MSG_LUNA_ON};
    EXPECT_EQ(Messages(), asked);
    EXPECT_EQ(modal.shown[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONINFORMATION));
    // Cleared: the manifest goes, with its message; already absent: no message.
    for (int time = 0; time < 2; ++time) Run([&](HWND dialog) { Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, false), Ok(dialog); });
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Messages().back(), IDS_MSG_LUNA_OFF);
    EXPECT_EQ(modal.shown.size(), asked.size() + 1);
}

TEST_F(OptionsDialogTest, CancelWritesNothingAndAFailedWriteIsToldOnceButStillChosen)
{
    const std::string before = FileText();
    EXPECT_EQ(Run([&](HWND) { Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, true); }), 0);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(options.chosen.tabBarWidth);

    // Read-only: every page's batch fails; the views still take what the pages chose.
    SetFileAttributesW(WideFromInternal(settings.path).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Run([&](HWND dialog) { Ok(dialog); }), 1);
    SetFileAttributesW(WideFromInternal(settings.path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_SETTINGS_WRITE_FAILED});
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(options.chosen.tabBarWidth, Int("tab", "width"));
    EXPECT_TRUE(options.chosen.vsHome);

    // Unreadable when the dialog opens: the pages show defaults, which OK must not store.
    modal.shown.clear();
    FileFaultsForTesting faults;
    faults.readFailure = FileErrorKind::SharingViolation;
    SetFileFaultsForTesting(faults);
    Run([&](HWND dialog) { SetFileFaultsForTesting(FileFaultsForTesting()), Ok(dialog); });
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_SETTINGS_WRITE_FAILED});
}

}  // namespace
