// The environment and colour files that ship beside the program, and the colouring the
// environments give typical lines of their languages through the editing control's own
// rule table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "EmphasisFixture.h"
#include "config/SettingsFile.h"
#include "emphasis/EmphasisLoader.h"
#include "textcontrol/model/Emphasis.h"

namespace {

using kvte::textcontrol::EmphasisTable;

const std::string kData = std::string(KVTE_SOURCE_DIR) + "/data/";

// An emphasis state on the shipped data folder, with settings that name no colour file.
struct Shipped {
    ProfileFile settings;
    EmphasisState state;
    Shipped()
    {
        OpenProfile(settings, (kData + "missing.ini").c_str(), "editor1");
        state.settings = &settings;
        state.programFolder = kData.c_str();
    }
};

std::vector<std::string> FilesIn(const char* folder, const char* extension)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kData + folder))
        if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
    return names;
}

TEST(ShippedData, EveryEnvironmentLoadsWholeWithEveryKindItNeeds)
{
    ASSERT_GE(FilesIn("esf", ".esf").size(), 9u);
    for (const std::string& name : FilesIn("esf", ".esf")) {
        Shipped shipped;
        RecordingHost host;
        host.Connect(shipped.state);
        EXPECT_TRUE(LoadEmphasisFile(shipped.state, 0, name.c_str())) << name;
        EXPECT_TRUE(host.Only("ParseError").empty() && host.Only("Message").empty()) << name;
        EXPECT_GE(host.Only("AddEmphasis").size(), 3u) << name;
        // Entries are never blank or made of blanks alone.
        for (const std::string& call : host.Only("AddEmphasis(0,"))
            EXPECT_NE(call.substr(14, 1), ",") << name << ": " << call;
    }
}

// The built-in colours, which stand in for a colour file that cannot be read, are the
// shipped default file's.
TEST(ShippedData, EveryColourFileHoldsEveryKeyAsAColourAndTheDefaultOneTheBuiltInColours)
{
    std::vector<std::string> names = FilesIn("color", ".ini");
    EXPECT_GE(names.size(), 3u);
    EXPECT_NE(std::find(names.begin(), names.end(), "default.ini"), names.end());
    Shipped nameless;  // its settings name no colour file
    ProfileFile builtIn;
    EXPECT_FALSE(OpenColourFile(nameless.state, builtIn, "mark"));
    for (const std::string& name : names) {
        ProfileFile colours;
        OpenProfile(colours, DataFilePath(kData.c_str(), "color", name.c_str()).c_str(), "mark");
        for (size_t i = 0; i < kColourKeyCount; ++i) {
            const char* key = kColourKeys[i].key;
            SetSection(colours, kColourKeys[i].section);
            char text[32] = {};
            GetString(colours, key, text, sizeof text);
            const int value = GetInt(colours, key);
            EXPECT_TRUE(text[0] != 0 && value >= 0 && value <= 0xFFFFFF) << name << " " << key;
            if (name != "default.ini") continue;
            EXPECT_EQ(ReadColour(builtIn, key), ReadColour(colours, key)) << key;
        }
    }
}

TEST(ShippedData, EveryDefaultFileTypeNamesAShippedEnvironmentAndEveryEnvironmentIsNamed)
{
    TempFolder folder;
    ProfileFile settings;
    ASSERT_TRUE(PrepareSettingsFile(settings, folder.File("kvte.ini").c_str(), nullptr, nullptr));
    std::string text = TempFolder::Read(folder.File("kvte.ini"));
    ASSERT_NE(text.find("[FileType]"), std::string::npos);
    std::istringstream lines(text.substr(text.find("[FileType]")));  // the last section
    int entries = 0;
    std::set<std::string> named;
    for (std::string line; std::getline(lines, line);) {
        if (line.find('=') == std::string::npos) continue;
        std::string name = line.substr(line.find('=') + 1, line.size() - line.find('=') - 2);  // without the CR
        EXPECT_TRUE(std::filesystem::exists(kData + "esf/" + name)) << name;
        named.insert(name);
        ++entries;
    }
    EXPECT_EQ(entries, 18);
    const std::vector<std::string> shipped = FilesIn("esf", ".esf");
    EXPECT_EQ(named, std::set<std::string>(shipped.begin(), shipped.end()));
}

struct Case {
    const char* environment;
    const char* line;
    const char* runs;  // each coloured run as "text/colour number", joined by " | "
} const kCases[] = {
    {"bat.esf", "copy C:\\a D:\\b", "copy/1"},     {"bat.esf", ":loop", ":loop/4"},
    {"bat.esf", "  :: a note", ":: a note/6"},   {"bat.esf", "goto :eof", "goto/1"},
    {"bat.esf", "rem copy a", "rem copy a/6"},   {"bat.esf", "echo %PATH%", "echo/1 | %PATH%/3"},
    {"ini.esf", "[paths]", "[paths]/1"},         {"ini.esf", "key=a;b#c", "=/3"},
    {"ini.esf", "; a comment", "; a comment/6"}, {"ini.esf", "\t# another", "# another/6"},
    {"Markdown.esf", "# Title", "# Title/1"},    {"Markdown.esf", "C# is a language", ""},
    {"Markdown.esf", "if a > b then", ""},       {"Markdown.esf", "> quoted", "> quoted/5"},
    {"Markdown.esf", "run `make` now", "`make`/3"},
};

// state: the pair the line starts inside, 0 for none.
std::string Tokenize(const EmphasisTable& table, const std::string& line, int state = 0)
{
    std::vector<kvte::textcontrol::ColourRun> runs;
    table.TokenizeLine(line.data(), line.size(), state, &runs);
    std::string text;
    for (const auto& run : runs)
        text += (text.empty() ? "" : " | ") + line.substr(size_t(run.start), size_t(run.length)) + "/" +
                std::to_string(run.colour);
    return text;
}

TEST(ShippedColouring, TypicalLinesOfEachLanguage)
{
    for (const Case& c : kCases) {
        EmphasisTable table;
        Shipped shipped;
        EmphasisState& state = shipped.state;
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

}  // namespace
