#include "platform/MemoryStatus.h"

#include <charconv>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
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

}  // namespace

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
    std::ifstream in("/proc/meminfo");
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return ParseMemInfo(text.str());
#endif
}

}  // namespace platform
