#include "LayoutMaps.h"

#include "msg/MsgCenter.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"
#include "search/RandomRegions.h"
#include "search/SearchState.h"

#include <algorithm>
#include <random>

namespace layout_maps {
namespace {

RegionBits FromState(const SearchState& region)
{
    RegionBits bits;
    for (int y = 0; y < GridSize; ++y) {
        for (int x = 0; x < GridSize; ++x) {
            if (region.IsFree(x, y))
                bits.set(static_cast<std::size_t>(x + y * GridSize));
        }
    }
    return bits;
}

RegionBits Rectangle(int x, int y, int w, int h)
{
    return FromState(RandomRegions::Rectangle(x, y, w, h));
}

// A field as players paint it: overlapping rectangles dragged along a
// wandering path, with a few bites taken out of its edge, until it holds
// about `cells` cells.
RegionBits Blob(std::uint32_t seed, int cells)
{
    std::mt19937 dice(seed);
    auto between = [&](int low, int high) { return low + static_cast<int>(dice() % static_cast<std::uint32_t>(high - low + 1)); };
    RegionBits soil;
    int x = 125, y = 125;
    const int reach = std::max(6, static_cast<int>(std::sqrt(static_cast<double>(cells))) / 3);
    while (static_cast<int>(soil.count()) < cells) {
        const int w = between(3, reach), h = between(3, reach);
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) {
                if (i > 0 && j > 0 && i < GridSize - 2 && j < GridSize - 2)
                    soil.set(static_cast<std::size_t>(i + j * GridSize));
            }
        }
        x = std::clamp(x + between(-reach / 2 - 1, reach / 2 + 1), 2, GridSize - 40);
        y = std::clamp(y + between(-reach / 2 - 1, reach / 2 + 1), 2, GridSize - 40);
    }
    // Bites: small notches where a tree or a rock stands.
    for (int bites = cells / 150; bites > 0; --bites) {
        const int cx = between(0, GridSize - 1), cy = between(0, GridSize - 1);
        if (!soil[static_cast<std::size_t>(cx + cy * GridSize)])
            continue;
        const int w = between(1, 3), h = between(1, 3);
        for (int j = cy; j < cy + h && j < GridSize; ++j) {
            for (int i = cx; i < cx + w && i < GridSize; ++i)
                soil.reset(static_cast<std::size_t>(i + j * GridSize));
        }
    }
    return soil;
}

// Plots of 4 to 9 cells a side between roads one cell wide.
RegionBits Plots(std::uint32_t seed, int side)
{
    std::mt19937 dice(seed);
    auto lanes = [&] {
        std::vector<bool> road(static_cast<std::size_t>(side), false);
        for (int at = static_cast<int>(dice() % 6); at < side; at += 5 + static_cast<int>(dice() % 6))
            road[static_cast<std::size_t>(at)] = true;
        return road;
    };
    const auto columns = lanes(), rows = lanes();
    RegionBits soil;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (!columns[static_cast<std::size_t>(x)] && !rows[static_cast<std::size_t>(y)])
                soil.set(static_cast<std::size_t>(30 + x + (30 + y) * GridSize));
        }
    }
    return soil;
}

RegionBits WholeWithHoles()
{
    SearchState region = RandomRegions::Rectangle(0, 0, 249, 249);
    RandomRegions::PunchHoles(region, 50, 11);
    return FromState(region);
}

}  // namespace

std::vector<NamedRegion> MakeAll()
{
    return {
        {"rect-7x9", Rectangle(10, 10, 7, 9)},
        {"rect-12x10", Rectangle(10, 10, 12, 10)},
        {"rect-17x13", Rectangle(10, 10, 17, 13)},
        {"rect-23x31", Rectangle(10, 10, 23, 31)},
        {"rect-40x40", Rectangle(10, 10, 40, 40)},
        {"rect-64x47", Rectangle(10, 10, 64, 47)},
        {"plots-60", Plots(5, 60)},
        {"town-5000", FromState(RandomRegions::Town(3, 5000))},
        {"blob-250", Blob(1, 250)},
        {"blob-500", Blob(2, 500)},
        {"blob-1000", Blob(3, 1000)},
        {"blob-1500", Blob(4, 1500)},
        {"blob-2000", Blob(5, 2000)},
        {"blob-3000", Blob(6, 3000)},
        {"blob-4000", Blob(7, 4000)},
        {"blob-4000b", Blob(8, 4000)},
        // Fields the search was not tuned on.
        {"blob-1500b", Blob(21, 1500)},
        {"blob-1800", Blob(26, 1800)},
        {"blob-2000b", Blob(22, 2000)},
        {"blob-2500", Blob(23, 2500)},
        {"field-50x50", Rectangle(100, 100, 50, 50)},
        {"whole-50-holes", WholeWithHoles()},
    };
}

bool WriteMap(const std::filesystem::path& file, const RegionBits& soil)
{
    Scene scene(MsgCenter::Instance());
    for (int y = 0; y < GridSize; ++y) {
        for (int x = 0; x < GridSize; ++x) {
            if (soil[static_cast<std::size_t>(x + y * GridSize)])
                scene.LoadCell(x, y, CellSoil);
        }
    }
    return MapFileWriter::WriteFile(file, scene);
}

std::optional<RegionBits> ReadSoil(const std::filesystem::path& file)
{
    Scene scene(MsgCenter::Instance());
    std::string errors;
    if (!MapFileReader::ReadFile(file, errors, scene))
        return std::nullopt;
    RegionBits soil;
    for (int y = 0; y < GridSize; ++y) {
        for (int x = 0; x < GridSize; ++x) {
            if (scene.CellAt(x, y) == CellSoil)
                soil.set(static_cast<std::size_t>(x + y * GridSize));
        }
    }
    return soil;
}

}  // namespace layout_maps
