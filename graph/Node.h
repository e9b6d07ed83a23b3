#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One element of the hierarchy. Links to other nodes never own them: the
// Graph's node table does.
struct Node {
    explicit Node(int32_t nodeId) : id(nodeId) {}

    int32_t id;
    std::string name;
    Node* parent = nullptr;
    std::vector<Node*> children;
    float x = 0.0f;
    float y = 0.0f;
    uint32_t depth = 0;
    float offset = 0.0f;
    float width = 0.0f;
};
