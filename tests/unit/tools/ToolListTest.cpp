// The tool list in [tool]: reading num entries whatever num holds, writing a list back
// whole, and keys of entries past num being ignored.
#include "tools/ToolList.h"

#include <gtest/gtest.h>

#include "../support/TempFolder.h"

namespace {

struct ToolListTest : testing::Test {
    TempFolder folder;
    std::string path = folder.File("kvte.ini");
    ProfileFile profile;

    std::vector<ToolEntry> Read(const std::string& content)
    {
        TempFolder::Write(path, content);
        OpenProfile(profile, path.c_str(), "main");
        ProfileBatch batch;
        EXPECT_TRUE(BeginBatch(batch, profile));
        return ReadToolList(batch);
    }
    bool Write(const std::vector<ToolEntry>& entries)
    {
        ProfileBatch batch;
        BeginBatch(batch, profile);
        return WriteToolList(batch, entries) && CommitBatch(batch);
    }
};

TEST_F(ToolListTest, ReadsNumEntriesAndMissingKeysAsEmpty)
{
    auto entries = Read("[tool]\r\nnum=3\r\nname0=Grep\r\npath0=C:\\g.exe -r\r\ntype0=1\r\n"
                        "name1=-\r\npath1=-\r\ntype1=-1\r\nname3=past num\r\ntype3=2\r\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Grep");
    EXPECT_EQ(entries[0].path, "C:\\g.exe -r");
    EXPECT_EQ(entries[0].type, kToolModeless);
    EXPECT_EQ(entries[1].type, kToolSeparator);
    EXPECT_EQ(entries[2].name, "");
    EXPECT_EQ(entries[2].path, "");
    EXPECT_EQ(entries[2].type, kToolModal);
}

TEST_F(ToolListTest, NumOutsideItsRangeIsHeldToIt)
{
    // A damaged num neither reads past what the commands can reach nor counts backwards.
    EXPECT_TRUE(Read("[tool]\r\nnum=-4\r\nname0=a\r\n").empty());
    EXPECT_TRUE(Read("").empty());
    EXPECT_EQ(Read("[tool]\r\nnum=2147483647\r\n").size(), static_cast<std::size_t>(kMaxToolEntries));
}

TEST_F(ToolListTest, ACommandLineIsAWholePathOfAnEntryBeforeNum)
{
    // A path longer than the start buffer would be cut into another program's line.
    const std::string fits(kToolTextLimit, 'p');
    Read("[tool]\r\nnum=4\r\npath0=C:\\g.exe -r\r\npath1=" + fits + "\r\npath2=" + fits + "q\r\npath4=past.exe\r\n");
    const std::pair<int, std::string> cases[] = {{0, "C:\\g.exe -r"}, {1, fits}, {2, ""}, {3, ""}, {4, ""}, {-1, ""}};
    for (const auto& [n, line] : cases) EXPECT_EQ(ToolCommandLine(profile, n), line) << n;
}

TEST_F(ToolListTest, AWrittenListReadsBackWithLongTextsAndUnknownTypesKept)
{
    Read("[main]\r\nx=1\r\n[tool]\r\nnum=5\r\nname4=stale\r\n");
    const std::string longPath(600, 'p');
    std::vector<ToolEntry> list{{"Grep", "C:\\g.exe", kToolModeless}, SeparatorEntry(),
                                {"\x83\x5C\x83\x74\x83\x67", longPath, kToolBuiltIn}, {"odd", "o.exe", 9}};
    ASSERT_TRUE(Write(list));
    ProfileBatch batch;
    BeginBatch(batch, profile);
    auto back = ReadToolList(batch);
    ASSERT_EQ(back.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(back[i].name, list[i].name) << i;
        EXPECT_EQ(back[i].path, list[i].path) << i;
        EXPECT_EQ(back[i].type, list[i].type) << i;
    }
    EXPECT_EQ(back[1].name, "-");
    EXPECT_EQ(back[1].path, "-");
    // The other sections stay; the stale key past num stays and is ignored.
    const std::string text = TempFolder::Read(path);
    EXPECT_NE(text.find("[main]\r\nx=1"), std::string::npos);
    EXPECT_NE(text.find("name4=stale"), std::string::npos);
    EXPECT_NE(text.find("num=4"), std::string::npos);
}

TEST_F(ToolListTest, AnEmptyListWritesNumZeroAndARefusedValueFailsTheWrite)
{
    Read("[tool]\r\nnum=2\r\nname0=a\r\n");
    ASSERT_TRUE(Write({}));
    EXPECT_TRUE(Read(TempFolder::Read(path)).empty());
    EXPECT_NE(TempFolder::Read(path).find("num=0"), std::string::npos);
    const std::string before = TempFolder::Read(path);
    EXPECT_FALSE(Write({{"two\r\nlines", "p", 0}}));
    EXPECT_FALSE(Write({{"n", "two\r\nlines", 0}}));
    EXPECT_EQ(TempFolder::Read(path), before);
}

TEST(ToolLaunchTest, AnUnquotedProgramPathWithBlanksStartsExactlyThatProgram)
{
    // "C:\Program" exists too, as a planted program would: the longest head wins.
    static const char* const files[] = {"C:\\Program Files\\t.exe", "C:\\Program", "D:\\\x95\\ a.exe"};
    auto isFile = [](const std::string& path) {
        for (const char* file : files)
            if (path == file) return true;
        return false;
    };
    const struct {
        const char* line;
        const char* program;
        const char* commandLine;
    } cases[] = {
        {"C:\\Program Files\\t.exe", "C:\\Program Files\\t.exe", "\"C:\\Program Files\\t.exe\""},
        {"C:\\Program Files\\t.exe -x  \"a b\"", "C:\\Program Files\\t.exe", "\"C:\\Program Files\\t.exe\" -x  \"a b\""},
        {"D:\\\x95\\ a.exe arg", "D:\\\x95\\ a.exe", "\"D:\\\x95\\ a.exe\" arg"},  // a 0x5C trail byte
        {"C:\\Program Files\\gone.exe x", "C:\\Program", "\"C:\\Program\" Files\\gone.exe x"},
        {"notepad.exe a.txt", "", "notepad.exe a.txt"},  // found by the system, as stored
        {"\"C:\\Program Files\\t.exe\" -x", "", "\"C:\\Program Files\\t.exe\" -x"},
        {"C:\\Program Files\\t.exe ", "C:\\Program Files\\t.exe", "\"C:\\Program Files\\t.exe\" "},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const ToolLaunch launch = ToolLaunchOf(c.line, isFile);
        EXPECT_EQ(launch.program, c.program) << c.line;
        EXPECT_EQ(launch.commandLine, c.commandLine) << c.line;
    }
}

}  // namespace
