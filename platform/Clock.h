#pragma once

#include <chrono>
#include <cstdint>

// A monotonic tick count with its frequency, for frame timing.
inline int64_t clockTicks() {
    return static_cast<int64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

inline int64_t clockTicksPerSecond() {
    using Period = std::chrono::steady_clock::period;
    return static_cast<int64_t>(Period::den / Period::num);
}
