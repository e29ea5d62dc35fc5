#pragma once

#include <cstdint>

// A rectangle of cells: columns [x, x + w), rows [y, y + h).
struct GridRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;

    friend bool operator==(const GridRect&, const GridRect&) = default;
};
