#pragma once

#include <cstdint>
#include <memory>

struct Node;

// One adjacency relation, routed as a curve through its control polygon of
// node ids (source end first).
struct Edge {
    Edge(Node* from, Node* to) : source(from), target(to) {}

    int32_t index = 0;
    Node* source;
    Node* target;
    std::unique_ptr<int32_t[]> controlPoints;
    int32_t controlPointCount = 0;
    float arcLength = 0.0f;
};
