// A documents subsystem with fake windows, real files in a fresh folder and a settings
// file of its own, for the tests of opening, saving and closing.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "../support/TempFolder.h"
#include "FakeWindows.h"
#include "config/ProfileFile.h"
#include "documents/OpenFile.h"
#include "files/FileAccess.h"

struct OpenSaveFixture : testing::Test {
    TempFolder folder;
    ProfileFile settings{};
    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;

    void SetUp() override
    {
        // The defaults a first start writes for the keys the documents read.
        TempFolder::Write(folder.File("kvte.ini"),
                          "[main]\r\nauto_kanji=1\r\nFileWindowActive=1\r\nretline=4\r\nkanji=0\r\n"
                          "[tab]\r\nOnOpen=1\r\nOnDrag=1\r\nOnNew=0\r\n[notice]\r\nOnCloseAll=1\r\nOnEnd=0\r\n");
        ASSERT_TRUE(OpenProfile(settings, folder.File("kvte.ini").c_str(), "main"));
        documents.settings = &settings;
    }
    void TearDown() override { SetFileFaultsForTesting(FileFaultsForTesting{}); }

    void Set(const char* section, const char* key, int value)
    {
        SetSection(settings, section);
        WriteInt(settings, key, value);
    }
    int Setting(const char* section, const char* key)
    {
        SetSection(settings, section);
        return GetInt(settings, key);
    }
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        std::string path = folder.File(name);
        TempFolder::Write(path, bytes);
        return path;
    }
    std::string ViewText(int slot) { return windows.views[slot].text; }
    int Open(const std::string& name, const std::string& bytes, int mode = kOpenModeNormal)
    {
        return OpenFile(documents, MakeFile(name, bytes), mode, true);
    }
};
