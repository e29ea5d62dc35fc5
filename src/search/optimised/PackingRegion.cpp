#include "search/optimised/PackingRegion.h"

#include "search/SearchState.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

// Union-find over cell numbers, with path halving.
class CellSets {
public:
    CellSets() : parent_(GridCells) { std::iota(parent_.begin(), parent_.end(), 0); }

    int Find(int cell)
    {
        while (parent_[static_cast<std::size_t>(cell)] != cell) {
            auto& p = parent_[static_cast<std::size_t>(cell)];
            p = parent_[static_cast<std::size_t>(p)];
            cell = p;
        }
        return cell;
    }
    void Join(int a, int b)
    {
        a = Find(a);
        b = Find(b);
        if (a != b)
            parent_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    }

private:
    std::vector<std::int32_t> parent_;
};

}  // namespace

PackingRegion::PackingRegion(const SearchState& region)
{
    for (int y = 0; y < GridSize && y < region.height; ++y) {
        for (int x = 0; x < GridSize && x < region.width; ++x) {
            if (region.IsFree(x, y))
                cells_.set(static_cast<std::size_t>(CellIndex(x, y)));
        }
    }
    Build();
}

PackingRegion::PackingRegion(const RegionBits& cells) : cells_(cells)
{
    Build();
}

bool PackingRegion::Fits(int x, int y, int footprint) const
{
    const Footprint& f = kFootprints[static_cast<std::size_t>(footprint)];
    if (x < 0 || y < 0 || x + f.w > kPlaceableSide || y + f.h > kPlaceableSide)
        return false;
    for (int j = y; j < y + f.h; ++j) {
        for (int i = x; i < x + f.w; ++i) {
            if (!cells_[static_cast<std::size_t>(CellIndex(i, j))])
                return false;
        }
    }
    return true;
}

void PackingRegion::Build()
{
    regionCells_ = static_cast<int>(cells_.count());

    // Run lengths make each fit test a handful of lookups: `across[c]` is how
    // many region cells start at c along x, `down[c]` along y.
    std::vector<std::uint8_t> across(GridCells, 0);
    for (int y = 0; y < GridSize; ++y) {
        for (int x = GridSize - 1, run = 0; x >= 0; --x) {
            run = cells_[static_cast<std::size_t>(CellIndex(x, y))] ? std::min(run + 1, 255) : 0;
            across[static_cast<std::size_t>(CellIndex(x, y))] = static_cast<std::uint8_t>(run);
        }
    }
    std::vector<bool> live(GridCells, false);
    CellSets sets;
    for (int y = 0; y < kPlaceableSide; ++y) {
        for (int x = 0; x < kPlaceableSide; ++x) {
            for (const Footprint& f : kFootprints) {
                if (x + f.w > kPlaceableSide || y + f.h > kPlaceableSide)
                    continue;
                bool fits = true;
                for (int j = y; j < y + f.h && fits; ++j)
                    fits = across[static_cast<std::size_t>(CellIndex(x, j))] >= f.w;
                if (!fits)
                    continue;
                const int first = CellIndex(x, y);
                for (int j = y; j < y + f.h; ++j) {
                    for (int i = x; i < x + f.w; ++i) {
                        live[static_cast<std::size_t>(CellIndex(i, j))] = true;
                        sets.Join(first, CellIndex(i, j));
                    }
                }
            }
        }
    }

    componentOf_.assign(GridCells, -1);
    std::vector<std::int32_t> componentOfRoot(GridCells, -1);
    for (int cell = 0; cell < GridCells; ++cell) {
        if (!cells_[static_cast<std::size_t>(cell)])
            continue;
        if (!live[static_cast<std::size_t>(cell)]) {
            ++deadCells_;
            continue;
        }
        auto& index = componentOfRoot[static_cast<std::size_t>(sets.Find(cell))];
        if (index < 0) {
            index = static_cast<std::int32_t>(components_.size());
            Component c;
            c.minX = c.maxX = CellX(cell);
            c.minY = c.maxY = CellY(cell);
            components_.push_back(std::move(c));
        }
        Component& c = components_[static_cast<std::size_t>(index)];
        c.cells.push_back(cell);
        c.minX = std::min(c.minX, CellX(cell));
        c.maxX = std::max(c.maxX, CellX(cell));
        c.minY = std::min(c.minY, CellY(cell));
        c.maxY = std::max(c.maxY, CellY(cell));
        componentOf_[static_cast<std::size_t>(cell)] = index;
    }
    for (Component& c : components_) {
        int balance = 0;
        for (const std::int32_t cell : c.cells)
            balance += Colour(cell) ? 1 : -1;
        c.colourBound = std::abs(balance);
    }
}
