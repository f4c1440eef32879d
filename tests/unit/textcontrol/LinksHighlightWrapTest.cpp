// Link finder, highlight of the search text and wrap layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textcontrol/model/Highlight.h"
#include "textcontrol/model/Links.h"
#include "textcontrol/model/TextModel.h"
#include "textcontrol/model/WrapLayout.h"

using namespace kvte::textcontrol;

namespace {
std::string Links(const std::string& line, int kinds = kLinkAllKinds)
{
    std::vector<LinkRun> runs;
    FindLinks(line.data(), line.size(), kinds, &runs);
    std::string out;
    for (const LinkRun& run : runs) out += line.substr(run.start, run.length) + "|" + std::to_string(run.kind) + " ";
    return out;
}

std::string Highlights(const std::string& line, const std::string& needle)
{
    std::vector<HighlightRun> runs;
    FindHighlights(line.data(), line.size(), needle, &runs);
    std::string out;
    for (const HighlightRun& run : runs) out += std::to_string(run.start) + " ";
    return out;
}

std::vector<int> Wrap(const std::string& line, int width, int tab = 4)
{
    std::vector<int> rows;
    WrapLine(line.data(), line.size(), width, tab, &rows);
    return rows;
}
}  // namespace

TEST(LinkFinder, FindsEachKindWhenItsBitIsSetNeverInsideACharacter)
{
    std::string line = "see http://a.jp/x?y=1, https://b.org. ftp://c.net/f or me@mail.example.com.";
    EXPECT_EQ(Links(line), "http://a.jp/x?y=1|2 https://b.org|4 ftp://c.net/f|8 me@mail.example.com|1 ");
    EXPECT_EQ(Links(line, kLinkHttps | kLinkMail), "https://b.org|4 me@mail.example.com|1 ");
    EXPECT_EQ(Links(line, 0), "");
    EXPECT_EQ(Links("http:", kLinkAllKinds), "");  // nothing after the scheme
    EXPECT_EQ(Links("xhttp://a.b c HTTP://A.B"), "HTTP://A.B|2 ");
    EXPECT_EQ(Links("Zhttp://a.b Z@a.jp FTP://c.d"), "Z@a.jp|1 FTP://c.d|8 ");
    EXPECT_EQ(Links("a@b c@d. e@.f g@h.i"), "g@h.i|1 ");  // the host needs a dot inside it
    EXPECT_EQ(Links("A0@z9.jp"), "A0@z9.jp|1 ");  // the ends of the letter and digit ranges
    // 「http://a.jp」 in double-byte brackets, and ア (0x83 0x41) right before an @.
    EXPECT_EQ(Links("\x81\x75http://a.jp\x81\x76"), "http://a.jp|2 ");
    EXPECT_EQ(Links("\x83\x41@example.com"), "");
    EXPECT_EQ(Links("\x83\x41x@example.com"), "x@example.com|1 ");
}

TEST(HighlightFinder, OccurrencesAtCharacterBoundaries)
{
    EXPECT_EQ(Highlights("abcabc", "bc"), "1 4 ");
    EXPECT_EQ(Highlights("aaaa", "aa"), "0 2 ");
    EXPECT_EQ(Highlights(std::string("\x83\x41") + "A", "A"), "2 ");  // not the trail byte of ア
    EXPECT_EQ(Highlights("\x82\xA0", "\x82"), "");                    // not half of あ
    EXPECT_EQ(Highlights("abc", ""), "");
    EXPECT_EQ(Highlights("abc", "abc") + Highlights("ab", "abc"), "0 ");  // the whole line, and more than it
    EXPECT_EQ(Highlights("a\nb", "a\nb"), "");
}

TEST(WrapLine, RowsNeverSplitACharacter)
{
    EXPECT_EQ(Wrap("abcdefghij", 4), (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(Wrap(std::string("abc\x82\xA0") + "d", 4), (std::vector<int>{0, 3}));
    EXPECT_EQ(Wrap("ab\tcd", 4, 4), (std::vector<int>{0, 3}));
    EXPECT_EQ(Wrap("\x82\xA0\x82\xA0", 1), (std::vector<int>{0, 2}));  // narrower than one character
    EXPECT_EQ(Wrap("abcdef", 0), (std::vector<int>{0}));
    EXPECT_EQ(Wrap("", 5), (std::vector<int>{0}));
}

TEST(WrapLayout, RowsFollowEditsAndStepAcrossLines)
{
    TextModel model;
    ASSERT_TRUE(model.SetText("aaaaaaaaaa\nbb\ncccccc"));
    WrapLayout wrap(model);
    EXPECT_EQ(wrap.RowCount(1), 1);  // off by default
    EXPECT_EQ(wrap.EstimatedRowCount(), 3);
    wrap.SetWidth(4);
    EXPECT_EQ(wrap.RowCount(1), 3);
    EXPECT_EQ(wrap.RowCount(3), 2);
    EXPECT_EQ(wrap.EstimatedRowCount(), 6);
    EXPECT_EQ(wrap.RowOfColumn(1, 5), 1);
    EXPECT_EQ(wrap.RowOfColumn(1, 11), 2);
    VisualRow at = wrap.Advance({1, 0}, 4);
    EXPECT_EQ(at.line, 3);
    EXPECT_EQ(at.row, 0);
    at = wrap.Advance(at, -2);
    EXPECT_EQ(at.line, 1);
    EXPECT_EQ(at.row, 2);
    EXPECT_EQ(wrap.Advance({3, 1}, 10).row, 1);
    EXPECT_EQ(wrap.Advance({1, 1}, -10).row, 0);
    model.SetSelection(2, 1, 2, 1);
    ASSERT_TRUE(model.InsertText("xxxxxxx"));
    EXPECT_EQ(wrap.RowCount(2), 3);
    ASSERT_TRUE(model.InsertText("\n"));
    EXPECT_EQ(wrap.RowCount(4), 2);
    EXPECT_EQ(wrap.RowCount(3), 1);
}

TEST(MarkedRanges, CrossLinesTakeThePlaceOfTheHighlightAndGoWithTheNextHighlightOrEdit)
{
    TextModel model;
    model.SetText("ab\r\ncd ef");
    model.SetHighlightText("d");
    model.SetMarkedRanges({{2, 6}, {8, 10}, {9, 9}});  // "b", CR LF, "c"; "ef"; an empty one
    auto runs = [&](int line) {
        std::vector<HighlightRun> found;
        model.LineHighlightRuns(line, &found);
        std::string out;
        for (const HighlightRun& run : found) out += std::to_string(run.start) + "+" + std::to_string(run.length) + " ";
        return out;
    };
    EXPECT_EQ(runs(1), "1+1 ");
    EXPECT_EQ(runs(2), "0+1 3+2 ") << "the highlight text went with the marks";
    model.SelectRange(1, 1);
    model.InsertText("x");
    EXPECT_FALSE(model.HasMarks());
    model.SetMarkedRanges({{9, 11}});
    model.SetHighlightText("c");
    EXPECT_EQ(runs(2), "0+1 ");
}
