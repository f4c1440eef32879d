// The shipped environments colour real text of their languages as a reader expects: each
// file is loaded through the loader into the editing control's own rule table, and a few
// typical lines are tokenized.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ProfileFile.h"
#include "emphasis/EmphasisLoader.h"
#include "emphasis/EmphasisState.h"
#include "textcontrol/model/Emphasis.h"

namespace {

using kvte::textcontrol::ColourRun;
using kvte::textcontrol::EmphasisTable;

struct Case {
    const char* environment;
    const char* line;
    const char* runs;  // each coloured run as "text/colour number", joined by " | "
};

const Case kCases[] = {
    {"bat.esf", "copy C:\\a D:\\b", "copy/1"},
    {"bat.esf", ":loop", ":loop/4"},
    {"bat.esf", "  :: a note", ":: a note/6"},
    {"bat.esf", "goto :eof", "goto/1"},
    {"bat.esf", "rem copy a", "rem copy a/6"},
    {"bat.esf", "echo %PATH%", "echo/1 | %PATH%/3"},
    {"ini.esf", "[paths]", "[paths]/1"},
    {"ini.esf", "key=a;b#c", "=/3"},
    {"ini.esf", "; a comment", "; a comment/6"},
    {"ini.esf", "\t# another", "# another/6"},
    {"Markdown.esf", "# Title", "# Title/1"},
    {"Markdown.esf", "C# is a language", ""},
    {"Markdown.esf", "if a > b then", ""},
    {"Markdown.esf", "> quoted", "> quoted/5"},
    {"Markdown.esf", "run `make` now", "`make`/3"},
};

std::string Tokenize(const EmphasisTable& table, const std::string& line)
{
    std::vector<ColourRun> runs;
    table.TokenizeLine(line.data(), line.size(), 0, &runs);
    std::string text;
    for (const ColourRun& run : runs) {
        if (!text.empty()) text += " | ";
        text += line.substr(static_cast<size_t>(run.start), static_cast<size_t>(run.length)) + "/" +
                std::to_string(run.colour);
    }
    return text;
}

TEST(ShippedColouring, TypicalLinesOfEachLanguage)
{
    const std::string data = KVTE_SOURCE_DIR "/data/";
    for (const Case& c : kCases) {
        EmphasisTable table;
        EmphasisState state;
        ProfileFile settings;
        OpenProfile(settings, (data + "missing.ini").c_str(), "editor1");
        state.settings = &settings;
        state.programFolder = data.c_str();
        state.host.context = &table;
        // The colour number stands in for the colour, so that a run says which entry it was.
        state.host.addEmphasis = [](void* context, int, const char* text, const char* endText, int kind, uint32_t,
                                    int second, int colourNumber, int fourth) {
            return static_cast<EmphasisTable*>(context)->Add(text, endText ? endText : "", kind,
                                                             static_cast<uint32_t>(colourNumber), second, colourNumber,
                                                             fourth);
        };
        ASSERT_TRUE(LoadEmphasisFile(state, 0, c.environment)) << c.environment;
        EXPECT_EQ(Tokenize(table, c.line), c.runs) << c.environment << ": " << c.line;
    }
}

TEST(ShippedColouring, LineStartRulesMatchOnlyWhereTheLineBegins)
{
    EmphasisTable table;
    table.Add(";", "", kvte::textcontrol::kEmphasisLineAfter, 6, kvte::textcontrol::kEmphasisAtLineStart, 6, 0);
    table.Add("#", "", kvte::textcontrol::kEmphasisLineAfter, 5, 0, 5, 0);
    table.Add("/*", "*/", kvte::textcontrol::kEmphasisMultiBetween, 2, 0, 2, 0);
    EXPECT_EQ(Tokenize(table, " \t; x"), "; x/6");
    EXPECT_EQ(Tokenize(table, "a ; x"), "");
    EXPECT_EQ(Tokenize(table, "a # x"), "# x/5") << "a rule without the limit matches anywhere";
    std::vector<ColourRun> runs;
    const std::string inside = "*/; x";  // a line that starts inside a pair has no line start
    table.TokenizeLine(inside.data(), inside.size(), 3, &runs);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].length, 2);
}

}  // namespace
