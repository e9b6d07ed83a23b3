#pragma once

#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string>
#include <vector>

// How rules and reports name a node: its names from below the top of its
// tree down to it, joined by '.' (the root's name left out); the top of a
// tree by its own name.
std::string nodePath(const CompoundGraph& graph, int32_t node);

// Every node, each tree in pre-order from its top: parents before children.
std::vector<int32_t> topDown(const CompoundGraph& graph);
