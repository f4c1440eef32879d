// The options pages' tables on a page without windows: what each page shows of the stored
// values, what it writes back at OK, and the numbers it refuses.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../support/TempFolder.h"
#include "config/ProfileBatch.h"
#include "options/PageTable.h"
#include "resources/options_ids.h"
#include "resources/resource.h"

namespace {

// The controls as values. An edit box shows what its spin was set to; a list holds its
// selection ("" for none) and offers the colour files a.ini, b.ini, c.ini.
struct FakePage : PageView {
    std::map<int, bool> ticked;
    std::map<int, std::string> text;
    std::map<int, int> spin;
    std::map<int, std::string> range;
    std::string listed;

    bool IsTicked(int control) const override { return ticked.count(control) && ticked.at(control); }
    void SetTicked(int control, bool on) override { ticked[control] = on; }
    void SetUpNumber(int edit, int spinId, int low, int high, int position) override
    {
        text[edit] = std::to_string(position);
        spin[spinId] = position;
        range[edit] = std::to_string(low) + ".." + std::to_string(high);
    }
    std::string Text(int edit) const override { return text.at(edit); }
    int SpinPosition(int spinId) const override { return spin.at(spinId); }
    void FillNames(int list, const char* folder, const char* pattern, const std::string& chosen) override
    {
        listed = std::string(folder) + "\\" + pattern;
        text[list] = chosen == "a.ini" || chosen == "b.ini" || chosen == "c.ini" ? chosen : "a.ini";
    }
    bool Selection(int list, std::string& name) const override
    {
        if (!text.count(list) || text.at(list).empty()) return false;
        return name = text.at(list), true;
    }
};

struct PageTablesTest : testing::Test {
    TempFolder folder;
    std::string path = folder.File("kvte.ini");
    ProfileFile settings;
    FakePage page;
    OptionsChoices chosen;

    // Stores "key=value;..." in the table's section and shows it on a fresh page.
    void Load(const PageTable& table, std::string keys)
    {
        for (char& c : keys) c = c == ';' ? '\n' : c;
        TempFolder::Write(path, "[" + std::string(table.section) + "]\n" + keys + "\n");
        ASSERT_TRUE(OpenProfile(settings, path.c_str(), "other"));
        page = FakePage();
        chosen = OptionsChoices();
        LoadPage(table, settings, page);
    }
    std::vector<int> Save(const PageTable& table)
    {
        ProfileBatch batch;
        EXPECT_TRUE(BeginBatch(batch, settings));
        std::vector<int> complaints = SavePage(table, page, batch, chosen);
        EXPECT_TRUE(CommitBatch(batch));
        return complaints;
    }
    // The stored values of the keys that "key=value;..." names, in the same form.
    std::string Stored(const PageTable& table, const std::string& expected)
    {
        SetSection(settings, table.section);
        std::stringstream keys(expected);
        std::string shown;
        for (std::string item; std::getline(keys, item, ';');) {
            char value[64] = {};
            GetString(settings, item.substr(0, item.find('=')).c_str(), value, sizeof value);
            shown += (shown.empty() ? "" : ";") + item.substr(0, item.find('=') + 1) + value;
        }
        return shown;
    }
};

TEST_F(PageTablesTest, EveryPageWritesBackWhatItShowedNormalisingWhatItCannotShow)
{
    struct Case {
        const PageTable* table;
        const char* stored;
        const char* written;
    };
    const Case cases[] = {
        // Boxes are on only for exactly 1; the spin shows the low 16 bits.
        {&kGeneralTable, "FileWindowActive=1;auto_kanji=2;windows=1;x=65576;y=5;width=2000;height=0",
         "FileWindowActive=1;auto_kanji=0;windows=1;x=40;y=5;width=2000;height=0"},
        {&kGeneralTable, "windows=3", "windows=0"},
        {&kConfirmTable, "OnEnd=1;OnCloseAll=0", "OnEnd=1;OnCloseAll=0"},
        {&kSafetyTable, "session=1;keep_placement=0;reload=2", "session=1;keep_placement=0;reload=2"},
        {&kSaveTable, "retline=3;kanji=4;utf16_bom=1;utf8_bom=7", "retline=3;kanji=4;utf16_bom=1;utf8_bom=0"},
        {&kSaveTable, "retline=4;kanji=0", "retline=4;kanji=0"},
        {&kSaveTable, "retline=0;kanji=9", "retline=0;kanji=9"},
        {&kEditorTable, "nTab=8;linespace=5;ColorFile=b.ini;Ruler=1;LineNum=0;indent=1;endhome=0;sel_numalpha=1",
         "nTab=8;linespace=5;ColorFile=b.ini;Ruler=1;LineNum=0;indent=1;endhome=0;sel_numalpha=1"},
        // A colour file that is not there shows (and writes) the first; ole packs a mode
        // (the first bit set, the control's own otherwise) and two refusals.
        {&kEditorTable, "nTab=1;linespace=0;ColorFile=C.INI;ole=13", "nTab=1;linespace=0;ColorFile=a.ini;ole=13"},
        {&kEditorTable, "nTab=2;linespace=1;ole=3", "ole=1"},
        {&kEditorTable, "nTab=2;linespace=1;ole=22", "ole=6"},
        {&kEditorTable, "nTab=2;linespace=1;ole=0", "ole=16"},
        {&kMarksTable, "vCrlf=1;vNormalSpace=0;vHalfSpace=1;vTab=2;vEOF=1;vUnderLine=1",
         "vCrlf=1;vNormalSpace=0;vHalfSpace=1;vTab=0;vEOF=1;vUnderLine=1"},
        // Only the four known kinds are kept.
        {&kClickableTable, "clickable=65535", "clickable=15"},
        {&kClickableTable, "clickable=10", "clickable=10"},
        {&kTabsTable, "OnOpen=7;OnDrag=2;OnNew=1;width=300", "OnOpen=7;OnDrag=2;OnNew=1;width=300"},
        {&kTabsTable, "OnOpen=1;OnDrag=0;OnNew=0;width=50", "OnOpen=1;OnDrag=0;OnNew=0;width=50"},
    };
    for (const Case& c : cases) {
        Load(*c.table, c.stored);
        EXPECT_TRUE(Save(*c.table).empty()) << c.stored;
        EXPECT_EQ(Stored(*c.table, c.written), c.written) << c.stored;
    }
}

TEST_F(PageTablesTest, TheStoredValuesAreShownOnTheirControls)
{
    Load(kGeneralTable, "windows=3;x=65576");
    EXPECT_TRUE(page.ticked[IDC_GENERAL_OWN_PLACE] && !page.ticked[IDC_GENERAL_SYSTEM_PLACE]);
    EXPECT_EQ(page.range[IDC_GENERAL_X_EDIT], "0..2000");
    EXPECT_EQ(page.spin[IDC_GENERAL_X_SPIN], 40);

    Load(kEditorTable, "ole=14;ColorFile=c.ini");
    EXPECT_TRUE(page.ticked[IDC_EDITOR_OLE_COPY]);
    EXPECT_FALSE(page.ticked[IDC_EDITOR_OLE_CUT] || page.ticked[IDC_EDITOR_OLE_CONTROL] || page.ticked[IDC_EDITOR_OLE_OFFER]);
    EXPECT_EQ(page.listed, "color\\*.ini");
    EXPECT_EQ(page.ticked.size(), 12u);  // seven boxes, three modes, two refusals: no other control
    EXPECT_EQ(page.text[IDC_EDITOR_COLOR_FILE], "c.ini");

    Load(kClickableTable, "clickable=4");
    EXPECT_TRUE(page.ticked[IDC_CLICKABLE_FIRST + 2] && !page.ticked[IDC_CLICKABLE_FIRST + 3]);
}

TEST_F(PageTablesTest, EditedControlsAreWrittenAndRefusedNumbersKeepTheStoredValue)
{
    Load(kEditorTable, "nTab=4;linespace=2;ole=16;indent=0;endhome=1;ColorFile=b.ini");
    page.text[IDC_EDITOR_TAB_EDIT] = " 8 ";
    page.text[IDC_EDITOR_SPACE_EDIT] = "6";
    page.text[IDC_EDITOR_COLOR_FILE] = "";  // nothing selected: the stored name stays
    page.ticked[IDC_EDITOR_OLE_CONTROL] = page.ticked[IDC_EDITOR_OLE_OFFER] = page.ticked[IDC_EDITOR_END_HOME] = false;
    page.ticked[IDC_EDITOR_OLE_COPY] = page.ticked[IDC_EDITOR_INDENT] = true;
    EXPECT_EQ(Save(kEditorTable), std::vector<int>{IDS_MSG_BAD_LINE_SPACE});
    EXPECT_EQ(Stored(kEditorTable, "nTab=8;linespace=2;ole=10;ColorFile=b.ini"), "nTab=8;linespace=2;ole=10;ColorFile=b.ini");
    EXPECT_TRUE(chosen.autoIndent == 1 && chosen.vsHome == 0);  // the editor keys take the boxes for the session

    page.text[IDC_EDITOR_TAB_EDIT] = "9";
    page.text[IDC_EDITOR_SPACE_EDIT] = "";
    EXPECT_EQ(Save(kEditorTable), (std::vector<int>{IDS_MSG_BAD_TAB_SIZE, IDS_MSG_BAD_LINE_SPACE}));
    EXPECT_EQ(Stored(kEditorTable, "nTab=8;linespace=2"), "nTab=8;linespace=2");

    // The tab width is refused with its message and not chosen; a good one is both.
    Load(kTabsTable, "width=80");
    page.text[IDC_TABS_WIDTH_EDIT] = "301";
    EXPECT_EQ(Save(kTabsTable), std::vector<int>{IDS_MSG_BAD_TAB_WIDTH});
    EXPECT_EQ(Stored(kTabsTable, "width=80"), "width=80");
    EXPECT_FALSE(chosen.tabBarWidth);
    page.text[IDC_TABS_WIDTH_EDIT] = "120";
    EXPECT_TRUE(Save(kTabsTable).empty());
    EXPECT_EQ(chosen.tabBarWidth, 120);

    // A place field that holds no number writes the spin's last valid position.
    Load(kGeneralTable, "x=10;y=20");
    page.text[IDC_GENERAL_X_EDIT] = "wide";
    page.spin[IDC_GENERAL_X_SPIN] = 77;
    page.text[IDC_GENERAL_Y_EDIT] = "2001";
    EXPECT_TRUE(Save(kGeneralTable).empty());
    EXPECT_EQ(Stored(kGeneralTable, "x=77;y=20"), "x=77;y=20");
}

TEST(ParseWholeNumberTest, TakesOnlyAWholeNumberOfTheRangeWithBlanksAround)
{
    struct Case {
        std::string text;
        int low, high;
        bool taken;
        int value;
    };
    const Case cases[] = {
        {" 8 ", 1, 8, true, 8},          {"1", 1, 8, true, 1},        {"0", 1, 8, false, 0},
        {"9", 1, 8, false, 0},           {"", 0, 5, false, 0},        {"  ", 0, 5, false, 0},
        {"four", 1, 8, false, 0},        {"1 2", 0, 99, false, 0},    {"-1", -5, 5, false, 0},
        {"\t3", 0, 5, false, 0},         {"3x", 0, 5, false, 0},      {"2147483647", 0, 2147483647, true, 2147483647},
        {"12345678901", 0, 2147483647, false, 0},                     {"0000000003", 0, 5, true, 3},
        {std::string(29, ' ') + "3", 0, 5, true, 3},                  {std::string(30, ' ') + "3", 0, 5, false, 0},
    };
    for (const Case& c : cases) {
        int value = -7;
        EXPECT_EQ(ParseWholeNumber(c.text, c.low, c.high, value), c.taken) << "[" << c.text << "]";
        EXPECT_EQ(value, c.taken ? c.value : -7) << "[" << c.text << "]";
    }
}

}  // namespace
