#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <optional>
#include <string_view>

// Two names per line, a relation from the first to the second: separated by
// a comma (CSV, with "double-quoted" names where a name holds a comma), a
// tab, or blanks, whichever the first line that shows one uses (a tab before
// a comma). '#' starts a comment line; a first line "source,target" (or
// "from,to") is a header; further columns are ignored. A file of one name
// per line lists elements without relations; in a file of relations, a line
// of one name is refused, as it most likely uses another delimiter. The
// hierarchy comes from the names (see NameHierarchy). `go mod graph` output
// reads as it is.
namespace edgelist {

// The graph in the text; an Error gives the line (and column) and the
// reason. rootName names the root above several top-level names. With a
// delimiter given (a tab for .tsv files), every line is split at it.
Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator = {}, Progress* progress = nullptr,
                            std::optional<char> delimiter = std::nullopt);

} // namespace edgelist
