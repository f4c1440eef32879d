// Text the user never touched comes back as it was: half-width katakana in UTF-8, UTF-16 and
// EUC-JP; JIS X 0208 text in JIS that any ISO-2022-JP reader takes; 〜 and its kin in the
// form the file used.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestText.h"
#include "encoding/FileText.h"

namespace {

TEST(KeptForms, EveryHalfWidthKatakanaComesBackFromUtf8Utf16AndEuc)
{
    std::string text;
    std::u16string units;
    for (int b = 0xA1; b <= 0xDF; ++b) {
        text += {static_cast<char>(b), '\xDE', static_cast<char>(b), '\xDF'};
        units += {static_cast<char16_t>(0xFEC0 + b), u'\uFF9E', static_cast<char16_t>(0xFEC0 + b), u'\uFF9F'};
    }
    EXPECT_EQ(ToUtf16(text), units);
    EXPECT_EQ(FromUtf16(units), text);
    EXPECT_EQ(Utf8ToInternalText(InternalTextToUtf8(text)), text);
    EXPECT_EQ(FromEuc(ToEuc(text)), text);
}

// 〜 — ‖ − ¢ £ ¬ read from either form into one code each, and written back in the form
// the file used: the form is the file's, reported when it used both, and new text (the
// clipboard) takes the Windows form.
TEST(KeptForms, TildeAndItsKinComeBackInTheFormTheFileUsed)
{
    const std::u16string windows = u"\uFF5E\u2015\u2225\uFF0D\uFFE0\uFFE1\uFFE2";
    const std::u16string standard = u"\u301C\u2014\u2016\u2212\u00A2\u00A3\u00AC";
    const std::string codes = Bytes({0x81, 0x60, 0x81, 0x5C, 0x81, 0x61, 0x81, 0x7C, 0x81, 0x91, 0x81, 0x92, 0x81, 0xCA});
    auto utf16Bytes = [](const std::u16string& units) {
        std::string bytes = "\xFF\xFE";
        for (char16_t u : units) bytes += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        return bytes;
    };
    struct Case {
        std::u16string units;
        UnicodeForm form;
        bool mixed;
    } const cases[] = {
        {u"a" + windows + u"漢", UnicodeForm::Windows, false},
        {u"a" + standard + u"漢", UnicodeForm::Standard, false},
        {u"漢字", UnicodeForm::Windows, false},
        {standard + windows.substr(0, 1), UnicodeForm::Standard, true},
    };
    for (const Case& c : cases) {
        for (EncodingCode code : {EncodingCode::Utf8, EncodingCode::Utf16LeBom}) {
            SCOPED_TRACE(testing::Message() << EncodingCodeName(code) << " " << testing::PrintToString(c.units));
            const std::string file = code == EncodingCode::Utf8 ? UnitsToUtf8(c.units) : utf16Bytes(c.units);
            DecodedFile decoded;
            ASSERT_TRUE(DecodeFileBytesAs(std::string(file), code, decoded));
            EXPECT_EQ(decoded.replaced, 0);
            EXPECT_EQ(decoded.mixedForms, c.mixed);
            if (c.mixed) continue;
            EXPECT_EQ(decoded.unicodeForm, c.form);
            std::string saved;
            ASSERT_TRUE(EncodeFileBytes(decoded.text, code, LineEndingCode::Automatic, saved, decoded.unicodeForm));
            EXPECT_EQ(saved, file);
        }
    }
    EXPECT_EQ(Utf16ToInternalText(standard), codes);
    EXPECT_EQ(Utf16ToInternalText(windows), codes);
    EXPECT_EQ(InternalTextToUtf16(codes), windows);
    EXPECT_EQ(Utf8ToInternalText(UnitsToUtf8(standard)), codes);
}

// Reads the two lines of hexadecimal bytes that command prints; false when it cannot run.
bool AskPython(const char* command, std::string& first, std::string& second)
{
    FILE* pipe = popen(command, "r");
    if (!pipe) return false;
    std::string* line = &first;
    unsigned byte = 0;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == '\n') {
            if (line == &second) break;
            line = &second;
        } else if (std::ungetc(c, pipe) != EOF && std::fscanf(pipe, "%2x", &byte) == 1) {
            line->push_back(static_cast<char>(byte));
        }
    }
    pclose(pipe);
    return !first.empty() && !second.empty();
}

// Every character of JIS X 0208, in lines between ASCII, written as JIS is what Python's
// ISO-2022-JP encoder writes for the same text.
TEST(KeptForms, JisX0208TextIsWrittenAsIso2022Jp)
{
    std::string internal, expected;
    if (!AskPython("python3 -c \"\n"
                   "chars = []\n"
                   "for r in range(0x21, 0x7F):\n"
                   "    for c in range(0x21, 0x7F):\n"
                   "        try: chars.append((b'\\x1b\\$B' + bytes([r, c])).decode('iso2022_jp'))\n"
                   "        except UnicodeDecodeError: pass\n"
                   "text = ''.join('a%d ' % i + ''.join(chars[i:i + 40]) + '\\r\\n' for i in range(0, len(chars), 40))\n"
                   "print(text.encode('cp932').hex()); print(text.encode('iso2022_jp').hex())\n"
                   "\"",
                   internal, expected))
        GTEST_SKIP() << "python3 is needed";
    ASSERT_GT(internal.size(), 6879u * 2);
    EXPECT_TRUE(ToJis(internal) == expected);
    EXPECT_EQ(FromJis(expected), internal);
}

}  // namespace
