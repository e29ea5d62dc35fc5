#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodecTest, RoundTripsChineseThroughGb18030)
{
    const std::string utf8 = "自动布局 house 1";
    const std::string gb = platform::Utf8ToGb18030(utf8);
    EXPECT_EQ(gb, "\xD7\xD4\xB6\xAF\xB2\xBC\xBE\xD6 house 1");
    EXPECT_EQ(platform::Gb18030ToUtf8(gb), utf8);
}

TEST(TextCodecTest, BrokenInputIsReplacedNotDropped)
{
    // A lead byte at the very end and a lone 0xFF.
    EXPECT_EQ(platform::Gb18030ToUtf8("ab\xFF" "c\xD7"), "ab\xEF\xBF\xBD" "c\xEF\xBF\xBD");
    EXPECT_EQ(platform::Utf8ToGb18030("x\xC3"), "x?");
    EXPECT_EQ(platform::Gb18030ToUtf8(""), "");
}

}  // namespace
