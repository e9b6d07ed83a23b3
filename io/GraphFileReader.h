#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "io/GraphLimits.h"

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

using graphlimits::maxControlPoints;
using graphlimits::maxFileBytes;
using graphlimits::maxNodes;
using graphlimits::maxRelations;
inline constexpr std::string_view delimiters = "\" \t";

// Empties tokens, then appends every maximal run of characters that are not
// delimiters, in order.
void tokenize(std::string_view line, std::string_view delimiters,
              std::vector<std::string_view>& tokens);

// The graph in the file at path; an Error names the path and the line. With
// a Progress, the share of the text parsed is reported, and a cancel stops
// the reading.
Result<CompoundGraph> read(const std::string& path, Progress* progress = nullptr);
// The graph in the text; an Error names the line but no path.
Result<CompoundGraph> parse(std::string_view text, Progress* progress = nullptr);

} // namespace graphfile
