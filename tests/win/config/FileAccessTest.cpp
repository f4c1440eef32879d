// File access through the Win32 back end: Japanese paths through the program's own tables,
// replacement that keeps attributes and links, and the failures Windows reports told
// apart, with the previous file left as it was.
#include <windows.h>
#include <gtest/gtest.h>

#include "../support/ScratchFolder.h"
#include "encoding/FileText.h"
#include "files/FileAccess.h"

namespace {

std::string Internal(const std::wstring& wide) { return Utf16ToInternalText(std::u16string(wide.begin(), wide.end())); }

TEST(FileAccessWin32, JapanesePathsAndWildcards)
{
    ScratchFolder folder(L"kvte 設定テスト");
    // 丂 is a plane-2 character of JIS X 0213 (lead 0xF0): the tables carry it both ways.
    ASSERT_TRUE(WriteWholeFile(Internal(folder.path() + L"設定丂.ini").c_str(), "x=1", -1));
    EXPECT_EQ(folder.Entries(), L"設定丂.ini|");
    EXPECT_TRUE(FileExists(Internal(folder.path() + L"*.ini").c_str()));
    EXPECT_FALSE(FileExists(Internal(folder.path() + L"*.txt").c_str()));
}

TEST(FileAccessWin32, ReplacingKeepsAttributesAndRefusesAReadOnlyFile)
{
    ScratchFolder folder(L"attributes");
    const std::wstring hidden = folder.path() + L"kvte.ini", readOnly = folder.path() + L"読み取り専用.txt";
    ASSERT_TRUE(ReplaceWholeFile(hidden.c_str(), "old", 3) && ReplaceWholeFile(readOnly.c_str(), "keep", 4));
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) &&
                SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(ReplaceWholeFile(hidden.c_str(), "new content", 11).Ok());
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(GetFileAttributesW(hidden.c_str()) & kept, kept);
    const FileStatus refused = ReplaceWholeFile(readOnly.c_str(), "lost", 4);
    EXPECT_EQ(refused.kind, FileErrorKind::ReadOnlyTarget);
    EXPECT_EQ(refused.systemCode, static_cast<unsigned long>(ERROR_FILE_READ_ONLY));
    EXPECT_TRUE(GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadFileBytes(hidden) + ReadFileBytes(readOnly), "new contentkeep");
    EXPECT_EQ(folder.Entries(), L"kvte.ini|読み取り専用.txt|");
}

TEST(FileAccessWin32, FailuresAreToldApartAndLeaveTheFileAsItWas)
{
    ScratchFolder folder(L"failures");
    const std::wstring path = folder.path() + L"kvte.ini";
    ASSERT_TRUE(ReplaceWholeFile(path.c_str(), "before", 6));
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    std::string content = "garbage";
    const FileStatus read = ReadWholeFile(path.c_str(), content);
    EXPECT_EQ(read.kind, FileErrorKind::SharingViolation);
    EXPECT_EQ(read.systemCode, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(content.empty());
    EXPECT_NE(ReplaceWholeFile(path.c_str(), "new", 3).systemCode, 0u);
    EXPECT_TRUE(CloseHandle(lock) && ReadFileBytes(path) == "before");
    // "nul.txt" in any folder is the NUL device: neither an empty text nor a save that went nowhere.
    EXPECT_EQ(ReadWholeFile((folder.path() + L"nul.txt").c_str(), content).kind, FileErrorKind::NotAFile);
    EXPECT_FALSE(ReplaceWholeFile((folder.path() + L"con.txt").c_str(), "text", 4).Ok());
    EXPECT_EQ(ReadWholeFile((folder.path() + L"no folder\\absent.ini").c_str(), content).kind, FileErrorKind::NotFound);
    CreateDirectoryW((folder.path() + L"sub").c_str(), nullptr);
    EXPECT_EQ(ReplaceWholeFile((folder.path() + L"sub").c_str(), "x", 1).kind, FileErrorKind::NotAFile);
    RemoveDirectoryW((folder.path() + L"sub").c_str());
    EXPECT_EQ(folder.Entries(), L"kvte.ini|");
}

TEST(FileAccessWin32, ALinkIsWrittenThroughToItsTarget)
{
    ScratchFolder folder(L"link");
    const std::wstring target = folder.path() + L"target.ini", link = folder.path() + L"link.ini";
    ASSERT_TRUE(ReplaceWholeFile(target.c_str(), "old", 3));
    // Windows lets only some accounts make links; Wine says it made one and makes nothing.
    DWORD made = CreateSymbolicLinkW(link.c_str(), target.c_str(), 0) ? GetFileAttributesW(link.c_str()) : 0;
    if (made == INVALID_FILE_ATTRIBUTES || !(made & FILE_ATTRIBUTE_REPARSE_POINT)) GTEST_SKIP() << "no links here";
    ASSERT_TRUE(ReplaceWholeFile(link.c_str(), "new", 3).Ok());
    EXPECT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "the link is still a link";
    EXPECT_EQ(ReadFileBytes(target), "new");
}

}  // namespace
