#include "search/optimised/Neighbourhood.h"

#include "search/optimised/PackingLayout.h"

#include <algorithm>

Neighbourhood Neighbourhood::Free(const PackingLayout& layout, const std::vector<int>& marked)
{
    Neighbourhood n;
    std::vector<int> open;
    for (const int cell : marked) {
        const int owner = layout.Owner(cell);
        if (owner < 0) {
            if (layout.Region().ComponentOf(cell) >= 0)
                open.push_back(cell);
        } else {
            n.freed.push_back(owner);
        }
    }
    std::sort(n.freed.begin(), n.freed.end());
    n.freed.erase(std::unique(n.freed.begin(), n.freed.end()), n.freed.end());
    n.uncovered = static_cast<int>(open.size());
    for (const int id : n.freed) {
        const Placement& p = layout.Building(id);
        n.factories += p.footprint == kFactory;
        for (int y = p.Y(); y < p.Y() + p.Shape().h; ++y) {
            for (int x = p.X(); x < p.X() + p.Shape().w; ++x)
                open.push_back(CellIndex(x, y));
        }
    }
    if (open.empty())
        return n;

    int x0 = GridSize, y0 = GridSize, x1 = -1, y1 = -1;
    for (const int cell : open) {
        x0 = std::min(x0, CellX(cell));
        y0 = std::min(y0, CellY(cell));
        x1 = std::max(x1, CellX(cell));
        y1 = std::max(y1, CellY(cell));
    }
    WindowCells& w = n.cells;
    w.x0 = x0;
    w.y0 = y0;
    w.width = x1 - x0 + 1;
    w.height = y1 - y0 + 1;
    w.open.assign(static_cast<std::size_t>(w.width * w.height), 0);
    for (const int cell : open)
        w.open[static_cast<std::size_t>((CellX(cell) - x0) + (CellY(cell) - y0) * w.width)] = 1;
    return n;
}
