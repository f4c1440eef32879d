// The default settings text and the upgrade chain.
#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "../support/TempFolder.h"
#include "files/FileAccess.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

// Key names of one section, in file order.
std::vector<std::string> KeysOf(const std::string& text, const std::string& header)
{
    std::vector<std::string> keys;
    bool inside = false;
    for (const std::string& line : Lines(text)) {
        if (!line.empty() && line[0] == '[')
            inside = line == header;
        else if (inside && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

TEST(DefaultSettingsText, IsTheFixedTextWithItsVersionFilledIn)
{
    std::string text = FormatDefaultSettings(300, 0, 0);
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 91u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_EQ(lines[0], ";" + std::string(44, '*'));
    EXPECT_EQ(lines[4], lines[0]);
    EXPECT_EQ(lines[1],
              ";KelvaraTextEditor\x97p\x90\xDD\x92\xE8\x83t\x83@\x83"
              "C\x83\x8B   kvte.ini");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "[Version]");
    EXPECT_EQ(lines[7], "main=300");
    EXPECT_EQ(lines[8], "a=0");
    EXPECT_EQ(lines[9], "b=0");
    EXPECT_EQ(lines.back(), "f20=");
    EXPECT_EQ(KeysOf(text, "[editor1]"),
              (std::vector<std::string>{"ColorFile", "FontName", "FontSize", "nTab", "LineNum", "Ruler"}));
    EXPECT_NE(text.find("\r\nFontName=\x82l\x82r \x83S\x83V\x83"
                        "b\x83N\r\n"),
              std::string::npos);
    EXPECT_EQ(KeysOf(text, "[replace_history]").size(), 21u);
    // Filling "%d" three times with 300, 0, 0 shortens the text by one byte.
    EXPECT_EQ(std::string(kDefaultSettingsTemplate).size(), text.size() + 1);
    EXPECT_EQ(text.size(), 878u);
}

struct SettingsUpgradeTest : testing::Test {
    TempFolder folder;
    std::string path = folder.File("kvte.ini");
    ProfileFile settings;
    int announcements = 0;

    bool Prepare()
    {
        return PrepareSettingsFile(
            settings, path.c_str(), [](void* self) { ++static_cast<SettingsUpgradeTest*>(self)->announcements; }, this);
    }
    std::string Content() const { return TempFolder::Read(path); }
    void ExpectCurrentVersion()
    {
        SetSection(settings, "version");
        EXPECT_EQ(GetInt(settings, "main"), kSettingsVersion);
        EXPECT_EQ(GetInt(settings, "a"), 0);
        EXPECT_EQ(GetInt(settings, "b"), 0);
    }
    // An older file: the default text with the given version and some changed values.
    void StoreOldFile(const std::string& text) { TempFolder::Write(path, text); }
};

const std::vector<std::string> kFileTypeKeys = {"htm", "html", "ini", "frm", "bas", "vbs", "py",    "js", "md",
                                                "pm",  "cls",  "cpp", "c",   "h",   "bat", "shtml", "pl", "cgi"};

TEST_F(SettingsUpgradeTest, ANewFileGetsEveryDefaultWithoutAnnouncement)
{
    Prepare();
    EXPECT_EQ(announcements, 0);
    ExpectCurrentVersion();
    std::string text = Content();
    EXPECT_EQ(KeysOf(text, "[main]"),
              (std::vector<std::string>{"FileWindowActive", "windows", "x", "y", "width", "height", "retline", "kanji",
                                        "auto_kanji", "utf16_bom", "utf8_bom", "lapel"}));
    EXPECT_EQ(KeysOf(text, "[FileType]"), kFileTypeKeys);
    size_t fileType = text.find("\r\n\r\n[FileType]\r\n");
    ASSERT_NE(fileType, std::string::npos);
    EXPECT_EQ(text.find('[', fileType + 5), std::string::npos) << "[FileType] is the last section";
    EXPECT_EQ(text.substr(text.size() - 14), "cgi=Perl.esf\r\n");
    SetSection(settings, "FileType");
    char value[260];
    GetString(settings, "h", value, sizeof value);
    EXPECT_STREQ(value, "C,C++.esf");
    SetSection(settings, "editor1");
    EXPECT_EQ(GetInt(settings, "clickable"), 65535);
    EXPECT_EQ(GetInt(settings, "sel_numalpha"), 1);
    SetSection(settings, "tab");
    EXPECT_EQ(GetInt(settings, "width"), 120);

    // A second start finds the file current and changes nothing.
    Prepare();
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(Content(), text);
}

TEST_F(SettingsUpgradeTest, Version300RunsTheWholeChainAfterTheAnnouncement)
{
    StoreOldFile(FormatDefaultSettings(300, 0, 0));
    Prepare();
    EXPECT_EQ(announcements, 1);
    ExpectCurrentVersion();
    EXPECT_EQ(KeysOf(Content(), "[FileType]"), kFileTypeKeys);
}

TEST_F(SettingsUpgradeTest, Version320RewritesOnlyTheLaterKeys)
{
    StoreOldFile(FormatDefaultSettings(320, 0, 0) +
                 "\r\n[FileType]\r\ntxt=mine.esf\r\n"
                 "\r\n[main]\r\nretline=2\r\n");
    std::string text = Content();
    // Values that rows 320..334 write over.
    SetSection(settings, "editor1");
    OpenProfile(settings, path.c_str(), "editor1");
    WriteString(settings, "owndraw", "1");
    WriteString(settings, "endhome", "0");
    WriteString(settings, "sel_numalpha", "0");
    SetSection(settings, "tab");
    WriteString(settings, "width", "77");
    Prepare();
    EXPECT_EQ(announcements, 1);
    ExpectCurrentVersion();
    SetSection(settings, "editor1");
    EXPECT_EQ(GetInt(settings, "owndraw"), 0);
    EXPECT_EQ(GetInt(settings, "indent"), 1);
    EXPECT_EQ(GetInt(settings, "endhome"), 1);
    EXPECT_EQ(GetInt(settings, "undo"), 1);
    EXPECT_EQ(GetInt(settings, "sel_numalpha"), 1);
    EXPECT_EQ(GetInt(settings, "clickable"), 0) << "row 306 must not run";
    SetSection(settings, "tab");
    EXPECT_EQ(GetInt(settings, "width"), 120);
    EXPECT_EQ(KeysOf(Content(), "[FileType]"), std::vector<std::string>{"txt"});
}

TEST_F(SettingsUpgradeTest, UnlistedVersionsRewriteOnlyTheVersionRecord)
{
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"308", FormatDefaultSettings(308, 0, 0)},
        {"335", FormatDefaultSettings(335, 0, 0)},
        {"336 with b=1", FormatDefaultSettings(336, 0, 1)},
        {"no version section", "[main]\r\nFileWindowActive=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        announcements = 0;
        StoreOldFile(c.text);
        Prepare();
        EXPECT_EQ(announcements, 1);
        ExpectCurrentVersion();
        std::string text = Content();
        EXPECT_EQ(text.find("[FileType]"), std::string::npos);
        EXPECT_EQ(text.find("lapel"), std::string::npos);
        SetSection(settings, "main");
        EXPECT_EQ(GetInt(settings, "FileWindowActive"), 1);
    }
}

TEST_F(SettingsUpgradeTest, AnUpgradeThatCannotBeWrittenKeepsItsVersionAndIsRedoneNextStart)
{
    StoreOldFile(FormatDefaultSettings(320, 0, 0));
    const std::string before = Content();
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 400;  // the disk fills up in the middle of the new text
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    SetFileFaultsForTesting({});
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(Content(), before);
    EXPECT_EQ(folder.EntryCount(), 1u);

    EXPECT_TRUE(Prepare());
    EXPECT_EQ(announcements, 2);
    ExpectCurrentVersion();
    SetSection(settings, "editor1");
    EXPECT_EQ(GetInt(settings, "sel_numalpha"), 1);
}

TEST_F(SettingsUpgradeTest, AnUpgradeCutShortInPlaceIsCompletedNextStart)
{
    // In a folder without create rights the file is overwritten in place, which a failure
    // can leave half new. The version record goes in a write of its own after the steps,
    // so it still reads old.
    StoreOldFile(FormatDefaultSettings(300, 0, 0));
    FileFaultsForTesting faults;
    faults.temporaryFileRefused = true;
    faults.writeFailsAfterBytes = 600;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    SetSection(settings, "version");
    EXPECT_EQ(GetInt(settings, "main"), 300);

    faults.writeFailsAfterBytes = -1;
    SetFileFaultsForTesting(faults);
    EXPECT_TRUE(Prepare());
    SetFileFaultsForTesting({});
    ExpectCurrentVersion();
    std::string text = Content();
    EXPECT_EQ(KeysOf(text, "[FileType]"), kFileTypeKeys);
    EXPECT_EQ(text.find("[FileType]"), text.rfind("[FileType]"));
}

TEST_F(SettingsUpgradeTest, StepsWrittenWithoutTheirVersionRecordAreRunAgainToTheSameFile)
{
    Prepare();
    const std::string complete = Content();
    SetSection(settings, "version");
    ASSERT_TRUE(WriteInt(settings, "main", 300));
    EXPECT_TRUE(Prepare());
    EXPECT_EQ(Content(), complete) << "no second [FileType] section, no key twice";
}

TEST_F(SettingsUpgradeTest, AFileThatCannotBeReadIsLeftAlone)
{
    StoreOldFile(FormatDefaultSettings(320, 0, 0));
    const std::string before = Content();
    FileFaultsForTesting faults;
    faults.readFailure = FileErrorKind::SharingViolation;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    SetFileFaultsForTesting({});
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(Content(), before);
}

TEST_F(SettingsUpgradeTest, APathTooLongForTheSettingsObjectIsNotCut)
{
    std::string tooLong = folder.File(std::string(300, 'k') + ".ini");
    EXPECT_FALSE(PrepareSettingsFile(settings, tooLong.c_str(), nullptr, nullptr));
    EXPECT_EQ(folder.EntryCount(), 0u);
    EXPECT_EQ(GetInt(settings, "main"), 0);
}

}  // namespace
