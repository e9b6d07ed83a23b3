#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <cstddef>
#include <cstdint>

// What any graph file may hold, whatever its format: bounds that keep a
// file from costing more memory than a machine has.
namespace graphlimits {

inline constexpr std::size_t maxFileBytes = std::size_t{1} << 30;
// Leaf counts are summed in single precision, which counts exactly up to 2^24.
inline constexpr int64_t maxNodes = int64_t{1} << 24;
// Each relation costs about 1.2 KB of curve samples.
inline constexpr std::size_t maxRelations = std::size_t{1} << 22;
inline constexpr uint64_t maxControlPoints = uint64_t{1} << 28;

// Each curve's control polygon runs up both ancestor chains: an Error when
// the routes of the graph's relations would not fit in memory.
Status checkRouteSize(const CompoundGraph& graph);

} // namespace graphlimits
