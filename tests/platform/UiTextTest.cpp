#include "platform/TextCodec.h"
#include "platform/UiText.h"

#include <gtest/gtest.h>

namespace {

TEST(UiTextTest, PlacesAreFilledOnceAndOnlyWhereAnArgumentExists)
{
    const std::string gbName = "\xB3\xC7\xC3\xC5";  // GB18030, not UTF-8
    const struct {
        const char* pattern;
        std::vector<std::string> args;
        std::string filled;
    } cases[] = {
        {"%1 / %2 (%3%)", {"3", "7", "42"}, "3 / 7 (42%)"},
        {"%2%1", {"a", "b"}, "ba"},
        {"%1", {"%2"}, "%2"},              // an argument is never filled again
        {"%1 %2", {"x"}, "x %2"},          // a place without its argument stays
        {"100%", {"x"}, "100%"},
        {"%0 %a %", {"x"}, "%0 %a %"},
        {"name %1!", {gbName}, "name " + gbName + "!"},
        {"", {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillPlaces(c.pattern, c.args), c.filled) << c.pattern;

    EXPECT_EQ(QL_TEXT("Test", "已完成 %1 / %2 个区域").Arg("1").Arg("4").Chinese(),
              platform::Utf8ToGb18030("已完成 1 / 4 个区域"));
    EXPECT_EQ(UiText::Verbatim(gbName + "%1").Chinese(), gbName + "%1");
}

}  // namespace
