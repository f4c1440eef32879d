// A file's stamp tells another program's rewrite even when the size and the clock alone
// cannot: the same size written within the same clock tick. A folder lists its plain files
// by the end of their names.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

#include "../support/TempFolder.h"
#include "files/FolderAccess.h"

namespace {

TEST(FileStamp, ChangesWithEitherEndOfTheFileAtTheSameSizeAndTime)
{
    TempFolder folder;
    const std::string path = folder.File("a.txt");
    const std::string body(3 * kFingerprintBytes, 'x');
    TempFolder::Write(path, body);
    // A whole second, set before the first look: some libraries keep file times to the
    // second only, so setting back a finer time read from the file would not restore it.
    const auto time = std::chrono::time_point_cast<std::chrono::seconds>(std::filesystem::last_write_time(path));
    std::filesystem::last_write_time(path, time);
    const FileStamp before = ReadFileStamp(path.c_str());
    ASSERT_TRUE(before.exists);
    for (size_t at : {size_t{0}, body.size() - 1}) {
        std::string changed = body;
        changed[at] = 'y';
        TempFolder::Write(path, changed);
        std::filesystem::last_write_time(path, time);
        EXPECT_NE(ReadFileStamp(path.c_str()), before) << at;
    }
    TempFolder::Write(path, body);
    std::filesystem::last_write_time(path, time);
    const int input = ::dup(0);
    ::close(0);  // the file gets descriptor 0, as in a tool started without input
    EXPECT_EQ(ReadFileStamp(path.c_str()), before);
    ::dup2(input, 0), ::close(input);
    EXPECT_FALSE(ReadFileStamp(folder.File("gone.txt").c_str()).exists);
}

TEST(FolderAccess, ListsThePlainFilesWithTheSuffixAndMakesAFolderWhereNoFileIsInTheWay)
{
    TempFolder folder;
    for (const char* name : {"a.ini", "b.ini.txt", "ini"}) TempFolder::Write(folder.File(name), "x");
    std::filesystem::create_directory(folder.File("c.ini"));
    std::vector<std::string> names{"old"};
    EXPECT_TRUE(ListFolder(folder.Path().c_str(), ".ini", names));
    EXPECT_EQ(names, std::vector<std::string>{"a.ini"});
    names = {"old"};
    EXPECT_TRUE(!ListFolder(folder.File("gone").c_str(), ".ini", names) && names.empty());
    EXPECT_TRUE(ListFolder("", ".no such suffix", names) && names.empty());  // the current folder
    // Made, there already, or a file in the way.
    EXPECT_TRUE(MakeFolder(folder.File("d").c_str()) && MakeFolder(folder.File("c.ini").c_str()) &&
                !MakeFolder(folder.File("a.ini").c_str()));
}

}  // namespace
