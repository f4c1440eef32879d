// The options dialog with its pages for real: the tree, help, a round trip through every
// page's controls, what only OK writes, and the manifest of the general page.
#include "OptionsFixture.h"
#include "options/win32/Manifest.h"

namespace {

INT_PTR CALLBACK SilentPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Shown as far as the page goes: the dialog itself may not be on screen yet.
bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The tree as "root(child,child) root ..." in its own order.
std::wstring TreeShape(HWND tree)
{
    auto label = [tree](HTREEITEM item) {
        wchar_t text[64] = {};
        TVITEMW query{TVIF_TEXT, item, 0, 0, text, 64, 0, 0, 0, 0};
        TreeView_GetItem(tree, &query);
        return std::wstring(text);
    };
    std::wstring shape;
    for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
        std::wstring children;
        for (HTREEITEM child = TreeView_GetChild(tree, root); child; child = TreeView_GetNextSibling(tree, child)) {
            children += (children.empty() ? L"(" : L",") + label(child);
        }
        shape += label(root) + children + (children.empty() ? L" " : L") ");
    }
    return shape;
}

using OptionsDialogTest = OptionsFixture;

TEST_F(OptionsDialogTest, OpensOnTheFirstPageAndHelpFollowsTheChosenPage)
{
    ASSERT_TRUE(RegisterOptionPages(options));
    EXPECT_EQ(options.count, 8);  // no tools page without its procedure
    ReleasePageTable(options);
    options.toolsPage = &SilentPage;
    ASSERT_TRUE(RegisterOptionPages(options));
    std::wstring shape;
    for (int time = 0; time < 2; ++time) {
        Run([&](HWND dialog) {
            HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
            shape = TreeShape(tree);
            EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
            for (int i = 0; i < options.count; ++i) EXPECT_EQ(Shown(options.pages[i].pageWindow), i == 0) << i;
            RECT place{};
            GetWindowRect(options.pages[0].pageWindow, &place);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
            EXPECT_EQ(place.left, 150);
            EXPECT_EQ(place.bottom - place.top, 282);
            SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
            if (time > 0) return;
            for (int page : {2, 6, 5}) {  // the tools and clickable pages have no topic
                TreeView_SelectItem(tree, options.pages[page].treeItem);
                SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
            }
            EXPECT_TRUE(Shown(options.pages[5].pageWindow));
        });
    }
    EXPECT_EQ(shape, L"全般(確認設定,ツール設定,保存) エディタ(マーク設定,クリッカブル設定) 拡張子設定 タブの設定 ");
    ASSERT_EQ(helpShown.size(), 3u);
    EXPECT_EQ(WideFromInternal(helpShown[1]), L"_RESOURCE\\マーク色設定.html");
    EXPECT_EQ(WideFromInternal(helpShown[2]), L"_RESOURCE\\全般設定.html");
    for (int i = 0; i < options.count; ++i) EXPECT_EQ(options.pages[i].pageWindow, nullptr);
}

// What needs the windows: stored values on the controls, the controls that follow others,
// the buttons that set several at once, and OK writing every page, visited or not.
TEST_F(OptionsDialogTest, ARoundTripThroughEveryPage)
{
    SetSection(settings, "main");
    WriteInt(settings, "windows", 1);
    WriteInt(settings, "x", 40);
    WriteInt(settings, "kanji", 5);
    SetSection(settings, "editor1");
    WriteString(settings, "ColorFile", "c.ini");
    WriteInt(settings, "clickable", 65535);
    SetSection(settings, "later");  // after FileType: OK must put FileType back at the end
    WriteInt(settings, "k", 1);
    std::wstring colour;
    LRESULT colours = 0;
    EXPECT_EQ(Run([&](HWND dialog) {
                  HWND general = Page(IDD_OPTION_GENERAL), save = Page(IDD_OPTION_SAVE);
                  HWND editor = Page(IDD_OPTION_EDITOR);
                  wchar_t x[16] = {};
                  GetDlgItemTextW(general, IDC_GENERAL_X_EDIT, x, 16);
                  EXPECT_STREQ(x, L"40");
                  EXPECT_FALSE(Enabled(general, IDC_GENERAL_X_EDIT));
                  Choose(general, IDC_GENERAL_SYSTEM_PLACE, IDC_GENERAL_OWN_PLACE, IDC_GENERAL_OWN_PLACE);
                  EXPECT_TRUE(Enabled(general, IDC_GENERAL_HEIGHT_SPIN));
                  EXPECT_TRUE(Enabled(save, IDC_SAVE_UTF8_BOM) && !Enabled(save, IDC_SAVE_UTF16_BOM));
                  Choose(save, IDC_SAVE_KANJI_AUTO, IDC_SAVE_KANJI_UTF8, IDC_SAVE_KANJI_UTF16);
                  EXPECT_TRUE(Enabled(save, IDC_SAVE_UTF16_BOM) && !Enabled(save, IDC_SAVE_UTF8_BOM));
                  // The colour list is sorted, leaves out a folder and shows the stored name.
                  colours = SendDlgItemMessageW(editor, IDC_EDITOR_COLOR_FILE, CB_GETCOUNT, 0, 0);
                  wchar_t text[16] = {};
                  GetDlgItemTextW(editor, IDC_EDITOR_COLOR_FILE, text, 16);
                  colour = text;
                  SendDlgItemMessageW(editor, IDC_EDITOR_COLOR_FILE, CB_SETCURSEL, 0, 0);
                  Tick(editor, IDC_EDITOR_INDENT, true);
                  Click(Page(IDD_OPTION_MARKS), IDC_MARKS_SHOW_ALL);
                  SetDlgItemTextW(Page(IDD_OPTION_TABS), IDC_TABS_WIDTH_EDIT, L"80");
                  Click(Page(IDD_OPTION_TABS), IDC_TABS_DEFAULT_WIDTH);
                  Ok(dialog);
              }),
              1);
    EXPECT_EQ(colours, 3);
    EXPECT_EQ(colour, L"c.ini");
    EXPECT_EQ(Int("main", "windows"), 0);
    EXPECT_EQ(Int("main", "kanji"), 4);
    EXPECT_NE(FileText().find("ColorFile=a.ini"), std::string::npos);
    EXPECT_EQ(Int("editor1", "clickable"), 15);
    EXPECT_EQ(Int("editor2", "vTab"), 1);
    EXPECT_EQ(Int("tab", "width"), 120);
    EXPECT_EQ(options.chosen.tabBarWidth, 120);
    EXPECT_EQ(options.chosen.autoIndent, 1);
    const std::string text = FileText();
    EXPECT_LT(text.find("[later]"), text.find("[FileType]"));
    EXPECT_EQ(text.find('[', text.find("[FileType]") + 1), std::string::npos);
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(OptionsDialogTest, CancelWritesNothingAndAFailedWriteIsToldOnceButStillChosen)
{
    const std::string before = FileText();
    EXPECT_EQ(Run([&](HWND) {
                  Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, true);
                  Click(Page(IDD_OPTION_MARKS), IDC_MARKS_SHOW_ALL);
              }),
              0);
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
}

TEST_F(OptionsDialogTest, TheManifestFollowsTheBoxWithItsMessageWrittenOrNot)
{
    auto run = [&](bool luna) { Run([&](HWND dialog) { Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, luna), Ok(dialog); }); };
    run(true);
    EXPECT_EQ(Read(options.host.manifestPath), std::string(kManifestText));
    Touch(options.host.manifestPath, "hand-made");
    run(true);  // there already: untouched, no message
    EXPECT_EQ(Read(options.host.manifestPath), "hand-made");
    run(false);
    run(false);
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
    options.host.manifestPath = folder + L"missing\\kvte.exe.manifest";
    run(true);
    EXPECT_EQ(Messages(), (std::vector<int>{IDS_MSG_LUNA_ON, IDS_MSG_LUNA_OFF, IDS_MSG_LUNA_ON}));
    EXPECT_EQ(modal.shown[0].style & 0xF0, 64u);
}

}  // namespace
