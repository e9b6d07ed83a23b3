#include "graph/Graph.h"
#include "graph/GraphFileReader.h"

#include <iostream>

namespace {

// Long steps print their heading, run, then complete the line.
template <typename Step> void runStep(const char* heading, Step step) {
    std::cout << heading << std::flush;
    step();
    std::cout << " done!" << std::endl;
}

} // namespace

bool Graph::load(std::string path) {
    std::cout << "Reading " << path << " ..." << std::flush;
    GraphFileReader::Result file = GraphFileReader::read(path);
    if (!file.accepted) {
        std::cout << " failed!\n" << file.describe(path) << std::endl;
        return false;
    }
    clear();
    nodes = std::move(file.tables.nodes);
    edges = std::move(file.tables.edges);
    root = file.tables.root;
    nodeCount = static_cast<int32_t>(nodes.size());
    edgeCount = static_cast<int32_t>(edges.size());
    std::cout << " done!" << std::endl;

    runStep("Building Tree Layouts ...", [this] { buildLayouts(); });
    runStep("Building Splines ...", [this] { buildSplines(); });

    // Presetting another layout makes every load apply the radial layout and
    // re-sample the curves, whatever was applied before.
    layoutType = static_cast<int32_t>(TreeLayoutType::Classic);
    setLayout(TreeLayoutType::Radial);
    return true;
}
