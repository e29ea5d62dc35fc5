#pragma once

#include "scene/RoadFinder.h"

#include <cstdint>
#include <vector>

// Lays two-cell-wide road strips into a list of planned road points. A strip
// runs along one axis and is two cells thick across it; where a laid pair
// meets a road or cells already planned beside it, the strip is widened by up
// to two pairs on either side so the pieces join up.
class RoadStripLayer {
public:
    // `planned` may already hold points; they count as planned for the
    // widening. `reserved` is read at every step, so a reservation made
    // after construction is honoured.
    RoadStripLayer(const RoadFinder::Grid& grid, const RoadFinder::Reserved& reserved,
                   std::vector<GridPoint>& planned);

    // Pairs one over the other: (column + k, row) and (column + k, row + 1).
    void LayHorizontal(std::int64_t column, std::int64_t row, std::int64_t length);
    // Pairs side by side: (column, row + k) and (column + 1, row + k).
    void LayVertical(std::int64_t row, std::int64_t column, std::int64_t length);

private:
    struct Step {
        std::int64_t dx = 0;
        std::int64_t dy = 0;
    };

    void Lay(std::int64_t x, std::int64_t y, std::int64_t length, Step along, Step across);
    bool Widen(std::int64_t x, std::int64_t y, Step across);

    std::int32_t Cell(std::int64_t x, std::int64_t y) const { return RoadFinder::CellAt(grid_, x, y); }
    bool Usable(std::int64_t x, std::int64_t y) const;
    bool RoadOrPlanned(std::int64_t x, std::int64_t y) const;
    void Add(std::int64_t x, std::int64_t y);

    const RoadFinder::Grid& grid_;
    const RoadFinder::Reserved& reserved_;
    std::vector<GridPoint>& planned_;
    std::vector<bool> isPlanned_;  // by grid index
};
