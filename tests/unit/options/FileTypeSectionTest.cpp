// The file-type page's reader of the section, found wherever the settings engine finds it, its
// check of typed extensions, and its writer, which never grows the file.
#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "config/ProfileBatch.h"
#include "options/FileTypeSection.h"

namespace {

std::string Rows(const std::string& text)
{
    std::string shown;
    for (const FileTypeRow& row : ReadFileTypeRows(text)) shown += row.extension + "=" + row.environment + ";";
    return shown;
}

TEST(FileTypeRowsTest, TakesTheLinesAfterTheExactHeaderUpToTheNextSectionAtEveryLineEnd)
{
    const std::string text =
        "[main]\r\nkanji=0\r\n\r\n[FileType]\r\nhtml=HTML.esf\r\ntxt=a.esf\r\nTXT=b.esf\r\n[tool]\r\nnum=0\r\n";
    // Duplicates in any letter case stay as rows; the order is the file's.
    EXPECT_EQ(Rows(text), "html=HTML.esf;txt=a.esf;TXT=b.esf;");
    EXPECT_EQ(Rows("[FileType]\r\na=1.esf\r\n  [tool]\r\nnum=0\r\n"), "a=1.esf;");  // indented, still a header
    EXPECT_EQ(Rows("[FileType]\na=1.esf\rb=2.esf\r\nc=3.esf"), "a=1.esf;b=2.esf;c=3.esf;");
    // Empty lines between entries, in every line-end style, neither end the list nor loop.
    EXPECT_EQ(Rows("[FileType]\n\n\r\n\r\ra=1.esf\n\n"), "a=1.esf;");
}

TEST(FileTypeRowsTest, TheFirstHeaderTheEngineReadsWithItsLineEndOpensTheList)
{
    // As the page leaves the file after deleting every row: no line end after the header.
    EXPECT_EQ(Rows("[main]\r\nx=1\r\n\r\n[FileType]"), "");
    EXPECT_EQ(Rows(""), "");
    // The first header counts, in whatever letter case and blanks, as the settings engine
    // reads it; so are the values, one pair of quotes removed.
    EXPECT_EQ(Rows("[FILETYPE]\nc=c.esf\n[FileType]\nd=d.esf\n"), "c=c.esf;");
    for (const char* header : {"[filetype]", " [ FileType ] ", "[FILETYPE]\t"})
        EXPECT_EQ(Rows(std::string(header) + "\r\nc=\"C,C++.esf\"\r\n[tool]\r\n"), "c=C,C++.esf;") << header;
    EXPECT_EQ(Rows("[FileTypes]\r\nc=x.esf\r\n"), "");
}

TEST(FileTypeRowsTest, SplitsAtTheFirstAndLastEqualsAndDropsWhatCannotBeAKey)
{
    EXPECT_EQ(Rows("[FileType]\r\nc = C.esf \r\nx=y=z.esf\r\n"), "c=C.esf;x=z.esf;");
    EXPECT_EQ(Rows("[FileType]\r\n; a comment=no\r\nno equals\r\n=empty.esf\r\n  \r\nok=ok.esf\r\n"), "ok=ok.esf;");
    // A line longer than any line buffer stays one row, and an entry after it still counts.
    const std::string longName(3000, 'n');
    EXPECT_EQ(Rows("[FileType]\r\nlong=" + longName + "\r\n[x=y.esf\r\n"), "long=" + longName + ";");
    // "ゾ" is 83 5D: its second byte is "]", which is no header inside a name.
    EXPECT_EQ(Rows("[FileType]\r\n\x83\x5d=z.esf\r\n"), "\x83\x5d=z.esf;");
}

TEST(CheckExtensionTest, RefusesWhatTheSettingsCouldNotHoldAsAKey)
{
    const std::pair<const char*, ExtensionProblem> cases[] = {
        {"", ExtensionProblem::Empty},         {"   ", ExtensionProblem::Empty},
        {"a=b", ExtensionProblem::Equals},     {"a]", ExtensionProblem::Bracket},
        {"a\r", ExtensionProblem::LineEnd},    {"a\nb", ExtensionProblem::LineEnd},
        {"[a=b", ExtensionProblem::FirstCharacter}, {";a]", ExtensionProblem::FirstCharacter},
        {"a\x83", ExtensionProblem::FirstCharacter},  // a lead byte cut off
        {"txt", ExtensionProblem::None},       {".pl", ExtensionProblem::None},  // accepted; never matches a file
        {" txt ", ExtensionProblem::None},     {"a[b", ExtensionProblem::None},
        {"\x83\x5d", ExtensionProblem::None},
    };
    for (const auto& [extension, problem] : cases) EXPECT_EQ(CheckExtension(extension), problem) << extension;
    EXPECT_EQ(TrimBlanks(" \ttxt\t "), "txt");
}

TEST(WriteFileTypeRowsTest, TheSectionGoesLastAndALaterRowInAnyCaseTakesTheFirstLine)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    TempFolder::Write(path, "[FileType]\r\nold=o.esf\r\n[tool]\r\nnum=0\r\n");
    ProfileFile settings;
    ASSERT_TRUE(OpenProfile(settings, path.c_str(), "main"));
    for (const auto& rows : {std::vector<FileTypeRow>{{"txt", "a.esf"}, {"c", "C.esf"}, {"TXT", "b.esf"}},
                             std::vector<FileTypeRow>{}}) {
        ProfileBatch batch;
        ASSERT_TRUE(BeginBatch(batch, settings));
        WriteFileTypeRows(batch, rows);
        ASSERT_TRUE(CommitBatch(batch));
        const std::string text = TempFolder::Read(path);
        EXPECT_EQ(text.substr(text.find("[FileType]")),
                  rows.empty() ? "[FileType]" : "[FileType]\r\ntxt=b.esf\r\nc=C.esf\r\n");
        EXPECT_EQ(text.find("[tool]\r\nnum=0\r\n"), 0u);
    }
}

TEST(WriteFileTypeRowsTest, WritingAgainLeavesTheFileAsItWas)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    TempFolder::Write(path, "[main]\r\nk=1\r\n\r\n[filetype]\r\nc=C.esf\r\n");
    ProfileFile settings;
    ASSERT_TRUE(OpenProfile(settings, path.c_str(), "main"));
    for (int round = 0; round < 3; ++round) {
        ProfileBatch batch;
        ASSERT_TRUE(BeginBatch(batch, settings));
        WriteFileTypeRows(batch, ReadFileTypeRows(batch.text));
        ASSERT_TRUE(CommitBatch(batch));
        EXPECT_EQ(TempFolder::Read(path), "[main]\r\nk=1\r\n\r\n[FileType]\r\nc=C.esf\r\n") << round;
    }
}

}  // namespace
