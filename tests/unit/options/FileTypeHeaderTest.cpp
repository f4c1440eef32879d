// The file-type page finds its section wherever the settings engine does, and writing it
// back never grows the file.
#include <gtest/gtest.h>

#include <string>

#include "../support/TempFolder.h"
#include "config/ProfileBatch.h"
#include "config/ProfileFile.h"
#include "options/FileTypeSection.h"

namespace {

TEST(FileTypeHeader, AnyHeaderTheEngineReadsIsTheSection)
{
    for (const char* header : {"[FileType]", "[filetype]", " [ FileType ] ", "[FILETYPE]\t"}) {
        const std::string text = "[main]\r\nk=1\r\n" + std::string(header) + "\r\nc=\"C,C++.esf\"\r\n[tool]\r\nnum=0\r\n";
        const std::vector<FileTypeRow> rows = ReadFileTypeRows(text);
        ASSERT_EQ(rows.size(), 1u) << header;
        EXPECT_EQ(rows[0].environment, "C,C++.esf") << "one pair of quotes removed, as the engine reads values";
    }
    EXPECT_TRUE(ReadFileTypeRows("[FileTypes]\r\nc=x.esf\r\n").empty());
}

TEST(FileTypeHeader, WritingAgainLeavesTheFileAsItWas)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    TempFolder::Write(path, "[main]\r\nk=1\r\n\r\n[filetype]\r\nc=C.esf\r\n");
    ProfileFile settings;
    ASSERT_TRUE(OpenProfile(settings, path.c_str(), "main"));
    std::string first;
    for (int round = 0; round < 3; ++round) {
        ProfileBatch batch;
        ASSERT_TRUE(BeginBatch(batch, settings));
        WriteFileTypeRows(batch, ReadFileTypeRows(batch.text));
        ASSERT_TRUE(CommitBatch(batch));
        if (round == 0) first = TempFolder::Read(path);
        EXPECT_EQ(TempFolder::Read(path), first);
    }
    EXPECT_EQ(first, "[main]\r\nk=1\r\n\r\n[FileType]\r\nc=C.esf\r\n");
}

}  // namespace
