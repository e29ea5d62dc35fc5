#include "panels/ColourNameList.h"
#include "platform/TextBlank.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Row = ColourNameList::Row;

class ColourNameListTest : public ::testing::Test {
protected:
    std::map<ColorRef, std::string> names;
    ColourNameList list{names};
};

}  // namespace

TEST_F(ColourNameListTest, BlanksAroundAndBetweenWordsAreDropped)
{
    EXPECT_TRUE(list.Store(0xff, " \tred \t  house\r\n"));
    EXPECT_EQ(names, (std::map<ColorRef, std::string>{{0xff, "redhouse"}}));
    // Vertical tab and form feed would split the name in the settings file too.
    EXPECT_EQ(platform::WithoutBlanks("a\vb\fc"), "abc");
}

TEST_F(ColourNameListTest, EmptyOrBlankNamesAreIgnored)
{
    names[0xff] = "kept";
    EXPECT_FALSE(list.Store(0xff, ""));
    EXPECT_FALSE(list.Store(0xff, " \t\r\n "));
    EXPECT_FALSE(list.Store(0x100, "   "));
    EXPECT_EQ(names, (std::map<ColorRef, std::string>{{0xff, "kept"}}));
}

TEST_F(ColourNameListTest, StoringAgainReplacesTheName)
{
    list.Store(0xff00, "old");
    list.Store(0xff00, "new");
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{0xff00, "new"}}));
}

TEST_F(ColourNameListTest, RowsRunFromTheHighestColour)
{
    list.Store(200, "b");
    list.Store(100, "a");
    list.Store(300, "c");
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{300, "c"}, {200, "b"}, {100, "a"}}));

    std::map<ColorRef, std::string> none;
    EXPECT_TRUE(ColourNameList(none).Rows().empty());
}

TEST_F(ColourNameListTest, RemoveTakesOnlyAnExistingEntry)
{
    list.Store(100, "a");
    list.Store(DefaultColour, "default");
    EXPECT_FALSE(list.Remove(200));
    EXPECT_EQ(names.size(), 2u);
    EXPECT_TRUE(list.Remove(DefaultColour));
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{100, "a"}}));
    EXPECT_FALSE(list.Remove(DefaultColour));
}

TEST_F(ColourNameListTest, ChineseNamesKeepTheirBytes)
{
    const std::string typed = platform::Utf8ToGb18030(" 住宅 区\t");
    ASSERT_TRUE(list.Store(0x123456, typed));
    EXPECT_EQ(platform::Gb18030ToUtf8(names.at(0x123456)), "住宅区");

    // Every byte value GB18030 uses after a lead byte passes unchanged.
    std::string trail;
    for (int byte = 0x30; byte <= 0xfe; ++byte)
        if (byte != 0x7f)
            trail += static_cast<char>(byte);
    EXPECT_EQ(platform::WithoutBlanks(trail), trail);
}
