#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The strongly connected components of a directed graph on the nodes 0 to
// nodeCount - 1 whose arcs are source[i] -> target[i] (repeats allowed).
struct StrongComponents {
    // Per node, its component, numbered from 0 in the order they are
    // completed: a component comes before every one it has arcs from.
    std::vector<int32_t> component;
    // Per component, its nodes.
    std::vector<int32_t> size;
};

// Found with Tarjan's search, its call stack kept in a vector, so that a
// chain of millions of nodes costs no program stack.
StrongComponents strongComponents(int32_t nodeCount, std::span<const int32_t> source,
                                  std::span<const int32_t> target);
