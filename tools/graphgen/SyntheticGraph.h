#pragma once

#include <cstdint>
#include <iosfwd>

// A random compound graph for benchmarks, the same for the same parameters
// on every machine: a hierarchy grown breadth first and relations between
// leaves that prefer nearby parts of the tree.
struct SyntheticGraphParameters {
    int64_t nodes = 1000;
    int depth = 6;
    int fanOut = 8;
    int64_t relations = 5000;
    // Probability that a relation stays inside the subtree of the source's
    // grandparent.
    double locality = 0.7;
    uint64_t seed = 1;
};

// Writes the graph in the graph file format; returns the number of nodes
// written, which is less than asked when depth and fan-out cannot hold them.
int64_t writeSyntheticGraph(const SyntheticGraphParameters& parameters, std::ostream& out);
