#pragma once

#include <chrono>
#include <cstdint>

// How long and how wide the optimised layout may work.
struct OptimiseSettings {
    std::chrono::milliseconds timeLimit{10000};
    int threads = 0;  // 0: one per core
    std::uint32_t seed = 1;
    // Windows to solve in place of the time limit (negative: none). With one
    // thread the same region, seed and work always give the same layout.
    std::int64_t work = -1;
};
