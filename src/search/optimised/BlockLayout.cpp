#include "search/optimised/BlockLayout.h"

#include "search/optimised/Neighbourhood.h"
#include "search/optimised/PackingLayout.h"

#include <algorithm>

namespace {

// Beyond this much waste over the colouring's bound a block is left to the
// greedy fill; the search improves it later.
constexpr int kMostExtraWaste = 12;
constexpr int kBlockConflicts = 4000;

// The factories of the lattice that fit in the block: the solver's first guess.
std::vector<Placement> LatticeFactories(const PackingLayout& layout, int x0, int y0, int x1, int y1)
{
    std::vector<Placement> hint;
    for (int y = y0; y + kFootprints[kFactory].h <= y1; y += kFootprints[kFactory].h) {
        for (int x = x0; x + kFootprints[kFactory].w <= x1; x += kFootprints[kFactory].w) {
            const Placement p{CellIndex(x, y), kFactory};
            if (layout.CanPlace(p))
                hint.push_back(p);
        }
    }
    return hint;
}

}  // namespace

std::vector<Placement> BlockLayout::Pack(PackingLayout& layout, const PackingRegion::Component& component,
                                         std::uint32_t seed, const SolveLimits& limits)
{
    std::vector<Placement> placed;
    std::vector<std::vector<int>> blocks;
    const int columns = (component.maxX - component.minX) / kBlockWidth + 1;
    const int rows = (component.maxY - component.minY) / kBlockHeight + 1;
    blocks.resize(static_cast<std::size_t>(columns * rows));
    for (const std::int32_t cell : component.cells) {
        const int bx = (CellX(cell) - component.minX) / kBlockWidth;
        const int by = (CellY(cell) - component.minY) / kBlockHeight;
        blocks[static_cast<std::size_t>(bx + by * columns)].push_back(cell);
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (blocks[b].empty())
            continue;
        const Neighbourhood part = Neighbourhood::Free(layout, blocks[b]);
        const int x0 = component.minX + static_cast<int>(b) % columns * kBlockWidth;
        const int y0 = component.minY + static_cast<int>(b) / columns * kBlockHeight;
        const std::vector<Placement> hint = LatticeFactories(layout, x0, y0, x0 + kBlockWidth, y0 + kBlockHeight);
        if (static_cast<int>(hint.size()) * kFootprints[kFactory].Area() == part.uncovered) {
            // Whole factories cover the block: nothing to solve.
            for (const Placement& p : hint) {
                layout.Place(p);
                placed.push_back(p);
            }
            continue;
        }
        const int most = std::min(part.uncovered, WindowPacker::ColourBoundOf(part.cells) + kMostExtraWaste);
        WindowPacker packer(part.cells, most, 0, seed + static_cast<std::uint32_t>(b), hint);
        SolveLimits blockLimits = limits;
        blockLimits.conflicts = kBlockConflicts;
        for (int waste = packer.ColourBound(); waste <= most; waste += 2) {
            const WindowPacker::Outcome outcome = packer.Solve(waste, 0, {}, blockLimits);
            if (outcome == WindowPacker::Outcome::Found) {
                for (const Placement& p : packer.Layout()) {
                    layout.Place(p);
                    placed.push_back(p);
                }
                break;
            }
        }
    }
    return placed;
}
