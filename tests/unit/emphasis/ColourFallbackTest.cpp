// A colour file that cannot be read never leaves text black on black: the built-in colours
// (the shipped default.ini's) stand in, and the user is told once.
#include <gtest/gtest.h>

#include <string>

#include "EmphasisFixture.h"
#include "emphasis/EditorAppearance.h"

namespace {

using ColourFallback = EmphasisFixture;

std::string Colour(const RecordingHost& host, int index)
{
    const std::string prefix = "SetViewColor(0," + std::to_string(index) + ",";
    for (const std::string& call : host.calls)
        if (call.rfind(prefix, 0) == 0) return call.substr(prefix.size(), call.find(',', prefix.size()) - prefix.size());
    return "<none>";
}

TEST_F(ColourFallback, MissingFileOrNoProgramFolderGivesTheBuiltInColoursAndOneMessage)
{
    WriteColours("[color]\r\ncBackGround=255\r\n", "default.ini");
    // The named file missing; then a file that is there, but no program folder to find it in.
    const char* cases[][2] = {{"absent.ini", nullptr}, {"default.ini", ""}};
    for (auto& [name, programFolder] : cases) {
        WriteSettings(std::string("[editor1]\r\nColorFile=") + name + "\r\n");
        if (programFolder) state.programFolder = programFolder;
        state.colourFileReported = false;
        host.calls.clear();
        ApplyEditorSettings(state, 0);
        ApplyEditorSettings(state, 0);
        EXPECT_EQ(Colour(host, 18), "16777215") << "background white";
        EXPECT_EQ(Colour(host, 6), "0") << "letters black";
        EXPECT_EQ(Colour(host, 0), "12615808") << "tab mark";
        EXPECT_EQ(host.Only("Message"), std::vector<std::string>{"Message(66)"});
    }
}

TEST_F(ColourFallback, ReadableFileIsReadAsItStandsAndSaysNothing)
{
    WriteColours("[color]\r\ncBackGround=255\r\n");
    ApplyEditorSettings(state, 0);
    EXPECT_EQ(Colour(host, 18), "255");
    EXPECT_EQ(Colour(host, 6), "0");
    EXPECT_EQ(Colour(host, 0), "0") << "a key the file lacks reads 0";
    EXPECT_TRUE(host.Only("Message").empty());
}

TEST_F(ColourFallback, BuiltInColoursAreTheShippedDefaultFile)
{
    EmphasisState shipped;
    std::string dataFolder = KVTE_SOURCE_DIR "/data/";
    shipped.programFolder = dataFolder.c_str();
    WriteSettings("[editor1]\r\nColorFile=default.ini\r\n");
    shipped.settings = &settings;
    ProfileFile file, builtIn;
    ASSERT_TRUE(OpenColourFile(shipped, file, "mark"));
    EXPECT_FALSE(OpenColourFile(state, builtIn, "mark"));  // no default.ini in the test's folder
    for (size_t i = 0; i < kColourKeyCount; ++i) {
        SetSection(file, kColourKeys[i].section);
        EXPECT_EQ(ReadColour(builtIn, kColourKeys[i].key), ReadColour(file, kColourKeys[i].key)) << kColourKeys[i].key;
    }
}

}  // namespace
