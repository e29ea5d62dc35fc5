#include "scene/RoadFinder.h"

std::vector<GridPoint> RoadFinder::Plan(std::int32_t, std::int32_t, std::int32_t, std::int32_t)
{
    reserved_ = Reserved{};
    return {};
}
