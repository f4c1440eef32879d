// A file's stamp tells another program's rewrite even when the size and the clock alone
// cannot: the same size written within the same clock tick.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include "../support/TempFolder.h"
#include "files/FolderAccess.h"

namespace {

TEST(FileStamp, ChangesWithEitherEndOfTheFileAtTheSameSizeAndTime)
{
    TempFolder folder;
    const std::string path = folder.File("a.txt");
    const std::string body(3 * kFingerprintBytes, 'x');
    TempFolder::Write(path, body);
    const FileStamp before = ReadFileStamp(path.c_str());
    ASSERT_TRUE(before.exists);
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    for (size_t at : {size_t{0}, body.size() - 1}) {
        std::string changed = body;
        changed[at] = 'y';
        TempFolder::Write(path, changed);
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        EXPECT_NE(ReadFileStamp(path.c_str()), before) << at;
    }
    TempFolder::Write(path, body);
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(ReadFileStamp(path.c_str()), before);
    EXPECT_FALSE(ReadFileStamp(folder.File("gone.txt").c_str()).exists);
}

}  // namespace
