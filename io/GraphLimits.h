#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// What any graph file may hold, whatever its format: bounds that keep a
// file from costing more memory than a machine has.
namespace graphlimits {

inline constexpr std::size_t maxFileBytes = std::size_t{1} << 30;
// Leaf counts are summed in single precision, which counts exactly up to 2^24.
inline constexpr int64_t maxNodes = int64_t{1} << 24;
// Edge ids are 32-bit signed integers; the memory a graph's relations take
// is checked against what the machine has (checkRelationMemory).
inline constexpr std::size_t maxRelations = (std::size_t{1} << 31) - 1;
// Routes index their control points with 32-bit unsigned integers.
inline constexpr uint64_t maxControlPoints = (uint64_t{1} << 32) - 1;

// The reason of the Error for more than maxRelations relations.
std::string relationLimitReason();

// What a relation takes once the file is parsed, while its repeats are
// looked for: the graph's two 32-bit ids, and about a byte for the sets
// that find repeats (each thread holds one for a 256th of the pairs).
inline constexpr uint64_t bytesPerRelationRead = 9;
// An Error with the amounts when the memory available, where known, cannot
// hold that for the relations.
Status checkRelationMemory(uint64_t relations, std::optional<uint64_t> available);

// Each curve's control polygon runs up both ancestor chains: an Error when
// the routes of the graph's relations would not fit in memory.
Status checkRouteSize(const CompoundGraph& graph);

// The entries the relations' control polygons hold together, at most: each
// end three times and their ancestors up to, without, the lowest common one
// (in two trees, up to both tops). Walks each path, so it costs about what
// building the routes does.
uint64_t routeEntries(const CompoundGraph& graph);
// The same for curves between other pairs of the graph's nodes.
uint64_t routeEntries(const CompoundGraph& graph, std::span<const int32_t> sources,
                      std::span<const int32_t> targets);

// The reason of the Error a step that ran out of memory returns.
inline constexpr std::string_view outOfMemoryReason = "there is not enough memory for this graph";

// outOfMemoryReason and, where it can be told, the memory available once
// the step has let go of what it had: "...; N MiB are available".
Error outOfMemory();

// The step's result, or where it runs out of memory, that Error: a graph too
// large for the machine is refused, and the program goes on.
template <typename T, typename Step> Result<T> withinMemory(Step&& step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

} // namespace graphlimits
