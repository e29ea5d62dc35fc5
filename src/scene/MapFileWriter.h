#pragma once

#include <filesystem>
#include <ostream>

class Scene;

// Writes a scene as a ".qlm" map of version 1.1: the grid column by column,
// then the buildings, then the rulers, each line ending in a plain LF.
class MapFileWriter {
public:
    static void Write(std::ostream& out, const Scene& scene);

    // False when the map cannot be written; an existing file is then kept whole.
    static bool WriteFile(const std::filesystem::path& file, const Scene& scene);
};
