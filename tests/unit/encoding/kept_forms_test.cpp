// Text the user never touched comes back as it was: half-width katakana in UTF-8, UTF-16 and
// EUC-JP; JIS X 0208 text in JIS that any ISO-2022-JP reader takes; 〜 and its kin in the
// form the file used.
#include <gtest/gtest.h>

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

}  // namespace
