#pragma once

#include <cstdint>

// How the splines are blended into the frame. The underlying type is fixed
// so that the panel can bind the Graph's 32-bit field to it.
enum class BlendModeType : int32_t {
    None = 0,
    Alpha = 1,
    Max = 2,
};

inline constexpr int blendModeTypeCount = 3;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* blendModeLabels[blendModeTypeCount] = {"None", "Alpha", "Max"};
