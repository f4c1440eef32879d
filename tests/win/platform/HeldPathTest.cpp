// Paths across the Win32 boundary: HoldPath finds an InternalText name for real folders
// whose names InternalText cannot hold (the name pair itself is proved natively).
#include <windows.h>

#include <gtest/gtest.h>

#include "encoding/NameText.h"
#include "platform/HeldPath.h"
#include "platform/ProgramFolder.h"
#include "platform/WideText.h"
#include "../support/ScratchFolder.h"

namespace {

int lookups = 0;
DWORD WINAPI CountingLookup(const wchar_t* longPath, wchar_t* shortPath, DWORD size)
{
    ++lookups;
    return GetShortPathNameW(longPath, shortPath, size);
}

TEST(HoldPath, HeldNamesAreTakenAsTheyAreWithoutAskingTheSystem)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&CountingLookup);
    lookups = 0;
    for (const wchar_t* name :
         {L"C:\\ﾃｽﾄ\\a.txt", L"C:\\ｶﾞｷﾞｸﾞ\\", L"D:\\表ソフト能\\b c.txt", L"\\\\server\\テスト\\x"}) {
        std::string internal;
        EXPECT_EQ(HoldPath(name, internal), PathHold::Held) << internal;
        EXPECT_EQ(WideFromInternal(internal), name);
    }
    EXPECT_EQ(lookups, 0);
}

TEST(HoldPath, AFolderThatCannotBeNamedIsReachedThroughItsShortForm)
{
    ScratchFolder korean(L"한국어");
    ASSERT_TRUE(korean.Exists());
    ASSERT_TRUE(WriteFileBytes(korean.path() + L"a.txt", "long"));
    wchar_t shortName[MAX_PATH];
    DWORD n = GetShortPathNameW(korean.path().c_str(), shortName, MAX_PATH);
    if (n == 0 || !IsNameHeld(Utf16View(std::wstring_view(shortName, n))))
        GTEST_SKIP() << "this file system gives the folder no short name";

    std::string internal;
    ASSERT_EQ(HoldPath(korean.path() + L"a.txt", internal), PathHold::ShortForm);
    EXPECT_EQ(ReadFileBytes(WideFromInternal(internal)), "long");
    ASSERT_EQ(HoldPath(korean.path(), internal), PathHold::ShortForm);
    EXPECT_EQ(internal.back(), '\\');

    // A file that does not exist yet: the folder's short form and the leaf as given.
    ASSERT_EQ(HoldPath(korean.path() + L"new ﾌｧｲﾙ.txt", internal), PathHold::ShortForm);
    EXPECT_EQ(WideFromInternal(internal).substr(WideFromInternal(internal).rfind(L'\\')), L"\\new ﾌｧｲﾙ.txt");
    ASSERT_TRUE(WriteFileBytes(WideFromInternal(internal), "new"));
    EXPECT_EQ(ReadFileBytes(korean.path() + L"new ﾌｧｲﾙ.txt"), "new");

    // A leaf of its own that cannot be named, in a folder that can: no name at all.
    EXPECT_EQ(HoldPath(korean.path() + L"새.txt", internal), PathHold::NotHeld);
    EXPECT_TRUE(internal.empty());
}

TEST(HoldPath, WithTheShortFormDeniedANameThatCannotBeHeldIsRefused)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&DenyShortPath);
    std::string internal = "left over";
    for (const wchar_t* name : {L"C:\\한국어\\kvte.ini", L"C:\\a¥b\\kvte.ini", L"C:\\x\\\uFEFFname", L"C:\\😀"}) {
        EXPECT_EQ(HoldPath(name, internal), PathHold::NotHeld) << "name " << InternalFromWide(name);
        EXPECT_TRUE(internal.empty());
    }
    // A zero inside would end the path early at the system: another file.
    EXPECT_EQ(HoldPath(std::wstring(L"C:\\a\0b", 6), internal), PathHold::NotHeld);
}

// Short names made up by the test: where the system has none, longer than MAX_PATH, and
// for a folder whose name the test's ANSI code page may not spell.
DWORD WINAPI MadeUpLookup(const wchar_t* longPath, wchar_t* shortPath, DWORD size)
{
    std::wstring path = longPath;
    std::wstring made;
    if (path == L"C:\\a¥b\\") made = L"C:\\AB~1";  // no trailing separator: it must be added
    if (path == L"C:\\long\\한") made = L"C:\\" + std::wstring(300, L'x');
    if (path == L"C:\\한국\\a.txt") made = L"C:\\HAN~1\\a.txt";
    if (made.empty()) return 0;
    if (made.size() + 1 > size) return static_cast<DWORD>(made.size() + 1);
    made.copy(shortPath, made.size());
    shortPath[made.size()] = L'\0';
    return static_cast<DWORD>(made.size());
}

TEST(HoldPath, TheLeafFollowsTheShortFormOfItsFolderAndAnsiPathsUseIt)
{
    PathSeamsRestored restored;
    SetShortPathLookup(&MadeUpLookup);
    std::string internal;
    EXPECT_EQ(HoldPath(L"C:\\a¥b\\kvte.ini", internal), PathHold::ShortForm);
    EXPECT_EQ(internal, "C:\\AB~1\\kvte.ini");
    EXPECT_EQ(HoldPath(L"C:\\long\\한", internal), PathHold::ShortForm);
    EXPECT_EQ(internal, "C:\\" + std::string(300, 'x'));
    EXPECT_EQ(HoldPath(L"한", internal), PathHold::NotHeld);  // no folder to shorten

    // A path for a program that speaks ANSI goes by its short form or not at all.
    std::string ansi;
    EXPECT_TRUE(AnsiPathOf(L"C:\\plain\\a.txt", ansi));
    EXPECT_EQ(ansi, "C:\\plain\\a.txt");
    // No ANSI code page spells Hangul together with the program's Japanese ones.
    EXPECT_TRUE(AnsiPathOf(L"C:\\한국\\a.txt", ansi));
    EXPECT_EQ(ansi, "C:\\HAN~1\\a.txt");
    EXPECT_FALSE(AnsiPathOf(L"C:\\한국\\b.txt", ansi));
    EXPECT_TRUE(ansi.empty());
    EXPECT_FALSE(AnsiPathOf(std::wstring(L"C:\\a\0b", 6), ansi));
}

TEST(ProgramFolder, TheFolderOfTheGivenExecutableWithItsBackslash)
{
    PathSeamsRestored restored;
    std::string folder;
    SetProgramPathForTesting(L"C:\\ｶﾞｷﾞｸﾞ\\kvte.exe");
    ASSERT_TRUE(GetProgramFolder(folder));
    EXPECT_EQ(folder, "C:\\\xB6\xDE\xB7\xDE\xB8\xDE\\");

    SetShortPathLookup(&DenyShortPath);
    SetProgramPathForTesting(L"C:\\한국어\\kvte.exe");
    EXPECT_FALSE(GetProgramFolder(folder));
    EXPECT_TRUE(folder.empty());
    // Longer than the 260 bytes that the program keeps: refused, never cut.
    SetProgramPathForTesting(L"C:\\" + std::wstring(257, L'd') + L"\\kvte.exe");
    EXPECT_FALSE(GetProgramFolder(folder));
    SetProgramPathForTesting(L"C:\\" + std::wstring(256, L'd') + L"\\kvte.exe");
    EXPECT_TRUE(GetProgramFolder(folder));
    EXPECT_EQ(folder.size(), 260u);

    SetProgramPathForTesting(L"");
    ASSERT_TRUE(GetProgramFolder(folder));
    EXPECT_EQ(folder.back(), '\\');
}

}  // namespace
