// The name conversion: code for code over every single byte (the pairs are walked with the
// code space), and the held test.
#include <gtest/gtest.h>

#include "encoding/NameText.h"
#include "TestText.h"

namespace {

std::u16string NameUtf16(const std::string& internal)
{
    std::u16string utf16;
    EXPECT_TRUE(NameToUtf16(internal, utf16));
    return utf16;
}

std::string NameInternal(const std::u16string& utf16)
{
    std::string internal;
    EXPECT_TRUE(NameFromUtf16(utf16, internal));
    return internal;
}

TEST(NameText, EveryByteComesBackAsItself)
{
    for (int b = 0; b < 256; ++b) {  // a lone lead has no character; every other byte comes back
        const std::string one(1, static_cast<char>(b));
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(lead ? NameUtf16(one) == u"\uFFFD" : NameInternal(NameUtf16(one)) == one, true) << b;
    }
}

TEST(NameText, NothingIsWidenedOrMergedAndBackslashTrailsStay)
{
    const struct {
        std::string internal;
        std::u16string utf16;
    } cases[] = {
        {"\xB6\xDE\xB7\xDE\xBE\xDF", u"\uFF76\uFF9E\uFF77\uFF9E\uFF7E\uFF9F"},            // ｶﾞｷﾞｾﾟ
        {"C:\\\xC3\xBD\xC4\\\x95\x5C\x83\x5C", u"C:\\\uFF83\uFF7D\uFF84\\\u8868\u30BD"},  // ﾃｽﾄ\表ソ
        {"\x82\xA9\x81\x4B", u"\u304B\u309C"},            // the spacing sound mark stays two codes
        {"\x82\xF5\x87\xA0", u"\u304B\u309A\U0002000B"},  // a sequence and a surrogate pair
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameUtf16(c.internal), c.utf16);
        EXPECT_EQ(NameInternal(c.utf16), c.internal);
    }
    EXPECT_EQ(NameInternal(u"\uFEFFx"), "?x");
}

TEST(NameText, NamesThatInternalTextCannotHold)
{
    EXPECT_TRUE(IsNameHeld(u"C:\\\U0002000B\u30C6\\\uFF71 \U0002A6B2.ini"));
    EXPECT_TRUE(IsNameHeld(u""));
    const char16_t loneSurrogate[] = {u'x', 0xD800};
    for (std::u16string_view name : {std::u16string_view(u"C:\\\uD55C\uAD6D\uC5B4"), std::u16string_view(u"a\u00A5b"),
                                     std::u16string_view(u"\uFEFFname"), std::u16string_view(u"\U0001F600"),
                                     std::u16string_view(loneSurrogate, 2)})
        EXPECT_FALSE(IsNameHeld(name));  // Korean, ¥ (back as "\"), a mark, an emoji, a lone surrogate
}

}  // namespace
