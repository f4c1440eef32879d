// The environment-file reader, through a recording stand-in of the control.
#include "emphasis/EmphasisLoader.h"

#include <gtest/gtest.h>

#include <climits>

#include "EmphasisFixture.h"
#include "emphasis/LineReader.h"

namespace {

using Calls = std::vector<std::string>;

struct EmphasisLoaderTest : EmphasisFixture {
    EmphasisLoaderTest() { WriteColours("[emphasis]\r\ncEmphasis1=255\r\ncEmphasis2=32768\r\ncComment=8421376\r\n"); }
    bool Load(const std::string& text, int view = 3)
    {
        WriteEnvironment("t.esf", text);
        host.calls.clear();
        const bool loaded = LoadEmphasisFile(state, view, "t.esf");
        // Every load starts from a clean view, whatever another view's load left behind.
        const std::string clear = "ClearEmphasis(" + std::to_string(view) + ",1)";
        EXPECT_TRUE(!host.calls.empty() && host.calls.front() == clear);
        if (!host.calls.empty()) host.calls.erase(host.calls.begin());
        return loaded;
    }
};

TEST_F(EmphasisLoaderTest, TenLineExampleMakesTheseCallsInOrder)
{
    EXPECT_TRUE(Load("' keywords\nEMP_WORD,0,1,0\nif\nelse\nEMP_LINE_AFTER,0,6,0\n//\n"
                     "EMP_MULTI_BETWEEN,0,6,0\n/*,*/\nEMP_LINE_BETWEEN,0,2,0\n\",\"\n"));
    EXPECT_EQ(host.calls, (Calls{"AddEmphasis(3,if,none,1,255,0,1,0)", "AddEmphasis(3,else,none,1,255,0,1,0)",
                                 "AddEmphasis(3,//,none,2,8421376,0,6,0)", "AddEmphasis(3,/*,*/,4,8421376,0,6,0)",
                                 "AddEmphasis(3,\",\",3,32768,0,2,0)", "RedrawView(3)"}));
    EXPECT_TRUE(state.active);

    // CR LF line ends read as LF.
    EXPECT_TRUE(Load("EMP_WORD,7,3,9\r\nwhile\r\n"));
    EXPECT_EQ(host.calls, (Calls{"AddEmphasis(3,while,none,1,0,7,3,9)", "RedrawView(3)"}));
}

TEST_F(EmphasisLoaderTest, BadSettingLinesAreRejectedWith402AtTheirLine)
{
    for (const char* setting : {"EMP_WORD,0,7,0", "EMP_WORD,0,6,-1", "EMP_WORD,0,0,0", "EMP_WORD,0,x,0",
                                "EMP_WORD,0,1,-99999999999999999999"}) {
        host.calls.clear();
        EXPECT_FALSE(Load(std::string("EMP_WORD,0,1,0\nkept\n\n") + setting + "\nlost\n")) << setting;
        EXPECT_EQ(host.calls, (Calls{"AddEmphasis(3,kept,none,1,255,0,1,0)", "ParseError(402,4,t.esf)",
                                     "RedrawView(3)"}))
            << setting;
        EXPECT_TRUE(state.active);
        state.active = false;
    }
}

TEST_F(EmphasisLoaderTest, RefusedEntryStopsWith405AndKeepsWhatCameBefore)
{
    host.refuseFromEntry = 1;
    EXPECT_FALSE(Load("EMP_WORD,0,1,0\none\ntwo\nthree\n"));
    EXPECT_EQ(host.calls, (Calls{"AddEmphasis(3,one,none,1,255,0,1,0)", "AddEmphasis(3,two,none,1,255,0,1,0)",
                                 "ParseError(405,3,t.esf)", "RedrawView(3)"}));
}

TEST_F(EmphasisLoaderTest, FieldRulesOfEntryAndSettingLines)
{
    const char* file =
        "early,ignored\n"            // before any setting: skipped without a message
        "KEYWORD,0,1,0\n"            // an unknown keyword is a word setting
        "a,b,c\n"                    // a word takes only field 1
        "''quoted\n"                 // doubled apostrophe: one is dropped
        "'comment,x,y,z\n"           // a comment even with four fields
        " EMP_LINE_BETWEEN,0,2,0\n"  // blanks are part of the keyword: a word setting
        "w\n"
        "EMP_LINE_BETWEEN, +4,\t2 ,0\n"  // numbers: leading blanks and a sign; stop at others
        "<\n"                            // no second field: empty end text
        "\x82\x2c\x82\xa0,>\n"           // a lead byte takes the byte after it, comma or not
        "x,-0,5x,1\n"                    // any three-comma line is a setting line
        "after\n"
        "''\n";                          // one apostrophe is left: a word
    EXPECT_TRUE(Load(file, 0));
    EXPECT_EQ(host.calls, (Calls{"AddEmphasis(0,a,none,1,255,0,1,0)", "AddEmphasis(0,'quoted,none,1,255,0,1,0)",
                                 "AddEmphasis(0,w,none,1,32768,0,2,0)", "AddEmphasis(0,<,,3,32768,4,2,0)",
                                 "AddEmphasis(0,\x82\x2c\x82\xa0,>,3,32768,4,2,0)",
                                 "AddEmphasis(0,after,none,1,0,0,5,1)", "AddEmphasis(0,',none,1,0,0,5,1)",
                                 "RedrawView(0)"}));
}

TEST_F(EmphasisLoaderTest, AMissingEnvironmentShows23AndAMissingColourGivesBlack)
{
    for (bool active : {true, false}) {  // the view is cleared first even when no load marked the state active
        state.active = active;
        host.calls.clear();
        EXPECT_FALSE(LoadEmphasisFile(state, 2, "none.esf"));
        EXPECT_EQ(host.calls, (Calls{"ClearEmphasis(2,1)", "Message(23)"}));
        EXPECT_EQ(state.active, active);
    }
    host.calls.clear();
    WriteSettings("[editor1]\r\nColorFile=gone.ini\r\n");
    EXPECT_TRUE(Load("EMP_WORD,0,1,0\nx\n"));
    EXPECT_EQ(host.Only("AddEmphasis"), (Calls{"AddEmphasis(3,x,none,1,12582912,0,1,0)"})) << "the built-in colour";
}

TEST_F(EmphasisLoaderTest, LongLinesAreReadInPartsThatCountAsLines)
{
    // 1023 bytes are one line; 1024 are a line and a part of one byte.
    const std::string exact(1023, 'a'), longer(1023, 'b');
    EXPECT_FALSE(Load("EMP_WORD,0,1,0\n" + exact + "\n" + longer + "c\nEMP_WORD,0,9,0\n"));
    EXPECT_EQ(host.calls, (Calls{"AddEmphasis(3," + exact + ",none,1,255,0,1,0)",
                                 "AddEmphasis(3," + longer + ",none,1,255,0,1,0)", "AddEmphasis(3,c,none,1,255,0,1,0)",
                                 "ParseError(402,5,t.esf)", "RedrawView(3)"}));
}

TEST(LineReader, LinesFieldsAndNumbers)
{
    LineReader reader;
    OpenLineReaderOnBytes(reader, "a,,b\r\n\rx\n\nlast");
    ASSERT_TRUE(ReadLine(reader));
    EXPECT_EQ(FieldCount(reader), 3);
    std::string field = "old";
    EXPECT_TRUE(GetField(reader, 2, field) && field.empty());
    EXPECT_TRUE(GetField(reader, 3, field) && field == "b") << "CR LF arrives as LF";
    EXPECT_FALSE(GetField(reader, 4, field) || GetField(reader, 0, (field = "old")) || !field.empty());
    EXPECT_EQ(GetFieldInt(reader, 9), 0);
    std::vector<std::string> rest;  // each line as text/length
    while (ReadLine(reader)) rest.push_back(std::string(reader.line) + "/" + std::to_string(reader.length));
    EXPECT_EQ(rest, (std::vector<std::string>{"\rx/2", "/0", "last/4"})) << "a lone CR stays; no line feed at the end";

    // A lead byte as the last byte of a line takes nothing with it.
    OpenLineReaderOnBytes(reader, "x,\x81");
    ASSERT_TRUE(ReadLine(reader));
    EXPECT_EQ(FieldCount(reader), 2);

    for (auto [text, value] : {std::pair{"  -12ab", -12}, {"+7", 7}, {"\f\r\v\n\t 105", 105}, {"- 7", 0},
                               {"99999999999", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN}})
        EXPECT_EQ(ReadDecimal(text), value) << text;
}

}  // namespace
