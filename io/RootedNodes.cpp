#include "io/RootedNodes.h"

#include <algorithm>

int32_t addRootedNodes(CompoundGraphBuilder& builder, std::span<const int32_t> parents,
                       std::string_view rootName) {
    const auto count = static_cast<int32_t>(parents.size());
    const bool made = std::count(parents.begin(), parents.end(), CompoundGraph::none) != 1;
    // A made root goes after the others, so their ids stay.
    builder.addNodes(count + (made ? 1 : 0));
    const int32_t root =
        made ? count
             : static_cast<int32_t>(std::find(parents.begin(), parents.end(), CompoundGraph::none) -
                                    parents.begin());
    builder.setRoot(root);
    if (made) {
        builder.setName(root, rootName);
        for (int32_t node = 0; node < count; ++node) {
            if (parents[static_cast<std::size_t>(node)] == CompoundGraph::none) {
                builder.link(root, node);
            }
        }
    }
    return root;
}
