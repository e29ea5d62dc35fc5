#pragma once

#include <cstdint>

class PackingLayout;

// The layout the optimised mode starts from, component by component: the
// beam search given a bounded number of steps (it finishes small plots and
// completes larger ones greedily), or a plain greedy fill where that leaves
// fewer cells uncovered.
class FirstLayout {
public:
    // Steps the beam search may take per component cell, and at most.
    static constexpr std::int64_t kStepsPerCell = 60;
    static constexpr std::int64_t kMaxSteps = 150000;

    // `layout` must be empty.
    static void Pack(PackingLayout& layout, std::int64_t stateLimit);
};
