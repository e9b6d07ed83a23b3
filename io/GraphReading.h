#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "io/DotContent.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Every graph file format we read, chosen by the file's extension and
// checked against its content. A tab-separated list is an edge list whose
// names are always split at tabs.
enum class GraphFormat { Lines, Json, EdgeList, TabSeparated, GraphMl, Dot };

// The format an extension names (.rsf, .json, .csv/.txt, .tsv, .graphml,
// .dot/.gv, in any case), or none.
std::optional<GraphFormat> formatOfPath(std::string_view path);

// The format the content looks like where the extension names none: JSON
// ("{" or "[" first), GraphML ("<" first), DOT ("graph", "digraph" or
// "strict" first, after comments), else the line format.
GraphFormat formatOfContent(std::string_view text);

struct GraphReadOptions {
    // Splits names into the hierarchy in the formats that only have names;
    // detected from them when empty.
    std::string separator;
    Progress* progress = nullptr;
    DotNames dotNames = DotNames::Id;
    // Where given, notes of what a reader kept despite doubts, a line each.
    std::vector<std::string>* warnings = nullptr;
};

// The graph in the file; an Error names the path, the line and column where
// known, and the reason, also where the content does not match the format
// the extension names.
Result<CompoundGraph> readGraph(const std::string& path, const GraphReadOptions& options = {});

// The graph in the text, in the format; rootName names the root made above
// several top-level names.
Result<CompoundGraph> parseGraph(std::string_view text, GraphFormat format,
                                 std::string_view rootName, const GraphReadOptions& options = {});
