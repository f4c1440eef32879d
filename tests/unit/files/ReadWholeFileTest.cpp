// Whole-file reads of large files: a file beyond the limit (4 GiB, or 1 GiB in the 32-bit
// program) is refused before anything is read, and one of 500 MB reads whole. The files are
// sparse: made in an instant, and read back as zeros.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/TempFolder.h"
#include "files/FileAccess.h"

namespace {

// A file of `size` bytes whose first bytes are `head` and whose rest reads as zeros.
std::string SparseFile(const TempFolder& folder, const std::string& name, unsigned long long size,
                       const std::string& head)
{
    const std::string path = folder.File(name);
    std::ofstream(path, std::ios::binary) << head;
    std::filesystem::resize_file(path, size);
    return path;
}

TEST(ReadWholeFile, RefusesAFileBeyondTheLimitWithoutReadingIt)
{
    TempFolder folder;
    const unsigned long long tooLarge = sizeof(void*) == 4 ? 1ull << 30 : 1ull << 32;
    for (unsigned long long size : {tooLarge, tooLarge + 12345, 5ull << 30}) {
        const std::string path = SparseFile(folder, "huge.txt", size, "head");
        std::string bytes = "left over";
        const FileStatus status = ReadWholeFile(path.c_str(), bytes);
        EXPECT_EQ(status.kind, FileErrorKind::TooLarge) << size;
        EXPECT_TRUE(bytes.empty());
    }
}

TEST(ReadWholeFile, ReadsAFileOf500MegabytesWhole)
{
    TempFolder folder;
    const unsigned long long size = 500ull * 1000 * 1000 + 3;
    const std::string path = SparseFile(folder, "large.txt", size, "first line\r\n");
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), bytes).Ok());
    ASSERT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes.compare(0, 12, "first line\r\n"), 0);
    EXPECT_EQ(bytes[size - 1], '\0');
}

}  // namespace
