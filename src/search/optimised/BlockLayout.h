#pragma once

#include "search/optimised/PackingRegion.h"
#include "search/optimised/WindowPacker.h"

#include <cstdint>
#include <vector>

class PackingLayout;

// A first layout for large open land: the component is cut into blocks on
// the factories' lattice, and each block is packed exactly on its own. Away
// from the edges and holes a block is all factories; only the cuts between
// blocks can cost cells, and on open land they cost none.
class BlockLayout {
public:
    // Block sides: whole factories, whole houses either way round.
    static constexpr int kBlockWidth = 20;
    static constexpr int kBlockHeight = 12;

    // Places the buildings of the component's blocks in `layout`, where the
    // component must be empty. A block the solver cannot settle within the
    // limits is filled greedily.
    static std::vector<Placement> Pack(PackingLayout& layout, const PackingRegion::Component& component,
                                       std::uint32_t seed, const SolveLimits& limits);
};
