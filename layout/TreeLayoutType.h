#pragma once

#include <cstdint>

// The five tree layouts. The underlying type is fixed so that any 32-bit
// setting can be handed over; values outside 0..4 keep the node positions as
// they are.
enum class TreeLayoutType : int32_t {
    Radial = 0,
    Classic = 1,
    TreeMapSlice = 2,
    TreeMapSquared = 3,
    TreeMapStrip = 4,
};

inline constexpr int treeLayoutTypeCount = 5;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* treeLayoutLabels[treeLayoutTypeCount] = {
    "Radial", "Classic", "TreeMap - Slice", "TreeMap - Squared", "TreeMap - Strip"};
