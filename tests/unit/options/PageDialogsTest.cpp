// The page tables against their dialogs in options.rc: a mistyped control id would still
// load and save the same value, on a control nobody sees.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "options/PageTable.h"
#include "resources/options_ids.h"

namespace {

// The controls of one dialog template by id, each with its kind: the statement that made
// it, or for a CONTROL line its window class. Push buttons are left out: no table has one.
std::map<int, std::string> Controls(const std::string& dialog)
{
    std::map<std::string, int> ids;
    std::smatch m;
    const std::string folder = KVTE_SOURCE_DIR "/src/resources/";
    std::ifstream header(folder + "options_ids.h"), rc(folder + "options.rc");
    const std::regex define("^#define (\\w+) (\\d+)");
    for (std::string line; std::getline(header, line);)
        if (std::regex_search(line, m, define)) ids[m[1]] = std::stoi(m[2]);
    const std::regex control("^\\s*(\\w+)\\s+(?:\"[^\"]*\",\\s*)?(\\w+)(?:\\s*\\+\\s*(\\d+))?,\\s*(?:\"(\\w+)\")?");
    std::map<int, std::string> controls;
    bool inside = false;
    for (std::string line; std::getline(rc, line);) {
        if (line.rfind(dialog + " DIALOGEX", 0) == 0) inside = true;
        if (line == "END") inside = false;
        if (inside && std::regex_search(line, m, control) && ids.count(m[2]) && m[1] != "PUSHBUTTON")
            controls[ids[m[2]] + (m[3].matched ? std::stoi(m[3]) : 0)] = m[1] == "CONTROL" ? m[4] : m[1];
    }
    return controls;
}

TEST(PageDialogsTest, EveryTableNamesEachControlOfItsPageOnceAndAsTheKindItIs)
{
    const std::pair<const PageTable*, const char*> pages[] = {
        {&kGeneralTable, "IDD_OPTION_GENERAL"}, {&kConfirmTable, "IDD_OPTION_CONFIRM"},
        {&kSaveTable, "IDD_OPTION_SAVE"},       {&kEditorTable, "IDD_OPTION_EDITOR"},
        {&kMarksTable, "IDD_OPTION_MARKS"},     {&kClickableTable, "IDD_OPTION_CLICKABLE"},
        {&kTabsTable, "IDD_OPTION_TABS"},       {&kSafetyTable, "IDD_OPTION_SAFETY"},
    };
    const std::string check = "AUTOCHECKBOX", radio = "AUTORADIOBUTTON", spin = "msctls_updown32";
    for (const auto& [table, dialog] : pages) {
        std::map<int, std::string> named;
        auto name = [&](int id, const std::string& kind) { EXPECT_TRUE(named.emplace(id, kind).second) << id; };
        auto group = [&](const Choice* choices, std::size_t count, const std::string& kind) {
            for (std::size_t i = 0; i < count; ++i) name(choices[i].control, kind);
        };
        for (const PageRow& row : std::vector<PageRow>(table->rows, table->rows + table->count)) {
            // A box with a button for "not ticked" is a pair of radio buttons.
            if (row.kind == RowKind::Check) name(row.control, row.other ? radio : check);
            if (row.kind == RowKind::Check && row.other) name(row.other, radio);
            if (row.kind == RowKind::Number) name(row.control, "EDITTEXT"), name(row.other, spin);
            if (row.kind == RowKind::Names) name(row.control, "COMBOBOX");
            group(row.choices, row.choiceCount, row.kind == RowKind::Bits ? check : radio);
            group(row.clearBits, row.clearCount, check);
        }
        // Every box, field and list of the page but the Luna box, which shows whether a
        // file exists rather than a key.
        std::map<int, std::string> shown = Controls(dialog);
        if (table == &kGeneralTable) shown.erase(IDC_GENERAL_LUNA);
        EXPECT_EQ(named, shown) << dialog;
    }
}

}  // namespace
