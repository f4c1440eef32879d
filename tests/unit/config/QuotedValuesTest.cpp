// Values keep their blanks and quotes through kvte.ini, and the upgrade keeps what values
// stored before unquoting meant.
#include <gtest/gtest.h>

#include <string>

#include "../support/TempFolder.h"
#include "config/IniText.h"
#include "config/ProfileFile.h"
#include "config/SettingsFile.h"

namespace {

std::string ReadBack(const std::string& text, const char* key)
{
    std::string_view value;
    return ini::FindValue(text, "s", key, value) ? std::string(value) : std::string("<missing>");
}

TEST(QuotedValues, EveryValueReadsBackAsWritten)
{
    const char* values[] = {" a ", "\x81\x40", " ", "\t", "\"q\"", "'q'", "\"", "\"open", "close'", "",
                            "\"C:\\Program Files\\t.exe\" -x", "plain value", "a\"b", " a", "a "};
    for (const char* value : values) {
        std::string text = ini::WithValue("[s]\r\n", "s", "k", value);
        EXPECT_EQ(ReadBack(text, "k"), value) << text;
        // Written a second time over itself, it is still the same.
        EXPECT_EQ(ReadBack(ini::WithValue(text, "s", "k", value), "k"), value);
    }
    EXPECT_TRUE(ini::IsHeaderOf("[filetype]", "FileType") && !ini::IsHeaderOf("FileType=1", "FileType"));
    // Only values that need it are wrapped, so plain files stay as they are.
    EXPECT_EQ(ini::WithValue("[s]\r\n", "s", "k", "a b"), "[s]\r\nk=a b\r\n");
}

TEST(QuotedValues, ReadingRemovesOneMatchingPair)
{
    EXPECT_EQ(ReadBack("[s]\r\nk= \"\"x\"\" \r\n", "k"), "\"x\"");
    EXPECT_EQ(ReadBack("[s]\r\nk='x\"\r\n", "k"), "'x\"");
    EXPECT_EQ(ReadBack("[s]\r\nk=\"\r\n", "k"), "\"");
    EXPECT_EQ(ReadBack("[s]\r\nk=''\r\n", "k"), "");
}

TEST(QuotedValues, UpgradeWrapsStoredQuotedValuesOnceAndAddsNoAssociations)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    std::string old = FormatDefaultSettings(336, 0, 0);
    const std::string tools = "[tool]\r\nnum=0\r\n";
    old.replace(old.find(tools), tools.size(),
                "[tool]\r\nnum=3\r\n0=\"C:\\Program Files\\t.exe\"\r\n1='x' \r\n2=\"a\" b\r\n");
    old += "\r\n[FileType]\r\ntxt=C,C++.esf\r\n";
    TempFolder::Write(path, old);
    ProfileFile settings;
    ASSERT_TRUE(PrepareSettingsFile(settings, path.c_str(), nullptr, nullptr));
    ASSERT_TRUE(SetSection(settings, "tool"));
    char value[300];
    const char* expected[] = {"\"C:\\Program Files\\t.exe\"", "'x'", "\"a\" b"};
    for (int i = 0; i < 3; ++i) {
        GetString(settings, std::to_string(i).c_str(), value, sizeof value);
        EXPECT_STREQ(value, expected[i]);
    }
    // Prepared again (current now), nothing is wrapped a second time.
    ProfileFile again;
    ASSERT_TRUE(PrepareSettingsFile(again, path.c_str(), nullptr, nullptr));
    SetSection(again, "tool");
    GetString(again, "0", value, sizeof value);
    EXPECT_STREQ(value, expected[0]);
    // A file that has [FileType] keeps its own associations.
    SetSection(again, "FileType");
    EXPECT_EQ(GetString(again, "py", value, sizeof value), 0);
    // A file written by the first version that wraps values is not wrapped again either.
    std::string first = FormatDefaultSettings(kFirstUnquotingVersion, 0, 0);
    first.replace(first.find(tools), tools.size(), "[tool]\r\nnum=1\r\n0='\"a\" b'\r\n");
    TempFolder::Write(path, first);
    ASSERT_TRUE(PrepareSettingsFile(again, path.c_str(), nullptr, nullptr) && SetSection(again, "tool"));
    GetString(again, "0", value, sizeof value);
    EXPECT_STREQ(value, expected[2]);
}

}  // namespace
