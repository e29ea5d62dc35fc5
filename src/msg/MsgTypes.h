#pragma once

#include <cstdint>

// Small value types shared by the message records and every subsystem.

// A grid cell: x is the column (0 at the left), y the row (0 at the top).
struct GridPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

// A colour reference 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

// In a building, this colour stands for the default colour of its kind.
inline constexpr ColorRef DefaultColour = 0xFFFFFFFFu;

constexpr ColorRef MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) | (static_cast<ColorRef>(blue) << 16);
}
