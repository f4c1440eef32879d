// Whole-file reads and replacement: a file beyond the limit (4 GiB, or 1 GiB in the 32-bit
// program) is refused before anything is read, one of 500 MB reads whole (large files are
// sparse: made in an instant, read as zeros); a replaced file leaves no temporary behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "../support/TempFolder.h"
#include "files/FileAccess.h"
#include "files/FolderAccess.h"

namespace {

TEST(ReadWholeFile, RefusesAFileBeyondTheLimitAndReadsA500MegabyteOneWhole)
{
    TempFolder folder;
    const std::string path = folder.File("large.txt");
    std::ofstream(path, std::ios::binary) << "first line\r\n";
    const unsigned long long tooLarge = sizeof(void*) == 4 ? 1ull << 30 : 1ull << 32;
    for (unsigned long long size : {tooLarge, tooLarge + 12345, 5ull << 30}) {
        std::filesystem::resize_file(path, size);
        std::string bytes = "left over";
        EXPECT_EQ(ReadWholeFile(path.c_str(), bytes).kind, FileErrorKind::TooLarge) << size;
        EXPECT_TRUE(bytes.empty());
    }
    const unsigned long long size = 500ull * 1000 * 1000 + 3;
    std::filesystem::resize_file(path, size);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), bytes).Ok());
    ASSERT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes.compare(0, 12, "first line\r\n"), 0);
    EXPECT_EQ(bytes[size - 1], '\0');
}

TEST(ReplaceWholeFile, WritesAndReplacesLeavingOneFile)
{
    TempFolder folder;
    const std::string path = folder.File("kvte.ini");
    const int input = ::dup(0);  // the second write finds descriptor 0 free, as a tool started without input
    for (const std::string content : {"first", "second, longer"}) {
        ASSERT_TRUE(ReplaceWholeFile(path.c_str(), content.data(), content.size()).Ok());
        ::close(0);
        EXPECT_EQ(TempFolder::Read(path), content);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
    ::dup2(input, 0), ::close(input);
    // A disk full from the first byte fails the write and keeps the old file.
    FileFaultsForTesting full;
    full.writeFailsAfterBytes = 0;
    SetFileFaultsForTesting(full);
    EXPECT_FALSE(ReplaceWholeFile(path.c_str(), "x", 1).Ok());
    // A folder that refuses the temporary file: the file is written where it is, and cut.
    full = FileFaultsForTesting{};
    full.temporaryFileRefused = true;
    SetFileFaultsForTesting(full);
    EXPECT_TRUE(ReplaceWholeFile(path.c_str(), "second", 6).Ok());
    EXPECT_EQ(TempFolder::Read(path), "second");
    SetFileFaultsForTesting(FileFaultsForTesting{});
    ASSERT_TRUE(ReplaceWholeFile(path.c_str(), "second, longer", 14).Ok());
    const std::string moved = folder.File("moved.ini");
    EXPECT_TRUE(MoveFileOver(path.c_str(), moved.c_str()) && !MoveFileOver(moved.c_str(), nullptr));
    EXPECT_EQ(TempFolder::Read(moved), "second, longer");
    EXPECT_TRUE(WriteWholeFile(path.c_str(), "third", -1) && !WriteWholeFile(path.c_str(), nullptr, 0));
    EXPECT_EQ(TempFolder::Read(path), "third");
    EXPECT_TRUE(WriteWholeFile(path.c_str(), "x", 0) && TempFolder::Read(path).empty()) << "a length of 0 is no text";
    // A bare name is a file of the current folder, and so is its temporary.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const bool bare = ReplaceWholeFile("bare.txt", "b", 1).Ok();
    std::filesystem::current_path(here);
    EXPECT_TRUE(bare && TempFolder::Read(folder.File("bare.txt")) == "b");
}

// Whole files: wildcards, lengths, and (POSIX) permissions and links
// that a replace keeps; the Windows attributes and links are tested under tests/win.
TEST(FileAccessTest, WholeFilesWildcardsPermissionsAndLinks)
{
    TempFolder folder;
    std::string target = folder.File("target.ini"), link = folder.File("link.ini");
    ASSERT_TRUE(WriteWholeFile(target.c_str(), "abc\0def", -1));
    EXPECT_EQ(TempFolder::Read(target), "abc");
    ASSERT_TRUE(WriteWholeFile(target.c_str(), "abc\0def", 7));
    EXPECT_EQ(TempFolder::Read(target), std::string("abc\0def", 7));
    EXPECT_TRUE(FileExists(folder.File("*.ini").c_str()) && !FileExists(folder.File("absent.ini").c_str()));
    EXPECT_FALSE(WriteWholeFile(folder.File("missing/x.txt").c_str(), "x", -1));
    std::string content;
    EXPECT_EQ(ReadWholeFile(folder.File("absent").c_str(), content).kind, FileErrorKind::NotFound);
    EXPECT_EQ(ReadWholeFile(folder.Path().c_str(), content).kind, FileErrorKind::NotAFile);
    EXPECT_EQ(ReplaceWholeFile(folder.Path().c_str(), "x", 1).kind, FileErrorKind::NotAFile);
#ifndef _WIN32
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("target.ini", link.c_str()), 0);
    ASSERT_TRUE(ReplaceWholeFile(link.c_str(), "new", 3));
    struct stat info;
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link is still a link";
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(TempFolder::Read(target), "new");
    EXPECT_EQ(folder.EntryCount(), 2u);
    EXPECT_FALSE(IsReadOnlyFile(target.c_str()) || IsReadOnlyFile(folder.File("absent").c_str()));
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(link.c_str())) << "no write bit at all";
#endif
}

}  // namespace
