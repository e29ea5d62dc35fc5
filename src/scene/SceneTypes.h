#pragma once

#include <bitset>
#include <cstdint>

inline constexpr int GridSize = 250;
inline constexpr int LegacyGridSize = 100;
inline constexpr int GridCells = GridSize * GridSize;

// Cell values. A map file may bring other digits; no operation stores them.
inline constexpr std::int32_t CellBalk = 0;   // blank, not ground
inline constexpr std::int32_t CellSoil = 1;   // buildable land
inline constexpr std::int32_t CellBuild = 2;  // under a building
inline constexpr std::int32_t CellRoad = 3;
inline constexpr std::int32_t CellWall = 4;
inline constexpr std::int32_t CellAny = 5;    // only a key of FillRect: matches every cell

// The layout search's region: bit y * GridSize + x (rows first, unlike the grid).
using RegionBits = std::bitset<GridCells>;

inline constexpr bool InGrid(std::int64_t x, std::int64_t y)
{
    return x >= 0 && y >= 0 && x < GridSize && y < GridSize;
}
