// The tool information file: the path rule, the defaults of missing keys, and the files
// that must not register anything (no program, overlong texts, a type that is no kind).
#include "tools/ToolInfoFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

ToolEntry Parse(const std::string& text, const std::string& ktiPath, ToolInfoError expected = ToolInfoError::None)
{
    ToolEntry entry{"old", "old", 7};
    EXPECT_EQ(ParseToolInfo(text, ktiPath, entry), expected) << text;
    return entry;
}

TEST(ToolInfoFileTest, PathIsTheFolderOfTheFileFollowedByItsProgram)
{
    ToolEntry entry = Parse("[general]\r\nname=Kit\r\nfile=bin\\tool.exe\r\ntype=1\r\n", "D:\\kit\\kit.kti");
    EXPECT_EQ(entry.name, "Kit");
    EXPECT_EQ(entry.path, "D:\\kit\\bin\\tool.exe");
    EXPECT_EQ(entry.type, kToolModeless);
    // Keys and the section are found in any letter case; blanks around values go.
    entry = Parse("[General]\nNAME = a b \nFile=t.exe\nTYPE=2\n", "C:/x/y/a.kti");
    EXPECT_EQ(entry.name, "a b");
    EXPECT_EQ(entry.path, "C:/x/y/t.exe");
    EXPECT_EQ(entry.type, kToolBuiltIn);
}

TEST(ToolInfoFileTest, FolderEndsAtTheLastSeparatorOutsideDoubleByteCharacters)
{
    // 0x95 0x5C is one character ("表"): its second byte is no separator.
    EXPECT_EQ(FolderOf("C:\\\x95\\\\\x95\\\\a.kti"), "C:\\\x95\\\\\x95\\\\");
    EXPECT_EQ(FolderOf("C:\\\x95\\\\\x95\\a.kti"), "C:\\\x95\\\\");
    EXPECT_EQ(FolderOf("C:\\\x95\\.kti"), "C:\\");
    EXPECT_EQ(FolderOf("C:a.kti"), "C:");
    EXPECT_EQ(FolderOf("a.kti"), "");
    EXPECT_EQ(FolderOf(""), "");
    const std::string_view more = "C:\\kit\\a.kti\\";  // a separator just past the end is not the path's
    EXPECT_EQ(FolderOf(more.substr(0, more.size() - 1)), "C:\\kit\\");
    EXPECT_EQ(StemOf("C:\\kit\\my.tool.kti"), "my.tool");
    EXPECT_EQ(StemOf("C:\\kit\\.kti"), ".kti");
    EXPECT_EQ(StemOf("C:\\kit\\noext"), "noext");
    // A dot after a double-byte character still ends the stem.
    EXPECT_EQ(StemOf("\x81\x81.kti"), "\x81\x81");
}

TEST(ToolInfoFileTest, MissingNameAndTypeTakeTheirFallbacks)
{
    ToolEntry entry = Parse("[general]\r\nfile=run.exe\r\n", "C:\\kit\\Grep Tool.kti");
    EXPECT_EQ(entry.name, "Grep Tool");
    EXPECT_EQ(entry.path, "C:\\kit\\run.exe");
    EXPECT_EQ(entry.type, kToolModal);
    entry = Parse("[general]\r\nname=\r\nfile=run.exe\r\ntype=\r\n", "C:\\kit\\g.kti");
    EXPECT_EQ(entry.name, "g");
    EXPECT_EQ(entry.type, kToolModal);
    EXPECT_EQ(Parse("[general]\r\nfile=s\r\ntype=-1\r\n", "k.kti").type, kToolSeparator);
}

TEST(ToolInfoFileTest, FilesThatCouldNeverStartRegisterNothing)
{
    // No section, keys in another section, an empty program: the entry is left alone.
    for (const char* text : {"", "garbage\x81", "[other]\r\nfile=a.exe\r\n", "[general]\r\nname=x\r\nfile=\r\n"}) {
        ToolEntry entry = Parse(text, "C:\\k.kti", ToolInfoError::NoProgram);
        EXPECT_EQ(entry.name, "old");
        EXPECT_EQ(entry.type, 7);
    }
    for (const char* type : {"3", "-2", "1x", "x", "99999999999", "+"}) {
        Parse(std::string("[general]\r\nfile=a.exe\r\ntype=") + type + "\r\n", "C:\\k.kti", ToolInfoError::BadType);
    }
}

TEST(ToolInfoFileTest, TextsAtTheLimitPassAndOneByteMoreIsRefused)
{
    const std::string folder = "C:\\kit\\";
    const std::string fits(kToolTextLimit - folder.size(), 'f');
    EXPECT_EQ(Parse("[general]\r\nfile=" + fits + "\r\n", folder + "k.kti").path.size(), kToolTextLimit);
    Parse("[general]\r\nfile=" + fits + "f\r\n", folder + "k.kti", ToolInfoError::PathTooLong);

    const std::string name(kToolTextLimit, 'n');
    EXPECT_EQ(Parse("[general]\r\nname=" + name + "\r\nfile=a\r\n", "k.kti").name, name);
    Parse("[general]\r\nname=" + name + "n\r\nfile=a\r\n", "k.kti", ToolInfoError::NameTooLong);
    // The fallback name is held to the same limit.
    Parse("[general]\r\nfile=a\r\n", std::string(300, 'k') + ".kti", ToolInfoError::NameTooLong);
}

TEST(ToolInfoFileTest, TheShippedSampleRegistersItsProgramBesideIt)
{
    std::ifstream in(KVTE_SOURCE_DIR "/src/tools/win32/sample/kvtesample.kti", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ToolEntry entry = Parse(text, "C:\\kvte\\tools\\kvtesample.kti");
    EXPECT_EQ(entry.path, "C:\\kvte\\tools\\kvtesample.exe");
    // Modal: a modeless tool that announces its window would come to the front at every
    // click on the editor until it is closed.
    EXPECT_EQ(entry.type, kToolModal);
    // The label is Shift-JIS, as the settings hold it ("テキストの挿入 ...").
    EXPECT_EQ(entry.name.substr(0, 4), "\x83\x65\x83\x4C");
}

}  // namespace
