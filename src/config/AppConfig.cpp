#include "config/AppConfig.h"

#include "config/AppConfigFile.h"
#include "platform/AppFolders.h"

#include <loki/Singleton.h>

#include <algorithm>

namespace {

using AppConfigHolder =
    Loki::SingletonHolder<AppConfig, Loki::CreateUsingNew, Loki::DefaultLifetime, Loki::SingleThreaded>;

constexpr std::int32_t kMinAutoBudget = 100;
constexpr std::int32_t kMaxAutoBudget = 2048;

std::int32_t Megabytes(std::uint64_t bytes)
{
    return static_cast<std::int32_t>(std::min<std::uint64_t>(bytes >> 20, INT32_MAX));
}

}  // namespace

AppConfig::AppConfig() : AppConfig(platform::AppFolders::Find().settingsFile) {}

AppConfig::AppConfig(std::filesystem::path file) : file_(std::move(file))
{
    RefreshMemory();
    AppConfigFile::Read(file_, *this);
}

AppConfig::~AppConfig()
{
    if (writeBack_)
        AppConfigFile::Write(file_, *this);
}

AppConfig& AppConfig::Instance()
{
    return AppConfigHolder::Instance();
}

void AppConfig::RefreshMemory()
{
    // Without a reading the figures stay as they were (zero at first), and
    // an automatic budget still gets its floor.
    RefreshMemory(platform::QueryPhysicalMemory().value_or(
        platform::PhysicalMemory{static_cast<std::uint64_t>(totalMemory) << 20,
                                 static_cast<std::uint64_t>(availableMemory) << 20}));
}

void AppConfig::RefreshMemory(const platform::PhysicalMemory& memory)
{
    totalMemory = Megabytes(memory.totalBytes);
    availableMemory = Megabytes(memory.availableBytes);
    if (autoMemory)
        memoryBudget = std::clamp(static_cast<std::int32_t>(2LL * availableMemory / 3), kMinAutoBudget, kMaxAutoBudget);
}
