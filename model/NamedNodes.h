#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "settings/SettingsOptions.h"

#include <cstdint>
#include <string>
#include <vector>

// The nodes the view options name, found in the graph (see findNode).

// The node the view highlights: none for no name, an Error for a name that
// the graph, read from graphPath, does not have.
Result<int32_t> highlightedNode(const ViewOptions& view, const CompoundGraph& graph,
                                const std::string& graphPath);
// The nodes to toggle from the cut at that depth so that every node named
// is collapsed (see cutOf), in node order; an Error for a name the graph
// lacks. A leaf, which cannot collapse, is left as it is.
Result<std::vector<int32_t>> collapsedNodes(const ViewOptions& view, const CompoundGraph& graph,
                                            const std::string& graphPath, int32_t depth);
