#pragma once

#include "graph/CompoundGraphBuilder.h"

#include <cstdint>
#include <span>
#include <string_view>

// Adds nodes 0 .. parents.size() - 1 to an empty builder and gives them one
// root: the one node without a parent, or, where there are several (or
// none), a node named rootName after them, with those nodes as its children
// in order. The other parent links are the caller's to make. Returns the
// root.
int32_t addRootedNodes(CompoundGraphBuilder& builder, std::span<const int32_t> parents,
                       std::string_view rootName);
