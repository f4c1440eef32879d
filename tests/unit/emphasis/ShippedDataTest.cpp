// The environment and colour files that ship beside the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "../support/TempFolder.h"
#include "RecordingHost.h"
#include "config/ProfileFile.h"
#include "config/SettingsFile.h"
#include "emphasis/ColourFile.h"
#include "emphasis/EmphasisLoader.h"

namespace {

const std::string kData = std::string(KVTE_SOURCE_DIR) + "/data/";

std::vector<std::string> FilesIn(const char* folder, const char* extension)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kData + folder)) {
        if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(ShippedData, EveryEnvironmentLoadsWholeWithEveryKindItNeeds)
{
    std::vector<std::string> names = FilesIn("esf", ".esf");
    ASSERT_GE(names.size(), 9u);
    for (const std::string& name : names) {
        ProfileFile settings;
        OpenProfile(settings, (kData + "missing.ini").c_str(), "editor1");
        EmphasisState state;
        state.settings = &settings;
        state.programFolder = kData.c_str();
        RecordingHost host;
        host.Connect(state);
        EXPECT_TRUE(LoadEmphasisFile(state, 0, name.c_str())) << name;
        EXPECT_TRUE(host.Only("ParseError").empty() && host.Only("Message").empty()) << name;
        EXPECT_GE(host.Only("AddEmphasis").size(), 3u) << name;
        // Entries are never blank or made of blanks alone.
        for (const std::string& call : host.Only("AddEmphasis(0,"))
            EXPECT_NE(call.substr(14, 1), ",") << name << ": " << call;
    }
}

TEST(ShippedData, EveryColourFileHoldsEveryKeyAsAColour)
{
    std::vector<std::string> names = FilesIn("color", ".ini");
    EXPECT_GE(names.size(), 3u);
    EXPECT_NE(std::find(names.begin(), names.end(), "default.ini"), names.end());
    for (const std::string& name : names) {
        ProfileFile colours;
        OpenProfile(colours, DataFilePath(kData.c_str(), "color", name.c_str()).c_str(), "mark");
        for (size_t i = 0; i < kColourKeyCount; ++i) {
            SetSection(colours, kColourKeys[i].section);
            char text[32] = {};
            GetString(colours, kColourKeys[i].key, text, sizeof text);
            EXPECT_NE(text[0], 0) << name << " lacks " << kColourKeys[i].key;
            int value = GetInt(colours, kColourKeys[i].key);
            EXPECT_TRUE(value >= 0 && value <= 0xFFFFFF) << name << " " << kColourKeys[i].key;
        }
    }
}

TEST(ShippedData, EveryDefaultFileTypeNamesAShippedEnvironment)
{
    TempFolder folder;
    ProfileFile settings;
    ASSERT_TRUE(PrepareSettingsFile(settings, folder.File("kvte.ini").c_str(), nullptr, nullptr));
    std::string text = TempFolder::Read(folder.File("kvte.ini"));
    ASSERT_NE(text.find("[FileType]"), std::string::npos);
    std::istringstream lines(text.substr(text.find("[FileType]")));  // the last section
    int entries = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find('=') == std::string::npos) continue;
        std::string name = line.substr(line.find('=') + 1, line.size() - line.find('=') - 2);  // without the CR
        EXPECT_TRUE(std::filesystem::exists(kData + "esf/" + name)) << name;
        ++entries;
    }
    EXPECT_EQ(entries, 18);
}

}  // namespace
