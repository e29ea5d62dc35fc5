#pragma once

#include "search/optimised/WindowPacker.h"

#include <cstdint>

class PackingLayout;

// The layout the optimised mode starts from, component by component, the best
// of: the beam search given a bounded number of steps (it finishes small
// plots and completes larger ones greedily), a plain greedy fill, and on
// large land blocks packed exactly one by one.
class FirstLayout {
public:
    // Steps the beam search may take per component cell, and at most.
    static constexpr std::int64_t kStepsPerCell = 60;
    static constexpr std::int64_t kMaxSteps = 150000;

    // Components from this many cells are also packed in blocks.
    static constexpr int kBlockCells = 1000;

    // `layout` must be empty. The limits bound the block solves.
    static void Pack(PackingLayout& layout, std::int64_t stateLimit, std::uint32_t seed, const SolveLimits& limits);
};
