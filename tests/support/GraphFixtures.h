#pragma once

#include "graph/Graph.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

// A graph loaded from file text through the real reader and load chain, its
// console output swallowed.
inline std::unique_ptr<Graph> loadGraph(const std::string& text) {
    TempFile file(text);
    auto graph = std::make_unique<Graph>();
    CoutCapture quiet;
    EXPECT_TRUE(graph->load(file.path())) << quiet.text();
    return graph;
}

// File text for a hierarchy given by each node's parent (-1 for the root,
// which must be node 0), with the given relations.
inline std::string graphText(const std::vector<int>& parents,
                             const std::vector<std::pair<int, int>>& relations = {}) {
    std::string text = "HierarchyElements " + std::to_string(parents.size()) + "\nRoot 0\n";
    for (std::size_t i = 0; i < parents.size(); ++i) {
        text += "H " + std::to_string(i) + " n" + std::to_string(i) + "\n";
    }
    for (std::size_t i = 0; i < parents.size(); ++i) {
        if (parents[i] >= 0) {
            text += "PCR " + std::to_string(parents[i]) + " " + std::to_string(i) + "\n";
        }
    }
    for (const auto& [source, target] : relations) {
        text += "R " + std::to_string(source) + " " + std::to_string(target) + "\n";
    }
    return text;
}

// A random recursive tree: node i hangs under one of the nodes before it,
// biased towards recent ones so that trees get deep as well as wide.
inline std::vector<int> randomParents(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<int> parents{-1};
    for (int i = 1; i < count; ++i) {
        const int window = 1 + static_cast<int>(random() % static_cast<unsigned>(i));
        parents.push_back(i - 1 - static_cast<int>(random() % static_cast<unsigned>(window)));
    }
    return parents;
}

} // namespace testing_support
