#pragma once

#include "scene/SceneTypes.h"
#include "search/LayoutRecord.h"

#include <cstdint>
#include <vector>

// A region for the layout search and the buildings placed in it. The Scene
// keeps one as the working region of a run: the run copies the region
// selection into `region` and leaves its result in `placed`.
struct SearchState {
    std::int32_t width = GridSize;
    std::int32_t height = GridSize;
    RegionBits region;
    std::vector<LayoutRecord> placed;
};
