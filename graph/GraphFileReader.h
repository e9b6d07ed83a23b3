#pragma once

#include "graph/Edge.h"
#include "graph/Node.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reads a graph file into fresh tables, so that a rejected file never touches
// the graph on screen. Accepts what the format allows (unknown keywords, short
// lines, nodes outside the root's subtree) and rejects what would leave the
// graph inconsistent or cost unbounded memory.
class GraphFileReader {
public:
    static constexpr std::size_t maxFileBytes = std::size_t{1} << 30;
    // Leaf counts are summed in single precision, which counts exactly up to 2^24.
    static constexpr int64_t maxNodes = int64_t{1} << 24;
    // Each relation costs about 1.2 KB of curve samples.
    static constexpr std::size_t maxRelations = std::size_t{1} << 22;
    static constexpr uint64_t maxControlPoints = uint64_t{1} << 28;
    static constexpr std::string_view delimiters = "\" \t";

    struct Tables {
        std::vector<std::unique_ptr<Node>> nodes;
        std::vector<std::unique_ptr<Edge>> edges;
        Node* root = nullptr;
    };

    struct Result {
        bool accepted = false;
        Tables tables;
        int line = 0; // 0: the problem concerns the file as a whole
        std::string reason;

        // "<path>:<line>: <reason>", or "<path>: <reason>" for the whole file.
        std::string describe(const std::string& path) const;
    };

    static Result read(const std::string& path);
    static Result parse(std::string_view text);
};
