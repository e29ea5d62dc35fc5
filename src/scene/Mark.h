#pragma once

#include <cstdint>

// A ruler between the cells (x1, y1) and (x2, y2).
struct Mark {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;

    friend bool operator==(const Mark&, const Mark&) = default;
};
