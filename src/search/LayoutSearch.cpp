#include "search/LayoutSearch.h"

#include "search/ComponentSearch.h"
#include "search/DeadCell.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/WasteEstimate.h"

#include <algorithm>
#include <vector>

namespace {

// Cells no shape can ever cover go first, in one pass: a cell cleared here
// already counts as taken for the cells tested after it.
void ClearDeadCells(SearchState& region)
{
    for (int x = 0; x < region.width; ++x) {
        for (int y = 0; y < region.height; ++y) {
            if (region.IsFree(x, y) && IsDeadCell(x, y, [&](int cx, int cy) { return region.IsFree(cx, cy); }))
                region.SetFree(x, y, false);
        }
    }
}

struct Component {
    SearchState box;
    int minX = 0;
    int minY = 0;
    int cells = 0;
};

// Takes the 4-connected component of (x, y) out of the region.
Component TakeComponent(SearchState& region, int x, int y)
{
    struct Cell {
        int x, y;
    };
    std::vector<Cell> cells;
    std::vector<Cell> pending{{x, y}};
    region.SetFree(x, y, false);
    int minX = x, maxX = x, minY = y, maxY = y;
    while (!pending.empty()) {
        const Cell c = pending.back();
        pending.pop_back();
        cells.push_back(c);
        minX = std::min(minX, c.x);
        maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y);
        maxY = std::max(maxY, c.y);
        const Cell next[4] = {{c.x - 1, c.y}, {c.x + 1, c.y}, {c.x, c.y - 1}, {c.x, c.y + 1}};
        for (const Cell& n : next) {
            if (region.IsFree(n.x, n.y)) {
                region.SetFree(n.x, n.y, false);
                pending.push_back(n);
            }
        }
    }
    Component component{SearchState::Box(maxX - minX + 1, maxY - minY + 1), minX, minY,
                        static_cast<int>(cells.size())};
    for (const Cell& c : cells)
        component.box.SetFree(c.x - minX, c.y - minY, true);
    return component;
}

int CountComponents(SearchState region)
{
    int count = 0;
    for (int x = 0; x < region.width; ++x) {
        for (int y = 0; y < region.height; ++y) {
            if (region.IsFree(x, y)) {
                TakeComponent(region, x, y);
                ++count;
            }
        }
    }
    return count;
}

void SetUpComponent(SearchControl& control, const Component& c, int maxBackLine)
{
    const int estimate = EstimateWaste(c.box);
    // Every shape covers an even number of cells: an odd rest is one more cell lost.
    const int rest = (c.cells - estimate) % 2;
    control.originX = c.minX;
    control.originY = c.minY;
    control.minWaste = estimate + rest;
    control.rowScan = c.box.height >= c.box.width;
    control.backCells = std::min<int>(c.box.width, c.box.height) * maxBackLine;
    control.wasteSlack = 3 * std::max(control.minWaste, 6);
}

}  // namespace

void LayoutSearch::Run(SearchState& region, SearchControl& control, int maxBackLine)
{
    if (control.stopAfterExpansions == 0)
        control.stop = true;
    if (region.width == 0 || region.height == 0)
        return;
    ClearDeadCells(region);
    control.componentsTotal = CountComponents(region);

    int x = 0;
    int y = 0;
    for (;;) {
        // Components only ever leave the region, so the scan for the next one
        // goes on from where the last one started.
        while (x < region.width && !region.IsFree(x, y)) {
            if (++y >= region.height) {
                y = 0;
                ++x;
            }
        }
        if (x >= region.width || control.cancel)
            return;
        const Component component = TakeComponent(region, x, y);
        SetUpComponent(control, component, maxBackLine);
        ComponentSearch search(component.box, control);
        if (control.stop)
            search.Greedy(region.placed);
        else
            search.Beam(region.placed);
        ++control.componentsDone;
    }
}
