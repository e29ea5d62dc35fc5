#pragma once

#include "scene/SceneTypes.h"

#include <array>
#include <cstdint>

// The three buildings a layout places: extent along x, along y, and the score
// one adds. Covered cells are the area; a factory scores one more than that.
struct Footprint {
    int w;
    int h;
    int score;

    constexpr int Area() const { return w * h; }
};

inline constexpr int kFactory = 0;
inline constexpr std::array<Footprint, 3> kFootprints = {{{5, 4, 21}, {2, 3, 6}, {3, 2, 6}}};

// A building must keep x + w < GridSize and y + h < GridSize, so the last
// column and row of the grid can never be covered.
inline constexpr int kPlaceableSide = GridSize - 1;

// Cells are numbered x + y * GridSize, as in RegionBits.
inline constexpr int CellIndex(int x, int y)
{
    return x + y * GridSize;
}
inline constexpr int CellX(int cell)
{
    return cell % GridSize;
}
inline constexpr int CellY(int cell)
{
    return cell / GridSize;
}
// 0 or 1: the colour of a cell on the grid's checkerboard. Every footprint
// covers as many cells of either colour.
inline constexpr int CellColour(int x, int y)
{
    return (x + y) & 1;
}

// One building in place: its top-left cell and which footprint.
struct Placement {
    std::int32_t cell = 0;
    std::int32_t footprint = 0;

    int X() const { return CellX(cell); }
    int Y() const { return CellY(cell); }
    const Footprint& Shape() const { return kFootprints[static_cast<std::size_t>(footprint)]; }
    friend bool operator==(const Placement&, const Placement&) = default;
};
