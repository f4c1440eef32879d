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
