// Find in files over a generated tree: encodings, binary files, masks, subfolders, cancel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "../support/TempFolder.h"
#include "encoding/FileText.h"
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

}  // namespace
