#include "scene/Scene.h"

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
            s.houseArea += area;
        } else if (b.w == 5 && b.h == 4) {
            ++s.factories;
            s.factoryArea += area;
        } else {
            ++s.others;
            s.otherArea += area;
        }
        ColourStat& c = s.perColour[b.colour];
        ++c.count;
        c.area += area;
    }
    return s;
}
