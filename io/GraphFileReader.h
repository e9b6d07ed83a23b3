#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The line-oriented graph file ("HierarchyElements", "Root", "H", "PCR",
// "R"). Accepts what the format allows (unknown keywords, short lines, nodes
// outside the root's subtree) and rejects what would leave the graph
// inconsistent or cost unbounded memory, naming the line and the reason.
namespace graphfile {

inline constexpr std::size_t maxFileBytes = std::size_t{1} << 30;
// Leaf counts are summed in single precision, which counts exactly up to 2^24.
inline constexpr int64_t maxNodes = int64_t{1} << 24;
// Each relation costs about 1.2 KB of curve samples.
inline constexpr std::size_t maxRelations = std::size_t{1} << 22;
inline constexpr uint64_t maxControlPoints = uint64_t{1} << 28;
inline constexpr std::string_view delimiters = "\" \t";

// Empties tokens, then appends every maximal run of characters that are not
// delimiters, in order.
void tokenize(std::string_view line, std::string_view delimiters,
              std::vector<std::string_view>& tokens);

// The reason of the Error a cancelled read returns.
inline constexpr std::string_view cancelledReason = "cancelled";

// The graph in the file at path; an Error names the path and the line. With
// a Progress, the share of the text parsed is reported, and a cancel stops
// the reading.
Result<CompoundGraph> read(const std::string& path, Progress* progress = nullptr);
// The graph in the text; an Error names the line but no path.
Result<CompoundGraph> parse(std::string_view text, Progress* progress = nullptr);

} // namespace graphfile
