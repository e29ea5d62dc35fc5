#pragma once

#include <filesystem>

namespace platform {

// The folder of the running executable. Falls back to the current folder when
// the executable's path cannot be found.
std::filesystem::path ProgramFolder();

}  // namespace platform
