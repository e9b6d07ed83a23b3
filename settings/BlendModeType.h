#pragma once

#include <cstdint>

// How the splines are blended into the frame. The underlying type is fixed:
// the setting is a 32-bit value, and any value can be handed over.
enum class BlendModeType : int32_t {
    None = 0,
    Alpha = 1,
    Max = 2,
    // Curves add up in a float target whose counts are shown through the
    // colour ramp on a log scale: where many curves bundle stands out.
    Density = 3,
};

inline constexpr int blendModeTypeCount = 4;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* blendModeLabels[blendModeTypeCount] = {"None", "Alpha", "Max",
                                                                    "Density"};
