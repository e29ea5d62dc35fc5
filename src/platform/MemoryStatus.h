#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

struct PhysicalMemory {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};

// The machine's physical memory, or nothing when it cannot be read.
std::optional<PhysicalMemory> QueryPhysicalMemory();

// Parses the text of /proc/meminfo (MemTotal and MemAvailable, in kB).
std::optional<PhysicalMemory> ParseMemInfo(std::string_view text);

}  // namespace platform
