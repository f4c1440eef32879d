// The editor settings as a view receives them, and the font command.
#include "emphasis/EditorAppearance.h"

#include <gtest/gtest.h>

#include "EmphasisFixture.h"

namespace {

using Calls = std::vector<std::string>;

struct EditorAppearanceTest : EmphasisFixture {
    // The value of the first SetOption with this option number, or "none".
    std::string Option(int option) const { return host.After("SetOption(1," + std::to_string(option) + ","); }
};

TEST_F(EditorAppearanceTest, EveryStepInOrderWithTheSettingsValues)
{
    WriteSettings(
        "[editor1]\r\nColorFile=test.ini\r\nnTab=8\r\nclickable=65535\r\nole=21\r\nowndraw=1\r\nsel_numalpha=1\r\n"
        "FontName=Mono\r\nFontSize=14\r\nRuler=1\r\nLineNum=1\r\nlinespace=3\r\nundo=0\r\n"
        "[editor2]\r\nvTab=1\r\nvHalfSpace=0\r\nvNormalSpace=1\r\nvUnderLine=2\r\nvCrlf=1\r\n");
    std::string colours;
    int value = 100;
    for (std::string key : {"[mark]", "cTab", "cHalfSpace", "cNormalSpace", "cUnderLine", "cCrlf", "cEOF", "[color]",
                            "cLetter", "cLineNumText", "cLineNumBorder", "cCaretLine", "cRulerText", "cRulerBk",
                            "cRulerLine", "cCaretPos", "cURL", "cMail", "cFindText", "cFindBk", "cBackGround"})
        colours += (key[0] == '[' ? key : key + "=" + std::to_string(value++)) + "\r\n";
    WriteColours(colours);
    ApplyEditorSettings(state, 1);
    Calls expected = {"SetOption(1,0,8,0)",   "SetOption(1,7,65535,0)", "SetOption(1,8,21,0)", "SetOption(1,14,8,1)",
                      "SetOption(1,18,1,1)",  "SetFont(1,Mono,14,1)",   "SetOption(1,1,10,0)", "SetOption(1,2,50,0)",
                      "SetOption(1,6,3,1)",   "SetOption(1,16,256,1)"};
    // The colours in the order of their indexes, the link colours twice (14 and 19, 15 and 20).
    for (int index : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 19, 15, 20, 16, 17, 18}) {
        int value = 100 + (index == 19 ? 14 : index == 20 ? 15 : index);
        expected.push_back("SetViewColor(1," + std::to_string(index) + "," + std::to_string(value) + ",0)");
    }
    for (const char* mark : {"0,1", "1,0", "2,1", "3,0", "4,1", "5,0"})
        expected.push_back(std::string("ShowMark(1,") + mark + ",0)");
    EXPECT_EQ(host.calls, expected);
}

TEST_F(EditorAppearanceTest, EdgeValuesOfTheSwitches)
{
    struct {
        const char* settings;
        const char* options;  // options 1, 2, 14, 18 and 16
    } const cases[] = {
        {"Ruler=0\r\nLineNum=0\r\nowndraw=5\r\nsel_numalpha=2\r\n", "0,0) 4,0) 8,1) 0,1) 256,1)"},  // undo missing
        {"undo=1\r\nRuler=2\r\nLineNum=-1\r\nowndraw=0\r\n", "0,0) 4,0) 0,1) 0,1) -1,1)"},
    };
    for (const auto& c : cases) {
        host.calls.clear();
        WriteSettings(std::string("[editor1]\r\n") + c.settings);
        ApplyEditorSettings(state, 1);
        EXPECT_EQ(Option(1) + " " + Option(2) + " " + Option(14) + " " + Option(18) + " " + Option(16), c.options)
            << c.settings;
    }
    // Without settings every value is its default and nothing is read.
    host.calls.clear();
    state.settings = nullptr;
    ApplyEditorSettings(state, 1);
    EXPECT_EQ(Option(16) + " " + Option(0), "256,1) 0,0)");
    EXPECT_EQ(host.Only("ShowMark").size(), 6u);
}

TEST_F(EditorAppearanceTest, ColourFileWithOnlyTheBackgroundLeavesEveryOtherColourBlack)
{
    WriteColours("[color]\r\ncBackGround=16777215\r\n");
    ApplyEditorSettings(state, 1);
    Calls colours = host.Only("SetViewColor");
    ASSERT_EQ(colours.size(), 21u);
    for (size_t i = 0; i < 20; ++i) EXPECT_EQ(colours[i].substr(colours[i].size() - 5), ",0,0)") << colours[i];
    EXPECT_EQ(colours[20], "SetViewColor(1,18,16777215,0)");
    EXPECT_TRUE(host.Only("Message").empty()) << "a readable file is read as it stands";

    // A changed colour file takes effect at the next apply.
    WriteColours("[color]\r\ncBackGround=1\r\n", "other.ini");
    SetSection(settings, "editor1");
    WriteString(settings, "ColorFile", "other.ini");
    host.calls.clear();
    ApplyEditorSettings(state, 1);
    EXPECT_EQ(host.Only("SetViewColor")[20], "SetViewColor(1,18,1,0)");
}

// A colour file that cannot be read never leaves text black on black: the built-in colours
// stand in, and the user is told once.
TEST_F(EditorAppearanceTest, AColourFileThatCannotBeReadGivesTheBuiltInColoursAndOneMessage)
{
    WriteColours("[color]\r\ncBackGround=255\r\n", "default.ini");
    // Missing; there, but no program folder to find it in; a path too long for the settings.
    const std::string deep = programFolder + std::string(250, 'd') + "/";
    std::filesystem::create_directories(deep + "color");
    TempFolder::Write(deep + "color/default.ini", "[color]\r\ncBackGround=255\r\n");
    const char* cases[][2] = {{"absent.ini", nullptr}, {"default.ini", ""}, {"default.ini", deep.c_str()}};
    for (auto& [name, programFolder] : cases) {
        WriteSettings(std::string("[editor1]\r\nColorFile=") + name + "\r\n");
        if (programFolder) state.programFolder = programFolder;
        state.colourFileReported = false;
        host.calls.clear();
        ApplyEditorSettings(state, 1);
        ApplyEditorSettings(state, 1);
        // Background white, letters black, the tab mark's colour.
        EXPECT_EQ(host.After("SetViewColor(1,18,") + host.After("SetViewColor(1,6,") + host.After("SetViewColor(1,0,"),
                  "16777215,0)0,0)12615808,0)");
        EXPECT_EQ(host.Only("Message"), std::vector<std::string>{"Message(66)"});
    }
}

TEST_F(EditorAppearanceTest, FontCommandWritesNameAndSizeUnlessCancelled)
{
    WriteSettings("[editor1]\r\nFontName=Old\r\nFontSize=12\r\n");
    const std::string before = TempFolder::Read(folder.File("kvte.ini"));
    host.fontSize = -1;
    EXPECT_FALSE(ChooseEditorFont(state, 2));
    EXPECT_EQ(TempFolder::Read(folder.File("kvte.ini")), before);

    host.fontSize = 0;  // a size of 0 is a choice, not a cancel
    host.fontName = "\x82\x6c\x82\x72 Mincho";
    EXPECT_TRUE(ChooseEditorFont(state, 2));
    EXPECT_EQ(host.calls, (Calls{"ChooseFontDialog(2)", "ChooseFontDialog(2)"}));
    const std::string after = TempFolder::Read(folder.File("kvte.ini"));
    EXPECT_NE(after.find("[editor1]\r\nFontName=\x82\x6c\x82\x72 Mincho\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("FontSize=0\r\n"), std::string::npos) << after;
    host.fontName = std::string(300, 'f');
    EXPECT_TRUE(ChooseEditorFont(state, 2));
    EXPECT_NE(TempFolder::Read(folder.File("kvte.ini")).find("=" + std::string(263, 'f') + "\r\n"), std::string::npos);
}

TEST(LineEndMark, ReturnArrowPoints)
{
    MarkPoint points[4];
    LineEndMarkStroke(10, 20, 36, 8, 17, points);
    const std::pair<int, int> expected[4] = {{24, 22}, {24, 34}, {12, 34}, {16, 28}};  // halves rounded towards 0
    for (int i = 0; i < 4; ++i) EXPECT_EQ(std::make_pair(points[i].x, points[i].y), expected[i]) << i;
}

}  // namespace
