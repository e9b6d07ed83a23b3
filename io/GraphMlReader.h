#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <string_view>

// GraphML: a <node> whose <graph> holds nodes is their parent, and an
// <edge source="..." target="..."> between any two nodes is a relation.
// Flat files may instead give a node's parent's id in a data key named
// "parent". A node's name is its data key named "name", else "label", else
// the text of a yEd node label, else its id. One top-level node is the
// root; several get a root named rootName above them.
namespace graphml {

// The graph in the text; an Error gives the line and column and the reason.
Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            Progress* progress = nullptr);

} // namespace graphml
