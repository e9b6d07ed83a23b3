#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <string_view>

// JSON dependency data, in either of the shapes tools write:
//   [{"name": "a.b.c", "imports": ["a.d.e", ...], ...}, ...]
//   {"a.b.c": ["a.d.e", ...], ...}   (also {"a.b.c": {"imports": [...], ...}})
// Keys other than "name" and "imports" are ignored. The hierarchy comes from
// the names (see NameHierarchy); an import is a relation from the element to
// the imported one.
namespace jsongraph {

// The graph in the text; an Error gives the line and column and the reason.
// rootName names the root above several top-level names.
Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator = {}, Progress* progress = nullptr);

} // namespace jsongraph
