#pragma once

#include "search/SearchState.h"

#include <cstdint>

// Search regions for tests and benchmarks, each a 250 × 250 SearchState with
// its free cells set and nothing placed. The random ones depend only on the
// seed (no standard distributions, whose results differ between libraries),
// so a printed seed reproduces a region anywhere.
class RandomRegions {
public:
    // Soil of a random shape (unions of rectangles, blobs) with holes and
    // road cuts, inside an area of at most maxSide × maxSide cells placed
    // anywhere on the grid, edges included.
    static SearchState Random(std::uint32_t seed, int maxSide = 40);

    static SearchState Empty();
    static SearchState Rectangle(int x, int y, int w, int h);
    static void AddRectangle(SearchState& region, int x, int y, int w, int h);
    // Blocks of 10 to 15 cells between one-cell roads in both directions,
    // about `soilCells` cells of soil in all.
    static SearchState Town(std::uint32_t seed, int soilCells);
    // Clears `count` distinct free cells, none on the border of the free area.
    static void PunchHoles(SearchState& region, int count, std::uint32_t seed);
};
