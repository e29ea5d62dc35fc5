// The optimised layout mode: every layout valid, every bound a true lower
// bound, tiny regions solved to the exhaustive optimum, runs repeatable on one
// thread, and the stop and cancel of the real worker thread.
#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "search/RandomRegions.h"
#include "search/SearchControl.h"
#include "search/SearchDriver.h"
#include "search/SearchState.h"
#include "search/optimised/OptimisedLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <utility>
#include <vector>

namespace {

OptimiseSettings OneThread(std::int64_t work, std::uint32_t seed = 1)
{
    OptimiseSettings settings;
    settings.threads = 1;
    settings.work = work;
    settings.seed = seed;
    return settings;
}

struct Checked {
    int uncovered = 0;
    int score = 0;
};

// Fails the test unless the records form a valid layout of `region`: the
// three footprints, on region cells only, no overlap, inside the grid's
// building bounds. Returns the uncovered cells and the score.
Checked CheckLayout(const SearchState& region, const std::vector<LayoutRecord>& records)
{
    std::vector<bool> taken(static_cast<std::size_t>(GridCells), false);
    Checked result{region.FreeCount(), 0};
    for (const LayoutRecord& r : records) {
        const bool factory = r.w == 5 && r.h == 4;
        EXPECT_TRUE(factory || (r.w == 2 && r.h == 3) || (r.w == 3 && r.h == 2)) << int(r.w) << "x" << int(r.h);
        EXPECT_LT(r.x + r.w, GridSize);
        EXPECT_LT(r.y + r.h, GridSize);
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                EXPECT_TRUE(region.IsFree(x, y)) << "building on (" << x << ", " << y << ") off the region";
                EXPECT_FALSE(taken[static_cast<std::size_t>(x + y * GridSize)]) << "overlap at " << x << ", " << y;
                taken[static_cast<std::size_t>(x + y * GridSize)] = true;
            }
        }
        result.uncovered -= r.w * r.h;
        result.score += factory ? 21 : 6;
    }
    return result;
}

// Best (fewest uncovered, then highest score) by trying everything: the first
// undecided cell in reading order is either given up or the top-left corner
// of a building.
class Exhaustive {
public:
    explicit Exhaustive(const SearchState& region) : region_(region), taken_(GridCells, false) {}

    std::pair<int, int> Best()
    {
        cells_.clear();
        for (int y = 0; y < GridSize - 1; ++y) {
            for (int x = 0; x < GridSize - 1; ++x) {
                if (region_.IsFree(x, y))
                    cells_.push_back(x + y * GridSize);
            }
        }
        // Cells of the last column and row can never be covered.
        const int edge = region_.FreeCount() - static_cast<int>(cells_.size());
        const auto [uncovered, score] = Search(0);
        return {uncovered + edge, score};
    }

private:
    std::pair<int, int> Search(std::size_t at)
    {
        while (at < cells_.size() && taken_[static_cast<std::size_t>(cells_[at])])
            ++at;
        if (at == cells_.size())
            return {0, 0};
        const int cell = cells_[at];
        taken_[static_cast<std::size_t>(cell)] = true;
        auto [uncovered, score] = Search(at + 1);
        ++uncovered;
        taken_[static_cast<std::size_t>(cell)] = false;
        static constexpr int kShapes[3][3] = {{5, 4, 21}, {2, 3, 6}, {3, 2, 6}};
        for (const auto& s : kShapes) {
            if (!Fits(cell, s[0], s[1]))
                continue;
            Mark(cell, s[0], s[1], true);
            auto [u, sc] = Search(at + 1);
            sc += s[2];
            Mark(cell, s[0], s[1], false);
            if (u < uncovered || (u == uncovered && sc > score))
                std::tie(uncovered, score) = std::tie(u, sc);
        }
        return {uncovered, score};
    }
    bool Fits(int cell, int w, int h) const
    {
        const int x0 = cell % GridSize, y0 = cell / GridSize;
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                if (x >= GridSize - 1 || y >= GridSize - 1 || !region_.IsFree(x, y) ||
                    taken_[static_cast<std::size_t>(x + y * GridSize)])
                    return false;
            }
        }
        return true;
    }
    void Mark(int cell, int w, int h, bool value)
    {
        for (int y = cell / GridSize; y < cell / GridSize + h; ++y) {
            for (int x = cell % GridSize; x < cell % GridSize + w; ++x)
                taken_[static_cast<std::size_t>(x + y * GridSize)] = value;
        }
    }

    const SearchState& region_;
    std::vector<bool> taken_;
    std::vector<int> cells_;
};

}  // namespace

TEST(OptimisedLayoutTest, EveryLayoutIsValidAndNeverBeatsItsBound)
{
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(seed);
        const SearchState map = RandomRegions::Random(seed, seed % 3 == 0 ? 60 : 30);
        SearchState region = map;
        SearchControl control;
        // Now and then two searches at once on the same layout.
        OptimiseSettings settings = OneThread(8, seed);
        settings.threads = seed % 4 == 0 ? 2 : 1;
        const OptimisedLayout::Outcome outcome = OptimisedLayout::Run(region, control, settings);
        const Checked checked = CheckLayout(map, region.placed);
        EXPECT_EQ(outcome.uncovered, checked.uncovered);
        EXPECT_LE(outcome.bound, outcome.uncovered);
        EXPECT_GE(outcome.bound, 0);
        EXPECT_EQ(control.optimisedUncovered, outcome.uncovered);
        EXPECT_EQ(control.optimisedBound, outcome.bound);
    }
}

TEST(OptimisedLayoutTest, TwoSearchesSharingLargeLandWithHolesKeepItValid)
{
    // One component of 9,600 cells: both threads change the same layout, and
    // the first layout packs it in blocks.
    for (const int holes : {0, 12}) {
        SCOPED_TRACE(holes);
        SearchState map = RandomRegions::Rectangle(40, 30, 120, 80);
        RandomRegions::PunchHoles(map, holes, 3);
        SearchState region = map;
        SearchControl control;
        OptimiseSettings settings = OneThread(40, 2);
        settings.threads = 2;
        const OptimisedLayout::Outcome outcome = OptimisedLayout::Run(region, control, settings);
        const Checked checked = CheckLayout(map, region.placed);
        EXPECT_EQ(outcome.uncovered, checked.uncovered);
        EXPECT_LE(outcome.bound, outcome.uncovered);
        if (holes == 0) {
            // Open land is all factories but the edge the lattice leaves.
            EXPECT_EQ(outcome.uncovered, 0);
            EXPECT_GE(checked.score, 9600 / 20 * 21 - 4 * 21);
        }
    }
}

TEST(OptimisedLayoutTest, HolesFarApartOnOpenLandAreCoveredTogether)
{
    // Two one-cell holes of either colour, 115 steps apart: too far to free
    // both at once, so one must travel to the other.
    SearchState map = RandomRegions::Rectangle(40, 40, 150, 60);
    map.SetFree(60, 55, false);
    map.SetFree(150, 80, false);
    SearchState region = map;
    SearchControl control;
    const OptimisedLayout::Outcome outcome = OptimisedLayout::Run(region, control, OneThread(100, 3));
    EXPECT_EQ(CheckLayout(map, region.placed).uncovered, 0);
    EXPECT_EQ(outcome.uncovered, 0);
    EXPECT_EQ(outcome.bound, 0);
}

TEST(OptimisedLayoutTest, TinyRegionsReachTheExhaustiveOptimumAndProveIt)
{
    std::mt19937 dice(7);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Up to 36 cells, at random, some at the grid's far edge.
        SearchState map = RandomRegions::Empty();
        const int x0 = round % 4 == 0 ? GridSize - 6 : 20, y0 = round % 5 == 0 ? GridSize - 6 : 20;
        for (int y = y0; y < y0 + 6; ++y) {
            for (int x = x0; x < x0 + 6; ++x) {
                if (dice() % 5 != 0)
                    map.SetFree(x, y, true);
            }
        }
        SearchState region = map;
        SearchControl control;
        const OptimisedLayout::Outcome outcome = OptimisedLayout::Run(region, control, OneThread(100));
        const Checked checked = CheckLayout(map, region.placed);
        const auto [uncovered, score] = Exhaustive(map).Best();
        EXPECT_EQ(checked.uncovered, uncovered);
        EXPECT_EQ(checked.score, score);
        EXPECT_EQ(outcome.bound, uncovered);
    }
}

TEST(OptimisedLayoutTest, OneThreadWithTheSameSeedAndWorkGivesTheSameLayout)
{
    const SearchState map = RandomRegions::Random(11, 60);
    std::vector<std::vector<LayoutRecord>> layouts;
    for (int run = 0; run < 2; ++run) {
        SearchState region = map;
        SearchControl control;
        OptimisedLayout::Run(region, control, OneThread(20, 5));
        layouts.push_back(region.placed);
    }
    EXPECT_EQ(layouts[0], layouts[1]);
}

namespace {

// The progress dialog's part: ticks the delayed-call queue until the worker's
// end arrives, doing `act` on the first tick.
class OptimisedRunTest : public ::testing::Test {
protected:
    OptimisedRunTest()
    {
        center.Register(this, &OptimisedRunTest::OnRun);
        center.Register(this, &OptimisedRunTest::OnFinished);
        scene.SetLayoutRunner(&driver);
        OptimiseSettings settings;
        settings.timeLimit = std::chrono::minutes(10);
        driver.OverrideMode(settings);
    }
    ~OptimisedRunTest() override
    {
        scene.SetLayoutRunner(nullptr);
        center.Unregister(this, &OptimisedRunTest::OnRun);
        center.Unregister(this, &OptimisedRunTest::OnFinished);
    }
    void OnRun(const SearchInfoDoModle_Msg* msg)
    {
        started = std::chrono::steady_clock::now();
        for (int tick = 0; !finished; ++tick) {
            if (tick == 5)
                act();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            center.Send(Timer_Msg<200>{200, 0});
        }
        msg->ok = !control.cancel;
    }
    void OnFinished(const BuildSearchFinished_Msg*) { finished = true; }

    MsgCenter& center = MsgCenter::Instance();
    SearchControl& control = SearchControl::Instance();
    Scene scene{center};
    SearchDriver driver{center, control};
    std::function<void()> act;
    bool finished = false;
    std::chrono::steady_clock::time_point started;
};

}  // namespace

TEST_F(OptimisedRunTest, StopKeepsTheBestLayoutAndCancelKeepsNothing)
{
    // An irregular field that a ten-minute limit would not finish.
    const SearchState field = RandomRegions::Random(3, 120);
    for (int y = 0; y < GridSize; ++y) {
        for (int x = 0; x < GridSize; ++x) {
            if (field.IsFree(x, y))
                center.Send(FillSoil_CMD(GridRect{x, y, 1, 1}));
        }
    }
    const int soil = scene.ComputeStatistics().soilCells;

    act = [&] { control.cancel = true; };
    center.Send(SearchLayMap_CMD{});
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_EQ(scene.ComputeStatistics().soilCells, soil);

    finished = false;
    act = [&] { control.stop = true; };
    center.Send(SearchLayMap_CMD{});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::minutes(5));
    const SceneStatistics stats = scene.ComputeStatistics();
    EXPECT_EQ(stats.soilCells, control.optimisedUncovered);
    EXPECT_LE(control.optimisedBound, control.optimisedUncovered);
    EXPECT_FALSE(scene.Builds().empty());
}
