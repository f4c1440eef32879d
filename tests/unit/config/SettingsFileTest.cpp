// The settings file a start prepares: a new one, the upgrade from each stored version, and
// failures that must leave a file the next start can still bring up to date.
#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "../support/TempFolder.h"
#include "files/FileAccess.h"

namespace {

struct SettingsFileTest : testing::Test {
    TempFolder folder;
    std::string path = folder.File("kvte.ini");
    ProfileFile settings;
    int announcements = 0;

    void TearDown() override { SetFileFaultsForTesting({}); }
    bool Prepare()
    {
        return PrepareSettingsFile(
            settings, path.c_str(), [](void* self) { ++static_cast<SettingsFileTest*>(self)->announcements; }, this);
    }
    std::string Content() const { return TempFolder::Read(path); }
    std::string Value(const char* section, const char* key)  // "" when missing
    {
        SetSection(settings, section);
        char value[260];
        GetString(settings, key, value, sizeof value);
        return value;
    }
    bool Current()
    {
        SetSection(settings, "version");
        return GetInt(settings, "main") == kSettingsVersion && GetInt(settings, "a") == 0 &&
               GetInt(settings, "b") == 0;
    }
};

TEST_F(SettingsFileTest, TheDefaultTextCarriesItsVersionRecord)
{
    TempFolder::Write(path, FormatDefaultSettings(336, 12, -3));
    OpenProfile(settings, path.c_str(), "version");
    EXPECT_EQ(Value("version", "main") + Value("version", "a") + Value("version", "b"), "33612-3");
    EXPECT_EQ(Content().size(), std::string(kDefaultSettingsTemplate).size() - 6 + 3 + 2 + 2);
}

TEST_F(SettingsFileTest, ANewFileIsTheDefaultTextUpgradedInOneGoWithoutAnnouncement)
{
    TempFolder::Write(path, FormatDefaultSettings(300, 0, 0));
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(announcements, 1);
    const std::string upgraded = Content();
    std::remove(path.c_str());
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(Content(), upgraded);
    EXPECT_TRUE(Current());
    EXPECT_EQ(Value("FileType", "h"), "C,C++.esf");
    EXPECT_EQ(upgraded.find('[', upgraded.find("[FileType]") + 1), std::string::npos) << "[FileType] comes last";
    // A second start finds it current and writes nothing.
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 0;
    SetFileFaultsForTesting(faults);
    EXPECT_TRUE(Prepare());
    EXPECT_EQ(announcements, 1);
}

// Each stored version runs the table from its own row: the key of that row is written,
// the key of the row before it is not.
TEST_F(SettingsFileTest, AnUpgradeStartsAtTheRowOfTheStoredVersion)
{
    struct Case {
        int version;
        const char* section;
        const char* written;  // nullptr: only the version record is rewritten
        const char* notWritten;
    } const cases[] = {
        {300, "FileType", "htm", nullptr},         {301, "FileType", "cls", "htm"},
        {302, "FileType", "bat", "cls"},           {304, "FileType", "bat", "cls"},
        {305, "editor1", "linespace", nullptr},    {306, "editor1", "clickable", "linespace"},
        {307, "main", "retline", "x"},             {308, "main", nullptr, "kanji"},
        {310, "main", "kanji", "retline"},         {313, "FileType", "shtml", nullptr},
        {316, "editor1", "ole", nullptr},          {317, "editor1", nullptr, "owndraw"},
        {320, "editor1", "owndraw", "ole"},        {325, "editor1", "indent", "ole"},
        {326, "editor1", nullptr, "endhome"},      {330, "editor1", "endhome", "owndraw"},
        {331, "editor1", "sel_numalpha", "endhome"}, {333, "main", "utf8_bom", nullptr},
        {334, "tab", "width", nullptr},            {335, "main", nullptr, "lapel"},
        {299, "FileType", nullptr, "htm"},         {336, "backup", "interval", "lapel"},
        {337, "main", "reload", nullptr},          {338, "search", "wrap", nullptr},
        {339, "main", "sjis_flavour", "reload"},   {340, "main", "keep_placement", "sjis_flavour"},
        {341, "search", "filesmasks", "wrap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        announcements = 0;
        TempFolder::Write(path, "[Version]\r\nmain=" + std::to_string(c.version) + "\r\nb=1\r\n");
        EXPECT_TRUE(Prepare());
        EXPECT_EQ(announcements, 1);
        EXPECT_TRUE(Current());
        EXPECT_NE(c.written ? Value(c.section, c.written) : "-", "");
        EXPECT_EQ(c.notWritten ? Value(c.section, c.notWritten) : "", "");
        EXPECT_EQ(Value("tab", "width"), c.written && c.version <= 334 ? "120" : "") << "the rows run to the end";
    }
}

TEST_F(SettingsFileTest, AFailedUpgradeIsRedoneWholeAtTheNextStartAndAnUnreadableFileLeftAlone)
{
    TempFolder::Write(path, FormatDefaultSettings(320, 0, 0));
    const std::string before = Content();
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 400;  // the disk fills up in the middle of the new text
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(Content(), before);
    EXPECT_EQ(folder.EntryCount(), 1u);
    // In a folder without create rights the file is overwritten in place, which a failure
    // can leave half new; the version record is written after the steps, so it reads old.
    faults.temporaryFileRefused = true;
    faults.writeFailsAfterBytes = 600;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    SetSection(settings, "version");
    EXPECT_EQ(GetInt(settings, "main"), 320);
    SetFileFaultsForTesting({});
    EXPECT_TRUE(Prepare());
    EXPECT_EQ(announcements, 3);
    EXPECT_TRUE(Current());
    EXPECT_EQ(Value("editor1", "sel_numalpha"), "1");

    // Steps on disk without their version record run again to the same file: an appended
    // section that is there already is taken, not added twice.
    std::remove(path.c_str());
    ASSERT_TRUE(Prepare());
    const std::string complete = Content();
    SetSection(settings, "version");
    ASSERT_TRUE(WriteInt(settings, "main", 300));
    EXPECT_TRUE(Prepare());
    EXPECT_EQ(Content(), complete);

    // A file that cannot be read, or a path too long for the settings, is left alone.
    TempFolder::Write(path, before);
    announcements = 0;
    faults = {};
    faults.readFailure = FileErrorKind::SharingViolation;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(Prepare());
    SetFileFaultsForTesting({});
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(Content(), before);

    std::string tooLong = folder.File(std::string(300, 'k') + ".ini");
    EXPECT_FALSE(PrepareSettingsFile(settings, tooLong.c_str(), nullptr, nullptr));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
