#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

class SceneTest : public ::testing::Test {
protected:
    std::unique_ptr<Scene> scene = std::make_unique<Scene>(MsgCenter::Instance());

    int CountCells(std::int32_t value) const
    {
        int n = 0;
        for (const std::int32_t cell : scene->Cells())
            n += cell == value;
        return n;
    }

    void Soil() { ASSERT_TRUE(scene->FillRect(0, 0, 249, 249, CellSoil, CellAny)); }
};

TEST_F(SceneTest, ANewSceneIsBlankAndEmpty)
{
    EXPECT_EQ(CountCells(CellBalk), GridCells);
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_TRUE(scene->Marks().empty());
    EXPECT_TRUE(scene->RegionSelection().none());
}

TEST_F(SceneTest, TheGridIsStoredColumnByColumn)
{
    scene->LoadCell(3, 7, CellWall);
    EXPECT_EQ(scene->Cells()[3 * 250 + 7], CellWall);
    EXPECT_EQ(scene->CellAt(3, 7), CellWall);
    EXPECT_EQ(scene->CellAt(7, 3), CellBalk);
}

TEST_F(SceneTest, RectanglesMustStayClearOfColumnAndRow249)
{
    EXPECT_TRUE(scene->FillRect(0, 0, 249, 249, CellSoil, CellBalk));
    EXPECT_EQ(CountCells(CellSoil), 249 * 249);
    EXPECT_EQ(scene->CellAt(248, 248), CellSoil);
    EXPECT_EQ(scene->CellAt(249, 0), CellBalk);

    // Reaching column or row 249 refuses the whole rectangle, cells inside the grid included.
    EXPECT_FALSE(scene->FillRect(1, 0, 249, 1, CellRoad, CellAny));
    EXPECT_FALSE(scene->FillRect(0, 1, 1, 249, CellRoad, CellAny));
    EXPECT_FALSE(scene->ReplaceRect(240, 0, 10, 5, CellRoad, CellSoil, CellSoil, CellSoil, CellSoil));
    EXPECT_FALSE(scene->FillRect(-1, 0, 5, 5, CellRoad, CellAny));
    EXPECT_FALSE(scene->FillRect(0, -1, 5, 5, CellRoad, CellAny));
    EXPECT_FALSE(scene->FillRect(10, 10, INT_MAX, 1, CellRoad, CellAny));
    EXPECT_FALSE(scene->FillRect(10, 10, 1, INT_MAX, CellRoad, CellAny));
    EXPECT_FALSE(scene->FillRect(250, 0, 0, 0, CellRoad, CellAny));
    EXPECT_EQ(CountCells(CellRoad), 0);
    EXPECT_FALSE(scene->RectAll(240, 0, 10, 1, CellSoil));
    EXPECT_FALSE(scene->RectAny(240, 0, 10, 1, CellSoil));

    // An empty rectangle inside the bounds is accepted and covers nothing.
    EXPECT_TRUE(scene->FillRect(249, 249, 0, 0, CellRoad, CellAny));
    EXPECT_TRUE(scene->FillRect(10, 10, -3, 4, CellRoad, CellAny));
    EXPECT_EQ(CountCells(CellRoad), 0);
    EXPECT_TRUE(scene->RectAll(10, 10, 0, 5, CellWall));
    EXPECT_FALSE(scene->RectAny(10, 10, 0, 5, CellSoil));
}

TEST_F(SceneTest, FillsChangeOnlyCellsMatchingTheirKeys)
{
    scene->LoadCell(1, 1, CellSoil);
    scene->LoadCell(2, 1, CellWall);
    scene->LoadCell(3, 1, 7);
    EXPECT_TRUE(scene->FillRect(0, 0, 5, 3, CellRoad, CellBalk));
    EXPECT_EQ(scene->CellAt(0, 0), CellRoad);
    EXPECT_EQ(scene->CellAt(1, 1), CellSoil);
    EXPECT_EQ(scene->CellAt(2, 1), CellWall);
    EXPECT_EQ(scene->CellAt(3, 1), 7);

    EXPECT_TRUE(scene->ReplaceRect(0, 0, 5, 3, CellBalk, CellSoil, CellWall, CellWall, CellWall));
    EXPECT_EQ(scene->CellAt(1, 1), CellBalk);
    EXPECT_EQ(scene->CellAt(2, 1), CellBalk);
    EXPECT_EQ(scene->CellAt(0, 0), CellRoad);

    EXPECT_TRUE(scene->FillRect(0, 0, 5, 3, CellWall, CellAny));
    EXPECT_TRUE(scene->RectAll(0, 0, 5, 3, CellWall));
    EXPECT_FALSE(scene->RectAll(0, 0, 6, 3, CellWall));
    EXPECT_TRUE(scene->RectAny(4, 2, 3, 3, CellWall));
    EXPECT_FALSE(scene->RectAny(5, 0, 3, 3, CellWall));
}

TEST_F(SceneTest, BuildingsArePlacedOnlyOnAllSoilInsideTheBounds)
{
    Soil();
    EXPECT_TRUE(scene->PlaceBuild(0, 0, 3, 2, DefaultColour, ""));
    EXPECT_TRUE(scene->PlaceBuild(246, 10, 3, 2, 0x0000FF, "mill"));
    EXPECT_FALSE(scene->PlaceBuild(247, 20, 3, 2, DefaultColour, ""));
    EXPECT_FALSE(scene->PlaceBuild(1, 1, 2, 2, DefaultColour, ""));  // overlaps the first
    EXPECT_EQ(CountCells(CellBuild), 12);
    ASSERT_EQ(scene->Builds().size(), 2u);
    EXPECT_EQ(scene->Builds()[1], (Build{246, 10, 3, 2, "mill", 0x0000FF}));

    scene->LoadCell(50, 50, CellRoad);
    EXPECT_FALSE(scene->PlaceBuild(49, 49, 2, 2, DefaultColour, ""));
    EXPECT_EQ(scene->CellAt(49, 49), CellSoil);
}

TEST_F(SceneTest, RemovingABuildingGivesBackSoilWhateverItsCellsHeld)
{
    Soil();
    ASSERT_TRUE(scene->PlaceBuild(10, 10, 5, 4, DefaultColour, ""));
    ASSERT_TRUE(scene->PlaceBuild(20, 10, 2, 3, DefaultColour, ""));
    scene->LoadCell(11, 11, 9);
    scene->LoadCell(12, 12, CellWall);

    EXPECT_FALSE(scene->RemoveBuild(11, 10));  // not an origin
    EXPECT_TRUE(scene->RemoveBuild(10, 10));
    EXPECT_TRUE(scene->RectAll(10, 10, 5, 4, CellSoil));
    ASSERT_EQ(scene->Builds().size(), 1u);
    EXPECT_EQ(scene->Builds()[0].x, 20);
    EXPECT_FALSE(scene->RemoveBuild(10, 10));
}

TEST_F(SceneTest, ABuildingFromAFileReachingColumn249LeavesTheListButKeepsItsCells)
{
    scene->AppendLoadedBuild(Build{247, 5, 3, 2, "", DefaultColour});
    for (int x = 247; x < 250; ++x)
        for (int y = 5; y < 7; ++y)
            scene->LoadCell(x, y, CellBuild);
    EXPECT_TRUE(scene->RemoveBuild(247, 5));
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_EQ(CountCells(CellBuild), 6);
}

TEST_F(SceneTest, DuplicateOriginsActOnTheEarlierBuilding)
{
    scene->AppendLoadedBuild(Build{5, 5, 3, 2, "first", 1});
    scene->AppendLoadedBuild(Build{5, 5, 2, 3, "second", 2});

    EXPECT_TRUE(scene->SetBuildName(5, 5, "renamed"));
    EXPECT_TRUE(scene->SetBuildColour(5, 5, 7));
    EXPECT_EQ(scene->Builds()[0].name, "renamed");
    EXPECT_EQ(scene->Builds()[0].colour, 7u);
    EXPECT_EQ(scene->Builds()[1].name, "second");
    EXPECT_EQ(scene->Builds()[1].colour, 2u);
    EXPECT_FALSE(scene->SetBuildName(6, 5, "x"));
    EXPECT_FALSE(scene->SetBuildColour(6, 5, 0));

    EXPECT_TRUE(scene->RemoveBuild(5, 5));
    ASSERT_EQ(scene->Builds().size(), 1u);
    EXPECT_EQ(scene->Builds()[0].name, "second");
}

TEST_F(SceneTest, FindBuildAtGivesTheFirstBuildingCoveringTheCell)
{
    scene->AppendLoadedBuild(Build{10, 10, 3, 2, "a", 1});
    scene->AppendLoadedBuild(Build{11, 11, 2, 2, "b", 2});  // overlaps only in a damaged file
    scene->AppendLoadedBuild(Build{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, "huge", 3});

    ASSERT_NE(scene->FindBuildAt(12, 11), nullptr);
    EXPECT_EQ(scene->FindBuildAt(12, 11)->name, "a");
    EXPECT_EQ(scene->FindBuildAt(12, 12)->name, "b");
    EXPECT_EQ(scene->FindBuildAt(13, 10), nullptr);
    EXPECT_EQ(scene->FindBuildAt(9, 10), nullptr);
    EXPECT_EQ(scene->FindBuildAt(INT_MAX, INT_MAX)->name, "huge");
}

TEST_F(SceneTest, NamesLoseLineBreaksAndTheirColonsBecomeFullWidth)
{
    Soil();
    ASSERT_TRUE(scene->PlaceBuild(0, 0, 1, 1, DefaultColour, "a:b\r\nc\n"));
    EXPECT_EQ(scene->Builds()[0].name, "a\xA3\xBA" "bc");
    EXPECT_TRUE(scene->SetBuildName(0, 0, "\xB3\xC7:\xC7\xBD\r"));  // GB18030 bytes stay whole
    EXPECT_EQ(scene->Builds()[0].name, "\xB3\xC7\xA3\xBA\xC7\xBD");
}

TEST_F(SceneTest, RulersAreKeptInOrderAndErasedOneCopyAtATime)
{
    const Mark a{1, 2, 1, 9};
    const Mark b{3, 3, 8, 3};
    scene->InsertMark(a);
    scene->InsertMark(b);
    scene->InsertMark(a);
    EXPECT_TRUE(scene->EraseMark(a));
    EXPECT_EQ(scene->Marks(), (std::vector<Mark>{b, a}));
    EXPECT_FALSE(scene->EraseMark(Mark{1, 2, 1, 8}));
    scene->ClearMarks();
    EXPECT_TRUE(scene->Marks().empty());
}

TEST_F(SceneTest, ClearBuildsFreesTheFootprintsAndClearAllBlanksEverything)
{
    Soil();
    scene->FillRect(0, 100, 10, 1, CellRoad, CellAny);
    ASSERT_TRUE(scene->PlaceBuild(0, 0, 3, 2, DefaultColour, ""));
    ASSERT_TRUE(scene->PlaceBuild(5, 5, 5, 4, DefaultColour, ""));
    scene->InsertMark(Mark{0, 0, 5, 0});

    scene->ClearBuilds();
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_EQ(CountCells(CellBuild), 0);
    EXPECT_EQ(CountCells(CellSoil), 249 * 249 - 10);
    EXPECT_EQ(CountCells(CellRoad), 10);
    EXPECT_EQ(scene->Marks().size(), 1u);

    ASSERT_TRUE(scene->PlaceBuild(0, 0, 3, 2, DefaultColour, ""));
    scene->ClearAll();
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_TRUE(scene->Marks().empty());
    EXPECT_EQ(CountCells(CellBalk), GridCells);
}

}  // namespace
