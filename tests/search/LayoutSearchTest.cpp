#include "scene/GridRect.h"
#include "search/ExcessClass.h"
#include "search/LayoutSearch.h"
#include "search/RecordChain.h"
#include "search/ScanBox.h"
#include "search/ScanShape.h"
#include "search/ScanStates.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/StateStore.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ExcessClassTest, AClassBoundsTheWastesInItExactly)
{
    // Pruning trusts the bound instead of reading the state: a waste above
    // it would keep a state that must go.
    for (int minWaste = 0; minWaste <= 12; ++minWaste) {
        for (int waste = 0; waste <= 60; ++waste) {
            const int excessClass = excess_class::Of(waste, minWaste);
            ASSERT_LE(waste, excess_class::MostWaste(excessClass, minWaste)) << waste << " over " << minWaste;
            ASSERT_EQ(excess_class::Of(excess_class::MostWaste(excessClass, minWaste), minWaste), excessClass);
        }
    }
}

TEST(RecordChainTest, BranchesShareTheirCommonPart)
{
    RecordChain chain;
    RecordChain::NodeId a = chain.Push(RecordChain::kEmpty, {1, 1, 3, 2});
    a = chain.Push(a, {4, 1, 3, 2});
    const RecordChain::NodeId b = chain.Push(a, {7, 1, 2, 3});
    const RecordChain::NodeId c = chain.Push(a, {7, 1, 5, 4});
    EXPECT_EQ(chain.Nodes(), 4u);
    std::vector<LayoutRecord> out;
    chain.AppendTo(b, out);
    chain.AppendTo(c, out);
    EXPECT_EQ(out, (std::vector<LayoutRecord>{{1, 1, 3, 2}, {4, 1, 3, 2}, {7, 1, 2, 3}, {1, 1, 3, 2}, {4, 1, 3, 2},
                                              {7, 1, 5, 4}}));
}

TEST(RecordChainTest, CollectKeepsWhatTheRootsReachAndRenumbersThem)
{
    RecordChain chain;
    chain.Push(RecordChain::kEmpty, {0, 0, 5, 4});  // a list nobody holds any more
    RecordChain::NodeId a = chain.Push(RecordChain::kEmpty, {1, 1, 3, 2});
    chain.Push(a, {2, 2, 2, 3});  // nobody holds this branch any more
    RecordChain::NodeId b = chain.Push(a, {4, 1, 3, 2});
    b = chain.Push(b, {7, 1, 2, 3});
    RecordChain::NodeId none = RecordChain::kEmpty;
    int visits = 0;
    chain.Collect([&](const auto& visit) {
        ++visits;
        visit(a);
        visit(b);
        visit(none);
    });
    EXPECT_EQ(visits, 2);
    EXPECT_EQ(chain.Nodes(), 3u);
    EXPECT_EQ(none, RecordChain::kEmpty);
    std::vector<LayoutRecord> out;
    chain.AppendTo(a, out);
    EXPECT_EQ(out, (std::vector<LayoutRecord>{{1, 1, 3, 2}}));
    out.clear();
    chain.AppendTo(b, out);
    EXPECT_EQ(out, (std::vector<LayoutRecord>{{1, 1, 3, 2}, {4, 1, 3, 2}, {7, 1, 2, 3}}));
    // New nodes go on after the kept ones.
    EXPECT_EQ(chain.Push(b, {9, 9, 2, 3}), 3u);
}

class StateStoreTest : public ::testing::Test {
protected:
    StateStoreTest() : box(SearchState::Box(4, 4), true), states(box, records, 0, 0), store(300) {}

    ScanStates::StateId Add(int excessClass, int score, int waste = 0)
    {
        const auto id = states.Initial();
        store.Insert(StateQueues::Entry{id, waste, {}}, excessClass, score);
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
    const auto worseClass = Add(1, 100, 7);
    const auto best = Add(0, 12);
    const auto second = Add(0, 6);
    const auto third = Add(0, 6, 3);
    EXPECT_EQ(store.Size(), 5u);
    EXPECT_EQ(store.BackScore(), 100);
    EXPECT_EQ(store.BackWaste(), 7);
    EXPECT_EQ(store.PopBack(), worseClass);
    EXPECT_EQ(store.BackWaste(), 3);
    EXPECT_EQ(store.PopBack(), third);  // the last of equals is the worst
    const auto front = store.PopFront();
    EXPECT_EQ(front.id, best);
    EXPECT_EQ(front.waste, 0);
    EXPECT_EQ(store.PopFront().id, first);
    EXPECT_EQ(store.PopFront().id, second);
    EXPECT_TRUE(store.Empty());
    for (auto id : {first, worseClass, best, second, third})
        states.Release(id);
    EXPECT_EQ(states.Live(), 0u);
}

TEST_F(StateStoreTest, KeepsOrderAcrossPagesClassesAndLongQueues)
{
    // Scores on different pages of 64, classes with gaps between them, and
    // queues longer than one block; the store must give exactly the order of
    // a plain sort that keeps equals in insertion order, from both ends. The
    // second round reuses the pages and classes the first one emptied.
    struct Kept {
        int excessClass;
        int score;
        ScanStates::StateId id;
    };
    for (int round = 0; round < 2; ++round) {
        std::vector<Kept> kept;
        for (int i = 0; i < 400; ++i) {
            const int excessClass = (i * 7 + round) % 3 == 0 ? 0 : (i % 5 == 0 ? 4 : 1);
            const int score = (i * 37) % 5 == 0 ? 63 : (i * 13 + round) % 290;
            kept.push_back({excessClass, score, Add(excessClass, score, i)});
        }
        std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
            return a.excessClass != b.excessClass ? a.excessClass < b.excessClass : a.score > b.score;
        });
        std::size_t front = 0;
        std::size_t back = kept.size();
        for (int step = 0; !store.Empty(); ++step) {
            if (step % 3 == 2) {
                --back;
                ASSERT_EQ(store.BackScore(), kept[back].score);
                ASSERT_EQ(store.PopBack(), kept[back].id) << "back at " << back;
            } else {
                ASSERT_EQ(store.PopFront().id, kept[front].id) << "front at " << front;
                ++front;
            }
        }
        EXPECT_EQ(front, back);
        for (const Kept& k : kept)
            states.Release(k.id);
    }
    EXPECT_EQ(states.Live(), 0u);
}

TEST(ScanStatesTest, AChildCopiesAHeldParentAndTakesOverAParentNoOneElseHolds)
{
    // Two children of one parent: the first leaves the parent to the
    // second holder, the second takes the parent's slot over.
    SearchState free = SearchState::Box(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            free.SetFree(x, y, true);
    }
    const ScanBox box(free, true);
    RecordChain records;
    ScanStates states(box, records, 0, 0);
    const auto parent = states.Initial();
    states.Hold(parent);
    const ScanShape house = ScanShape::Make(2, 2, 4, true);
    CursorPatch patch = states.Patch(parent);
    ASSERT_TRUE(patch.Fits(house));
    const CursorPatch::Placed placed = patch.Place(house);
    CursorPatch first;
    const auto copied = states.TakeChild(parent, house, placed.taken, placed.givenUp, first);
    EXPECT_NE(copied, parent);
    EXPECT_TRUE(states.SoleHolder(parent));
    EXPECT_EQ(states.Live(), 2u);
    CursorPatch second;
    const auto takenOver = states.TakeChild(parent, house, placed.taken, placed.givenUp, second);
    EXPECT_EQ(takenOver, parent);
    EXPECT_EQ(states.Live(), 2u);
    // Both children placed the same house: same cursor, same cells left.
    EXPECT_EQ(states.At(copied).cursorX, 2);
    EXPECT_EQ(states.At(takenOver).cursorX, 2);
    EXPECT_EQ(first.free.words, second.free.words);
    EXPECT_EQ(states.At(copied).score, 4);
    states.Release(copied);
    states.Release(takenOver);
    EXPECT_EQ(states.Live(), 0u);
}

TEST_F(StateStoreTest, AStateLivesUntilItsLastHolderLetsGo)
{
    const auto parent = states.Initial();
    states.Hold(parent);
    states.Hold(parent);
    EXPECT_FALSE(states.SoleHolder(parent));
    const auto copy = states.Initial();
    EXPECT_TRUE(states.SoleHolder(copy));
    states.Release(parent);
    states.Release(parent);
    EXPECT_TRUE(states.SoleHolder(parent));
    EXPECT_EQ(states.Live(), 2u);
    states.Release(parent);
    states.Release(copy);
    EXPECT_EQ(states.Live(), 0u);
}

}  // namespace
