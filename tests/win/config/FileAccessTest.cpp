// File access on Windows: Japanese paths through the program's own tables, atomic
// replacement that keeps the target's attributes, and failures (a failing write, a file
// locked by another program, a read-only file) that leave the previous file as it was and
// say why.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "files/FileAccess.h"
#include "config/ProfileFile.h"
#include "encoding/FileText.h"

namespace {

std::wstring TempFolderW()
{
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    return std::wstring(path) + L"kvte 設定テスト\\";
}

std::string Internal(const std::wstring& wide) { return Utf16ToInternalText(std::u16string(wide.begin(), wide.end())); }

size_t EntryCount(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    size_t n = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (found.cFileName[0] != L'.') ++n;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return n;
}

struct FileAccessWin32Test : testing::Test {
    std::wstring folder = TempFolderW();
    void SetUp() override { CreateDirectoryW(folder.c_str(), nullptr); }
    void TearDown() override
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW((folder + found.cFileName).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(FileAccessWin32Test, JapanesePathsAndWildcards)
{
    // 丂 is a plane-2 character of JIS X 0213 (lead 0xF0): the tables carry it both ways.
    std::wstring name = L"設定丂.ini";
    std::string path = Internal(folder + name);
    ASSERT_TRUE(WriteWholeFile(path.c_str(), "[main]\r\nx=1\r\n", -1));
    EXPECT_NE(GetFileAttributesW((folder + name).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_TRUE(FileExists(Internal(folder + L"*.ini").c_str()));
    EXPECT_FALSE(FileExists(Internal(folder + L"*.txt").c_str()));
    ProfileFile profile;
    OpenProfile(profile, path.c_str(), "main");
    EXPECT_EQ(GetInt(profile, "x"), 1);
}

TEST_F(FileAccessWin32Test, AFailedWriteKeepsTheOldFile)
{
    std::string path = Internal(folder + L"kvte.ini");
    ASSERT_TRUE(WriteWholeFile(path.c_str(), "[main]\r\nx=1\r\n", -1));
    ProfileFile profile;
    OpenProfile(profile, path.c_str(), "main");
    FileFaultsForTesting faults;
    faults.writeFailsAfterBytes = 3;
    SetFileFaultsForTesting(faults);
    EXPECT_FALSE(WriteInt(profile, "x", 2));
    SetFileFaultsForTesting({});
    std::string content;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), content));
    EXPECT_EQ(content, "[main]\r\nx=1\r\n");
    EXPECT_EQ(EntryCount(folder), 1u);
    EXPECT_TRUE(WriteInt(profile, "x", 2));
    EXPECT_EQ(GetInt(profile, "x"), 2);
    EXPECT_EQ(EntryCount(folder), 1u);
}

std::string ReadBack(const std::wstring& path)
{
    std::string content;
    EXPECT_TRUE(ReadWholeFile(path.c_str(), content));
    return content;
}

TEST_F(FileAccessWin32Test, ReplacingKeepsHiddenAndSystemAttributes)
{
    std::wstring path = folder + L"kvte.ini";
    ASSERT_TRUE(ReplaceWholeFile(path.c_str(), "old", 3));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    FileStatus status = ReplaceWholeFile(path.c_str(), "new content", 11);
    ASSERT_TRUE(status.Ok()) << status.systemCode;
    DWORD attributes = GetFileAttributesW(path.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ReadBack(path), "new content");
    EXPECT_EQ(EntryCount(folder), 1u);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileAccessWin32Test, AReadOnlyFileIsRefusedNotMadeWritable)
{
    std::wstring path = folder + L"読み取り専用.txt";
    ASSERT_TRUE(ReplaceWholeFile(path.c_str(), "keep", 4));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    FileStatus status = ReplaceWholeFile(path.c_str(), "lost", 4);
    EXPECT_EQ(status.kind, FileErrorKind::ReadOnlyTarget);
    EXPECT_EQ(status.systemCode, static_cast<unsigned long>(ERROR_FILE_READ_ONLY));
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadBack(path), "keep");
    EXPECT_EQ(EntryCount(folder), 1u);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileAccessWin32Test, AFileLockedByAnotherProgramIsReportedAndLeftAsItWas)
{
    std::wstring path = folder + L"kvte.ini";
    const std::string before = "[main]\r\nx=1\r\n";
    ASSERT_TRUE(ReplaceWholeFile(path.c_str(), before.data(), before.size()));
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    std::string content = "garbage";
    FileStatus read = ReadWholeFile(path.c_str(), content);
    EXPECT_EQ(read.kind, FileErrorKind::SharingViolation);
    EXPECT_EQ(read.systemCode, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(content.empty());
    FileStatus write = ReplaceWholeFile(path.c_str(), "new", 3);
    EXPECT_FALSE(write.Ok());
    EXPECT_NE(write.systemCode, 0u);

    // The settings read it as unreadable, not as empty: no write replaces it with one key.
    ProfileFile profile;
    OpenProfile(profile, Internal(path).c_str(), "main");
    EXPECT_FALSE(WriteInt(profile, "y", 2));
    CloseHandle(lock);
    EXPECT_EQ(ReadBack(path), before);
    EXPECT_EQ(EntryCount(folder), 1u);
}

TEST_F(FileAccessWin32Test, DeviceNamesAreNoFiles)
{
    // "nul.txt" in any folder is the NUL device: reading it must not give an empty text,
    // and writing to it must not report a save that went nowhere.
    std::string bytes = "unchanged";
    FileStatus read = ReadWholeFile((folder + L"nul.txt").c_str(), bytes);
    EXPECT_EQ(read.kind, FileErrorKind::NotAFile);
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReplaceWholeFile((folder + L"con.txt").c_str(), "text", 4).Ok());
    EXPECT_FALSE(ReplaceWholeFile((folder + L"nul").c_str(), "text", 4).Ok());
    EXPECT_EQ(EntryCount(folder), 0u);
}

TEST_F(FileAccessWin32Test, NotFoundIsToldApartFromOtherFailures)
{
    std::string content;
    EXPECT_EQ(ReadWholeFile((folder + L"absent.ini").c_str(), content).kind, FileErrorKind::NotFound);
    EXPECT_EQ(ReadWholeFile((folder + L"no folder\\absent.ini").c_str(), content).kind, FileErrorKind::NotFound);
    CreateDirectoryW((folder + L"sub").c_str(), nullptr);
    EXPECT_EQ(ReadWholeFile((folder + L"sub").c_str(), content).kind, FileErrorKind::NotAFile);
    EXPECT_EQ(ReplaceWholeFile((folder + L"sub").c_str(), "x", 1).kind, FileErrorKind::NotAFile);
    RemoveDirectoryW((folder + L"sub").c_str());
}

TEST_F(FileAccessWin32Test, ALinkIsWrittenThroughToItsTarget)
{
    std::wstring target = folder + L"target.ini", link = folder + L"link.ini";
    ASSERT_TRUE(ReplaceWholeFile(target.c_str(), "old", 3));
    // Windows lets only some accounts make links; Wine says it made one and makes nothing.
    DWORD made = CreateSymbolicLinkW(link.c_str(), target.c_str(), 0) ? GetFileAttributesW(link.c_str()) : 0;
    if (made == INVALID_FILE_ATTRIBUTES || !(made & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "no symbolic links here";
    FileStatus status = ReplaceWholeFile(link.c_str(), "new", 3);
    ASSERT_TRUE(status.Ok()) << status.systemCode;
    EXPECT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "the link is still a link";
    EXPECT_EQ(ReadBack(target), "new");
    EXPECT_EQ(EntryCount(folder), 2u);
}

}  // namespace
