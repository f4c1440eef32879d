// InternalText paths reach the wide file functions intact, and their names come back as
// the same bytes.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"

TEST(EncodingWin, JapanesePathReachesTheWideFileFunctions)
{
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    // 日本語テキスト𠀋𡈽.txt as InternalText, the way Document holds paths.
    const std::string name = Utf8ToInternalText(
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88"
        "\xF0\xA0\x80\x8B\xF0\xA1\x88\xBD.txt");
    ASSERT_EQ(name.find('?'), std::string::npos);
    const std::u16string wide = InternalTextToUtf16(name);
    const std::wstring path = std::wstring(folder) + std::wstring(wide.begin(), wide.end());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string bytes;
    ASSERT_TRUE(EncodeFileBytes(name, EncodingCode::Utf8, LineEndingCode::Crlf, bytes));
    DWORD wrote = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr));
    CloseHandle(file);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    const std::wstring foundName = found.cFileName;
    EXPECT_EQ(Utf16ToInternalText(std::u16string(foundName.begin(), foundName.end())), name);
    EXPECT_EQ(DetectEncoding(bytes.data(), bytes.size()), EncodingCode::Utf8);
    DeleteFileW(path.c_str());
}
