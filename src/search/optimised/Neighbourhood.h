#pragma once

#include "search/optimised/WindowPacker.h"

#include <vector>

class PackingLayout;

// A part of a layout to pack anew: every building that touches a marked cell
// is freed, and the open cells are the marked uncovered cells together with
// the cells of the freed buildings.
struct Neighbourhood {
    WindowCells cells;
    std::vector<int> freed;  // building ids
    int uncovered = 0;       // open cells not covered now
    int factories = 0;       // factories among the freed

    static Neighbourhood Free(const PackingLayout& layout, const std::vector<int>& marked);
};
