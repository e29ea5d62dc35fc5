#pragma once

#include "msg/MsgTypes.h"
#include "scene/SceneTypes.h"

#include <array>
#include <cstdint>
#include <vector>

// Plans the road cells a newly placed building may need. Reads the grid,
// never changes it.
class RoadFinder {
public:
    using Grid = std::array<std::int32_t, GridCells>;

    explicit RoadFinder(const Grid* grid) : grid_(grid) {}

    // The road points for the building rectangle (x, y, w, h), in planning order.
    std::vector<GridPoint> Plan(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);

    struct Reserved {
        std::int32_t left = -1, top = -1, right = -1, bottom = -1;
    };
    const Reserved& ReservedRect() const { return reserved_; }

private:
    const Grid* grid_;
    Reserved reserved_;
};
