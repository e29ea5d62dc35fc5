#include "EditCommandLog.h"
#include "cmd/CmdList.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "search/LayoutRunner.h"
#include "view/SceneSelection.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using Journal = std::vector<std::string>;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Keeps the layout search off its worker thread.
class IdleRunner final : public LayoutRunner {
public:
    void Start(const RegionBits&, SearchState&) override { ++starts; }
    int starts = 0;
};

class SceneSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CmdList::Instance().Clear();
        scene.SetLayoutRunner(&runner);
        scene.FillRect(0, 0, 100, 100, CellSoil, CellAny);
    }
    void TearDown() override { scene.SetLayoutRunner(nullptr); }

    Scene scene{MsgCenter::Instance()};
    IdleRunner runner;
    SceneSelection selection{scene};
    EditCommandLog log;
};

TEST_F(SceneSelectionTest, ABuildingIsSelectedOnlyWhenAllItsCellsAreEvenAcrossRectangles)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, ""));
    ASSERT_TRUE(scene.PlaceBuild(20, 20, 5, 4, 0x123456, ""));

    selection.Add(CellRect{10, 10, 11, 11});
    EXPECT_FALSE(selection.HasBuildings());
    selection.Add(CellRect{12, 10, 12, 11});
    ASSERT_EQ(selection.SelectedBuildings().size(), 1u);
    EXPECT_EQ(selection.SelectedBuildings()[0], (Build{10, 10, 3, 2, "", DefaultColour}));

    selection.Add(CellRect{0, 0, 99, 99});
    const std::vector<Build> both = selection.SelectedBuildings();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].x, 10);  // the scene's order, not the rectangles'
    EXPECT_EQ(both[1].colour, 0x123456u);
}

TEST_F(SceneSelectionTest, BuildingsOfAbsurdSizeFromAFileAreNeverSelected)
{
    scene.AppendLoadedBuild(Build{0, 0, kMax, kMax, "huge", DefaultColour});
    scene.AppendLoadedBuild(Build{240, 240, 20, 2, "edge", DefaultColour});
    scene.AppendLoadedBuild(Build{5, 5, 0, 3, "flat", DefaultColour});
    scene.AppendLoadedBuild(Build{5, 5, -4, -4, "negative", DefaultColour});
    scene.AppendLoadedBuild(Build{0, 0, 250, 250, "whole", DefaultColour});
    selection.Add(CellRect{kMin, kMin, kMax, kMax});
    const std::vector<Build> selected = selection.SelectedBuildings();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].name, "whole");
}

TEST_F(SceneSelectionTest, ARulerNeedsBothEndsSelected)
{
    scene.InsertMark(Mark{10, 10, 10, 30});
    selection.Add(CellRect{10, 10, 10, 10});
    EXPECT_FALSE(selection.HasRulers());
    selection.Add(CellRect{5, 30, 15, 31});
    EXPECT_TRUE(selection.HasRulers());
}

TEST_F(SceneSelectionTest, SingleBuildingNeedsOneRectangleOfExactlyItsExtent)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 2, 3, DefaultColour, ""));
    selection.Add(CellRect{10, 10, 11, 12});
    ASSERT_TRUE(selection.SingleBuilding().has_value());
    EXPECT_EQ(selection.SingleBuilding()->h, 3);

    selection.Add(CellRect{11, 12, 11, 12});
    EXPECT_FALSE(selection.SingleBuilding().has_value());

    selection.Clear();
    selection.Add(CellRect{10, 10, 12, 12});
    EXPECT_FALSE(selection.SingleBuilding().has_value());
    selection.Clear();
    selection.Add(CellRect{11, 11, 11, 12});
    EXPECT_FALSE(selection.SingleBuilding().has_value());
}

TEST_F(SceneSelectionTest, CanQueriesFollowTheCellsAndIgnoreRectanglesReachingTheLastRowOrColumn)
{
    scene.LoadCell(150, 150, CellRoad);
    selection.Add(CellRect{150, 150, 150, 150});
    EXPECT_TRUE(selection.CanErase());
    EXPECT_FALSE(selection.CanLight());
    EXPECT_FALSE(selection.CanLayOut());

    selection.Clear();
    selection.Add(CellRect{0, 0, 0, 0});
    EXPECT_TRUE(selection.CanLayOut());
    EXPECT_TRUE(selection.CanErase());
    EXPECT_FALSE(selection.CanLight());

    selection.Clear();
    selection.Add(CellRect{200, 200, 249, 249});
    EXPECT_FALSE(selection.CanLight());
    selection.Add(CellRect{kMin, kMin, kMax, kMax});
    EXPECT_FALSE(selection.CanLight());
    selection.Add(CellRect{200, 200, 248, 248});
    EXPECT_TRUE(selection.CanLight());
}

TEST_F(SceneSelectionTest, CornersGivenInAnyOrderAreSorted)
{
    selection.Add(CellRect{12, 30, 10, 20});
    EXPECT_EQ(selection.Rects().front(), (CellRect{10, 20, 12, 30}));
    EXPECT_TRUE(selection.Contains(11, 25));
    EXPECT_FALSE(selection.Contains(13, 25));
}

TEST_F(SceneSelectionTest, FillsSendOneCommandPerRectangleInOrder)
{
    selection.Add(CellRect{1, 2, 3, 5});
    selection.Add(CellRect{120, 120, 120, 120});
    selection.FillSoil();
    selection.Erase();
    selection.FillRoad();
    selection.FillWall();
    EXPECT_EQ(log.journal, (Journal{"FillSoil", "FillSoil", "FillBalk", "FillBalk", "FillRoad", "FillRoad",
                                    "FillWall", "FillWall"}));
    EXPECT_EQ(log.fillSoil.records[0].data, (GridRect{1, 2, 3, 4}));
    EXPECT_EQ(log.fillWall.records[1].data, (GridRect{120, 120, 1, 1}));
    EXPECT_EQ(scene.CellAt(120, 120), CellRoad);  // walls only go on blank cells
}

TEST_F(SceneSelectionTest, ASizeBeyondThirtyTwoBitsSaturatesAndIsRefused)
{
    selection.Add(CellRect{kMin, 0, kMax, 0});
    selection.FillWall();
    ASSERT_EQ(log.fillWall.records.size(), 1u);
    EXPECT_EQ(log.fillWall.records[0].data.w, kMax);
    EXPECT_EQ(scene.CellAt(0, 0), CellSoil);
}

TEST_F(SceneSelectionTest, DeletionsCarryWholeRecordsAndTouchOnlySelectedItems)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, 0xABCDEF, "\xBD\xA8\xD6\xFE"));
    ASSERT_TRUE(scene.PlaceBuild(30, 30, 3, 2, DefaultColour, ""));
    scene.InsertMark(Mark{0, 0, 0, 5});
    scene.InsertMark(Mark{50, 50, 60, 50});
    selection.Add(CellRect{0, 0, 20, 20});

    selection.DeleteRulers();
    selection.DeleteBuildings();
    EXPECT_EQ(log.journal, (Journal{"DelMark", "DelBuild"}));
    EXPECT_EQ(log.delMark.records[0].data, (Mark{0, 0, 0, 5}));
    EXPECT_EQ(log.delBuild.records[0].data, (Build{10, 10, 3, 2, "\xBD\xA8\xD6\xFE", 0xABCDEF}));
    EXPECT_EQ(scene.Builds().size(), 1u);
    EXPECT_EQ(scene.Marks().size(), 1u);
}

TEST_F(SceneSelectionTest, LayOutPreparesAddsEveryRectangleThenStarts)
{
    selection.Add(CellRect{0, 0, 9, 9});
    selection.Add(CellRect{20, 0, 29, 4});
    selection.LayOut();
    EXPECT_EQ(log.journal, (Journal{"PrepareLayRect", "SearchLayRect", "SearchLayRect", "StartLayRect"}));
    EXPECT_EQ(log.searchLay.records[1].data, (GridRect{20, 0, 10, 5}));
    EXPECT_EQ(runner.starts, 1);
}

}  // namespace
