#include "search/optimised/FirstLayout.h"

#include "search/LayoutSearch.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/optimised/BlockLayout.h"
#include "search/optimised/PackingLayout.h"

#include <algorithm>

namespace {

using Layout = std::vector<Placement>;

// Cells in reading order; at each uncovered one the first of factory,
// horizontal house, vertical house that fits there. Placed in `layout`.
Layout Greedy(PackingLayout& layout, const PackingRegion::Component& component)
{
    constexpr int kOrder[] = {0, 2, 1};
    Layout placed;
    for (const std::int32_t cell : component.cells) {
        if (layout.Owner(cell) >= 0)
            continue;
        for (const int footprint : kOrder) {
            const Placement p{cell, footprint};
            if (layout.CanPlace(p)) {
                layout.Place(p);
                placed.push_back(p);
                break;
            }
        }
    }
    return placed;
}

Layout Beam(const PackingRegion::Component& component, std::int64_t stateLimit)
{
    SearchState box = SearchState::Box(component.maxX - component.minX + 1, component.maxY - component.minY + 1);
    for (const std::int32_t cell : component.cells)
        box.SetFree(CellX(cell) - component.minX, CellY(cell) - component.minY, true);
    SearchControl control;
    const std::int64_t steps = std::min(FirstLayout::kMaxSteps,
                                        FirstLayout::kStepsPerCell * static_cast<std::int64_t>(component.cells.size()));
    control.stateLimit = std::max<std::int64_t>(1, std::min(stateLimit, steps));
    control.stopAfterExpansions = steps;
    LayoutSearch::Run(box, control, 8);
    Layout placed;
    for (const LayoutRecord& r : box.placed) {
        for (int f = 0; f < static_cast<int>(kFootprints.size()); ++f) {
            if (kFootprints[static_cast<std::size_t>(f)].w == r.w && kFootprints[static_cast<std::size_t>(f)].h == r.h)
                placed.push_back({CellIndex(component.minX + r.x, component.minY + r.y), f});
        }
    }
    return placed;
}

// Covered cells first, then the score.
std::pair<int, int> Worth(const Layout& layout)
{
    int covered = 0, score = 0;
    for (const Placement& p : layout) {
        covered += p.Shape().Area();
        score += p.Shape().score;
    }
    return {covered, score};
}

}  // namespace

void FirstLayout::Pack(PackingLayout& layout, std::int64_t stateLimit, std::uint32_t seed, const SolveLimits& limits)
{
    for (const auto& component : layout.Region().Components()) {
        const Layout greedy = Greedy(layout, component);
        Layout best = greedy;
        const auto consider = [&best](Layout other) {
            if (Worth(other) > Worth(best))
                best = std::move(other);
        };
        consider(Beam(component, stateLimit));
        if (static_cast<int>(component.cells.size()) >= kBlockCells) {
            PackingLayout scratch(layout.Region());
            Layout blocks = BlockLayout::Pack(scratch, component, seed, limits);
            const Layout rest = Greedy(scratch, component);
            blocks.insert(blocks.end(), rest.begin(), rest.end());
            consider(std::move(blocks));
        }
        if (best == greedy)
            continue;
        for (const Placement& p : greedy)
            layout.Remove(layout.Owner(p.cell));
        for (const Placement& p : best) {
            if (layout.CanPlace(p))
                layout.Place(p);
        }
    }
}
