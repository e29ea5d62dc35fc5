#include "search/RandomRegions.h"

#include "scene/SceneTypes.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

// std::mt19937 output is fixed by the standard; the distributions are not.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}

    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool OneIn(int n) { return Below(n) == 0; }

private:
    std::mt19937 engine_;
};

// The area a random region is drawn in, before it is put on the grid.
class Sketch {
public:
    Sketch(int w, int h) : w_(w), h_(h), soil_(static_cast<std::size_t>(w) * h, false) {}

    int W() const { return w_; }
    int H() const { return h_; }

    void Set(int x, int y, bool soil)
    {
        if (x >= 0 && y >= 0 && x < w_ && y < h_)
            soil_[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * w_] = soil;
    }
    void SetRect(int x, int y, int w, int h, bool soil)
    {
        for (int i = x; i < x + w; ++i) {
            for (int j = y; j < y + h; ++j)
                Set(i, j, soil);
        }
    }
    void CopyTo(SearchState& region, int originX, int originY) const
    {
        for (int x = 0; x < w_; ++x) {
            for (int y = 0; y < h_; ++y) {
                if (soil_[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * w_])
                    region.SetFree(originX + x, originY + y, true);
            }
        }
    }

private:
    int w_;
    int h_;
    std::vector<bool> soil_;
};

void DrawRectangles(Sketch& sketch, Dice& dice)
{
    const int count = dice.Between(1, 6);
    for (int i = 0; i < count; ++i) {
        // Now and then a strip one cell wide, which never holds a building.
        const int w = dice.OneIn(8) ? 1 : dice.Between(2, sketch.W());
        const int h = dice.OneIn(8) ? 1 : dice.Between(2, sketch.H());
        sketch.SetRect(dice.Below(sketch.W() - w + 1), dice.Below(sketch.H() - h + 1), w, h, true);
    }
}

void DrawBlobs(Sketch& sketch, Dice& dice)
{
    const int count = dice.Between(1, 4);
    for (int i = 0; i < count; ++i) {
        int x = dice.Below(sketch.W());
        int y = dice.Below(sketch.H());
        const int brush = dice.Between(1, 4);
        const int steps = dice.Between(5, sketch.W() * sketch.H() / 4 + 5);
        for (int s = 0; s < steps; ++s) {
            sketch.SetRect(x, y, brush, brush, true);
            switch (dice.Below(4)) {
            case 0: x = std::min(x + 1, sketch.W() - 1); break;
            case 1: x = std::max(x - 1, 0); break;
            case 2: y = std::min(y + 1, sketch.H() - 1); break;
            default: y = std::max(y - 1, 0); break;
            }
        }
    }
}

void CarveHolesAndRoads(Sketch& sketch, Dice& dice)
{
    const int cellHoles = dice.Below(sketch.W() * sketch.H() / 40 + 1);
    for (int i = 0; i < cellHoles; ++i)
        sketch.Set(dice.Below(sketch.W()), dice.Below(sketch.H()), false);
    const int blockHoles = dice.Below(4);
    for (int i = 0; i < blockHoles; ++i)
        sketch.SetRect(dice.Below(sketch.W()), dice.Below(sketch.H()), dice.Between(1, 4), dice.Between(1, 4), false);
    const int roads = dice.Below(4);
    for (int i = 0; i < roads; ++i) {
        const int width = dice.OneIn(4) ? 2 : 1;
        if (dice.OneIn(2))
            sketch.SetRect(dice.Below(sketch.W()), 0, width, sketch.H(), false);
        else
            sketch.SetRect(0, dice.Below(sketch.H()), sketch.W(), width, false);
    }
}

// Puts the area at the grid's edges now and then: records there reach 249.
int PickOrigin(Dice& dice, int extent)
{
    switch (dice.Below(6)) {
    case 0: return 0;
    case 1: return GridSize - extent;
    default: return dice.Below(GridSize - extent + 1);
    }
}

// Where the one-cell roads of a town run along one axis: blocks of 10 to 15
// cells between them.
std::vector<bool> RoadLanes(Dice& dice)
{
    std::vector<bool> road(GridSize, false);
    for (int at = dice.Between(10, 15); at < GridSize; at += 1 + dice.Between(10, 15))
        road[at] = true;
    return road;
}

bool HasFreeNeighbourhood(const SearchState& region, int x, int y)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (!region.IsFree(x + dx, y + dy))
                return false;
        }
    }
    return true;
}

}  // namespace

SearchState RandomRegions::Random(std::uint32_t seed, int maxSide)
{
    Dice dice(seed);
    Sketch sketch(dice.Between(4, maxSide), dice.Between(4, maxSide));
    switch (dice.Below(3)) {
    case 0: DrawRectangles(sketch, dice); break;
    case 1: DrawBlobs(sketch, dice); break;
    default: sketch.SetRect(0, 0, sketch.W(), sketch.H(), true); break;
    }
    CarveHolesAndRoads(sketch, dice);

    SearchState region = Empty();
    const int originX = PickOrigin(dice, sketch.W());
    const int originY = PickOrigin(dice, sketch.H());
    sketch.CopyTo(region, originX, originY);
    return region;
}

SearchState RandomRegions::Empty()
{
    return SearchState::Box(GridSize, GridSize);
}

SearchState RandomRegions::Rectangle(int x, int y, int w, int h)
{
    SearchState region = Empty();
    AddRectangle(region, x, y, w, h);
    return region;
}

void RandomRegions::AddRectangle(SearchState& region, int x, int y, int w, int h)
{
    for (int i = x; i < x + w; ++i) {
        for (int j = y; j < y + h; ++j)
            region.SetFree(i, j, true);
    }
}

SearchState RandomRegions::Town(std::uint32_t seed, int soilCells)
{
    Dice dice(seed);
    const std::vector<bool> columnRoads = RoadLanes(dice);
    const std::vector<bool> rowRoads = RoadLanes(dice);
    constexpr int origin = 20;
    // The smallest square from the origin that holds enough soil.
    int side = 1;
    for (int soilColumns = 0, soilRows = 0; origin + side < GridSize; ++side) {
        soilColumns += !columnRoads[side - 1];
        soilRows += !rowRoads[side - 1];
        if (soilColumns * soilRows >= soilCells)
            break;
    }

    SearchState region = Empty();
    for (int x = 0; x < side; ++x) {
        for (int y = 0; y < side; ++y) {
            if (!columnRoads[x] && !rowRoads[y])
                region.SetFree(origin + x, origin + y, true);
        }
    }
    return region;
}

void RandomRegions::PunchHoles(SearchState& region, int count, std::uint32_t seed)
{
    Dice dice(seed);
    // Gives up rather than loop forever on a region too small for the holes.
    for (int tries = 0; count > 0 && tries < 1000000; ++tries) {
        const int x = dice.Below(region.width);
        const int y = dice.Below(region.height);
        if (HasFreeNeighbourhood(region, x, y)) {
            region.SetFree(x, y, false);
            --count;
        }
    }
}
