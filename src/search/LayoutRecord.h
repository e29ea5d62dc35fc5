#pragma once

#include <cstdint>

// One building placed by the layout search, in grid coordinates. A box is at
// most 250 cells a side, so every field fits a byte.
struct LayoutRecord {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t w = 0;
    std::uint8_t h = 0;

    friend bool operator==(const LayoutRecord&, const LayoutRecord&) = default;
};
