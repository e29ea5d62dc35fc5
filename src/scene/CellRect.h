#pragma once

#include <cstdint>

// Cells (x1, y1) to (x2, y2), both corners inclusive; selections and rulers use it.
struct CellRect {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;

    friend bool operator==(const CellRect&, const CellRect&) = default;
};
