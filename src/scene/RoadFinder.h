#pragma once

#include "msg/MsgTypes.h"
#include "scene/SceneTypes.h"

#include <array>
#include <cstdint>
#include <vector>

class RoadStripLayer;

// Plans the road cells a newly placed building may need. Reads the grid,
// never changes it.
class RoadFinder {
public:
    using Grid = std::array<std::int32_t, GridCells>;

    // What a place outside the grid reads as: no cell value matches it.
    static constexpr std::int32_t OutsideGrid = -1;

    explicit RoadFinder(const Grid* grid) : grid_(grid) {}

    // The road points for the building rectangle (x, y, w, h), in planning order.
    // The rectangle may be absurd (a map file can hold any size): only its
    // part inside the grid is ever looked at.
    std::vector<GridPoint> Plan(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);

    // Right and bottom are exclusive; all -1 when nothing is reserved.
    struct Reserved {
        std::int32_t left = -1, top = -1, right = -1, bottom = -1;

        bool Contains(std::int64_t x, std::int64_t y) const
        {
            return left <= x && x < right && top <= y && y < bottom;
        }
    };
    const Reserved& ReservedRect() const { return reserved_; }

    static std::int32_t CellAt(const Grid& grid, std::int64_t x, std::int64_t y)
    {
        if (!InGrid(x, y))
            return OutsideGrid;
        return grid[static_cast<std::size_t>(x * GridSize + y)];
    }

private:
    std::int32_t Cell(std::int64_t x, std::int64_t y) const { return CellAt(*grid_, x, y); }
    bool IsBuild(std::int64_t x, std::int64_t y) const { return Cell(x, y) == CellBuild; }
    bool PlaceIsAllSoil(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) const;

    void AddShortestRoutes(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                           std::vector<GridPoint>& out) const;
    void PairFactory(std::int64_t x, std::int64_t y, RoadStripLayer& strips);
    bool PairAboveOrBelow(std::int64_t x, std::int64_t y, RoadStripLayer& strips);
    void PairLeftOrRight(std::int64_t x, std::int64_t y, RoadStripLayer& strips);
    void BridgeLongRuns(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                        RoadStripLayer& strips) const;
    std::int64_t BuildRun(std::int64_t x, std::int64_t y, std::int64_t dx, std::int64_t dy) const;
    void Reserve(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    const Grid* grid_;
    Reserved reserved_;
};
