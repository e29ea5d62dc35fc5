#include "msg/MsgCenter.h"
#include "scene/MapFileReader.h"
#include "scene/Scene.h"
#include "scene/StatisticsText.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// The sums of the areas as exact 128-bit numbers, clipped to 64 bits at the end.
std::int64_t Clip(__int128 sum)
{
    return sum > kMax ? kMax : sum < kMin ? kMin : static_cast<std::int64_t>(sum);
}

bool ClipsAnywhere(const Scene& scene)
{
    __int128 positive = 0;
    __int128 negative = 0;
    for (const Build& b : scene.Builds()) {
        const __int128 area = static_cast<__int128>(b.w) * b.h;
        (area > 0 ? positive : negative) += area;
    }
    return positive > kMax || negative < kMin;
}

// Building lines whose numbers are drawn from the edges of their range, read
// through the map reader: the statistics must count every building once and,
// where nothing clips, match the exact sums. The sanitizer run turns any
// signed overflow on the way into a failure.
class StatisticsFuzzTest : public ::testing::Test {
protected:
    std::string Number()
    {
        static constexpr std::array<std::int64_t, 14> kEdges{0,           1,           2,          3,
                                                             4,           5,           6,          -1,
                                                             2000000000,  -2000000000, 2147483647, -2147483648LL,
                                                             46341,       65536};
        if (random() % 4 == 0)
            return std::to_string(static_cast<std::int32_t>(random()));
        return std::to_string(kEdges[random() % kEdges.size()]);
    }

    std::string MapWithBuildings(int count)
    {
        std::ostringstream text;
        text << "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
        for (int x = 0; x < 250; ++x)
            text << std::string(250, '1') << '\n';
        text << "Builds " << count << '\n';
        for (int i = 0; i < count; ++i) {
            text << "n" << i << ": " << std::hex << (random() % 3) << std::dec << ' ' << Number() << ' ' << Number()
                 << ' ' << Number() << ' ' << Number() << '\n';
        }
        text << "Marks 0\n";
        return text.str();
    }

    Scene scene{MsgCenter::Instance()};
    std::mt19937 random{20261209u};
};

TEST_F(StatisticsFuzzTest, SumsOverReadBuildingsCountEachOnceAndClipInsteadOfWrapping)
{
    int clipped = 0;
    for (int round = 0; round < 150; ++round) {
        const int count = 1 + static_cast<int>(random() % 12);
        std::istringstream in(MapWithBuildings(count));
        std::string errors;
        scene.ClearBuildList();
        ASSERT_TRUE(MapFileReader::Read(in, errors, scene)) << errors;
        const SceneStatistics s = scene.ComputeStatistics();
        ASSERT_EQ(s.houses + s.factories + s.others, static_cast<std::int64_t>(scene.Builds().size()));

        __int128 house = 0, factory = 0, other = 0;
        std::map<ColorRef, __int128> perColour;
        for (const Build& b : scene.Builds()) {
            const __int128 area = static_cast<__int128>(b.w) * b.h;
            (area == 6 ? house : b.w == 5 && b.h == 4 ? factory : other) += area;
            perColour[b.colour] += area;
        }
        std::int64_t colourCount = 0;
        for (const auto& [colour, stat] : s.perColour)
            colourCount += stat.count;
        ASSERT_EQ(colourCount, static_cast<std::int64_t>(scene.Builds().size()));
        ASSERT_FALSE(StatisticsText(s).empty());
        if (ClipsAnywhere(scene)) {
            ++clipped;
            continue;
        }
        ASSERT_EQ(s.houseArea, Clip(house));
        ASSERT_EQ(s.factoryArea, Clip(factory));
        ASSERT_EQ(s.otherArea, Clip(other));
        for (const auto& [colour, area] : perColour)
            ASSERT_EQ(s.perColour.at(colour).area, Clip(area));
    }
    // The rounds must reach the sums that once wrapped round.
    EXPECT_GT(clipped, 0);
}

}  // namespace
