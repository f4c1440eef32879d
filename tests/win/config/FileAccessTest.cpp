// File access on Windows: Japanese paths through the program's own tables, atomic
// replacement, and a failing write that leaves the previous file as it was.
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
    SetWriteFaultForTesting(3);
    EXPECT_FALSE(WriteInt(profile, "x", 2));
    SetWriteFaultForTesting(-1);
    std::string content;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), content));
    EXPECT_EQ(content, "[main]\r\nx=1\r\n");
    EXPECT_EQ(EntryCount(folder), 1u);
    EXPECT_TRUE(WriteInt(profile, "x", 2));
    EXPECT_EQ(GetInt(profile, "x"), 2);
    EXPECT_EQ(EntryCount(folder), 1u);
}

}  // namespace
