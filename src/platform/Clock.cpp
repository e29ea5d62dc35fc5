#include "platform/Clock.h"

#include <chrono>

namespace platform {
namespace {
const auto processStart = std::chrono::steady_clock::now();
}

std::int32_t ProcessClockMs()
{
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    // A signed 32-bit reading lasts 24 days; after that the timers would see
    // time run backwards, so report "no clock" rather than a wrapped value.
    if (ms < 0 || ms > INT32_MAX)
        return -1;
    return static_cast<std::int32_t>(ms);
}

}  // namespace platform
