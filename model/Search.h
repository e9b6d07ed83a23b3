#pragma once

#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The nodes whose name or path (see pathOf) holds the text, letters
// compared without case; in node order. Nothing for an empty text.
std::vector<int32_t> searchNodes(const CompoundGraph& graph, std::string_view text);
