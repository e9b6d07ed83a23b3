#pragma once

#include <cstdint>

// How curves are coloured: along the colour ramp from source to target, or
// each in the colour of the group its source (or its target) belongs to.
// The underlying types are fixed: the settings are 32-bit values, and any
// value can be handed over; one outside the enumerators means the first.
enum class ColorBy : int32_t {
    Ramp = 0,
    SourceGroup = 1,
    TargetGroup = 2,
};

inline constexpr int colorByCount = 3;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* colorByLabels[colorByCount] = {"Ramp", "Source Group", "Target Group"};

// How the density view maps the number of curves at a pixel onto the ramp:
// by the logarithm of the count against the largest, or by the count's rank
// among the counts of every covered pixel (histogram equalisation), so that
// a few very crowded pixels do not squeeze the others into one colour.
enum class DensityScaleType : int32_t {
    Log = 0,
    EqHist = 1,
};

inline constexpr int densityScaleTypeCount = 2;

inline constexpr const char* densityScaleLabels[densityScaleTypeCount] = {"Log", "Eq-Hist"};
