#include "panels/BuildStatRows.h"

#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

SceneStatistics WithColours(std::map<ColorRef, ColourStat> perColour)
{
    SceneStatistics stats;
    stats.perColour = std::move(perColour);
    return stats;
}

TEST(BuildStatRowsTest, DefaultColourLeadsANamedRed)
{
    const auto stats = WithColours({{kRed, {2, 12}}, {DefaultColour, {3, 38}}});
    const std::map<ColorRef, std::string> names{{kRed, Gb("红色工厂")}};

    const auto rows = BuildStatRows::Make(stats, names);

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (BuildStatRow{UiText::Verbatim(Gb("默认类")), "3", "38", DefaultColour}));
    EXPECT_EQ(rows[1], (BuildStatRow{UiText::Verbatim(Gb("红色工厂")), "2", "12", kRed}));
}

TEST(BuildStatRowsTest, LabelsByNameThenDefaultThenUncategorised)
{
    const std::map<ColorRef, std::string> names{{100, Gb("民居")}, {DefaultColour, Gb("普通")}};

    EXPECT_EQ(BuildStatRows::Label(100, names).Chinese(), Gb("民居"));
    EXPECT_EQ(BuildStatRows::Label(101, names).Chinese(), Gb("未分类"));
    // A name given to the default colour wins over "默认类".
    EXPECT_EQ(BuildStatRows::Label(DefaultColour, names).Chinese(), Gb("普通"));
    EXPECT_EQ(BuildStatRows::Label(DefaultColour, {}).Chinese(), Gb("默认类"));
    // Black is an ordinary colour, not a missing one.
    EXPECT_EQ(BuildStatRows::Label(0, {}).Chinese(), Gb("未分类"));
}

TEST(BuildStatRowsTest, RowsRunFromTheHighestColourDown)
{
    const auto stats = WithColours({{0, {1, 6}}, {300, {1, 20}}, {200, {4, 24}}, {DefaultColour, {1, 6}}});

    const auto rows = BuildStatRows::Make(stats, {{200, Gb("二百")}});

    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].colour, DefaultColour);
    EXPECT_EQ(rows[1].colour, 300u);
    EXPECT_EQ(rows[1].label.Chinese(), Gb("未分类"));
    EXPECT_EQ(rows[2].label.Chinese(), Gb("二百"));
    EXPECT_EQ(rows[2].count, "4");
    EXPECT_EQ(rows[3].colour, 0u);
}

TEST(BuildStatRowsTest, NoBuildingsNoRows)
{
    EXPECT_TRUE(BuildStatRows::Make(SceneStatistics{}, {{kRed, Gb("红")}}).empty());
}

}  // namespace
