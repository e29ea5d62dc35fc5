#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>

class Scene;

// Reads a ".qlm" map of version 1.0 or 1.1 into a scene. Problems are
// appended to `errorText` one message after another; a load can succeed and
// still leave messages there (a missing building or ruler list).
class MapFileReader {
public:
    // Far more than a full grid of named buildings needs; a larger file is no map.
    static constexpr std::uintmax_t kMaxFileBytes = 16 * 1024 * 1024;

    // False when the file is refused; the scene is then exactly as it was.
    static bool Read(std::istream& in, std::string& errorText, Scene& scene);

    // False, with nothing changed, also when the file cannot be opened (no
    // message) or is no regular file or too large to be a map (a message).
    static bool ReadFile(const std::filesystem::path& file, std::string& errorText, Scene& scene);
};
