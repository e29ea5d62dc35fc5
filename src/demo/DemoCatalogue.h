#pragma once

#include <filesystem>
#include <vector>

// The demonstration scripts found below the "demo" folder, and the chosen one.
struct DemoCatalogue {
    std::vector<std::filesystem::path> scripts;
    int chosen = -1;
};
