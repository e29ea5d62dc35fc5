#include "scene/RoadStripLayer.h"

namespace {

std::size_t IndexOf(std::int64_t x, std::int64_t y)
{
    return static_cast<std::size_t>(x * GridSize + y);
}

}  // namespace

RoadStripLayer::RoadStripLayer(const RoadFinder::Grid& grid, const RoadFinder::Reserved& reserved,
                               std::vector<GridPoint>& planned)
    : grid_(grid), reserved_(reserved), planned_(planned), isPlanned_(GridCells, false)
{
    for (const GridPoint& p : planned_) {
        if (InGrid(p.x, p.y))
            isPlanned_[IndexOf(p.x, p.y)] = true;
    }
}

void RoadStripLayer::LayHorizontal(std::int64_t column, std::int64_t row, std::int64_t length)
{
    Lay(column, row, length, Step{1, 0}, Step{0, 1});
}

void RoadStripLayer::LayVertical(std::int64_t row, std::int64_t column, std::int64_t length)
{
    Lay(column, row, length, Step{0, 1}, Step{1, 0});
}

void RoadStripLayer::Lay(std::int64_t x, std::int64_t y, std::int64_t length, Step along, Step across)
{
    for (std::int64_t k = 0; k < length; ++k) {
        const std::int64_t fx = x + k * along.dx;
        const std::int64_t fy = y + k * along.dy;
        if (!Usable(fx, fy) || !Usable(fx + across.dx, fy + across.dy))
            continue;
        Add(fx, fy);
        Add(fx + across.dx, fy + across.dy);
        // The second step out on either side is tried only when the first one joined something.
        if (Widen(fx - along.dx, fy - along.dy, across))
            Widen(fx - 2 * along.dx, fy - 2 * along.dy, across);
        if (Widen(fx + along.dx, fy + along.dy, across))
            Widen(fx + 2 * along.dx, fy + 2 * along.dy, across);
    }
}

bool RoadStripLayer::Widen(std::int64_t x, std::int64_t y, Step across)
{
    const std::int64_t sx = x + across.dx;
    const std::int64_t sy = y + across.dy;
    bool widened = false;
    if (RoadOrPlanned(x - across.dx, y - across.dy) && Usable(x, y)) {
        Add(x, y);
        if (Usable(sx, sy))
            Add(sx, sy);
        widened = true;
    }
    if (RoadOrPlanned(sx + across.dx, sy + across.dy) && Usable(sx, sy)) {
        Add(sx, sy);
        if (Usable(x, y))
            Add(x, y);
        widened = true;
    }
    return widened;
}

bool RoadStripLayer::Usable(std::int64_t x, std::int64_t y) const
{
    const std::int32_t cell = Cell(x, y);
    return (cell == CellSoil || cell == CellRoad) && !reserved_.Contains(x, y);
}

bool RoadStripLayer::RoadOrPlanned(std::int64_t x, std::int64_t y) const
{
    const std::int32_t cell = Cell(x, y);
    return cell == CellRoad || (cell != RoadFinder::OutsideGrid && isPlanned_[IndexOf(x, y)]);
}

void RoadStripLayer::Add(std::int64_t x, std::int64_t y)
{
    // Road is there already; only soil needs laying.
    if (Cell(x, y) != CellSoil)
        return;
    planned_.push_back(GridPoint{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
    isPlanned_[IndexOf(x, y)] = true;
}
