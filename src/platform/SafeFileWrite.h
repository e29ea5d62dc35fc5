#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

namespace platform {

// Writes a file through `write` into a sibling "<file>.new" and renames it
// over `file`, so a full disk or a crash midway never destroys what was
// there. False when the file could not be written; the old one then stays.
bool WriteFileSafely(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);

}  // namespace platform
