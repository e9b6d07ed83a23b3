#pragma once

#include "graph/CompoundGraph.h"
#include "graph/CompoundGraphBuilder.h"
#include "model/GraphLoading.h"
#include "model/Scene.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A hierarchy given by each node's parent (-1 for the root, which must be
// node 0, and for the tops of other trees), with the given relations, named
// n0, n1, ...
inline CompoundGraph graphOf(const std::vector<int>& parents,
                             const std::vector<std::pair<int, int>>& relations = {}) {
    CompoundGraphBuilder builder;
    builder.addNodes(static_cast<int32_t>(parents.size()));
    builder.setRoot(0);
    for (std::size_t i = 0; i < parents.size(); ++i) {
        builder.setName(static_cast<int32_t>(i), "n" + std::to_string(i));
        if (parents[i] >= 0) {
            EXPECT_EQ(builder.link(parents[i], static_cast<int32_t>(i)),
                      CompoundGraphBuilder::LinkFault::None);
        }
    }
    for (const auto& [source, target] : relations) {
        builder.relate(source, target);
    }
    return builder.finish();
}

// A hierarchy of named nodes, each given by its parent (-1 for the root,
// which must be node 0, and for the tops of other trees) and its name, with
// the given relations.
inline CompoundGraph namedGraphOf(const std::vector<std::pair<int, std::string>>& nodes,
                                  const std::vector<std::pair<int, int>>& relations = {}) {
    CompoundGraphBuilder builder;
    builder.addNodes(static_cast<int32_t>(nodes.size()));
    builder.setRoot(0);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        builder.setName(static_cast<int32_t>(i), nodes[i].second);
        if (nodes[i].first >= 0) {
            EXPECT_EQ(builder.link(nodes[i].first, static_cast<int32_t>(i)),
                      CompoundGraphBuilder::LinkFault::None);
        }
    }
    for (const auto& [source, target] : relations) {
        builder.relate(source, target);
    }
    return builder.finish();
}

// The same graph as file text.
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

// A scene that has loaded the file text through the real reader and load
// chain, its console output swallowed.
inline void loadQuietly(Scene& scene, const std::string& text) {
    TempFile file(text);
    CoutCapture quiet;
    const Status loaded = loadGraphFile(scene, file.path());
    EXPECT_TRUE(loaded.ok()) << quiet.text();
}

// A scene holding the graph with every stage computed for the settings.
inline Scene sceneOf(CompoundGraph graph, const ViewSettings& settings = {}) {
    Scene scene;
    scene.setGraph(std::move(graph));
    scene.update(settings);
    return scene;
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
