#include "scene/RoadFinder.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

static void PrintTo(const GridPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {

using Points = std::vector<GridPoint>;

// Every expected list below is worked out by hand from the planning rules on
// a small drawn map; the comments give the reasoning.
class RoadFinderTest : public ::testing::Test {
protected:
    std::unique_ptr<RoadFinder::Grid> grid = std::make_unique<RoadFinder::Grid>();
    RoadFinder finder{grid.get()};

    void Set(int x, int y, std::int32_t value) { (*grid)[static_cast<std::size_t>(x * GridSize + y)] = value; }

    void Fill(int x, int y, int w, int h, std::int32_t value)
    {
        for (int i = x; i < x + w; ++i)
            for (int j = y; j < y + h; ++j)
                Set(i, j, value);
    }

    // A soil field with the building's footprint on it.
    void SoilWithBuilding(int x, int y, int w, int h)
    {
        Fill(0, 0, 60, 60, CellSoil);
        Fill(x, y, w, h, CellBuild);
    }

    static void ExpectUnset(const RoadFinder::Reserved& r)
    {
        EXPECT_EQ(r.left, -1);
        EXPECT_EQ(r.top, -1);
        EXPECT_EQ(r.right, -1);
        EXPECT_EQ(r.bottom, -1);
    }
    static void ExpectReserved(const RoadFinder::Reserved& r, int left, int top, int right, int bottom)
    {
        EXPECT_EQ(r.left, left);
        EXPECT_EQ(r.top, top);
        EXPECT_EQ(r.right, right);
        EXPECT_EQ(r.bottom, bottom);
    }
};

// ---- shortest route to a road ----

TEST_F(RoadFinderTest, HouseTwoCellsFromARoadGetsTheCellsInFrontOfEachNearestFootprintCell)
{
    SoilWithBuilding(10, 10, 3, 2);
    Fill(0, 14, 60, 1, CellRoad);
    // The road cells below columns 10..12 are met at level 3, in the order
    // their columns were reached.
    EXPECT_EQ(finder.Plan(10, 10, 3, 2), (Points{{10, 12}, {10, 13}, {11, 12}, {11, 13}, {12, 12}, {12, 13}}));
}

TEST_F(RoadFinderTest, BuildingTouchingARoadGetsNothingFromTheRouteSearch)
{
    SoilWithBuilding(10, 10, 3, 2);
    Fill(0, 12, 60, 1, CellRoad);
    EXPECT_TRUE(finder.Plan(10, 10, 3, 2).empty());
}

TEST_F(RoadFinderTest, EquallyShortRoutesAreMergedIntoTheRoadCellsRoute)
{
    // From (10,10) to the road at (11,12) there are three routes of three
    // steps. The first to reach (11,12) comes over (10,11),(10,12); the one
    // over (11,11) joins it, and (11,11) itself already carries both routes
    // that reached it: over (10,11) and over (11,10).
    SoilWithBuilding(10, 10, 1, 1);
    Set(11, 12, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 1, 1), (Points{{10, 11}, {10, 12}, {10, 11}, {11, 10}, {11, 11}}));

    // Two routes of two steps meet at (11,11): both middle cells are planned.
    Set(11, 12, CellSoil);
    Set(11, 11, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 1, 1), (Points{{10, 11}, {11, 10}}));
}

TEST_F(RoadFinderTest, RoadsAreLookedForUpToFourteenStepsAway)
{
    // A one-cell corridor leading right from the building.
    Set(10, 10, CellBuild);
    Fill(11, 10, 14, 1, CellSoil);
    Set(24, 10, CellRoad);
    Points thirteen;
    for (int i = 11; i <= 23; ++i)
        thirteen.push_back({i, 10});
    EXPECT_EQ(finder.Plan(10, 10, 1, 1), thirteen);

    Set(24, 10, CellSoil);
    Set(25, 10, CellRoad);
    EXPECT_TRUE(finder.Plan(10, 10, 1, 1).empty());
}

TEST_F(RoadFinderTest, OnlySoilAndRoadCarryARoute)
{
    SoilWithBuilding(10, 10, 1, 1);
    Set(10, 11, CellWall);
    Set(10, 12, CellRoad);
    Set(9, 11, CellBalk);
    // Around the wall: (11,10),(11,11),(11,12) then the road at (10,12).
    EXPECT_EQ(finder.Plan(10, 10, 1, 1), (Points{{11, 10}, {11, 11}, {11, 12}}));
}

TEST_F(RoadFinderTest, ARectangleOverARoadStopsTheSearchAtOnce)
{
    // A refused placement over a road is still planned: its own road cell ends the search.
    Fill(0, 0, 60, 60, CellSoil);
    Set(11, 10, CellRoad);
    Set(10, 12, CellRoad);
    EXPECT_TRUE(finder.Plan(10, 10, 2, 1).empty());
}

// ---- factory pairing ----

TEST_F(RoadFinderTest, FactoryBesideBuildingsKeepsThePlaceBelowAndRoadsBothEnds)
{
    SoilWithBuilding(20, 20, 5, 4);
    // Every row 19..24 has a building somewhere in columns 15..19, not adjacent.
    Fill(17, 19, 1, 6, CellBuild);
    const Points planned = finder.Plan(20, 20, 5, 4);
    ExpectReserved(finder.ReservedRect(), 20, 24, 25, 28);
    EXPECT_EQ(planned, (Points{{20, 18}, {20, 19}, {21, 18}, {21, 19}, {22, 18}, {22, 19}, {23, 18}, {23, 19},
                               {24, 18}, {24, 19}, {20, 28}, {20, 29}, {21, 28}, {21, 29}, {22, 28}, {22, 29},
                               {23, 28}, {23, 29}, {24, 28}, {24, 29}}));

    // The next planning starts without a reservation.
    SoilWithBuilding(40, 40, 1, 1);
    finder.Plan(40, 40, 1, 1);
    ExpectUnset(finder.ReservedRect());
}

TEST_F(RoadFinderTest, ABuildingColumnDirectlyRightAlsoPairsBelow)
{
    SoilWithBuilding(20, 20, 5, 4);
    Fill(25, 19, 1, 6, CellBuild);
    finder.Plan(20, 20, 5, 4);
    ExpectReserved(finder.ReservedRect(), 20, 24, 25, 28);
}

TEST_F(RoadFinderTest, FactoryPairsAboveWhenBelowIsNotTakenWhateverTheTest)
{
    const Points above{{20, 14}, {20, 15}, {21, 14}, {21, 15}, {22, 14}, {22, 15}, {23, 14}, {23, 15},
                       {24, 14}, {24, 15}, {20, 24}, {20, 25}, {21, 24}, {21, 25}, {22, 24}, {22, 25},
                       {23, 24}, {23, 25}, {24, 24}, {24, 25}};

    // No buildings beside: the test fails, the place above is still kept.
    SoilWithBuilding(20, 20, 5, 4);
    EXPECT_EQ(finder.Plan(20, 20, 5, 4), above);
    ExpectReserved(finder.ReservedRect(), 20, 16, 25, 20);

    // Buildings beside, but the place below is not all soil.
    Fill(17, 19, 1, 6, CellBuild);
    Set(22, 27, CellWall);
    EXPECT_EQ(finder.Plan(20, 20, 5, 4), above);
    ExpectReserved(finder.ReservedRect(), 20, 16, 25, 20);
}

TEST_F(RoadFinderTest, FactoryPairsRightOrElseLeftWhenAboveAndBelowAreTaken)
{
    SoilWithBuilding(20, 20, 5, 4);
    // Every column 19..25 has a building in rows 24..28 (this also takes the
    // place below); a wall takes the place above.
    Fill(19, 27, 7, 1, CellBuild);
    Set(22, 17, CellWall);
    EXPECT_EQ(finder.Plan(20, 20, 5, 4),
              (Points{{18, 20}, {19, 20}, {18, 21}, {19, 21}, {18, 22}, {19, 22}, {18, 23}, {19, 23},
                      {30, 20}, {31, 20}, {30, 21}, {31, 21}, {30, 22}, {31, 22}, {30, 23}, {31, 23}}));
    ExpectReserved(finder.ReservedRect(), 25, 20, 30, 24);

    // The place to the right is taken too: the one to the left is kept.
    Set(27, 21, CellWall);
    EXPECT_EQ(finder.Plan(20, 20, 5, 4),
              (Points{{13, 20}, {14, 20}, {13, 21}, {14, 21}, {13, 22}, {14, 22}, {13, 23}, {14, 23},
                      {25, 20}, {26, 20}, {25, 21}, {26, 21}, {25, 22}, {26, 22}, {25, 23}, {26, 23}}));
    ExpectReserved(finder.ReservedRect(), 15, 20, 20, 24);

    // Without any free place nothing is reserved.
    Set(17, 22, CellWall);
    EXPECT_TRUE(finder.Plan(20, 20, 5, 4).empty());
    ExpectUnset(finder.ReservedRect());
}

TEST_F(RoadFinderTest, OnlyAFiveByFourBuildingIsPaired)
{
    SoilWithBuilding(20, 20, 4, 5);
    EXPECT_TRUE(finder.Plan(20, 20, 4, 5).empty());
    ExpectUnset(finder.ReservedRect());
}

// ---- long runs of buildings ----

TEST_F(RoadFinderTest, AColumnOfFiveOrMoreBuildingCellsGetsRoadAtBothEnds)
{
    // A 2 x 3 house under two building cells: a run of 5 in column 10.
    SoilWithBuilding(10, 10, 2, 3);
    Fill(10, 8, 1, 2, CellBuild);
    EXPECT_EQ(finder.Plan(10, 10, 2, 3), (Points{{10, 6}, {10, 7}, {10, 13}, {10, 14}}));
}

TEST_F(RoadFinderTest, ARowOfFiveOrMoreBuildingCellsGetsRoadAtBothEnds)
{
    // A 3 x 2 house right of three building cells: a run of 6 in row 10.
    SoilWithBuilding(10, 10, 3, 2);
    Fill(7, 10, 3, 1, CellBuild);
    EXPECT_EQ(finder.Plan(10, 10, 3, 2), (Points{{5, 10}, {6, 10}, {13, 10}, {14, 10}}));
}

TEST_F(RoadFinderTest, ARunOfExactlyFiveAcrossATwoDeepBuildingNeedsNoRoad)
{
    SoilWithBuilding(10, 10, 3, 2);
    Fill(10, 7, 1, 3, CellBuild);  // 3 above + 2
    EXPECT_TRUE(finder.Plan(10, 10, 3, 2).empty());

    SoilWithBuilding(10, 10, 2, 3);
    Fill(7, 10, 3, 1, CellBuild);  // 3 left + 2
    EXPECT_TRUE(finder.Plan(10, 10, 2, 3).empty());

    // A long building alone is no run.
    SoilWithBuilding(10, 10, 6, 1);
    EXPECT_TRUE(finder.Plan(10, 10, 6, 1).empty());
}

TEST_F(RoadFinderTest, ARoadStripIsNotLaidIntoTheReservedPlace)
{
    SoilWithBuilding(20, 20, 5, 4);
    Fill(17, 19, 1, 6, CellBuild);  // pairs below: rows 24..27 reserved
    Fill(22, 16, 1, 4, CellBuild);  // a run of 8 in column 22
    // The pairing strip above skips column 22 (building); the run's strip
    // below would lie in the reserved place and is dropped.
    EXPECT_EQ(finder.Plan(20, 20, 5, 4),
              (Points{{20, 18}, {20, 19}, {21, 18}, {21, 19}, {23, 18}, {23, 19}, {24, 18}, {24, 19},
                      {20, 28}, {20, 29}, {21, 28}, {21, 29}, {22, 28}, {22, 29}, {23, 28}, {23, 29},
                      {24, 28}, {24, 29}, {22, 14}, {22, 15}}));
}

// ---- widening ----

class RoadWideningTest : public RoadFinderTest {
protected:
    // A 2 x 3 house at (10,10) over two building cells: strips at rows 6/7
    // and 13/14 of column 10. A wall row keeps the route search away from
    // the road drawn above.
    void SetUp() override
    {
        SoilWithBuilding(10, 10, 2, 3);
        Fill(10, 8, 1, 2, CellBuild);
        Fill(0, 9, 60, 1, CellWall);
        Set(10, 9, CellBuild);
    }
};

TEST_F(RoadWideningTest, ARoadAlongsideWidensTheStripTwoPairsEachWay)
{
    Fill(0, 5, 60, 1, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 2, 3), (Points{{10, 6}, {10, 7}, {9, 6}, {9, 7}, {8, 6}, {8, 7}, {11, 6}, {11, 7},
                                                 {12, 6}, {12, 7}, {10, 13}, {10, 14}}));
}

TEST_F(RoadWideningTest, TheSecondStepIsTriedOnlyWhenTheFirstWidened)
{
    Set(8, 5, CellRoad);
    Set(12, 5, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 2, 3), (Points{{10, 6}, {10, 7}, {10, 13}, {10, 14}}));
}

TEST_F(RoadWideningTest, ARoadBeyondTheLowerCellAddsTheLowerCellFirst)
{
    // Move the run below the house: strips at rows 8/9 and 15/16; the wall
    // row 13 keeps the route search from the road at row 17.
    Fill(0, 0, 60, 60, CellSoil);
    Fill(10, 10, 2, 3, CellBuild);
    Fill(0, 13, 60, 1, CellWall);
    Fill(10, 13, 1, 2, CellBuild);
    Fill(0, 17, 60, 1, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 2, 3), (Points{{10, 8}, {10, 9}, {10, 15}, {10, 16}, {9, 16}, {9, 15}, {8, 16},
                                                 {8, 15}, {11, 16}, {11, 15}, {12, 16}, {12, 15}}));
}

TEST_F(RoadWideningTest, CellsPlannedByTheRouteSearchCountAsRoadForWidening)
{
    // Open column 11 and put one road cell at its top: the route search
    // plans (11,9)..(11,6). Widening at column 11 then fires from both
    // sides: the road above and the planned (11,8) below.
    Fill(0, 9, 60, 1, CellSoil);
    Set(10, 9, CellBuild);
    Set(11, 5, CellRoad);
    EXPECT_EQ(finder.Plan(10, 10, 2, 3),
              (Points{{11, 9}, {11, 8}, {11, 7}, {11, 6}, {10, 6}, {10, 7}, {11, 6}, {11, 7}, {11, 7}, {11, 6},
                      {10, 13}, {10, 14}}));
}

// ---- rectangles a map file can bring ----

TEST_F(RoadFinderTest, AbsurdRectanglesAreClippedToTheGrid)
{
    Fill(0, 0, GridSize, GridSize, CellSoil);
    Set(100, 100, CellRoad);
    EXPECT_TRUE(finder.Plan(0, 0, 2000000000, 2000000000).empty());
    EXPECT_TRUE(finder.Plan(INT_MIN, INT_MIN, INT_MAX, INT_MAX).empty());
    EXPECT_TRUE(finder.Plan(INT_MAX, INT_MAX, INT_MAX, INT_MAX).empty());
    EXPECT_TRUE(finder.Plan(10, 10, -5, -5).empty());
    EXPECT_TRUE(finder.Plan(INT_MAX - 2, 10, 5, 4).empty());
    EXPECT_TRUE(finder.Plan(10, INT_MIN, 5, 4).empty());
    ExpectUnset(finder.ReservedRect());

    // Partly outside: only the cells in columns 0 and 1 start the search.
    Fill(0, 0, GridSize, GridSize, CellBalk);
    Fill(0, 8, 6, 8, CellSoil);
    Set(0, 13, CellRoad);
    EXPECT_EQ(finder.Plan(-3, 10, 5, 2), (Points{{0, 12}}));
}

TEST_F(RoadFinderTest, AHugeHeightStillBridgesARunAndNeverLeavesTheGrid)
{
    Fill(0, 0, 20, GridSize, CellSoil);
    Fill(10, 3, 1, 2, CellBuild);
    // The run has length 2 + h; its lower end lies far outside the grid.
    EXPECT_EQ(finder.Plan(10, 5, 1, 2000000000), (Points{{10, 1}, {10, 2}}));
    EXPECT_EQ(finder.Plan(10, 5, 1, INT_MAX), (Points{{10, 1}, {10, 2}}));
}

TEST_F(RoadFinderTest, RunsAtTheGridEdgeStopThere)
{
    // A 1 x 2 building in the top-left corner over four building cells,
    // walled in on the right. The run's upper strip would lie above row 0
    // and is dropped; the lower one widens to the right only, column -1
    // being outside.
    Fill(0, 0, 20, 20, CellSoil);
    Fill(0, 0, 1, 6, CellBuild);
    Fill(1, 0, 1, 6, CellWall);
    Fill(0, 8, 6, 1, CellRoad);
    EXPECT_EQ(finder.Plan(0, 0, 1, 2), (Points{{0, 6}, {0, 7}, {1, 7}, {1, 6}, {2, 7}, {2, 6}}));
}

}  // namespace
