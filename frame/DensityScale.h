#pragma once

#include "settings/CurveColourTypes.h"

#include <cstdint>
#include <span>
#include <vector>

// Where the density view's counts fall on the colour ramp, worked out from
// a frame's counts (per pixel, the curves covering it, each by its weight:
// whole numbers). Log: a count c at log(1 + c) / log(1 + the largest).
// Equalised: at its rank among the covered pixels' counts, the share of
// them below it plus half the share equal to it, so that each count takes
// as much of the ramp as it covers pixels.
class DensityScale {
public:
    // Counts are ranked one by one up to this; larger ones share one rank.
    static constexpr uint32_t rankedCounts = 1u << 22;

    // The scale of a frame with nothing covered.
    DensityScale() = default;
    DensityScale(std::span<const float> counts, DensityScaleType type);

    DensityScaleType type() const { return scaleType; }
    // The largest and the smallest count of a covered pixel; 0 for none.
    float largest() const { return most; }
    float smallest() const { return least; }
    // A count's place on the ramp, 0 to 1.
    float position(float count) const;
    // Equalised: the place of each whole count from 0 on (counts past the
    // end have the last); empty on the log scale.
    std::span<const float> ranks() const { return rankOf; }
    // The smallest whole count from the smallest covered one that lies at
    // or past the place (equalised: of those a covered pixel has); the
    // largest count for places past all of them.
    uint32_t countAt(float place) const;

private:
    DensityScaleType scaleType = DensityScaleType::Log;
    float most = 0.0f;
    float least = 0.0f;
    std::vector<float> rankOf;
    // Equalised: the whole counts that pixels have, in order.
    std::vector<uint32_t> present;
};

// The counts a key shows along the ramp: at a few evenly spaced places, the
// count there (see countAt) and where it lies, each count once; none when
// nothing is covered.
struct DensityTick {
    float position = 0.0f;
    uint32_t count = 0;
};
std::vector<DensityTick> densityTicks(const DensityScale& scale, int places = 4);
