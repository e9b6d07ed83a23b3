#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "io/GraphLimits.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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

// How a text is parsed: the lines after "HierarchyElements" in chunks of
// about chunkBytes, on all cores; results and errors are the same for any
// chunk size. A graph whose relations the memory available cannot hold is
// refused before the graph's arrays are made; memoryAvailable stands in
// for what the machine reports.
struct ParseOptions {
    std::size_t chunkBytes = std::size_t{1} << 20;
    std::optional<uint64_t> memoryAvailable;
};

// The graph in the file at path; an Error names the path and the line. With
// a Progress, the share of the text parsed is reported, and a cancel stops
// the reading.
Result<CompoundGraph> read(const std::string& path, Progress* progress = nullptr);
// The graph in the text; an Error names the line but no path.
Result<CompoundGraph> parse(std::string_view text, Progress* progress = nullptr,
                            const ParseOptions& options = {});

} // namespace graphfile
