#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <string_view>

// Two names per line, a relation from the first to the second: separated by
// a comma (CSV, with "double-quoted" names where a name holds a comma), a
// tab, or blanks, whichever the first line uses. '#' starts a comment line;
// a first line "source,target" (or "from,to") is a header; a line of one
// name adds the element alone; further columns are ignored. The hierarchy
// comes from the names (see NameHierarchy). `go mod graph` output reads as
// it is.
namespace edgelist {

// The graph in the text; an Error gives the line (and column) and the
// reason. rootName names the root above several top-level names.
Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator = {}, Progress* progress = nullptr);

} // namespace edgelist
