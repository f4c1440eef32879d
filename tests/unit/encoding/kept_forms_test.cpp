// Text the user never touched comes back as it was: half-width katakana in UTF-8, UTF-16 and
// EUC-JP; JIS X 0208 text in JIS that any ISO-2022-JP reader takes; 〜 and its kin in the
// form the file used.
#include <gtest/gtest.h>

#include "TestText.h"
#include "encoding/FileText.h"

namespace {

TEST(KeptForms, EveryHalfWidthKatakanaComesBackFromUtf8Utf16AndEuc)
{
    std::string text;  // each one alone and before each sound mark, which stays apart
    std::u16string units;
    for (int b = 0xA1; b <= 0xDF; ++b) text += {char(b), '\xDE', char(b), '\xDF'};
    for (unsigned char b : text) units += static_cast<char16_t>(0xFEC0 + b);
    EXPECT_TRUE(ToUtf16(text) == units && FromUtf16(units) == text);
    EXPECT_TRUE(Utf8ToInternalText(InternalTextToUtf8(text)) == text && FromEuc(ToEuc(text)) == text);
}

// 〜 — ‖ − ¢ £ ¬ read from either form into one code each and written back in the form the
// file used; a file that used both is reported; new text (the clipboard) takes Windows'.
TEST(KeptForms, TildeAndItsKinComeBackInTheFormTheFileUsed)
{
    const std::u16string windows = u"\uFF5E\u2015\u2225\uFF0D\uFFE0\uFFE1\uFFE2";
    const std::u16string standard = u"\u301C\u2014\u2016\u2212\u00A2\u00A3\u00AC";
    const std::string codes = Bytes({0x81, 0x60, 0x81, 0x5C, 0x81, 0x61, 0x81, 0x7C, 0x81, 0x91, 0x81, 0x92, 0x81, 0xCA});
    const struct {
        std::u16string units;
        UnicodeForm form;
        bool mixed;
    } cases[] = {{u"a" + windows + u"漢", UnicodeForm::Windows, false}, {u"a" + standard, UnicodeForm::Standard, false},
                 {u"漢字", UnicodeForm::Windows, false}, {standard + windows.substr(0, 1), UnicodeForm::Standard, true}};
    for (const auto& c : cases) {
        for (EncodingCode code : {EncodingCode::Utf8, EncodingCode::Utf16Le}) {
            std::string file = UnitsToUtf8(c.units);
            if (code == EncodingCode::Utf16Le) file.assign(reinterpret_cast<const char*>(c.units.data()), c.units.size() * 2);
            DecodedFile decoded;
            ASSERT_TRUE(DecodeFileBytesAs(std::string(file), code, decoded));
            EXPECT_TRUE(decoded.replaced == 0 && decoded.mixedForms == c.mixed) << EncodingCodeName(code);
            std::string saved;
            ASSERT_TRUE(EncodeFileBytes(decoded.text, code, LineEndingCode::Automatic, saved, decoded.unicodeForm));
            EXPECT_TRUE(c.mixed || (decoded.unicodeForm == c.form && saved == file)) << EncodingCodeName(code);
        }
    }
    EXPECT_TRUE(Utf16ToInternalText(standard) == codes && Utf16ToInternalText(windows) == codes);
    EXPECT_EQ(InternalTextToUtf16(codes), windows);
}

// Every character of JIS X 0208, in lines between ASCII, written as JIS is what Python's
// ISO-2022-JP encoder writes for the same text.
TEST(KeptForms, JisX0208TextIsWrittenAsIso2022Jp)
{
    // The two texts come back raw, apart at the one byte 0xFF, which neither can hold.
    const std::string both = Python("import sys\nchars = []\n"
                                    "for r in range(0x21, 0x7F):\n"
                                    "    for c in range(0x21, 0x7F):\n"
                                    "        try: chars.append((b'\\x1b$B' + bytes([r, c])).decode('iso2022_jp'))\n"
                                    "        except UnicodeDecodeError: pass\n"
                                    "text = ''.join('a%d ' % i + ''.join(chars[i:i + 40]) + '\\r\\n' for i in range(0, 6879, 40))\n"
                                    "sys.stdout.buffer.write(text.encode('cp932') + b'\\xff' + text.encode('iso2022_jp'))\n");
    const std::size_t apart = both.find('\xFF');
    if (apart == std::string::npos || apart < 6879 * 2) GTEST_SKIP() << "python3 is needed";
    const std::string internal = both.substr(0, apart), expected = both.substr(apart + 1);
    EXPECT_TRUE(ToJis(internal) == expected);
    EXPECT_EQ(FromJis(expected), internal);
}

}  // namespace
