// A program folder of its own for one test: "kvte.ini", "esf" and "color" in a fresh
// temporary folder, and an emphasis state connected to a recording host.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/TempFolder.h"
#include "RecordingHost.h"
#include "config/ProfileFile.h"
#include "emphasis/ColourFile.h"
#include "emphasis/EmphasisState.h"

struct EmphasisFixture : testing::Test {
    TempFolder folder;
    std::string programFolder = folder.Path() + "/";
    ProfileFile settings;
    EmphasisState state;
    RecordingHost host;

    EmphasisFixture()
    {
        std::filesystem::create_directory(folder.File("esf"));
        std::filesystem::create_directory(folder.File("color"));
        WriteSettings("[editor1]\r\nColorFile=test.ini\r\n");
        state.settings = &settings;
        state.programFolder = programFolder.c_str();
        host.Connect(state);
    }
    void WriteSettings(const std::string& text)
    {
        TempFolder::Write(folder.File("kvte.ini"), text);
        OpenProfile(settings, folder.File("kvte.ini").c_str(), "main");
    }
    void WriteEnvironment(const std::string& name, const std::string& text) const
    {
        TempFolder::Write(DataFilePath(programFolder.c_str(), "esf", name.c_str()), text);
    }
    void WriteColours(const std::string& text, const char* name = "test.ini") const
    {
        TempFolder::Write(DataFilePath(programFolder.c_str(), "color", name), text);
    }
};
