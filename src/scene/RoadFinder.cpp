#include "scene/RoadFinder.h"

#include "scene/RoadStripLayer.h"
#include "scene/Scene.h"

#include <algorithm>

namespace {

// A route never has more than this many steps; farther roads are not looked for.
constexpr int kLastLevel = 14;

constexpr std::int64_t kFactoryWidth = 5;
constexpr std::int64_t kFactoryHeight = 4;

std::size_t IndexOf(std::int64_t x, std::int64_t y)
{
    return static_cast<std::size_t>(x * GridSize + y);
}

// One cell reached by the search, with the cells of every equally short route
// that reached it (the first route whole, the others without their start).
struct RouteNode {
    GridPoint cell;
    std::vector<GridPoint> route;
};

// A run of `beside` buildings continuing a building of extent `own` across
// it. Five in a line blocks the way; two-deep buildings are let off at
// exactly five.
bool IsLongRun(std::int64_t beside, std::int64_t own)
{
    const std::int64_t total = beside + own;
    return beside > 0 && total >= 5 && !(total == 5 && own <= 2);
}

}  // namespace

std::vector<GridPoint> RoadFinder::Plan(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h)
{
    reserved_ = Reserved{};
    std::vector<GridPoint> planned;
    AddShortestRoutes(x, y, w, h, planned);
    RoadStripLayer strips(*grid_, reserved_, planned);
    if (w == kFactoryWidth && h == kFactoryHeight)
        PairFactory(x, y, strips);
    BridgeLongRuns(x, y, w, h, strips);
    return planned;
}

void RoadFinder::AddShortestRoutes(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                                   std::vector<GridPoint>& out) const
{
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(x + w, GridSize);
    const std::int64_t bottom = std::min<std::int64_t>(y + h, GridSize);

    std::vector<bool> visited(GridCells, false);
    std::vector<RouteNode> level;
    for (std::int64_t i = left; i < right; ++i) {
        for (std::int64_t j = top; j < bottom; ++j) {
            level.push_back(RouteNode{GridPoint{static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)}, {}});
            visited[IndexOf(i, j)] = true;
        }
    }

    const auto isRoad = [this](const RouteNode& node) { return Cell(node.cell.x, node.cell.y) == CellRoad; };
    std::vector<std::int32_t> slotInNext(GridCells, -1);
    for (int depth = 0; depth <= kLastLevel && !level.empty(); ++depth) {
        if (std::any_of(level.begin(), level.end(), isRoad)) {
            // The start cell lies in the building; only the cells after it need laying.
            for (const RouteNode& node : level) {
                if (isRoad(node) && !node.route.empty())
                    out.insert(out.end(), node.route.begin() + 1, node.route.end());
            }
            return;
        }
        if (depth == kLastLevel)
            return;

        std::vector<RouteNode> next;
        for (RouteNode& node : level) {
            node.route.push_back(node.cell);
            const GridPoint c = node.cell;
            const GridPoint neighbours[] = {{c.x, c.y + 1}, {c.x, c.y - 1}, {c.x - 1, c.y}, {c.x + 1, c.y}};
            for (const GridPoint& n : neighbours) {
                const std::int32_t cell = Cell(n.x, n.y);
                if ((cell != CellSoil && cell != CellRoad) || visited[IndexOf(n.x, n.y)])
                    continue;
                std::int32_t& slot = slotInNext[IndexOf(n.x, n.y)];
                if (slot >= 0) {
                    std::vector<GridPoint>& merged = next[static_cast<std::size_t>(slot)].route;
                    merged.insert(merged.end(), node.route.begin() + 1, node.route.end());
                } else {
                    slot = static_cast<std::int32_t>(next.size());
                    next.push_back(RouteNode{n, node.route});
                }
            }
        }
        for (const RouteNode& node : next) {
            visited[IndexOf(node.cell.x, node.cell.y)] = true;
            slotInNext[IndexOf(node.cell.x, node.cell.y)] = -1;
        }
        level = std::move(next);
    }
}

void RoadFinder::PairFactory(std::int64_t x, std::int64_t y, RoadStripLayer& strips)
{
    if (!PairAboveOrBelow(x, y, strips))
        PairLeftOrRight(x, y, strips);
}

bool RoadFinder::PairAboveOrBelow(std::int64_t x, std::int64_t y, RoadStripLayer& strips)
{
    bool leftHasBuildings = true;
    bool rightIsBuilding = true;
    for (std::int64_t r = y - 1; r <= y + kFactoryHeight; ++r) {
        bool rowHasBuilding = false;
        for (std::int64_t c = x - kFactoryWidth; c < x; ++c)
            rowHasBuilding = rowHasBuilding || IsBuild(c, r);
        leftHasBuildings = leftHasBuildings && rowHasBuilding;
        rightIsBuilding = rightIsBuilding && IsBuild(x + kFactoryWidth, r);
    }
    const bool besideBuildings = leftHasBuildings || rightIsBuilding;

    // The place above is kept whether or not buildings stand beside.
    if (besideBuildings && PlaceIsAllSoil(x, y + kFactoryHeight, kFactoryWidth, kFactoryHeight)) {
        Reserve(x, y + kFactoryHeight, x + kFactoryWidth, y + 2 * kFactoryHeight);
        strips.LayHorizontal(x, y - 2, kFactoryWidth);
        strips.LayHorizontal(x, y + 2 * kFactoryHeight, kFactoryWidth);
        return true;
    }
    if (PlaceIsAllSoil(x, y - kFactoryHeight, kFactoryWidth, kFactoryHeight)) {
        Reserve(x, y - kFactoryHeight, x + kFactoryWidth, y);
        strips.LayHorizontal(x, y - kFactoryHeight - 2, kFactoryWidth);
        strips.LayHorizontal(x, y + kFactoryHeight, kFactoryWidth);
        return true;
    }
    return false;
}

void RoadFinder::PairLeftOrRight(std::int64_t x, std::int64_t y, RoadStripLayer& strips)
{
    bool aboveIsBuilding = true;
    bool belowHasBuildings = true;
    for (std::int64_t c = x - 1; c <= x + kFactoryWidth; ++c) {
        aboveIsBuilding = aboveIsBuilding && IsBuild(c, y - 1);
        bool columnHasBuilding = false;
        for (std::int64_t r = y + kFactoryHeight; r <= y + 2 * kFactoryHeight; ++r)
            columnHasBuilding = columnHasBuilding || IsBuild(c, r);
        belowHasBuildings = belowHasBuildings && columnHasBuilding;
    }
    const bool besideBuildings = aboveIsBuilding || belowHasBuildings;

    if (besideBuildings && PlaceIsAllSoil(x + kFactoryWidth, y, kFactoryWidth, kFactoryHeight)) {
        Reserve(x + kFactoryWidth, y, x + 2 * kFactoryWidth, y + kFactoryHeight);
        strips.LayVertical(y, x - 2, kFactoryHeight);
        strips.LayVertical(y, x + 2 * kFactoryWidth, kFactoryHeight);
    } else if (PlaceIsAllSoil(x - kFactoryWidth, y, kFactoryWidth, kFactoryHeight)) {
        Reserve(x - kFactoryWidth, y, x, y + kFactoryHeight);
        strips.LayVertical(y, x - kFactoryWidth - 2, kFactoryHeight);
        strips.LayVertical(y, x + kFactoryWidth, kFactoryHeight);
    }
}

void RoadFinder::BridgeLongRuns(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                                RoadStripLayer& strips) const
{
    // Columns and rows outside the grid have no buildings beside them.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(x + w, GridSize);
    const std::int64_t bottom = std::min<std::int64_t>(y + h, GridSize);

    for (std::int64_t i = left; i < right; ++i) {
        const std::int64_t up = BuildRun(i, y - 1, 0, -1);
        const std::int64_t down = BuildRun(i, y + h, 0, 1);
        if (IsLongRun(up + down, h)) {
            strips.LayHorizontal(i, y - up - 2, 1);
            strips.LayHorizontal(i, y + h + down, 1);
        }
    }
    for (std::int64_t j = top; j < bottom; ++j) {
        const std::int64_t toLeft = BuildRun(x - 1, j, -1, 0);
        const std::int64_t toRight = BuildRun(x + w, j, 1, 0);
        if (IsLongRun(toLeft + toRight, w)) {
            strips.LayVertical(j, x - toLeft - 2, 1);
            strips.LayVertical(j, x + w + toRight, 1);
        }
    }
}

std::int64_t RoadFinder::BuildRun(std::int64_t x, std::int64_t y, std::int64_t dx, std::int64_t dy) const
{
    std::int64_t count = 0;
    while (IsBuild(x + count * dx, y + count * dy))
        ++count;
    return count;
}

bool RoadFinder::PlaceIsAllSoil(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) const
{
    // The origin check keeps the narrowing below exact; the bounds rule then refuses the rest.
    if (!InGrid(x, y) || !Scene::RectAccepted(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                              static_cast<std::int32_t>(w), static_cast<std::int32_t>(h)))
        return false;
    for (std::int64_t i = x; i < x + w; ++i) {
        for (std::int64_t j = y; j < y + h; ++j) {
            if (Cell(i, j) != CellSoil)
                return false;
        }
    }
    return true;
}

void RoadFinder::Reserve(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    reserved_ = Reserved{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                         static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
}
