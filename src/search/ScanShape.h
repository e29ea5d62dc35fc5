#pragma once

#include "search/PatchLines.h"

#include <array>
#include <cstdint>

// A building's footprint as the scan sees it, on the lines of a CursorPatch:
// `along` cells along a scan line, `across` lines, and the cells around it in
// the order a placement examines them (above and below each column first,
// then left and right of each row).
struct ScanShape {
    int w = 0;
    int h = 0;
    int score = 0;
    int along = 0;
    int across = 0;
    PatchLines cells;   // the shape's own cells
    PatchLines around;  // the cells a placement examines
    int aroundCount = 0;
    std::array<std::uint8_t, 18> aroundLine{};
    std::array<std::uint8_t, 18> aroundBit{};

    static ScanShape Make(int w, int h, int score, bool rowScan);
};
