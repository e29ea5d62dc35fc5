#pragma once

#include "scene/SceneTypes.h"
#include "search/LayoutRecord.h"

#include <cstdint>
#include <vector>

// One partial layout of a box of cells: which cells are still free (the bit
// of cell (x, y) is x + y * width), what was placed, where the scan stands,
// how many cells were given up and the score so far. It serves for the whole
// search region, for one component and, in the plain form, for search states.
struct SearchState {
    std::vector<std::uint64_t> free;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<LayoutRecord> placed;
    std::uint8_t cursorX = 0;
    std::uint8_t cursorY = 0;
    std::uint16_t waste = 0;
    std::int32_t score = 0;

    // An empty box of the given size: no cell free, nothing placed.
    static SearchState Box(int width, int height);
    // The whole grid with the selected cells free.
    static SearchState FromSelection(const RegionBits& selection);

    // Cells outside the box count as not free.
    bool IsFree(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return false;
        const auto bit = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * width;
        return (free[bit >> 6] >> (bit & 63)) & 1u;
    }
    void SetFree(int x, int y, bool isFree)
    {
        const auto bit = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * width;
        const std::uint64_t mask = std::uint64_t{1} << (bit & 63);
        if (isFree)
            free[bit >> 6] |= mask;
        else
            free[bit >> 6] &= ~mask;
    }
    int FreeCount() const;
};
