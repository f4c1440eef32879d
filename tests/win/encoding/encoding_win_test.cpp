// The encoding core as the Windows program builds it (32-bit MinGW): the code space
// round trips, and InternalText paths reach the wide file functions intact.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"

TEST(EncodingWin, EveryMappedPairRoundTripsThroughUtf16)
{
    int roundTrips = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const char text[3] = {static_cast<char>(lead), static_cast<char>(trail), 0};
            const std::u16string units = InternalTextToUtf16(std::string(text, 2));
            ASSERT_TRUE(units.size() == 1 || units.size() == 2);  // a surrogate pair or a sequence
            if (Utf16ToInternalText(units) == std::string(text, 2) &&
                Utf8ToInternalText(InternalTextToUtf8(std::string(text, 2))) == std::string(text, 2))
                ++roundTrips;
        }
    }
    // Every pair but the 47 never assigned and the five written back in another form.
    EXPECT_EQ(roundTrips, 11233 - 5);
}

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
