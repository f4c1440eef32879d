// The byte classes every part of the program shares: each of the 256 bytes against the
// ranges of Shift_JIS-2004, and a plain (signed) char taken as its byte.
#include <gtest/gtest.h>

#include "encoding/SjisBytes.h"

namespace {

TEST(SjisBytes, EveryByteIsClassedByTheRanges)
{
    int leads = 0, trails = 0;
    for (int b = 0; b < 256; ++b) {
        bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        bool trail = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
        EXPECT_EQ(sjis::IsLeadByte(static_cast<unsigned char>(b)), lead) << b;
        EXPECT_EQ(sjis::IsTrailByte(static_cast<unsigned char>(b)), trail) << b;
        leads += lead;
        trails += trail;
    }
    EXPECT_EQ(leads, 60);
    EXPECT_EQ(trails, 188);
}

TEST(SjisBytes, APlainCharIsTakenAsItsByte)
{
    const char text[] = "\x81\x40\xFC\xFC\xFD";
    EXPECT_TRUE(sjis::IsLeadByte(text[0]));
    EXPECT_TRUE(sjis::IsTrailByte(text[1]));
    EXPECT_TRUE(sjis::IsLeadByte(text[2]) && sjis::IsTrailByte(text[3]));
    EXPECT_FALSE(sjis::IsLeadByte(text[4]) || sjis::IsTrailByte(text[4]));
    static_assert(sjis::IsLeadByte(0x9F) && !sjis::IsLeadByte(0xA0) && sjis::IsLeadByte(0xE0), "usable in constants");
}

}  // namespace
