// The options dialog's host: the page table, the tree, the page shown, help, and that
// only OK writes.
#include "OptionsFixture.h"

namespace {

// Shown as far as the page goes: the dialog itself may not be on screen yet.
bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

INT_PTR CALLBACK SilentPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[64] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 64;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

// The tree as "root(child,child)root..." in its own order.
std::wstring TreeShape(HWND tree)
{
    std::wstring shape;
    for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
        shape += ItemText(tree, root);
        HTREEITEM child = TreeView_GetChild(tree, root);
        if (child) shape += L"(";
        for (; child; child = TreeView_GetNextSibling(tree, child)) {
            shape += ItemText(tree, child);
            if (TreeView_GetNextSibling(tree, child)) shape += L",";
        }
        if (TreeView_GetChild(tree, root)) shape += L")";
        shape += L" ";
    }
    return shape;
}

TEST(OptionPageTableTest, KeepsToItsCapacityAndCutsLongLabels)
{
    OptionsDialog options;
    ASSERT_TRUE(CreatePageTable(options, 2));
    EXPECT_FALSE(RegisterPage(options, 1, true, nullptr, L"no procedure"));
    EXPECT_TRUE(RegisterPage(options, 1, true, &SilentPage, std::wstring(100, L'x').c_str()));
    EXPECT_TRUE(RegisterPage(options, 2, false, &SilentPage, L"b"));
    EXPECT_FALSE(RegisterPage(options, 3, true, &SilentPage, L"c"));
    EXPECT_EQ(options.count, 2);
    EXPECT_EQ(std::wstring(options.pages[0].label), std::wstring(63, L'x'));
    EXPECT_FALSE(options.pages[1].topLevel);
}

using OptionsDialogTest = OptionsFixture;

TEST_F(OptionsDialogTest, TheToolsPageTakesItsPlaceOnlyWhenItHasAProcedure)
{
    Register();
    EXPECT_EQ(options.count, 8);
    std::wstring shape;
    EXPECT_EQ(Run([&](HWND dialog) { shape = TreeShape(GetDlgItem(dialog, IDC_OPTIONS_TREE)); }), 0);
    EXPECT_EQ(shape, L"全般(確認設定,保存) エディタ(マーク設定,クリッカブル設定) 拡張子設定 タブの設定 ");

    ReleasePageTable(options);
    options.toolsPage = &SilentPage;
    Register();
    ASSERT_EQ(options.count, 9);
    EXPECT_EQ(options.pages[2].dialogId, 149);
    EXPECT_EQ(Run([&](HWND dialog) { shape = TreeShape(GetDlgItem(dialog, IDC_OPTIONS_TREE)); }), 0);
    EXPECT_EQ(shape, L"全般(確認設定,ツール設定,保存) エディタ(マーク設定,クリッカブル設定) 拡張子設定 タブの設定 ");
}

TEST_F(OptionsDialogTest, OpensOnTheGeneralPageWithNothingSelectedEveryTime)
{
    options.toolsPage = &SilentPage;
    Register();
    auto check = [&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
        EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
        EXPECT_TRUE(Shown(options.pages[0].pageWindow));
        for (int i = 1; i < options.count; ++i) EXPECT_FALSE(Shown(options.pages[i].pageWindow)) << i;
        RECT place{};
        GetWindowRect(options.pages[0].pageWindow, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, 150);
        EXPECT_EQ(place.top, 10);
        EXPECT_EQ(place.right - place.left, 475);
        EXPECT_EQ(place.bottom - place.top, 282);
    };
    // The first time the marks page is chosen, then help goes to its topic.
    Run([&](HWND dialog) {
        check(dialog);
        TreeView_SelectItem(GetDlgItem(dialog, IDC_OPTIONS_TREE), options.pages[5].treeItem);
        EXPECT_TRUE(Shown(options.pages[5].pageWindow));
        EXPECT_FALSE(Shown(options.pages[0].pageWindow));
        EXPECT_EQ(options.current, 5);
        SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
        Cancel(dialog);
    });
    // The next time help is for the general page again.
    Run([&](HWND dialog) {
        check(dialog);
        SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
    });
    ASSERT_EQ(helpShown.size(), 2u);
    EXPECT_EQ(WideFromInternal(helpShown[0]), L"_RESOURCE\\マーク色設定.html");
    EXPECT_EQ(WideFromInternal(helpShown[1]), L"_RESOURCE\\全般設定.html");
    // After the dialog the pages' windows are forgotten.
    for (int i = 0; i < options.count; ++i) EXPECT_EQ(options.pages[i].pageWindow, nullptr);
}

TEST_F(OptionsDialogTest, HelpOnPagesWithoutATopicDoesNothing)
{
    options.toolsPage = &SilentPage;
    Register();
    Run([&](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
        for (int page : {2, 6}) {  // the tools page and the clickable page
            TreeView_SelectItem(tree, options.pages[page].treeItem);
            SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
        }
        TreeView_SelectItem(tree, options.pages[8].treeItem);
        SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
    });
    ASSERT_EQ(helpShown.size(), 1u);
    EXPECT_EQ(WideFromInternal(helpShown[0]), L"_RESOURCE\\タブ.html");
}

TEST_F(OptionsDialogTest, CancelWritesNothingAfterChangesOnEveryPage)
{
    const std::string before = FileText();
    EXPECT_EQ(Run([&](HWND dialog) {
                  Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, true);
                  Tick(Page(IDD_OPTION_CONFIRM), IDC_CONFIRM_ON_END, !Ticked(Page(IDD_OPTION_CONFIRM), IDC_CONFIRM_ON_END));
                  Type(Page(IDD_OPTION_EDITOR), IDC_EDITOR_TAB_EDIT, L"99");
                  Click(Page(IDD_OPTION_MARKS), IDC_MARKS_SHOW_ALL);
                  Click(Page(IDD_OPTION_TABS), IDC_TABS_DEFAULT_WIDTH);
                  Cancel(dialog);
              }),
              0);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_EQ(tabBarWidth, 0);
}

TEST_F(OptionsDialogTest, OkWritesEveryPageEvenUnvisitedAndMovesTheFileTypesLast)
{
    // A section after FileType: the page's rewrite must put FileType back at the end.
    SetSection(settings, "later");
    WriteInt(settings, "k", 1);
    SetSection(settings, "editor1");
    WriteInt(settings, "clickable", 65535);
    EXPECT_EQ(Run([&](HWND dialog) { Ok(dialog); }), 1);
    const std::string text = FileText();
    const size_t fileTypes = text.find("[FileType]");
    ASSERT_NE(fileTypes, std::string::npos);
    EXPECT_EQ(text.find('[', fileTypes + 1), std::string::npos);
    EXPECT_LT(text.find("[later]"), fileTypes);
    // Untouched pages keep their values, except what they normalise.
    EXPECT_EQ(Int("editor1", "clickable"), 15);
    EXPECT_EQ(Text("FileType", "html"), "HTML.esf");
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(OptionsDialogTest, AFailedWriteIsReportedOnceForTheWholeDialog)
{
    // The settings file made read-only: every page's batch fails.
    SetFileAttributesW(WideFromInternal(settings.path).c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string before = FileText();
    EXPECT_EQ(Run([&](HWND dialog) { Ok(dialog); }), 1);
    SetFileAttributesW(WideFromInternal(settings.path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_SETTINGS_WRITE_FAILED});
    EXPECT_EQ(FileText(), before);
}

}  // namespace
