// Whole files as opening and saving convert them, and the boundary helpers.
#include <gtest/gtest.h>

#include <tuple>

#include "encoding/FileText.h"
#include "TestText.h"

namespace {

const std::string kKanjiA = Bytes({0x8A, 0xBF, 0x61});  // 漢a

DecodedFile Open(const std::string& bytes, bool detect = true)
{
    DecodedFile file;
    EXPECT_TRUE(DecodeFileBytes(bytes, detect, file));
    return file;
}

std::string Save(const std::string& text, EncodingCode code, LineEndingCode eol = LineEndingCode::Automatic)
{
    std::string bytes;
    EXPECT_TRUE(EncodeFileBytes(text, code, eol, bytes));
    return bytes;
}

// The consuming forms, which must give what the copying ones give.
DecodedFile OpenTaking(const std::string& bytes, EncodingCode code)
{
    std::string taken = bytes;
    DecodedFile file;
    EXPECT_TRUE(DecodeFileBytesAs(std::move(taken), code, file));
    EXPECT_TRUE(taken.empty());
    return file;
}

TEST(FileText, EachEncodingIsWrittenAndReadBack)
{
    const struct {
        EncodingCode code;
        std::string bytes;
    } cases[] = {
        {EncodingCode::Utf16LeBom, Bytes({0xFF, 0xFE, 0x22, 0x6F, 0x61, 0x00})},
        {EncodingCode::Utf16Le, Bytes({0x22, 0x6F, 0x61, 0x00})},
        {EncodingCode::Utf16BeBom, Bytes({0xFE, 0xFF, 0x6F, 0x22, 0x00, 0x61})},
        {EncodingCode::Utf16Be, Bytes({0x6F, 0x22, 0x00, 0x61})},
        {EncodingCode::Utf8, Bytes({0xE6, 0xBC, 0xA2, 0x61})},
        {EncodingCode::Utf8Bom, Bytes({0xEF, 0xBB, 0xBF, 0xE6, 0xBC, 0xA2, 0x61})},
        {EncodingCode::EucJp, Bytes({0xB4, 0xC1, 0x61})},
        {EncodingCode::Jis, Bytes({0x1B, 0x24, 0x42, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x61})},
        {EncodingCode::NoEvidence, kKanjiA},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Save(kKanjiA, c.code), c.bytes) << EncodingCodeName(c.code);
        EXPECT_EQ(OpenTaking(c.bytes, c.code).text, kKanjiA) << EncodingCodeName(c.code);
    }
    EXPECT_EQ(Open(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62})).text, "ab");  // an odd file keeps its last byte
    const DecodedFile zeros = Open(std::string("ab\0\0cd", 6));
    EXPECT_TRUE(zeros.encoding == EncodingCode::ZeroBytes && zeros.text == std::string("ab\0\0cd", 6));
    EXPECT_EQ(Open(Bytes({0xE6, 0xBC, 0xA2}), false).text, Bytes({0xE6, 0xBC, 0xA2}));  // no detection
    EXPECT_EQ(Open("").encoding, EncodingCode::Undetermined);
    EXPECT_EQ(Save("", EncodingCode::Utf8Bom), Bytes({0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(Save(std::string(1000, '\xB1'), EncodingCode::Jis).size(), 3u + 2000u);  // written whole
    EXPECT_EQ(Save(std::string("a\0b", 3), EncodingCode::Utf8), std::string("a\0b", 3));
    // Line breaks are rewritten before converting.
    const std::string mixed = "a\r\nb\rc\nd\r\n\n\r";
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Crlf), "a\r\nb\r\nc\r\nd\r\n\r\n\r\n");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Cr), "a\rb\rc\rd\r\r\r");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Lf), "a\nb\nc\nd\n\n\n");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Automatic), mixed);
    EXPECT_EQ(Save(kKanjiA + "\n", EncodingCode::Utf16Le, LineEndingCode::Crlf),
              Bytes({0x22, 0x6F, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00}));
    // The boundary helpers.
    EXPECT_EQ(InternalTextToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Utf16ToInternalText(std::u16string(u"\uFEFFC:\\日本\0x", 8)),
              Utf8ToInternalText(std::string("\xEF\xBB\xBF"
                                             "C:\\日本\0x",
                                             14)));
    EXPECT_EQ(InternalTextToUtf8(kKanjiA), "漢a");
    EXPECT_EQ(EncodingCodeName(static_cast<EncodingCode>(7)), "Unknown");
    EXPECT_EQ(EncodingCodeLabel(EncodingCode::Utf16LeBom), "UTF16 BOM");
    EXPECT_EQ(EncodingCodeLabel(EncodingCode::ZeroBytes), "S-JIS?");
}

TEST(FileText, OpeningNotesLineBreaksOfSeveralKindsAndZeroBytes)
{
    for (const auto& [text, mixed, zero] : {std::tuple<std::string, bool, bool>{"a\r\nb\r\n\x81\r", true, false},
                                            {"a\rb\r", false, false}, {"a\nb\r\n", true, false},
                                            {std::string("\0a\n\n", 4), false, true}})
        EXPECT_TRUE(NoteText(text).mixedLineEndings == mixed && NoteText(text).zeroBytes == zero) << text;
}

TEST(FileText, SavingChoosesTheEncodingFromTheSettings)
{
    using E = EncodingCode;
    const struct {
        int setting;
        E document;
        bool utf16Bom, utf8Bom;
        E expected;
    } cases[] = {{0, E::Utf8Bom, false, false, E::Utf8Bom}, {0, E::Undetermined, true, true, E::Undetermined},
                 {1, E::Jis, true, true, E::ShiftJis},      {2, E::Jis, true, true, E::EucJp},
                 {3, E::EucJp, true, true, E::Jis},         {4, E::Jis, true, false, E::Utf16LeBom},
                 {4, E::Jis, false, true, E::Utf16Le},      {5, E::Jis, false, true, E::Utf8Bom},
                 {5, E::Jis, true, false, E::Utf8},         {6, E::Jis, true, true, E::ShiftJis},
                 {-1, E::Jis, true, true, E::ShiftJis}};
    for (const auto& c : cases)
        EXPECT_EQ(ChooseSaveEncoding(c.setting, c.document, c.utf16Bom, c.utf8Bom), c.expected) << c.setting;
    std::string bytes;
    EXPECT_TRUE(EncodeFileBytes("x\ny", 3, EncodingCode::ShiftJis, false, false, LineEndingCode::Crlf, bytes));
    EXPECT_EQ(bytes, "x\r\ny");  // kanji setting 3 is JIS, and ASCII needs no escape
}

TEST(FileText, LongTextsRoundTripAndTakingTheBytesGivesTheSame)
{
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "行" + std::to_string(i) + " 漢字かなカナ ｶﾞｷﾞ 𠀋 ASCII\r\n";
    text = Utf8ToInternalText(text);
    for (EncodingCode code : {EncodingCode::Jis, EncodingCode::EucJp, EncodingCode::Utf16LeBom, EncodingCode::Utf8,
                              EncodingCode::Utf8Bom, EncodingCode::ShiftJis, EncodingCode::Undetermined}) {
        // Taken, a text that saving leaves as it is becomes the bytes, and bytes that opening
        // leaves as they are (or converts in place) become the text, without a copy.
        const bool asIs = code == EncodingCode::ShiftJis || code == EncodingCode::Undetermined;
        std::string moved = text, bytes;
        const char* where = moved.data();
        ASSERT_TRUE(EncodeFileBytes(std::move(moved), code, LineEndingCode::Automatic, bytes));
        EXPECT_TRUE(moved.empty() && bytes == Save(text, code)) << EncodingCodeName(code);
        EXPECT_EQ(bytes.data() == where, asIs) << EncodingCodeName(code);
        const DecodedFile copied = Open(bytes);
        DecodedFile kept;
        where = bytes.data();
        ASSERT_TRUE(DecodeFileBytes(std::move(bytes), true, kept));
        EXPECT_EQ(copied.encoding, code == EncodingCode::Undetermined ? EncodingCode::ShiftJis : code);
        // Half-width katakana come back widened from JIS alone.
        EXPECT_EQ(copied.text, code == EncodingCode::Jis ? FromJis(ToJis(text)) : text);
        EXPECT_TRUE(kept.text == copied.text && kept.replaced == copied.replaced) << EncodingCodeName(code);
        const bool inPlace = asIs || code == EncodingCode::Utf8 || code == EncodingCode::Utf8Bom;
        EXPECT_EQ(kept.text.data() == where, inPlace) << EncodingCodeName(code);  // UTF-8 in its own buffer
    }
}

TEST(FileText, Utf8ConvertedInItsOwnBufferWhereverItCannotStayThere)
{
    // Stray continuation bytes (each "§" alone becomes two bytes) overtake the bytes read
    // at the start; a long run without ASCII leaves no place to cut a piece; marks; a
    // character cut off at the end; zero bytes.
    const std::string kanji = "\xE6\xBC\xA2";  // 漢
    std::string noAscii;
    for (int i = 0; i < 50000; ++i) noAscii += kanji;
    const std::string cases[] = {
        std::string(100000, '\xA7') + "abc",
        "ab" + std::string(70000, '\xA7'),
        noAscii + "a" + noAscii,
        "\xEF\xBB\xBF\xEF\xBB\xBF" + noAscii.substr(0, 3000) + "\n",
        std::string("x\0y", 3) + noAscii.substr(0, 200000) + "\xE6\xBC",
        kanji + std::string(200000, 'a') + "\xA7\xA7" + std::string(100000, 'b') + "\xE3\x82\xAB\xE3\x82\x9A",
    };
    for (const std::string& bytes : cases) {
        std::int64_t replaced = -1;
        Utf8ToInternal(nullptr, bytes, 0, &replaced);
        const DecodedFile taken = OpenTaking(bytes, EncodingCode::Utf8);
        EXPECT_EQ(taken.text, Utf8ToInternalText(bytes)) << bytes.size();
        EXPECT_EQ(taken.replaced, replaced) << bytes.size();
    }
}

}  // namespace
