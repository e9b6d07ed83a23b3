#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A weighted directed graph on the nodes 0 to nodeCount - 1: arc i runs
// from source[i] to target[i] (never a loop) and weighs weight[i] > 0.
struct WeightedArcs {
    int32_t nodeCount = 0;
    std::span<const int32_t> source;
    std::span<const int32_t> target;
    std::span<const int64_t> weight;
};

// Per node, its place (from 0) in an order of the nodes whose backward arcs (from a later node to
// an earlier one), once removed, leave no cycle, and weigh little: the greedy order of Eades, Lin
// and Smyth (sinks to the end, sources to the front, else the node whose arcs out outweigh its arcs
// in the most), then single nodes moved wherever that lowers the backward weight, then reversed
// where the reverse weighs less. So the backward weight is never more than the greedy order's, nor
// more than half of all the arcs' weight. Iterative; ties go to the lower node.
std::vector<int32_t> feedbackPlaces(const WeightedArcs& arcs);

// The arcs that run backward in the order given by each node's place, in
// arc order.
std::vector<int32_t> backwardArcs(const WeightedArcs& arcs, std::span<const int32_t> place);
