#pragma once

#include "base/SharedValues.h"
#include "frame/DrawDescription.h"
#include "settings/ViewSettings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

// The colour ramps' texels as their images hold them, from the source end,
// by ramp number less one; a ramp that could not be loaded is empty.
using RampColours = std::array<SharedValues<Colour>, colorRampCount>;

// The ramp of a number from 1 to colorRampCount; empty for any other.
inline SharedValues<Colour> rampOf(const RampColours& ramps, int32_t number) {
    return number >= 1 && number <= colorRampCount ? ramps[static_cast<std::size_t>(number - 1)]
                                                   : SharedValues<Colour>();
}

// The ramp's texel nearest a place from 0 (the source end) to 1; white for
// an empty ramp.
inline Colour rampColour(std::span<const Colour> ramp, double place) {
    if (ramp.empty()) {
        return {1.0f, 1.0f, 1.0f, 1.0f};
    }
    const auto index = static_cast<std::size_t>(
        std::lround(std::clamp(place, 0.0, 1.0) * static_cast<double>(ramp.size() - 1)));
    return ramp[index];
}
