#pragma once

#include <cstdint>

// What the picture shows of the graph at its cut: the bundled curves, or
// the dependency matrix of the shown nodes. The underlying type is fixed:
// settings are 32-bit values, and any value can be handed over; one outside
// the enumerators means the first.
enum class ViewType : int32_t {
    Bundles = 0,
    Matrix = 1,
};

inline constexpr int viewTypeCount = 2;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* viewTypeLabels[viewTypeCount] = {"Bundles", "Matrix"};
