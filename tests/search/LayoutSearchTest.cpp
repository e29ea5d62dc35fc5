#include "scene/GridRect.h"
#include "search/LayoutSearch.h"
#include "search/RecordChain.h"
#include "search/ScanBox.h"
#include "search/ScanStates.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/StateStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SearchState RegionWith(std::initializer_list<GridRect> rects)
{
    SearchState region = SearchState::Box(250, 250);
    for (const GridRect& r : rects)
        for (int x = r.x; x < r.x + r.w; ++x)
            for (int y = r.y; y < r.y + r.h; ++y)
                region.SetFree(x, y, true);
    return region;
}

std::vector<LayoutRecord> Search(SearchState region, int backLines = 8, std::int64_t stopAfter = -1)
{
    SearchControl control;
    control.stateLimit = 100000;
    control.stopAfterExpansions = stopAfter;
    LayoutSearch::Run(region, control, backLines);
    return region.placed;
}

TEST(LayoutSearchTest, SmallComponentsGetTheirObviousLayouts)
{
    EXPECT_EQ(Search(RegionWith({{3, 4, 5, 4}})), (std::vector<LayoutRecord>{{3, 4, 5, 4}}));
    EXPECT_EQ(Search(RegionWith({{0, 0, 6, 2}})), (std::vector<LayoutRecord>{{0, 0, 3, 2}, {3, 0, 3, 2}}));
    EXPECT_EQ(Search(RegionWith({{9, 9, 2, 6}})), (std::vector<LayoutRecord>{{9, 9, 2, 3}, {9, 12, 2, 3}}));
    EXPECT_TRUE(Search(RegionWith({{0, 0, 2, 2}})).empty());
    EXPECT_TRUE(Search(RegionWith({{0, 0, 1, 40}, {5, 5, 40, 1}})).empty());
    EXPECT_TRUE(Search(SearchState::Box(250, 250)).empty());
}

TEST(LayoutSearchTest, ComponentsComeInColumnOrderOfTheirFirstCell)
{
    // Components are taken in the order of their first cell, x outer: the
    // lower square starts further left.
    const auto records = Search(RegionWith({{20, 0, 5, 4}, {10, 30, 5, 4}}));
    EXPECT_EQ(records, (std::vector<LayoutRecord>{{10, 30, 5, 4}, {20, 0, 5, 4}}));
}

TEST(LayoutSearchTest, PlacementsStayOnTheRegionWithoutOverlapAndRepeatExactly)
{
    const SearchState region = RegionWith({{0, 0, 37, 23}, {40, 3, 11, 30}, {10, 30, 25, 9}});
    const auto first = Search(region);
    EXPECT_EQ(Search(region), first);
    SearchState taken = SearchState::Box(250, 250);
    int covered = 0;
    for (const LayoutRecord& r : first) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            for (int y = r.y; y < r.y + r.h; ++y) {
                ASSERT_TRUE(region.IsFree(x, y)) << int(r.x) << "," << int(r.y);
                ASSERT_FALSE(taken.IsFree(x, y));
                taken.SetFree(x, y, true);
                ++covered;
            }
        }
    }
    EXPECT_GT(covered, region.FreeCount() * 9 / 10);
}

TEST(LayoutSearchTest, StoppingAfterExpansionsIsReproducibleAndStillCoversTheRegion)
{
    const SearchState region = RegionWith({{0, 0, 61, 59}, {70, 0, 9, 9}});
    const auto stopped = Search(region, 8, 50);
    EXPECT_EQ(Search(region, 8, 50), stopped);
    int covered = 0;
    for (const LayoutRecord& r : stopped)
        covered += r.w * r.h;
    EXPECT_GT(covered, 61 * 59 - 200);
}

TEST(LayoutSearchTest, CancelBeforeTheRunPlacesNothingAndKeepsTheCells)
{
    SearchState region = RegionWith({{0, 0, 30, 30}});
    SearchControl control;
    control.stateLimit = 1000;
    control.cancel = true;
    LayoutSearch::Run(region, control, 8);
    EXPECT_TRUE(region.placed.empty());
    EXPECT_EQ(region.FreeCount(), 900);
}

TEST(RecordChainTest, BranchesShareTheirCommonPartAndFreeWhatNobodyHolds)
{
    RecordChain chain;
    RecordChain::NodeId a = chain.Push(RecordChain::kEmpty, {1, 1, 3, 2});
    a = chain.Push(a, {4, 1, 3, 2});
    chain.Hold(a);  // a second state shares the list
    const RecordChain::NodeId b = chain.Push(a, {7, 1, 2, 3});
    const RecordChain::NodeId c = chain.Push(a, {7, 1, 5, 4});  // takes over a's other hold
    EXPECT_EQ(chain.LiveNodes(), 4u);
    std::vector<LayoutRecord> out;
    chain.AppendTo(b, out);
    EXPECT_EQ(out, (std::vector<LayoutRecord>{{1, 1, 3, 2}, {4, 1, 3, 2}, {7, 1, 2, 3}}));
    chain.Release(b);
    EXPECT_EQ(chain.LiveNodes(), 3u);
    chain.Release(c);
    EXPECT_EQ(chain.LiveNodes(), 0u);
}

class StateStoreTest : public ::testing::Test {
protected:
    StateStoreTest() : box(SearchState::Box(4, 4), true), states(box, records, 0, 0), store(states) {}

    ScanStates::StateId Add(int excessClass, int score)
    {
        const auto id = states.Initial();
        states.At(id).score = score;
        store.Insert(id, excessClass);
        return id;
    }

    ScanBox box;
    RecordChain records;
    ScanStates states;
    StateStore store;
};

TEST_F(StateStoreTest, BestIsLowestClassThenHighestScoreThenFirstInserted)
{
    const auto first = Add(0, 6);
    const auto worseClass = Add(1, 100);
    const auto best = Add(0, 12);
    const auto second = Add(0, 6);
    const auto third = Add(0, 6);
    EXPECT_EQ(store.Size(), 5u);
    EXPECT_EQ(store.Back(), worseClass);
    EXPECT_EQ(store.PopBack(), worseClass);
    EXPECT_EQ(store.PopBack(), third);  // the last of equals is the worst
    EXPECT_EQ(store.PopFront(), best);
    EXPECT_EQ(store.PopFront(), first);
    EXPECT_EQ(store.PopFront(), second);
    EXPECT_TRUE(store.Empty());
    for (auto id : {first, worseClass, best, second, third})
        states.Free(id);
    EXPECT_EQ(states.Live(), 0u);
}

}  // namespace
