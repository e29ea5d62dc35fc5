#include "scene/Scene.h"

#include <limits>

namespace {

// A map file may bring buildings of any size up to 2^31 × 2^31 cells; two of
// those already pass the range of the sums, which then stop at the nearest
// end instead of wrapping round.
std::int64_t AddClipped(std::int64_t sum, std::int64_t value)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    if (value > 0 && sum > kMax - value)
        return kMax;
    if (value < 0 && sum < kMin - value)
        return kMin;
    return sum + value;
}

}  // namespace

SceneStatistics Scene::ComputeStatistics() const
{
    SceneStatistics s;
    for (const std::int32_t cell : cells_) {
        s.soilCells += cell == CellSoil;
        s.buildCells += cell == CellBuild;
        s.roadCells += cell == CellRoad;
    }
    s.groundCells = s.soilCells + s.buildCells;
    for (const Build& b : builds_) {
        // Sizes come from the file as given; the area is taken from the record.
        const std::int64_t area = std::int64_t{b.w} * b.h;
        if (area == 6) {
            ++s.houses;
            s.houseArea = AddClipped(s.houseArea, area);
        } else if (b.w == 5 && b.h == 4) {
            ++s.factories;
            s.factoryArea = AddClipped(s.factoryArea, area);
        } else {
            ++s.others;
            s.otherArea = AddClipped(s.otherArea, area);
        }
        ColourStat& c = s.perColour[b.colour];
        ++c.count;
        c.area = AddClipped(c.area, area);
    }
    return s;
}
