#include "search/ScanShape.h"

ScanShape ScanShape::Make(int w, int h, int score, bool rowScan)
{
    ScanShape s;
    s.w = w;
    s.h = h;
    s.score = score;
    s.along = rowScan ? w : h;
    s.across = rowScan ? h : w;
    const std::uint32_t lineCells = ((std::uint32_t{1} << s.along) - 1) << PatchLines::kCursorBit;
    for (int j = PatchLines::kCursorLine; j < PatchLines::kCursorLine + s.across; ++j)
        s.cells.Set(j, lineCells);
    auto add = [&](int dx, int dy) {
        const int line = PatchLines::kCursorLine + (rowScan ? dy : dx);
        const int bit = PatchLines::kCursorBit + (rowScan ? dx : dy);
        s.aroundLine[static_cast<std::size_t>(s.aroundCount)] = static_cast<std::uint8_t>(line);
        s.aroundBit[static_cast<std::size_t>(s.aroundCount)] = static_cast<std::uint8_t>(bit);
        s.around.Set(line, std::uint32_t{1} << bit);
        ++s.aroundCount;
    };
    for (int x = 0; x < w; ++x) {
        add(x, -1);
        add(x, h);
    }
    for (int y = 0; y < h; ++y) {
        add(-1, y);
        add(w, y);
    }
    return s;
}
