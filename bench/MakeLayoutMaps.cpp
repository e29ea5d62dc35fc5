// Writes the maps of the optimised-layout benchmark into a folder:
//   ql_make_layout_maps bench/maps
#include "LayoutMaps.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: ql_make_layout_maps FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& map : layout_maps::MakeAll()) {
        if (!layout_maps::WriteMap(folder / (map.name + ".qlm"), map.soil)) {
            std::cerr << "cannot write " << map.name << "\n";
            return 1;
        }
        std::cout << map.name << " " << map.soil.count() << "\n";
    }
    return 0;
}
