#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct PhysicalMemory {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};

// A limit on the memory of this process and what of it is in use.
struct MemoryLimit {
    std::uint64_t limitBytes = 0;
    std::uint64_t usedBytes = 0;
};

// The memory this process can have: the machine's physical memory, no more
// than its address-space limit (ulimit -v) and its container's memory limit
// allow. Nothing when the machine's memory cannot be read.
std::optional<PhysicalMemory> QueryPhysicalMemory();

// Memory as a limit leaves it: the total no larger than the limit, the
// available no larger than what the limit has left.
PhysicalMemory WithinLimit(PhysicalMemory memory, const MemoryLimit& limit);

// A cgroup limit or usage file ("memory.max", "memory.limit_in_bytes"…):
// nothing for "max", a value meaning no limit, or garbage.
std::optional<std::uint64_t> ParseCgroupBytes(std::string_view text);

// The memory cgroup of this process from the text of /proc/self/cgroup: the
// unified (v2) path, or the path of the v1 "memory" controller.
struct CgroupPath {
    std::string path;
    bool unified = true;
};
std::optional<CgroupPath> ParseOwnCgroup(std::string_view text);

// Parses the text of /proc/meminfo (MemTotal and MemAvailable, in kB).
std::optional<PhysicalMemory> ParseMemInfo(std::string_view text);

}  // namespace platform
