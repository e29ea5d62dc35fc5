// The fast search and the plain one were written apart from the same
// description; on any region and settings they must leave the same records in
// the same order and the same free cells. A difference is a fault in one of
// them: the failure prints what reproduces it.
#include "scene/SceneTypes.h"
#include "search/LayoutSearch.h"
#include "search/RandomRegions.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/SimpleLayoutSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace {

struct RunSettings {
    int maxBackLine = 8;
    std::int64_t stateLimit = 1000;
    std::int64_t stopAfterExpansions = -1;
    bool cancelled = false;
};

struct Outcome {
    SearchState region;
    // What the run left for its last component.
    int originX = 0;
    int originY = 0;
    int minWaste = 0;
    int backCells = 0;
    int wasteSlack = 0;
    bool rowScan = true;
};

using SearchFunction = void (*)(SearchState&, SearchControl&, int);

Outcome RunSearch(SearchFunction search, const SearchState& region, const RunSettings& settings)
{
    SearchControl control;
    control.stateLimit = settings.stateLimit;
    control.stopAfterExpansions = settings.stopAfterExpansions;
    control.cancel = settings.cancelled;
    Outcome outcome{region};
    search(outcome.region, control, settings.maxBackLine);
    outcome.originX = control.originX;
    outcome.originY = control.originY;
    outcome.minWaste = control.minWaste;
    outcome.backCells = control.backCells;
    outcome.wasteSlack = control.wasteSlack;
    outcome.rowScan = control.rowScan;
    return outcome;
}

std::string Describe(std::uint32_t seed, const RunSettings& s)
{
    std::ostringstream out;
    out << "region RandomRegions::Random(" << seed << "), maxBackLine " << s.maxBackLine << ", stateLimit "
        << s.stateLimit << ", stopAfterExpansions " << s.stopAfterExpansions << ", cancel "
        << (s.cancelled ? "set" : "clear");
    return out.str();
}

std::string DescribeRecord(const SearchState& region, std::size_t index)
{
    if (index >= region.placed.size())
        return "none";
    const LayoutRecord& r = region.placed[index];
    std::ostringstream out;
    out << "(" << int{r.x} << ", " << int{r.y} << ", " << int{r.w} << " x " << int{r.h} << ")";
    return out.str();
}

// Empty when the outcomes agree, else what differs first.
std::string Difference(const Outcome& fast, const Outcome& simple)
{
    std::ostringstream out;
    const auto& a = fast.region.placed;
    const auto& b = simple.region.placed;
    if (a != b) {
        std::size_t i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i])
            ++i;
        out << "records differ at #" << i << ": fast " << DescribeRecord(fast.region, i) << ", simple "
            << DescribeRecord(simple.region, i) << " (fast placed " << a.size() << ", simple " << b.size() << "). ";
    }
    if (fast.region.free != simple.region.free)
        out << "free cells left differ (fast " << fast.region.FreeCount() << ", simple " << simple.region.FreeCount()
            << "). ";
    if (fast.originX != simple.originX || fast.originY != simple.originY)
        out << "last origin differs. ";
    if (fast.minWaste != simple.minWaste)
        out << "last minWaste: fast " << fast.minWaste << ", simple " << simple.minWaste << ". ";
    if (fast.backCells != simple.backCells || fast.wasteSlack != simple.wasteSlack || fast.rowScan != simple.rowScan)
        out << "last backCells/wasteSlack/rowScan differ. ";
    return out.str();
}

// How many regions each test draws; QL_LAYOUT_DIFF_REGIONS raises it for a
// longer soak.
int RegionCount(int normal)
{
    if (const char* text = std::getenv("QL_LAYOUT_DIFF_REGIONS"))
        return std::max(1, std::atoi(text));
    return normal;
}

class LayoutDifferentialTest : public ::testing::Test {
protected:
    // Runs both searches on copies of the seed's region; reports a difference.
    void Compare(std::uint32_t seed, const RunSettings& settings, int maxSide = 40)
    {
        CompareOn(RandomRegions::Random(seed, maxSide), settings, Describe(seed, settings));
    }

    void CompareOn(const SearchState& region, const RunSettings& settings, const std::string& description)
    {
        if (failures_ >= 10)
            return;
        const Outcome fast = RunSearch(&LayoutSearch::Run, region, settings);
        const Outcome simple = RunSearch(&SimpleLayoutSearch::Run, region, settings);
        const std::string difference = Difference(fast, simple);
        if (!difference.empty()) {
            ++failures_;
            ADD_FAILURE() << description << ": " << difference;
        }
    }

    // Settings drawn from the seed, so a failure names everything needed.
    static std::mt19937 SettingsDice(std::uint32_t seed) { return std::mt19937(seed * 2654435761u + 12345u); }

    static std::int64_t SmallStateLimit(std::mt19937& dice)
    {
        // Mostly tiny limits, where pruning by size decides nearly every step.
        switch (dice() % 4) {
        case 0: return 1 + dice() % 4;
        case 1: return 1 + dice() % 50;
        case 2: return 1 + dice() % 500;
        default: return 1 + dice() % 5000;
        }
    }

    // Random rectangles `minSide` to `minSide + sideRange - 1` cells a side
    // with fewer than `maxHoles` one-cell holes, under random settings.
    void CompareHoledRectangles(std::uint32_t firstSeed, int count, int minSide, int sideRange, int maxHoles)
    {
        for (int i = 0; i < count; ++i) {
            const auto seed = static_cast<std::uint32_t>(firstSeed + i);
            std::mt19937 dice = SettingsDice(seed);
            const int w = minSide + static_cast<int>(dice() % static_cast<unsigned>(sideRange));
            const int h = minSide + static_cast<int>(dice() % static_cast<unsigned>(sideRange));
            const int x = static_cast<int>(dice() % static_cast<unsigned>(GridSize - w + 1));
            const int y = static_cast<int>(dice() % static_cast<unsigned>(GridSize - h + 1));
            SearchState region = RandomRegions::Rectangle(x, y, w, h);
            const int holes = static_cast<int>(dice() % static_cast<unsigned>(maxHoles));
            RandomRegions::PunchHoles(region, holes, seed);
            RunSettings settings;
            settings.maxBackLine = static_cast<int>(dice() % 21);
            settings.stateLimit = SmallStateLimit(dice);
            settings.stopAfterExpansions = dice() % 2 == 0 ? 3000 : static_cast<std::int64_t>(dice() % 600);
            std::ostringstream description;
            description << "RandomRegions::Rectangle(" << x << ", " << y << ", " << w << ", " << h
                        << ") with PunchHoles(" << holes << ", " << seed << "), maxBackLine " << settings.maxBackLine
                        << ", stateLimit " << settings.stateLimit << ", stopAfterExpansions "
                        << settings.stopAfterExpansions;
            CompareOn(region, settings, description.str());
        }
    }

private:
    int failures_ = 0;
};

TEST_F(LayoutDifferentialTest, BothSearchesLayOutRandomRegionsAlike)
{
    const int count = RegionCount(2000);
    for (int i = 0; i < count; ++i) {
        const auto seed = static_cast<std::uint32_t>(1000000 + i);
        std::mt19937 dice = SettingsDice(seed);
        RunSettings settings;
        settings.maxBackLine = static_cast<int>(dice() % 21);
        settings.stateLimit = SmallStateLimit(dice);
        // On some irregular regions the search would run for hours; the cap
        // stops those few (about one in thirty) and leaves the rest whole.
        settings.stopAfterExpansions = 5000;
        Compare(seed, settings, i % 4 == 0 ? 40 : 20);
    }
}

TEST_F(LayoutDifferentialTest, BothSearchesFinishAStoppedRunAlike)
{
    const int count = RegionCount(1000);
    for (int i = 0; i < count; ++i) {
        const auto seed = static_cast<std::uint32_t>(2000000 + i);
        std::mt19937 dice = SettingsDice(seed);
        RunSettings settings;
        settings.maxBackLine = static_cast<int>(dice() % 21);
        settings.stateLimit = SmallStateLimit(dice);
        // Zero stops before the first component; small counts stop inside one.
        settings.stopAfterExpansions = dice() % 3 == 0 ? dice() % 4 : dice() % 400;
        Compare(seed, settings, i % 4 == 0 ? 40 : 20);
    }
}

TEST_F(LayoutDifferentialTest, BothSearchesLayOutWideRegionsAlike)
{
    // Components more than 64 cells across both ways: a scan line then takes
    // several words, and a shape can straddle two of them.
    CompareHoledRectangles(4000000, RegionCount(60), 65, 150, 40);
}

TEST_F(LayoutDifferentialTest, BothSearchesLayOutRegionsAroundFortyEightAcrossAlike)
{
    // Components 40 to 64 cells across: scan lines of up to 48 cells keep a
    // state in one cache line, longer ones of one word do not, and a shape
    // can end on the 48th cell.
    CompareHoledRectangles(5000000, RegionCount(120), 40, 25, 30);
}

TEST_F(LayoutDifferentialTest, BothSearchesPrepareTheRegionAlikeBeforeACancel)
{
    const int count = RegionCount(500);
    for (int i = 0; i < count; ++i) {
        RunSettings settings;
        settings.cancelled = true;
        Compare(static_cast<std::uint32_t>(3000000 + i), settings, 40);
    }
}

}  // namespace
