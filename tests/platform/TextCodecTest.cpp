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

TEST(TextCodecTest, TypedTextKeepsEveryByteThatIsNotUtf8)
{
    // "城门" in GB18030: 0xB3 cannot start a UTF-8 character. (Not every GB18030
    // text is so plain: "医院" is 0xD2 0xBD 0xD4 0xBA, which is valid UTF-8 too.)
    const std::string gbName = "\xB3\xC7\xC3\xC5";
    const struct {
        std::string text;
        bool utf8;
    } cases[] = {
        {"", true},
        {"build 1 2 3 2 <NULL> ff", true},
        {"医院 \xF0\x9F\x8F\xA0", true},          // three- and four-byte forms
        {"build 1 2 3 2 " + gbName + " ff", false},
        {"\xC0\xAF", false},                        // overlong "/"
        {"\xE0\x80\xAF", false},                    // overlong, three bytes
        {"\xED\xA0\x80", false},                    // a surrogate
        {"\xF4\x90\x80\x80", false},                // above U+10FFFF
        {"\xE5\x8C", false},                        // cut short at the end
        {"\x80x", false},                            // a stray continuation byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::IsUtf8(c.text), c.utf8);
        EXPECT_EQ(platform::TypedTextToGb18030(c.text), c.utf8 ? platform::Utf8ToGb18030(c.text) : c.text);
    }
}

}  // namespace
