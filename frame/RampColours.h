#pragma once

#include "base/SharedValues.h"
#include "frame/DrawDescription.h"
#include "settings/ViewSettings.h"

#include <array>
#include <cstdint>

// The colour ramps' texels as their images hold them, from the source end,
// by ramp number less one; a ramp that could not be loaded is empty.
using RampColours = std::array<SharedValues<Colour>, colorRampCount>;

// The ramp of a number from 1 to colorRampCount; empty for any other.
inline SharedValues<Colour> rampOf(const RampColours& ramps, int32_t number) {
    return number >= 1 && number <= colorRampCount ? ramps[static_cast<std::size_t>(number - 1)]
                                                   : SharedValues<Colour>();
}
