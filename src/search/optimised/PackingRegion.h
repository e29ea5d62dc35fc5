#pragma once

#include "scene/SceneTypes.h"
#include "search/optimised/Footprint.h"

#include <cstdint>
#include <vector>

struct SearchState;

// The cells an optimised layout fills, split into the parts that can be
// packed on their own. A region cell that no footprint fits over (inside the
// region and the grid) is dead: it stays uncovered in every layout. Two live
// cells belong to the same component when a chain of footprint positions,
// each over region cells only, joins them.
class PackingRegion {
public:
    struct Component {
        std::vector<std::int32_t> cells;  // ascending cell numbers
        int minX = 0, minY = 0, maxX = 0, maxY = 0;
        // Least uncovered cells any layout of the component can have, from its
        // size and its colouring (checkerboard): every footprint covers as
        // many cells of one colour as of the other, and an even number.
        int colourBound = 0;
    };

    // `region` is a 250 × 250 SearchState whose free bits mark the cells.
    explicit PackingRegion(const SearchState& region);
    explicit PackingRegion(const RegionBits& cells);

    // Whether the footprint fits with its top-left cell at (x, y).
    bool Fits(int x, int y, int footprint) const;

    int RegionCells() const { return regionCells_; }
    int DeadCells() const { return deadCells_; }
    const std::vector<Component>& Components() const { return components_; }
    // Component of a live cell, -1 for dead and outside cells.
    int ComponentOf(int cell) const { return componentOf_[static_cast<std::size_t>(cell)]; }

    // 0 or 1: the colour of a cell on the checkerboard.
    static int Colour(int cell) { return CellColour(CellX(cell), CellY(cell)); }

private:
    void Build();

    RegionBits cells_;
    int regionCells_ = 0;
    int deadCells_ = 0;
    std::vector<Component> components_;
    std::vector<std::int32_t> componentOf_;
};
