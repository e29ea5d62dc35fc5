#include "platform/MemoryStatus.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

std::optional<std::uint64_t> FieldKb(std::string_view text, std::string_view key)
{
    std::size_t at = 0;
    while ((at = text.find(key, at)) != std::string_view::npos) {
        if (at == 0 || text[at - 1] == '\n')
            break;
        at += key.size();
    }
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t pos = at + key.size();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    std::uint64_t kb = 0;
    const auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), kb);
    if (ec != std::errc() || end == text.data() + pos || kb > UINT64_MAX / 1024)
        return std::nullopt;
    return kb;
}

#ifndef _WIN32

std::string ReadSmallFile(const char* file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What the address-space limit leaves: the limit, and the size of every mapping now.
std::optional<MemoryLimit> AddressSpaceLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    std::uint64_t pages = 0;
    const std::string statm = ReadSmallFile("/proc/self/statm");
    std::from_chars(statm.data(), statm.data() + statm.size(), pages);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    return MemoryLimit{static_cast<std::uint64_t>(limit.rlim_cur),
                       pages * static_cast<std::uint64_t>(pageBytes > 0 ? pageBytes : 4096)};
}

std::optional<MemoryLimit> CgroupLimit()
{
    const auto own = ParseOwnCgroup(ReadSmallFile("/proc/self/cgroup"));
    if (!own)
        return std::nullopt;
    const std::string folder =
        (own->unified ? std::string("/sys/fs/cgroup") : std::string("/sys/fs/cgroup/memory")) + own->path + "/";
    const std::string limitFile = folder + (own->unified ? "memory.max" : "memory.limit_in_bytes");
    const std::string usedFile = folder + (own->unified ? "memory.current" : "memory.usage_in_bytes");
    const auto limit = ParseCgroupBytes(ReadSmallFile(limitFile.c_str()));
    if (!limit)
        return std::nullopt;
    const auto used = ParseCgroupBytes(ReadSmallFile(usedFile.c_str()));
    return MemoryLimit{*limit, used.value_or(0)};
}

#endif

}  // namespace

PhysicalMemory WithinLimit(PhysicalMemory memory, const MemoryLimit& limit)
{
    const std::uint64_t left = limit.limitBytes > limit.usedBytes ? limit.limitBytes - limit.usedBytes : 0;
    memory.totalBytes = std::min(memory.totalBytes, limit.limitBytes);
    memory.availableBytes = std::min(memory.availableBytes, left);
    return memory;
}

std::optional<std::uint64_t> ParseCgroupBytes(std::string_view text)
{
    // cgroup v1 writes a page-rounded LLONG_MAX for "no limit".
    constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 62;
    std::uint64_t bytes = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), bytes);
    if (ec != std::errc() || end == text.data() || bytes >= kNoLimit)
        return std::nullopt;
    const std::string_view rest = text.substr(static_cast<std::size_t>(end - text.data()));
    if (rest.find_first_not_of(" \t\r\n") != std::string_view::npos)
        return std::nullopt;
    return bytes;
}

std::optional<CgroupPath> ParseOwnCgroup(std::string_view text)
{
    // Lines are "hierarchy:controllers:path"; v2 has the one line "0::path".
    std::optional<CgroupPath> unified;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos)
            continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::string path(line.substr(second + 1));
        if (path.empty() || path[0] != '/' || path.find("/..") != std::string::npos)
            continue;
        if (controllers.empty() && line.substr(0, first) == "0") {
            unified = CgroupPath{path, true};
            continue;
        }
        for (std::string_view rest = controllers; !rest.empty();) {
            const std::size_t comma = std::min(rest.find(','), rest.size());
            if (rest.substr(0, comma) == "memory")
                return CgroupPath{path, false};
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
    return unified;
}

std::optional<PhysicalMemory> ParseMemInfo(std::string_view text)
{
    const auto total = FieldKb(text, "MemTotal:");
    if (!total)
        return std::nullopt;
    // Kernels before 3.14 have no MemAvailable; free memory is the closest figure.
    auto available = FieldKb(text, "MemAvailable:");
    if (!available)
        available = FieldKb(text, "MemFree:");
    if (!available)
        return std::nullopt;
    return PhysicalMemory{*total * 1024, *available * 1024};
}

std::optional<PhysicalMemory> QueryPhysicalMemory()
{
#ifdef _WIN32
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return PhysicalMemory{status.ullTotalPhys, status.ullAvailPhys};
#else
    auto memory = ParseMemInfo(ReadSmallFile("/proc/meminfo"));
    if (!memory)
        return std::nullopt;
    for (const auto& limit : {AddressSpaceLimit(), CgroupLimit()}) {
        if (limit)
            *memory = WithinLimit(*memory, *limit);
    }
    return memory;
#endif
}

}  // namespace platform
