// Find in files over a generated tree: encodings, binary files, masks, subfolders, cancel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "../support/TempFolder.h"
#include "encoding/FileText.h"
#include "search/FileBytesSearch.h"
#include "search/FileSearchResults.h"
#include "search/FindInFiles.h"

namespace {

TEST(FindInFiles, ReadsEachFileAsTheEditorOpensItAndSkipsBinaryOnes)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.File("sub/deeper"));
    // 東京 in each form: Shift_JIS with CR LF, UTF-8 with LF, UTF-16LE with a mark, EUC-JP.
    TempFolder::Write(folder.File("sjis.txt"), "x\r\n\x93\x8c\x8b\x9e\x83\x5c\r\n");
    TempFolder::Write(folder.File("sub/utf8.txt"), "\xe6\x9d\xb1\xe4\xba\xac \xe6\x9d\xb1\xe4\xba\xac\n");
    TempFolder::Write(folder.File("sub/deeper/utf16.c"), std::string("\xff\xfe\x1\x0\x0a\x0\x71\x67\xac\x4e", 10));
    TempFolder::Write(folder.File("sub/euc.txt"), "a\rb\r\xc5\xec\xb5\xfe");
    TempFolder::Write(folder.File("binary.txt"), std::string("\x93\x8c\x8b\x9e\0\x01", 6));
    // ソ.txt: 0x5C in its Shift_JIS name; made by its UTF-8 name, which Windows takes whole.
    std::ofstream(std::filesystem::u8path(folder.Path()) / std::filesystem::u8path("\xe3\x82\xbd.txt"), std::ios::binary)
        << "\xe6\x9d\xb1\xe4\xba\xac";
    FileSearchRequest request;
    request.pattern = Utf8ToInternalText("東京");
    std::map<std::string, std::string> hits;  // path under the folder -> "line:column:text"
    auto collect = [&](const FileSearchHit& hit) {
        hits[std::filesystem::relative(hit.path, std::filesystem::u8path(folder.Path())).generic_u8string()] =
            std::to_string(hit.line) + ":" + std::to_string(hit.column) + ":" + InternalTextToUtf8(hit.text);
    };
    FileSearchTotals totals = SearchFiles(folder.Path(), request, collect, nullptr);
    EXPECT_EQ(hits, (std::map<std::string, std::string>{{"sjis.txt", "2:1:東京ソ"},
                                                        {"sub/utf8.txt", "1:1:東京 東京"},
                                                        {"sub/deeper/utf16.c", "2:1:東京"},
                                                        {"sub/euc.txt", "3:1:東京"},
                                                        {"ソ.txt", "1:1:東京"}}));
    EXPECT_TRUE(totals.matches == 6u && totals.filesMatched == 5u && totals.binarySkipped == 1u);

    hits.clear();
    request.masks = "*.C; S*.TXT";
    request.subfolders = false;
    totals = SearchFiles(folder.Path(), request, collect, nullptr);
    EXPECT_EQ(hits.size(), 1u) << "sjis.txt only: utf16.c is in a subfolder";
    request.subfolders = true;
    totals = SearchFiles(folder.Path(), request, collect, [](const std::filesystem::path&, std::size_t done) {
        return done < 1;
    });
    EXPECT_TRUE(totals.cancelled && totals.filesSearched == 1u);
    EXPECT_TRUE(FileNameFitsMasks("a.b.c", "*.?") && !FileNameFitsMasks("a.cpp", "*.c") && !FileNameFitsMasks("a", ";"));
}

// A big tree: every file is searched once and every hundredth one matches; a folder that
// cannot be read is counted, not searched.
TEST(FindInFiles, WalksTenThousandFilesAndCountsAFolderItCannotRead)
{
    TempFolder folder;
    for (int i = 0; i < 10000; ++i) {
        const std::string sub = "d" + std::to_string(i % 37) + "/e" + std::to_string(i % 5);
        std::filesystem::create_directories(folder.File(sub));
        TempFolder::Write(folder.File(sub + "/f" + std::to_string(i) + ".txt"), i % 100 ? "abc\n" : "ab\nxyz abc\n");
    }
    FileSearchRequest request;
    request.pattern = "xyz";
    const FileSearchTotals totals = SearchFiles(folder.Path(), request, [](const FileSearchHit&) {}, nullptr);
    EXPECT_TRUE(totals.filesSearched == 10000u && totals.filesMatched == 100u && totals.matches == 100u &&
                totals.unreadable == 0u);
    EXPECT_EQ(SearchFiles(folder.File("missing"), request, [](const FileSearchHit&) {}, nullptr).unreadable, 1u);
}

// Reading the files' own bytes must find the same lines as converting every file: random
// literals cut from the texts, in files of every code that is read so, with the forms
// conversion merges (both Unicode forms of 〜, a kana and its combining sound mark, SS3).
TEST(FindInFiles, ReadingTheBytesFindsWhatConvertingFinds)
{
    TempFolder folder;
    const std::string texts[] = {"a〜b\n～c\r\nxy\rカ\xe3\x82\x99 z\nガ", "東京 ｶﾞｷﾞ\n検索ソ表示\r\n\n〜ab?", "abc\nAbc abc\n"};
    for (int i = 0; i < 3; ++i) {
        TempFolder::Write(folder.File("u" + std::to_string(i) + ".txt"), "\xef\xbb\xbf" + texts[i]);
        std::string euc;
        ASSERT_TRUE(EncodeFileBytes(Utf8ToInternalText(texts[i]), EncodingCode::EucJp, LineEndingCode::Automatic, euc));
        TempFolder::Write(folder.File("e" + std::to_string(i) + ".txt"), euc);
    }
    std::mt19937 random(25);
    for (int round = 0; round < 200; ++round) {
        const std::string internal = Utf8ToInternalText(texts[random() % 3]);
        std::size_t start = random() % internal.size();
        FileSearchRequest request;
        request.pattern = internal.substr(start, 1 + random() % 4);
        std::map<std::string, std::string> found[2];
        for (int raw = 0; raw < 2; ++raw) {
            request.searchBytes = raw == 1;
            SearchFiles(folder.Path(), request, [&](const FileSearchHit& hit) {
                found[raw][hit.path.string() + ":" + std::to_string(hit.line) + ":" + std::to_string(hit.column)] = hit.text;
            }, nullptr);
        }
        EXPECT_EQ(found[0], found[1]) << InternalTextToUtf8(request.pattern);
    }
}

// The other half: a file is read as bytes, the fast way, wherever that cannot miss a line.
TEST(FindInFiles, FilesAreReadAsBytesWhereverThatFindsTheSameLines)
{
    using E = EncodingCode;
    const struct {
        const char* pattern;  // UTF-8
        bool regular, ignoreCase;
        E code;
        std::string bytes;
        std::size_t forms;  // 0: converted whole
    } cases[] = {
        {"abc", false, false, E::Utf8, "x abc", 1},
        {"abc", false, false, E::Utf8Bom, "\xef\xbb\xbfx", 1},
        {"〜", false, false, E::Utf8, "a", 2},  // both Unicode forms
        {"abc", false, false, E::EucJp, "\xa4\xa2", 1},
        {"日本", false, false, E::EucJp, "a", 0},    // behind SS3, two sets share codes
        {"\xc2\x80", false, false, E::EucJp, "a", 0},  // U+0080 is not ASCII either
        {"abc", false, false, E::Utf8, "a\x80", 0},  // a stray continuation byte
        {"abc", false, false, E::ShiftJis, "a", 0},
        {"abc", true, false, E::Utf8, "a", 0},
        {"abc", false, true, E::Utf8, "a", 0},
        {"a?c", false, false, E::Utf8, "a", 0},
    };
    for (const auto& c : cases) {
        const RawPatternForms forms = MakeRawPatternForms(Utf8ToInternalText(c.pattern), c.regular, c.ignoreCase);
        std::vector<std::string> eucOne;
        const std::vector<std::string>* chosen = RawFormsFor(forms, c.code, c.bytes, eucOne);
        EXPECT_EQ(chosen ? chosen->size() : 0u, c.forms) << c.pattern << " " << &c - cases;
    }
}

// A result line names its place whatever the path holds; other lines name none.
TEST(FileSearchResults, ReadsThePlaceBackFromEachResultLine)
{
    const struct {
        const char* line;
        const char* path;  // null: no result
        long number, column;
    } cases[] = {
        {"C:\\My Files\\a.txt(12,3): text (1,2): x", "C:\\My Files\\a.txt", 12, 3},
        {"C:\\\xb6\xc0\xb6\xc5\\\x95\x5c(4,1): \x95\x5c", "C:\\\xb6\xc0\xb6\xc5\\\x95\x5c", 4, 1},
        {"D:\\a(1).txt(7,9):  ", "D:\\a(1).txt", 7, 9},
        {"\x83\x5c(\x83\x5c).txt(2,5): \x83\x5c", "\x83\x5c(\x83\x5c).txt", 2, 5},
        {"D:\\a.txt(0,1): x", nullptr, 0, 0},
        {"D:\\a.txt(1,x): x", nullptr, 0, 0},
        {"D:\\a.txt(1,2):x", nullptr, 0, 0},
        {"(1,2): no path", nullptr, 0, 0},
        {"D:\\a.txt(1,99999999999): x", nullptr, 0, 0},
        {"D:\\a.txt(1234567899,1): x", nullptr, 0, 0},
        {"D:\\a.txt(12", nullptr, 0, 0},
        {"", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        ResultPlace place;
        ASSERT_EQ(ParseResultLine(c.line, place), c.path != nullptr) << c.line;
        if (c.path) {
            EXPECT_TRUE(place.path == c.path && place.line == c.number && place.column == c.column) << c.line;
        }
    }
    ResultPlace place;
    EXPECT_TRUE(ParseResultLine(FormatResultLine("C:\\x y\\\x95\x5c", 3, 4, std::string("a\0b\r", 4)), place) &&
                place.path == "C:\\x y\\\x95\x5c" && place.line == 3 && place.column == 4);
    EXPECT_EQ(FormatResultLine("p", 1, 2, std::string("a\0b\r", 4)), "p(1,2): a b ");
}

}  // namespace
