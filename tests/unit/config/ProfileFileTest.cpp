// The ini engine as the settings readers and writers rely on it.
#include "config/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "files/FileAccess.h"
#include "../support/TempFolder.h"

namespace {

struct ProfileFileTest : testing::Test {
    TempFolder folder;
    ProfileFile profile;
    std::string path = folder.File("kvte.ini");
    FileFaultsForTesting faults;

    void Open(const std::string& content, const char* section)
    {
        TempFolder::Write(path, content);
        OpenProfile(profile, path.c_str(), section);
    }
    std::string Content() const { return TempFolder::Read(path); }
    std::string String(const char* key, int size = 1024)
    {
        char buffer[1024] = "garbage";
        int n = GetString(profile, key, buffer, size);
        EXPECT_EQ(n, static_cast<int>(std::string(buffer).size()));
        return buffer;
    }
};

TEST_F(ProfileFileTest, IntegersAreSignedDecimalAndMissingThingsReadAsDefaults)
{
    Open("[tool]\r\ntype0=-1\r\ntype1= 2 \r\nbig=99999999999\r\nword=abc\r\nlead=12abc\r\n", "tool");
    EXPECT_EQ(GetInt(profile, "y"), 0);
    EXPECT_EQ(GetInt(profile, "type0"), -1);
    EXPECT_EQ(GetInt(profile, "type1"), 2);
    EXPECT_EQ(GetInt(profile, "big"), 2147483647);
    EXPECT_EQ(GetInt(profile, "word"), 0);
    EXPECT_EQ(GetInt(profile, "lead"), 12);
    SetSection(profile, "nosuch");
    EXPECT_EQ(String("type0"), "");
    OpenProfile(profile, folder.File("absent.ini").c_str(), "tool");
    EXPECT_EQ(GetInt(profile, "type0"), 0);
}

TEST_F(ProfileFileTest, NamesIgnoreLetterCaseButNotDoubleByteCharacters)
{
    // 0x83 0x5D is a double-byte character whose trail byte is ']'; 0x82 0x41 and
    // 0x82 0x61 differ only in a trail byte that a careless fold would equate.
    Open("[Version]\r\nMain=336\r\n[\x83]x]\r\nk=1\r\n[\x82\x41]\r\nk=2\r\n", "version");
    EXPECT_EQ(GetInt(profile, "MAIN"), 336);
    SetSection(profile, "\x83]x");
    EXPECT_EQ(GetInt(profile, "k"), 1);
    SetSection(profile, "\x82\x61");
    EXPECT_EQ(GetInt(profile, "k"), 0);
}

TEST_F(ProfileFileTest, StringsAreBytesCutToTheBuffer)
{
    const std::string font = "\x82l\x82r \x83S\x83V\x83\x62\x83N";  // ＭＳ ゴシック
    Open("[editor1]\r\nFontName=" + font + "\r\nColorFile = a b \r\nblank=  \r\n", "editor1");
    EXPECT_EQ(String("FontName"), font);
    EXPECT_EQ(String("ColorFile"), "a b");
    EXPECT_EQ(String("ColorFile", 4), "a b");  // exactly the room it needs
    EXPECT_EQ(String("ColorFile", 2), "a");
    EXPECT_EQ(String("ColorFile", 1), "");  // room for the terminator alone
    ASSERT_TRUE(WriteString(profile, "blank", "x"));  // a value of blanks only is replaced after them
    EXPECT_NE(Content().find("\r\nblank=  x\r\n"), std::string::npos);
    EXPECT_EQ(String("FontName", 4), "\x82l");  // 3 bytes of room: not half a character
    ASSERT_TRUE(WriteString(profile, "FontName", "\x83\\\x83|"));  // ソポ: trail bytes '\' and '|'
    EXPECT_EQ(String("FontName"), "\x83\\\x83|");
}

TEST_F(ProfileFileTest, WritesKeepEverythingElseByteForByte)
{
    const std::string before = "; comment = not a key\r\n[main]\r\nx=1\ny=2\r\n\r\n[tab]\r\nwidth=120\r\n";
    Open(before, "main");
    ASSERT_TRUE(WriteInt(profile, "x", 300));      // in place
    ASSERT_TRUE(WriteInt(profile, "height", 40));  // end of its section, before the blank line
    SetSection(profile, "Tool");
    ASSERT_TRUE(WriteString(profile, "num", "0"));  // new section at the end
    EXPECT_EQ(Content(), "; comment = not a key\r\n[main]\r\nx=300\ny=2\r\nheight=40\r\n\r\n[tab]\r\nwidth=120\r\n"
                         "\r\n[Tool]\r\nnum=0\r\n");
}

TEST_F(ProfileFileTest, DeleteAndAppendSection)
{
    Open("[a]\r\nk=1\r\n\r\n[find_history]\r\nf0=x\r\n; note\r\nf1=y\r\n[b]\r\nk=2\r\n", "FIND_HISTORY");
    ASSERT_TRUE(DeleteSection(profile));
    EXPECT_EQ(Content(), "[a]\r\nk=1\r\n\r\n[b]\r\nk=2\r\n");
    EXPECT_TRUE(DeleteSection(profile));  // already gone
    // An appended section's header has no line end; the first key goes on a new line.
    Open("[tool]\r\nnum=0\r\n", "tool");
    ASSERT_TRUE(AppendSection(profile, "FileType"));
    EXPECT_STREQ(profile.section, "FileType");
    EXPECT_EQ(Content(), "[tool]\r\nnum=0\r\n\r\n[FileType]");
    ASSERT_TRUE(WriteString(profile, "htm", "HTML.esf"));
    ASSERT_TRUE(WriteString(profile, "html", "HTML.esf"));
    EXPECT_EQ(Content(), "[tool]\r\nnum=0\r\n\r\n[FileType]\r\nhtm=HTML.esf\r\nhtml=HTML.esf\r\n");
}

TEST_F(ProfileFileTest, NamesAndValuesThatWouldNotReadBackAreRefused)
{
    const std::string before = "[main]\r\nx=1\r\n";
    Open(before, "main");
    EXPECT_FALSE(WriteString(profile, "x", "a\r\n[main]\r\nkanji=2")) << "a value with a line end";
    EXPECT_FALSE(WriteString(profile, "x", nullptr));
    for (const char* key : {"a]b", "a=b", "a\rb", "a\nb", "", " x", "x\t", ";x", "[x", "\x83"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(WriteInt(profile, key, 1));
    }
    for (const char* section : {"a]b", "a=b", "a\r\n[main", "a\nb", "", " main", "\x83"}) {
        SCOPED_TRACE(section);
        EXPECT_FALSE(SetSection(profile, section));
        EXPECT_STREQ(profile.section, "");
        EXPECT_FALSE(WriteInt(profile, "x", 2));
        EXPECT_FALSE(DeleteSection(profile));
        ASSERT_TRUE(SetSection(profile, "main"));
        EXPECT_FALSE(AppendSection(profile, section));
        EXPECT_STREQ(profile.section, "main");
    }
    EXPECT_FALSE(OpenProfile(profile, path.c_str(), "a]b"));
    EXPECT_EQ(Content(), before);
    // "]" as the trail byte of a double-byte character is part of a good name.
    ASSERT_TRUE(OpenProfile(profile, path.c_str(), "\x83]"));
    EXPECT_TRUE(WriteString(profile, "\x83]", "v"));
    EXPECT_EQ(String("\x83]"), "v");
}

TEST_F(ProfileFileTest, APathThatDoesNotFitIsRefusedNotCut)
{
    // Cut to 260 bytes, this path would name another file: "kvt" beside the folder.
    std::string folderPath = folder.Path() + "/" + std::string(255 - folder.Path().size(), 'd');
    std::filesystem::create_directory(folderPath);
    std::string tooLong = folderPath + "/kvte.ini";
    std::string cut = tooLong.substr(0, 260);
    EXPECT_FALSE(OpenProfile(profile, tooLong.c_str(), "main"));
    EXPECT_FALSE(WriteInt(profile, "x", 1));
    EXPECT_FALSE(FileExists(cut.c_str()));
    EXPECT_TRUE(OpenProfile(profile, cut.c_str(), "main"));  // exactly 260 bytes: accepted
    EXPECT_FALSE(OpenProfile(profile, "", "main")) << "no path";
    std::string longSection(1024, 's');
    EXPECT_FALSE(SetSection(profile, longSection.c_str()));
    EXPECT_TRUE(SetSection(profile, longSection.substr(0, 1023).c_str()));
}

TEST_F(ProfileFileTest, AFileThatCannotBeReadOrWrittenIsNeverSpoilt)
{
    const std::string before = "[main]\r\nx=1\r\n[tab]\r\nwidth=120\r\n";
    for (FileErrorKind kind : {FileErrorKind::SharingViolation, FileErrorKind::Other, FileErrorKind::AccessDenied}) {
        Open(before, "main");
        faults.readFailure = kind;
        SetFileFaultsForTesting(faults);
        EXPECT_EQ(GetInt(profile, "x"), 0);
        EXPECT_FALSE(WriteInt(profile, "x", 2));
        EXPECT_FALSE(WriteString(profile, "y", "3"));
        EXPECT_FALSE(DeleteSection(profile));
        EXPECT_FALSE(AppendSection(profile, "FileType"));
        EXPECT_STREQ(profile.section, "main");
        SetFileFaultsForTesting({});
        EXPECT_EQ(Content(), before);
    }
    faults = {};
    faults.writeFailsAfterBytes = 5;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(WriteInt(profile, "x", 2));
    EXPECT_FALSE(WriteString(profile, "new", "value"));
    SetFileFaultsForTesting({});
    EXPECT_EQ(Content(), before);
    EXPECT_EQ(folder.EntryCount(), 1u) << "no temporary file left behind";
    // Only a file that is not there reads as empty and is created by a write.
    OpenProfile(profile, folder.File("new.ini").c_str(), "main");
    EXPECT_TRUE(WriteInt(profile, "x", 2));
    EXPECT_EQ(TempFolder::Read(folder.File("new.ini")), "[main]\r\nx=2\r\n");
    std::remove(folder.File("new.ini").c_str());
    faults = {};  // a folder without create rights: the file is written in place
    Open("[main]\r\nx=1\r\n", "main");
    faults.temporaryFileRefused = true;
    SetFileFaultsForTesting(faults);
    EXPECT_TRUE(WriteInt(profile, "x", 12345));
    EXPECT_TRUE(DeleteSection(profile));
    SetSection(profile, "tab");
    EXPECT_TRUE(WriteInt(profile, "width", 7));
    EXPECT_EQ(Content(), "[tab]\r\nwidth=7\r\n");  // shorter than before: the rest is cut off
    OpenProfile(profile, folder.File("absent.ini").c_str(), "main");
    EXPECT_FALSE(WriteInt(profile, "x", 1)) << "no file to write in place";
    SetFileFaultsForTesting({});
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
