#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the process started, from a monotonic clock.
// CPU time would never advance in an idle program, so the timers would stall.
std::int32_t ProcessClockMs();

}  // namespace platform
