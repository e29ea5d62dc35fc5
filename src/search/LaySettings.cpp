#include "search/LaySettings.h"

#include "config/AppConfig.h"
#include "config/AppConfigFile.h"
#include "platform/TextBlank.h"

#include <algorithm>
#include <limits>

UiText LaySettings::AutoMemoryText(std::int32_t totalMemory, std::int32_t availableMemory)
{
    // The plain two thirds, without the limits of the automatic budget; 64 bits
    // so that no figure the machine reports can overflow.
    const long long twoThirds = 2LL * availableMemory / 3;
    return QL_TEXT("LaySettings", "自动 (你当前共有 %1 M 内存, 剩余 %2 M, 选择自动将会使用剩下内存的 2/3 约 %3 M 来用于搜索)")
        .Arg(std::to_string(totalMemory))
        .Arg(std::to_string(availableMemory))
        .Arg(std::to_string(twoThirds));
}

UiText LaySettings::AutoMemoryText(const AppConfig& config)
{
    return AutoMemoryText(config.totalMemory, config.availableMemory);
}

std::string LaySettings::MemoryText(std::int32_t totalMemory, std::int32_t availableMemory)
{
    return AutoMemoryText(totalMemory, availableMemory).Chinese();
}

std::string LaySettings::MemoryText(const AppConfig& config)
{
    return AutoMemoryText(config).Chinese();
}

std::int32_t LaySettings::ParseNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && platform::IsBlank(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';

    constexpr long long kLimit = std::numeric_limits<std::int32_t>::max() + 1LL;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min(value * 10 + (text[at] - '0'), kLimit);
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(
        std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::int32_t> LaySettings::Apply(AppConfig& config, bool autoMemory, std::string_view budgetText,
                                               std::string_view backLineText)
{
    std::optional<std::int32_t> shownBudget;
    config.autoMemory = autoMemory;
    if (!autoMemory) {
        const std::int32_t typed = ParseNumber(budgetText);
        config.memoryBudget = std::clamp(typed, AppConfigFile::kMinCustomBudget, AppConfigFile::kMaxCustomBudget);
        if (config.memoryBudget != typed)
            shownBudget = config.memoryBudget;
    }
    // The back lines edit keeps what was typed until the panel is set up again.
    config.maxBackLine = std::clamp(ParseNumber(backLineText), 0, AppConfigFile::kMaxBackLineLimit);
    return shownBudget;
}

std::optional<std::int32_t> LaySettings::ApplyMode(AppConfig& config, bool optimised, std::string_view secondsText)
{
    config.optimisedLayout = optimised;
    const std::int32_t typed = ParseNumber(secondsText);
    config.layoutSeconds = std::clamp(typed, AppConfigFile::kMinLayoutSeconds, AppConfigFile::kMaxLayoutSeconds);
    if (config.layoutSeconds != typed)
        return config.layoutSeconds;
    return std::nullopt;
}
