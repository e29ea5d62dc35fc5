// Hand-worked cases for the plain search. The differential test then holds
// the fast search to the same answers on random regions.
#include "search/RandomRegions.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/SimpleLayoutSearch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

using Records = std::vector<LayoutRecord>;

class SimpleLayoutSearchTest : public ::testing::Test {
protected:
    SimpleLayoutSearchTest() { control.stateLimit = 100000; }

    Records Lay(SearchState region, int maxBackLine = 8)
    {
        SimpleLayoutSearch::Run(region, control, maxBackLine);
        return region.placed;
    }

    // The estimate of the region's single component.
    int MinWasteOf(SearchState region)
    {
        Lay(std::move(region));
        return control.minWaste;
    }

    SearchControl control;
};

TEST_F(SimpleLayoutSearchTest, AFactorySizedComponentTakesOneFactoryInGridCoordinates)
{
    SearchState region = RandomRegions::Rectangle(245, 246, 5, 4);
    SimpleLayoutSearch::Run(region, control, 8);

    EXPECT_EQ(region.placed, (Records{{245, 246, 5, 4}}));
    EXPECT_EQ(region.FreeCount(), 0);
    EXPECT_EQ(control.originX, 245);
    EXPECT_EQ(control.originY, 246);
    EXPECT_EQ(control.minWaste, 0);
    EXPECT_FALSE(control.rowScan);
    EXPECT_EQ(control.backCells, 4 * 8);
    EXPECT_EQ(control.wasteSlack, 18);
}

TEST_F(SimpleLayoutSearchTest, ASixByTwoComponentTakesTwoHorizontalHouses)
{
    EXPECT_EQ(Lay(RandomRegions::Rectangle(10, 20, 6, 2)), (Records{{10, 20, 3, 2}, {13, 20, 3, 2}}));
}

TEST_F(SimpleLayoutSearchTest, ATwoByTwoBlockSurvivesPreparationButHoldsNothing)
{
    SearchState region = RandomRegions::Rectangle(30, 30, 2, 2);
    SimpleLayoutSearch::Run(region, control, 8);
    EXPECT_TRUE(region.placed.empty());
    EXPECT_EQ(region.FreeCount(), 0);
}

// A cancel before the run still lets the preparation clear the dead cells,
// which shows exactly what it kept.
TEST_F(SimpleLayoutSearchTest, PreparationClearsEveryCellOutsideAFreeTwoByTwoSquare)
{
    SearchState region = RandomRegions::Rectangle(30, 30, 2, 2);
    RandomRegions::AddRectangle(region, 40, 30, 1, 10);  // strip
    RandomRegions::AddRectangle(region, 50, 30, 4, 4);
    region.SetFree(54, 31, true);  // spur on the square's side
    region.SetFree(54, 34, true);  // touches the square only at a corner
    const SearchState expected = [] {
        SearchState kept = RandomRegions::Rectangle(30, 30, 2, 2);
        RandomRegions::AddRectangle(kept, 50, 30, 4, 4);
        return kept;
    }();

    control.cancel = true;
    SimpleLayoutSearch::Run(region, control, 8);

    EXPECT_TRUE(region.placed.empty());
    EXPECT_EQ(region.free, expected.free);
}

TEST_F(SimpleLayoutSearchTest, TheWasteEstimateCountsPocketsNoShapeCanFillAndRoundsToTheParityOfTheRest)
{
    // 3 × 3: nothing to pocket, but nine cells leave one over.
    EXPECT_EQ(MinWasteOf(RandomRegions::Rectangle(10, 10, 3, 3)), 1);

    // An enclosed hole counts one; the 23 cells left are odd: one more.
    SearchState ring = RandomRegions::Rectangle(10, 10, 5, 5);
    ring.SetFree(12, 12, false);
    EXPECT_EQ(MinWasteOf(ring), 2);

    // A missing box corner pockets the two cells beside it.
    SearchState corner = RandomRegions::Rectangle(10, 10, 4, 4);
    corner.SetFree(10, 10, false);
    EXPECT_EQ(MinWasteOf(corner), 1);

    // A notch in the top edge pockets its three neighbours; 13 left: odd.
    SearchState notch = RandomRegions::Rectangle(10, 10, 5, 3);
    notch.SetFree(12, 10, false);
    EXPECT_EQ(MinWasteOf(notch), 2);

    // The two corner pockets of an L-shaped cut share the cell (11, 11) and
    // count once.
    SearchState cut = RandomRegions::Rectangle(10, 10, 4, 4);
    cut.SetFree(10, 10, false);
    cut.SetFree(11, 10, false);
    cut.SetFree(10, 11, false);
    EXPECT_EQ(MinWasteOf(cut), 1);

    // Two missing cells down the left edge: the corner at (10, 11) opens
    // onto the free diagonal (11, 10), so no pocket.
    SearchState step = RandomRegions::Rectangle(10, 10, 4, 7);
    step.SetFree(10, 10, false);
    step.SetFree(10, 11, false);
    EXPECT_EQ(MinWasteOf(step), 0);

    // A two-cell slot is open beside each of its cells: no pocket.
    SearchState slot = RandomRegions::Rectangle(10, 10, 6, 6);
    slot.SetFree(12, 12, false);
    slot.SetFree(12, 13, false);
    EXPECT_EQ(MinWasteOf(slot), 0);
}

TEST_F(SimpleLayoutSearchTest, EqualStatesKeepTheirOrderSoTheVerticalHouseWinsATie)
{
    // Either house wastes the three cells left in a 3 × 3 square; the
    // vertical one was made first.
    EXPECT_EQ(Lay(RandomRegions::Rectangle(10, 10, 3, 3)), (Records{{10, 10, 2, 3}}));
}

TEST_F(SimpleLayoutSearchTest, AWideComponentIsScannedDownItsColumnsAndASquareAlongItsRows)
{
    // The only tilings without waste; the record order shows the scan.
    EXPECT_EQ(Lay(RandomRegions::Rectangle(10, 10, 6, 4)),
              (Records{{10, 10, 3, 2}, {10, 12, 3, 2}, {13, 10, 3, 2}, {13, 12, 3, 2}}));
    EXPECT_FALSE(control.rowScan);

    EXPECT_EQ(Lay(RandomRegions::Rectangle(10, 10, 6, 6)),
              (Records{{10, 10, 2, 3}, {12, 10, 2, 3}, {14, 10, 2, 3}, {10, 13, 2, 3}, {12, 13, 2, 3}, {14, 13, 2, 3}}));
    EXPECT_TRUE(control.rowScan);
}

TEST_F(SimpleLayoutSearchTest, ComponentsAreTakenInColumnOrderOfTheirFirstCell)
{
    SearchState region = RandomRegions::Rectangle(12, 0, 5, 4);
    RandomRegions::AddRectangle(region, 10, 50, 5, 4);
    EXPECT_EQ(Lay(region), (Records{{10, 50, 5, 4}, {12, 0, 5, 4}}));
}

TEST_F(SimpleLayoutSearchTest, AMissingBoxCornerIsGivenUpAndTheScanGoesOn)
{
    // Box 7 × 4 scanned down its columns; (10, 10) and (11, 10) are not soil.
    SearchState region = RandomRegions::Rectangle(12, 10, 5, 4);
    RandomRegions::AddRectangle(region, 10, 11, 2, 3);
    EXPECT_EQ(Lay(region), (Records{{10, 11, 2, 3}, {12, 10, 5, 4}}));
    EXPECT_EQ(control.minWaste, 0);
}

TEST_F(SimpleLayoutSearchTest, AStopBeforeTheRunFillsEveryComponentGreedily)
{
    // Greedily a 5 × 6 block takes the factory first and then a horizontal
    // house, though five houses would cover it; a 3 × 3 square takes the
    // horizontal house, though the beam prefers the vertical one.
    SearchState region = RandomRegions::Rectangle(0, 0, 3, 3);
    RandomRegions::AddRectangle(region, 10, 0, 5, 6);
    const Records greedy{{0, 0, 3, 2}, {10, 0, 5, 4}, {10, 4, 3, 2}};

    control.stop = true;
    EXPECT_EQ(Lay(region), greedy);

    SearchControl stoppedByCount;
    stoppedByCount.stateLimit = 100000;
    stoppedByCount.stopAfterExpansions = 0;
    SearchState copy = region;
    SimpleLayoutSearch::Run(copy, stoppedByCount, 8);
    EXPECT_EQ(copy.placed, greedy);
    EXPECT_TRUE(stoppedByCount.stop);
}

TEST_F(SimpleLayoutSearchTest, StopAfterExpansionsCountsEveryStateTakenFromTheStore)
{
    // Each 3 × 3 square: take 1 is its start (expanded into the two houses),
    // take 2 its complete vertical house. A stop at a start fills greedily
    // (horizontal house); a complete state taken at the stop is kept.
    SearchState region = RandomRegions::Rectangle(0, 0, 3, 3);
    RandomRegions::AddRectangle(region, 10, 0, 3, 3);
    const LayoutRecord firstVertical{0, 0, 2, 3}, firstHorizontal{0, 0, 3, 2};
    const LayoutRecord secondVertical{10, 0, 2, 3}, secondHorizontal{10, 0, 3, 2};

    const auto layAfter = [&](std::int64_t expansions) {
        SearchControl c;
        c.stateLimit = 100000;
        c.stopAfterExpansions = expansions;
        SearchState copy = region;
        SimpleLayoutSearch::Run(copy, c, 8);
        return copy.placed;
    };
    EXPECT_EQ(layAfter(1), (Records{firstHorizontal, secondHorizontal}));
    EXPECT_EQ(layAfter(2), (Records{firstVertical, secondHorizontal}));
    EXPECT_EQ(layAfter(3), (Records{firstVertical, secondHorizontal}));
    EXPECT_EQ(layAfter(4), (Records{firstVertical, secondVertical}));
    EXPECT_EQ(layAfter(-1), (Records{firstVertical, secondVertical}));
}

TEST_F(SimpleLayoutSearchTest, ACancelBeforeTheRunPlacesNothingAndLeavesTheComponents)
{
    const SearchState region = RandomRegions::Rectangle(10, 10, 6, 6);
    SearchState copy = region;
    control.cancel = true;
    SimpleLayoutSearch::Run(copy, control, 8);
    EXPECT_TRUE(copy.placed.empty());
    EXPECT_EQ(copy.free, region.free);
}

TEST_F(SimpleLayoutSearchTest, ACancelDuringTheSearchDropsTheComponentInHandButKeepsFinishedOnes)
{
    // The block with holes keeps the search busy for millions of states.
    SearchState region = RandomRegions::Rectangle(20, 20, 60, 60);
    RandomRegions::PunchHoles(region, 10, 7);
    RandomRegions::AddRectangle(region, 0, 0, 5, 4);

    std::atomic<bool> finished{false};
    std::thread worker([&] {
        SimpleLayoutSearch::Run(region, control, 8);
        finished = true;
    });
    while (!finished && (control.componentsDone < 1 || control.expansions < 1000))
        std::this_thread::yield();
    control.cancel = true;
    worker.join();

    EXPECT_EQ(region.placed, (Records{{0, 0, 5, 4}}));
}

TEST_F(SimpleLayoutSearchTest, WithoutBackLinesAStateLaggingInScoreIsPrunedAtTheBack)
{
    // 17 cells: rows 0-2 three wide, rows 3-4 four wide shifted by one.
    // Starting with the horizontal house wastes less and goes first; when it
    // has scored 12, the vertical start (6) at the back lags and, with no
    // back lines, is dropped, though it would have won.
    SearchState region = RandomRegions::Rectangle(10, 20, 3, 3);
    RandomRegions::AddRectangle(region, 11, 23, 4, 2);

    EXPECT_EQ(Lay(region, 0), (Records{{10, 20, 3, 2}, {11, 22, 2, 3}}));
    EXPECT_EQ(control.backCells, 0);
    EXPECT_EQ(Lay(region, 8), (Records{{10, 20, 2, 3}, {11, 23, 3, 2}}));
}

TEST_F(SimpleLayoutSearchTest, AStoreLimitedToOneStateEmptiesAndLeavesTheStartsRecords)
{
    // The store is cut while it holds the limit or more: with 1 it is empty
    // after the first expansion and the start, with nothing placed, ends the
    // component. With 2 only the best child survives each step.
    const SearchState region = RandomRegions::Rectangle(10, 10, 5, 4);
    control.stateLimit = 1;
    EXPECT_TRUE(Lay(region).empty());
    control.stateLimit = 2;
    EXPECT_EQ(Lay(region), (Records{{10, 10, 5, 4}}));
}

}  // namespace
