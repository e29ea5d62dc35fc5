#pragma once

#include "search/optimised/Footprint.h"
#include "search/optimised/PackingRegion.h"

#include <cstdint>
#include <vector>

// A complete layout of a PackingRegion: which building covers each cell, the
// uncovered live cells (holes) for quick picking, and per component the
// uncovered cells and factories.
class PackingLayout {
public:
    explicit PackingLayout(const PackingRegion& region);

    const PackingRegion& Region() const { return region_; }

    // True when the footprint lies on live, uncovered cells of one component.
    bool CanPlace(const Placement& p) const;
    void Place(const Placement& p);
    // Removes the building with the given id (see Owner).
    void Remove(int id);

    // Id of the building covering the cell, -1 when none.
    int Owner(int cell) const { return owner_[static_cast<std::size_t>(cell)]; }
    const Placement& Building(int id) const { return buildings_[static_cast<std::size_t>(id)]; }

    const std::vector<std::int32_t>& Holes() const { return holes_; }
    int ComponentUncovered(int component) const { return uncovered_[static_cast<std::size_t>(component)]; }
    int ComponentFactories(int component) const { return factories_[static_cast<std::size_t>(component)]; }
    // Every uncovered region cell, dead ones included.
    int Uncovered() const { return static_cast<int>(holes_.size()) + region_.DeadCells(); }

    // The buildings in place, in the order of their top-left cells.
    std::vector<Placement> Buildings() const;

private:
    void AddHole(int cell);
    void RemoveHole(int cell);

    const PackingRegion& region_;
    std::vector<std::int32_t> owner_;
    std::vector<Placement> buildings_;  // by id; removed ones are reused
    std::vector<std::int32_t> freeIds_;
    std::vector<bool> inUse_;
    std::vector<std::int32_t> holes_;
    std::vector<std::int32_t> holeAt_;  // per cell: index in holes_, -1
    std::vector<int> uncovered_;
    std::vector<int> factories_;
};
