#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "settings/SettingsOptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How people name a node: by its path (see pathOf), by its path without the
// top of its tree's name, or by a shorter tail of its path, cut at a dot,
// that names only that node (the last names of the path, as a label shows
// them). A path two nodes share names the first of them. An Error for a
// name no node has, and for a tail several nodes share, with their paths
// (up to ten).
Result<int32_t> nodeNamed(const CompoundGraph& graph, std::string_view name,
                          const std::string& graphPath);

// The nodes the view options name, found in the graph as above.

// The node the view highlights: none for no name, an Error for a name that
// the graph, read from graphPath, does not have.
Result<int32_t> highlightedNode(const ViewOptions& view, const CompoundGraph& graph,
                                const std::string& graphPath);
// The nodes to toggle from the cut at that depth so that every node named
// is collapsed (see cutOf), in node order; an Error for a name the graph
// lacks. A leaf, which cannot collapse, is left as it is.
Result<std::vector<int32_t>> collapsedNodes(const ViewOptions& view, const CompoundGraph& graph,
                                            const std::string& graphPath, int32_t depth);
