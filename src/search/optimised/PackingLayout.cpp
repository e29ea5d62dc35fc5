#include "search/optimised/PackingLayout.h"

#include <algorithm>

PackingLayout::PackingLayout(const PackingRegion& region)
    : region_(region), owner_(GridCells, -1), holeAt_(GridCells, -1)
{
    for (const auto& component : region.Components()) {
        uncovered_.push_back(static_cast<int>(component.cells.size()));
        factories_.push_back(0);
        for (const std::int32_t cell : component.cells)
            AddHole(cell);
    }
}

bool PackingLayout::CanPlace(const Placement& p) const
{
    const Footprint& f = p.Shape();
    if (p.X() + f.w > kPlaceableSide || p.Y() + f.h > kPlaceableSide)
        return false;
    const int component = region_.ComponentOf(p.cell);
    for (int y = p.Y(); y < p.Y() + f.h; ++y) {
        for (int x = p.X(); x < p.X() + f.w; ++x) {
            const int cell = CellIndex(x, y);
            if (region_.ComponentOf(cell) != component || component < 0 || Owner(cell) >= 0)
                return false;
        }
    }
    return true;
}

void PackingLayout::Place(const Placement& p)
{
    int id = 0;
    if (freeIds_.empty()) {
        id = static_cast<int>(buildings_.size());
        buildings_.push_back(p);
        inUse_.push_back(true);
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
        buildings_[static_cast<std::size_t>(id)] = p;
        inUse_[static_cast<std::size_t>(id)] = true;
    }
    const Footprint& f = p.Shape();
    for (int y = p.Y(); y < p.Y() + f.h; ++y) {
        for (int x = p.X(); x < p.X() + f.w; ++x) {
            owner_[static_cast<std::size_t>(CellIndex(x, y))] = id;
            RemoveHole(CellIndex(x, y));
        }
    }
    const auto component = static_cast<std::size_t>(region_.ComponentOf(p.cell));
    uncovered_[component] -= f.Area();
    factories_[component] += p.footprint == kFactory;
}

void PackingLayout::Remove(int id)
{
    const Placement p = buildings_[static_cast<std::size_t>(id)];
    const Footprint& f = p.Shape();
    for (int y = p.Y(); y < p.Y() + f.h; ++y) {
        for (int x = p.X(); x < p.X() + f.w; ++x) {
            owner_[static_cast<std::size_t>(CellIndex(x, y))] = -1;
            AddHole(CellIndex(x, y));
        }
    }
    const auto component = static_cast<std::size_t>(region_.ComponentOf(p.cell));
    uncovered_[component] += f.Area();
    factories_[component] -= p.footprint == kFactory;
    inUse_[static_cast<std::size_t>(id)] = false;
    freeIds_.push_back(id);
}

std::vector<Placement> PackingLayout::Buildings() const
{
    std::vector<Placement> list;
    for (std::size_t id = 0; id < buildings_.size(); ++id) {
        if (inUse_[id])
            list.push_back(buildings_[id]);
    }
    std::sort(list.begin(), list.end(), [](const Placement& a, const Placement& b) { return a.cell < b.cell; });
    return list;
}

void PackingLayout::AddHole(int cell)
{
    holeAt_[static_cast<std::size_t>(cell)] = static_cast<std::int32_t>(holes_.size());
    holes_.push_back(cell);
}

void PackingLayout::RemoveHole(int cell)
{
    const std::int32_t at = holeAt_[static_cast<std::size_t>(cell)];
    const std::int32_t last = holes_.back();
    holes_[static_cast<std::size_t>(at)] = last;
    holeAt_[static_cast<std::size_t>(last)] = at;
    holes_.pop_back();
    holeAt_[static_cast<std::size_t>(cell)] = -1;
}
