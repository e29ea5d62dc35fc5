#pragma once

#include "msg/MsgTypes.h"

#include <cstdint>
#include <string>

// One placed building; its footprint is [x, x + w) × [y, y + h). The kind
// follows from the size: w × h = 6 a house, 5 × 4 a factory, else "other".
struct Build {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
    std::string name;  // GB18030; empty for houses and factories
    ColorRef colour = DefaultColour;

    friend bool operator==(const Build&, const Build&) = default;
};
