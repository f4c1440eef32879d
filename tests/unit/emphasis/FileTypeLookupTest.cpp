// The file-type lookup: which environment a file's name brings into a view.
#include "emphasis/FileTypeLookup.h"

#include <gtest/gtest.h>

#include "EmphasisFixture.h"

namespace {

TEST(FileNameExtension, TakesTheTextAfterTheLastDotOfTheName)
{
    // The trail byte of a kanji may be "\", which does not end a folder name.
    for (auto [path, extension] :
         {std::pair{"C:\\a\\a.tar.gz", "gz"}, {"C:\\dir.d\\README", ""}, {"/dir.d/README", ""}, {"C:x.d:README", ""},
          {"page.HTM", "HTM"}, {"name.", ""}, {".profile", "profile"}, {"C:\\x\\a.\x95\x5c", "\x95\x5c"},
          {"C:\\x\\\x95\x5c.pl", "pl"}, {"a.b\x81", "b\x81"}, {"C:\\x\\a.\x80\\b", ""}})
        EXPECT_EQ(FileNameExtension(path), extension) << path;
    EXPECT_EQ(FileNameExtension(nullptr), "");
    // Every lead byte takes the "\" after it, from the first to the last of each range.
    for (const char* lead : {"\x81", "\x9f", "\xe0", "\xfc"})
        EXPECT_EQ(FileNameExtension((std::string("C:\\x\\a.") + lead + "\\").c_str()), std::string(lead) + "\\");
}

struct FileTypeLookupTest : EmphasisFixture {
    FileTypeLookupTest()
    {
        WriteSettings("[editor1]\r\nColorFile=test.ini\r\n\r\n[FileType]\r\nhtm=HTML.esf\r\n.pl=Perl.esf\r\n"
                      "c=gone.esf\r\n");
        WriteEnvironment("HTML.esf", "EMP_WORD,0,1,0\nbody\n");
    }
};

TEST_F(FileTypeLookupTest, LoadsTheEnvironmentOfTheExtensionInAnyLetterCase)
{
    EXPECT_TRUE(ApplyFileType(state, 4, "C:\\site\\page.HTM"));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ClearEmphasis(4,1)", "AddEmphasis(4,body,none,1,12582912,0,1,0)",
                                                    "RedrawView(4)"}));
    host.calls.clear();
    EXPECT_TRUE(ApplyFileType(state, 0, "main.c"));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ClearEmphasis(0,1)", "Message(23)"})) << "a missing environment";
}

TEST_F(FileTypeLookupTest, WithoutAnEntryOrSettingsTheViewLosesThePreviousFilesColours)
{
    state.active = true;
    EXPECT_FALSE(ApplyFileType(state, 4, "C:\\site.htm\\README"));
    EXPECT_FALSE(ApplyFileType(state, 4, "script.pl"));  // stored as ".pl": never matches
    EXPECT_FALSE(ApplyFileType(state, 4, "a.txt"));
    state.settings = nullptr;
    EXPECT_FALSE(ApplyFileType(state, 4, "page.htm"));
    EXPECT_EQ(host.calls, std::vector<std::string>(4, "ClearEmphasis(4,1)"));
}

}  // namespace
