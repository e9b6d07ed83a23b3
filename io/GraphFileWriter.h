#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <string>
#include <string_view>

// Writes a graph in the line-oriented format ("HierarchyElements", "Root",
// "H", "PCR", "R"), which reads back to the same hierarchy, names and
// relations in the same order.
namespace graphfile {

// The format splits fields at blanks, tabs and double quotes and ends lines
// at line ends, so a name cannot hold them: blanks, tabs and other control
// characters become no-break spaces (U+00A0) and a double quote two
// apostrophes, which look alike in a label.
std::string nameForLines(std::string_view name);

std::string format(const CompoundGraph& graph);

// Writes the file whole or not at all (see writeFileText).
Status write(const CompoundGraph& graph, const std::string& path);

} // namespace graphfile
