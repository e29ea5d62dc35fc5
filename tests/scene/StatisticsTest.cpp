#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/StatisticsText.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

class StatisticsTest : public ::testing::Test {
protected:
    std::unique_ptr<Scene> scene = std::make_unique<Scene>(MsgCenter::Instance());
};

TEST_F(StatisticsTest, AnEmptyMapCountsNothing)
{
    const SceneStatistics s = scene->ComputeStatistics();
    EXPECT_EQ(s.groundCells + s.buildCells + s.soilCells + s.roadCells, 0);
    EXPECT_EQ(s.houses + s.houseArea + s.factories + s.factoryArea + s.others + s.otherArea, 0);
    EXPECT_TRUE(s.perColour.empty());
    EXPECT_EQ(platform::Gb18030ToUtf8(StatisticsText(s)),
              "总建筑面积: 0\n已建筑面积: 0\n可建筑面积: 0\n道路总面积: 0\n\n工厂: 0 (0)\n房屋: 0 (0)\n其他: 0 (0)\n");
}

TEST_F(StatisticsTest, OneDefaultColouredHouse)
{
    scene->FillRect(0, 0, 2, 3, CellSoil, CellAny);
    ASSERT_TRUE(scene->PlaceBuild(0, 0, 2, 3, DefaultColour, ""));
    const SceneStatistics s = scene->ComputeStatistics();
    EXPECT_EQ(s.groundCells, 6);
    EXPECT_EQ(s.buildCells, 6);
    EXPECT_EQ(s.soilCells, 0);
    EXPECT_EQ(s.houses, 1);
    EXPECT_EQ(s.houseArea, 6);
    EXPECT_EQ(s.perColour, (std::map<ColorRef, ColourStat>{{DefaultColour, ColourStat{1, 6}}}));
}

TEST_F(StatisticsTest, KindsFollowTheSizeAndAreasTheRecord)
{
    scene->FillRect(0, 0, 100, 100, CellSoil, CellAny);
    scene->FillRect(0, 99, 10, 1, CellRoad, CellAny);
    ASSERT_TRUE(scene->PlaceBuild(0, 0, 5, 4, DefaultColour, ""));   // factory
    ASSERT_TRUE(scene->PlaceBuild(10, 0, 4, 5, 0x0000FF, "tower"));   // other, not a factory
    ASSERT_TRUE(scene->PlaceBuild(20, 0, 6, 1, 0x0000FF, "wall"));    // counts as a house
    ASSERT_TRUE(scene->PlaceBuild(30, 0, 3, 2, DefaultColour, ""));   // house
    // A record from a damaged file: its area is taken as written, without overflow.
    scene->AppendLoadedBuild(Build{200, 200, 100000, 100000, "", 0x0000FF});

    const SceneStatistics s = scene->ComputeStatistics();
    EXPECT_EQ(s.buildCells, 20 + 20 + 6 + 6);
    EXPECT_EQ(s.roadCells, 10);
    EXPECT_EQ(s.soilCells, 100 * 100 - 10 - s.buildCells);
    EXPECT_EQ(s.groundCells, 100 * 100 - 10);
    EXPECT_EQ(s.factories, 1);
    EXPECT_EQ(s.factoryArea, 20);
    EXPECT_EQ(s.houses, 2);
    EXPECT_EQ(s.houseArea, 12);
    EXPECT_EQ(s.others, 2);
    EXPECT_EQ(s.otherArea, 20 + 10000000000);
    EXPECT_EQ(s.perColour, (std::map<ColorRef, ColourStat>{{0x0000FF, ColourStat{3, 20 + 6 + 10000000000}},
                                                           {DefaultColour, ColourStat{2, 26}}}));

    const std::string text = StatisticsText(s);
    EXPECT_EQ(text.substr(0, 2), "\xD7\xDC");  // "总" in GB18030, not UTF-8
    EXPECT_EQ(platform::Gb18030ToUtf8(text), "总建筑面积: 9990\n已建筑面积: 52\n可建筑面积: 9938\n道路总面积: 10\n\n"
                                             "工厂: 1 (20)\n房屋: 2 (12)\n其他: 2 (10000000020)\n");
}

}  // namespace
