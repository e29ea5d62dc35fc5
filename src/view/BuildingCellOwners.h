#pragma once

#include "scene/Build.h"
#include "view/ViewGeometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Which building's fill ends up on each cell of a window of the grid.
// Buildings are drawn in their order, so a cell shows the last building over
// it and every earlier fill of that cell is painted over unseen. Filling only
// the cells a building owns draws the same picture with one fill per cell,
// however large or stacked the buildings of a map are.
class BuildingCellOwners {
public:
    // Cells (column, first) … (column, last) of one building.
    struct Run {
        std::int64_t column = 0;
        std::int64_t first = 0;
        std::int64_t last = 0;
    };

    // `builds` in drawing order; only the cells of `columns` × `rows` count.
    BuildingCellOwners(const std::vector<Build>& builds, CellSpan columns, CellSpan rows);

    // The cells whose fill comes from builds[index].
    std::span<const Run> RunsOf(std::size_t index) const;

private:
    std::vector<Run> runs_;
    // runs_[begin_[i], begin_[i + 1]) belong to builds[i].
    std::vector<std::size_t> begin_;
};
