#include "graph/Graph.h"

void Graph::buildLayouts() {}

void Graph::setLayout(TreeLayoutType type) {
    if (static_cast<int32_t>(type) == layoutType) {
        return;
    }
    layoutType = static_cast<int32_t>(type);
}
