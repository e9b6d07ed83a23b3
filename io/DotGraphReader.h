#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "io/DotContent.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Graphviz DOT: "graph", "digraph" and "strict" graphs, several in a file
// read as one. An edge is a relation from the end written first, in
// undirected graphs too; a chain makes one per step and a subgraph on a
// side one per pair. Subgraphs whose ID starts with "cluster" make the
// hierarchy (see DotContent); other subgraphs add no level. Attributes
// other than labels, ports and compass points are ignored.
namespace dotgraph {

// The naming a word asks for: "id" or "label"; none for another word.
std::optional<DotNames> namesCalled(std::string_view word);

// Whether the text starts, after blanks and comments, with "graph",
// "digraph" or "strict".
bool looksLikeDot(std::string_view text);

// The graph in the text; an Error gives the line and column and the
// reason. rootName names the root above several top-level nodes. A note of
// what was kept despite doubts goes to the warnings, where given.
Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator = {}, DotNames names = DotNames::Id,
                            Progress* progress = nullptr,
                            std::vector<std::string>* warnings = nullptr);

} // namespace dotgraph
