// Whole files as opening and saving convert them, and the boundary helpers.
#include <gtest/gtest.h>

#include "encoding/Conversion.h"
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

TEST(FileText, OpeningConvertsByTheDetectedCode)
{
    const DecodedFile jis = Open(Bytes({0x1B, 0x24, 0x42, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x61}));
    EXPECT_EQ(jis.encoding, EncodingCode::Jis);
    EXPECT_EQ(jis.text, kKanjiA);
    const DecodedFile utf8 = Open(Bytes({0xEF, 0xBB, 0xBF, 0xE6, 0xBC, 0xA2, 0x61}));
    EXPECT_EQ(utf8.encoding, EncodingCode::Utf8Bom);
    EXPECT_EQ(utf8.text, kKanjiA);
    const DecodedFile utf16 = Open(Bytes({0xFF, 0xFE, 0x22, 0x6F, 0x61, 0x00}));
    EXPECT_EQ(utf16.encoding, EncodingCode::Utf16LeBom);
    EXPECT_EQ(utf16.text, kKanjiA);
    const DecodedFile sjis = Open(kKanjiA + kKanjiA);
    EXPECT_EQ(sjis.encoding, EncodingCode::ShiftJis);
    EXPECT_EQ(sjis.text, kKanjiA + kKanjiA);
    const DecodedFile empty = Open("");
    EXPECT_EQ(empty.encoding, EncodingCode::Undetermined);
    EXPECT_EQ(empty.text, "");
}

TEST(FileText, OpeningWithoutDetectionKeepsTheBytes)
{
    const std::string utf8 = Bytes({0xE6, 0xBC, 0xA2, 0xE5, 0xAD, 0x97});
    const DecodedFile file = Open(utf8, false);
    EXPECT_EQ(file.encoding, EncodingCode::ShiftJis);
    EXPECT_EQ(file.text, utf8);
}

TEST(FileText, ZeroBytesLoadUnchanged)
{
    const std::string bytes("ab\0\0cd", 6);
    const DecodedFile file = Open(bytes);
    EXPECT_EQ(file.encoding, EncodingCode::ZeroBytes);
    EXPECT_EQ(file.text, bytes);
}

TEST(FileText, OddUtf16FileKeepsItsLastByte)
{
    const DecodedFile file = Open(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62}));
    EXPECT_EQ(file.text, "ab");
}

TEST(FileText, SavingChoosesTheEncodingFromTheSettings)
{
    EXPECT_EQ(ChooseSaveEncoding(0, EncodingCode::Utf8Bom, false, false), EncodingCode::Utf8Bom);
    EXPECT_EQ(ChooseSaveEncoding(0, EncodingCode::Undetermined, true, true), EncodingCode::Undetermined);
    EXPECT_EQ(ChooseSaveEncoding(1, EncodingCode::Jis, true, true), EncodingCode::ShiftJis);
    EXPECT_EQ(ChooseSaveEncoding(2, EncodingCode::Jis, true, true), EncodingCode::EucJp);
    EXPECT_EQ(ChooseSaveEncoding(3, EncodingCode::EucJp, true, true), EncodingCode::Jis);
    EXPECT_EQ(ChooseSaveEncoding(4, EncodingCode::Jis, true, false), EncodingCode::Utf16LeBom);
    EXPECT_EQ(ChooseSaveEncoding(4, EncodingCode::Jis, false, true), EncodingCode::Utf16Le);
    EXPECT_EQ(ChooseSaveEncoding(5, EncodingCode::Jis, false, true), EncodingCode::Utf8Bom);
    EXPECT_EQ(ChooseSaveEncoding(5, EncodingCode::Jis, true, false), EncodingCode::Utf8);
    EXPECT_EQ(ChooseSaveEncoding(6, EncodingCode::Jis, true, true), EncodingCode::ShiftJis);
    EXPECT_EQ(ChooseSaveEncoding(-1, EncodingCode::Jis, true, true), EncodingCode::ShiftJis);
}

TEST(FileText, SavingWritesEachEncoding)
{
    EXPECT_EQ(Save(kKanjiA, EncodingCode::Utf16LeBom), Bytes({0xFF, 0xFE, 0x22, 0x6F, 0x61, 0x00}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::Utf16Le), Bytes({0x22, 0x6F, 0x61, 0x00}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::Utf8), Bytes({0xE6, 0xBC, 0xA2, 0x61}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::Utf8Bom), Bytes({0xEF, 0xBB, 0xBF, 0xE6, 0xBC, 0xA2, 0x61}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::EucJp), Bytes({0xB4, 0xC1, 0x61}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::Jis), Bytes({0x1B, 0x24, 0x28, 0x4F, 0x34, 0x41, 0x1B, 0x28, 0x42, 0x61}));
    EXPECT_EQ(Save(kKanjiA, EncodingCode::NoEvidence), kKanjiA);
    EXPECT_EQ(Save("", EncodingCode::ShiftJis), "");
    EXPECT_EQ(Save("", EncodingCode::Utf8Bom), Bytes({0xEF, 0xBB, 0xBF}));
    // A text full of half-width katakana is written whole: three bytes each in UTF-8.
    const std::string kana(1000, '\xB1');
    EXPECT_EQ(Save(kana, EncodingCode::Utf8).size(), 3000u);
    EXPECT_EQ(Save(kana, EncodingCode::Jis).size(), 4u + 2000u);
    // Zero bytes do not cut the saved text short.
    EXPECT_EQ(Save(std::string("a\0b", 3), EncodingCode::Utf8), std::string("a\0b", 3));
}

TEST(FileText, LineEndingsAreRewrittenBeforeConverting)
{
    const std::string mixed = "a\r\nb\rc\nd\r";
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Crlf), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Cr), "a\rb\rc\rd\r");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Lf), "a\nb\nc\nd\n");
    EXPECT_EQ(ConvertLineEndings(mixed, LineEndingCode::Automatic), mixed);
    EXPECT_EQ(ConvertLineEndings("\n\n\r\r\n", LineEndingCode::Crlf), "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(Save(kKanjiA + "\n", EncodingCode::Utf16Le, LineEndingCode::Crlf),
              Bytes({0x22, 0x6F, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00}));
    std::string bytes;
    EXPECT_TRUE(EncodeFileBytes("x\ny", 3, EncodingCode::ShiftJis, false, false, LineEndingCode::Crlf, bytes));
    EXPECT_EQ(bytes, "x\r\ny");  // kanji 3 is JIS, and ASCII needs no escape
}

TEST(FileText, EveryEncodingRoundTripsThroughOpenAndSave)
{
    std::string text;
    for (int i = 0; i < 40; ++i) text += "行" + std::to_string(i) + " 漢字かなカナ ｶﾞｷﾞ ASCII\r\n";
    // The literals above are UTF-8 in this file: bring them to InternalText first.
    text = Utf8ToInternalText(text);
    for (EncodingCode code : {EncodingCode::Jis, EncodingCode::EucJp, EncodingCode::Utf16Le, EncodingCode::Utf16LeBom,
                              EncodingCode::Utf8, EncodingCode::Utf8Bom, EncodingCode::ShiftJis}) {
        const DecodedFile back = Open(Save(text, code));
        EXPECT_EQ(back.encoding, code) << EncodingCodeName(code);
        // Half-width katakana come back widened from every encoding but Shift_JIS.
        const std::string expected =
            code == EncodingCode::ShiftJis ? text : Utf8ToInternalText(InternalTextToUtf8(text));
        EXPECT_EQ(back.text, expected) << EncodingCodeName(code);
    }
}

// The consuming forms give what the copying ones give, and keep the bytes where they can.
DecodedFile OpenTaking(const std::string& bytes, EncodingCode code)
{
    std::string taken = bytes;
    DecodedFile file;
    EXPECT_TRUE(DecodeFileBytesAs(std::move(taken), code, file));
    EXPECT_TRUE(taken.empty());
    return file;
}

TEST(FileText, TakingTheBytesGivesTheSameText)
{
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "行" + std::to_string(i) + " 漢字かなカナ ｶﾞｷﾞ 𠀋 ASCII\r\n";
    text = Utf8ToInternalText(text);
    for (EncodingCode code : {EncodingCode::Jis, EncodingCode::EucJp, EncodingCode::Utf16Le, EncodingCode::Utf16LeBom,
                              EncodingCode::Utf8, EncodingCode::Utf8Bom, EncodingCode::ShiftJis}) {
        const std::string bytes = Save(text, code);
        const DecodedFile copied = Open(bytes);
        // (UTF-16 without a mark reads as ZeroBytes here: 𠀋 puts 0xD8 at an odd place.)
        if (copied.encoding != code) continue;
        const DecodedFile taken = OpenTaking(bytes, code);
        EXPECT_EQ(taken.encoding, code);
        EXPECT_EQ(taken.text, copied.text) << EncodingCodeName(code);
        EXPECT_EQ(taken.replaced, copied.replaced) << EncodingCodeName(code);
    }
    // Shift_JIS bytes become the text itself, not a copy of it.
    std::string bytes = text;
    const char* where = bytes.data();
    DecodedFile file;
    ASSERT_TRUE(DecodeFileBytes(std::move(bytes), true, file));
    EXPECT_EQ(file.encoding, EncodingCode::ShiftJis);
    EXPECT_EQ(file.text.data(), where);
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

TEST(FileText, SavingTakesTheTextWhenNothingChanges)
{
    const std::string line = kKanjiA + " a line longer than a short string\r\n";
    std::string text = line;
    const char* where = text.data();
    std::string bytes;
    ASSERT_TRUE(EncodeFileBytes(std::move(text), EncodingCode::ShiftJis, LineEndingCode::Automatic, bytes));
    EXPECT_EQ(bytes.data(), where);
    EXPECT_EQ(bytes, line);
    for (EncodingCode code : {EncodingCode::Utf8Bom, EncodingCode::Jis, EncodingCode::Undetermined}) {
        for (LineEndingCode eol : {LineEndingCode::Automatic, LineEndingCode::Lf}) {
            std::string taken = line;
            ASSERT_TRUE(EncodeFileBytes(std::move(taken), code, eol, bytes));
            EXPECT_TRUE(taken.empty());
            EXPECT_EQ(bytes, Save(line, code, eol)) << EncodingCodeName(code);
        }
    }
}

TEST(FileText, BoundaryHelpers)
{
    EXPECT_EQ(InternalTextToUtf16(kKanjiA), u"漢a");
    EXPECT_EQ(Utf16ToInternalText(u"漢a"), kKanjiA);
    EXPECT_EQ(Utf8ToInternalText("漢a"), kKanjiA);
    EXPECT_EQ(InternalTextToUtf8(kKanjiA), "漢a");
    EXPECT_EQ(InternalTextToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Utf16ToInternalText(std::u16string(u"C:\\日本\0x", 7)),
              Utf8ToInternalText(std::string("C:\\日本\0x", 11)));
    EXPECT_EQ(EncodingCodeName(EncodingCode::Utf7Clean), "Utf7Clean");
    EXPECT_EQ(EncodingCodeName(static_cast<EncodingCode>(7)), "Unknown");
    EXPECT_EQ(EncodingCodeLabel(EncodingCode::Utf16LeBom), "UTF16");
    EXPECT_EQ(EncodingCodeLabel(EncodingCode::ZeroBytes), "S-JIS");
}

}  // namespace
