#pragma once

#include <cstdint>

// One building placed by the layout search.
struct LayoutRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;

    friend bool operator==(const LayoutRecord&, const LayoutRecord&) = default;
};
