#pragma once

#include "scene/SceneTypes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The maps the optimised layout is measured on, each made from a fixed seed:
// rectangles of many sizes, small plots cut by roads, a town, irregular
// single fields, a 50 × 50 field and the whole area with one-cell holes.
namespace layout_maps {

struct NamedRegion {
    std::string name;
    RegionBits soil;
};

std::vector<NamedRegion> MakeAll();

// Writes a map whose soil is `soil` (everything else blank ground).
bool WriteMap(const std::filesystem::path& file, const RegionBits& soil);
// The soil cells of a map file; nothing when it cannot be read.
std::optional<RegionBits> ReadSoil(const std::filesystem::path& file);

}  // namespace layout_maps
