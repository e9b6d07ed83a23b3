#include "io/NameHierarchy.h"

#include "graph/CompoundGraphBuilder.h"
#include "io/GraphLimits.h"
#include "io/RootedNodes.h"

#include <algorithm>

std::string_view detectSeparator(const std::vector<std::string_view>& names) {
    for (const std::string_view separator : nameSeparators) {
        const auto holding = std::count_if(names.begin(), names.end(), [&](std::string_view name) {
            return name.find(separator) != std::string_view::npos;
        });
        if (holding > 0 && static_cast<std::size_t>(holding) * 10 >= names.size()) {
            return separator;
        }
    }
    return {};
}

std::vector<std::string_view> splitName(std::string_view name, std::string_view separator) {
    std::vector<std::string_view> parts;
    if (separator.empty()) {
        return {name};
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find(separator, start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        if (end > start) {
            parts.push_back(name.substr(start, end - start));
        }
        start = end + separator.size();
    }
    if (parts.empty()) {
        parts.push_back(name);
    }
    return parts;
}

Result<int32_t> NameHierarchy::element(std::string_view name) {
    if (const auto found = elementOf.find(name); found != elementOf.end()) {
        return found->second;
    }
    if (static_cast<int64_t>(names.size()) >= graphlimits::maxNodes) {
        return Error("more than " + std::to_string(graphlimits::maxNodes) + " names");
    }
    const auto id = static_cast<int32_t>(names.size());
    names.emplace_back(name);
    elementOf.emplace(names.back(), id);
    return id;
}

Status NameHierarchy::relate(int32_t source, int32_t target) {
    if (source == target ||
        !pairs.insert(static_cast<uint32_t>(source), static_cast<uint32_t>(target))) {
        return {};
    }
    if (sources.size() >= graphlimits::maxRelations) {
        return Error("more than " + std::to_string(graphlimits::maxRelations) + " relations");
    }
    sources.push_back(source);
    targets.push_back(target);
    return {};
}

namespace {

// The tree of name parts: a node per distinct path of parts, found by its
// parent and its last part.
class PartTree {
public:
    // The node at the end of the path, made with its missing ancestors.
    Result<int32_t> nodeOf(const std::vector<std::string_view>& path) {
        int32_t node = CompoundGraph::none;
        for (const std::string_view part : path) {
            std::string key = std::to_string(node);
            key.append(1, '/').append(part);
            const auto [slot, made] = index.try_emplace(std::move(key), nodeCount());
            if (made) {
                if (nodeCount() >= graphlimits::maxNodes) {
                    return Error("the names and their prefixes make more than " +
                                 std::to_string(graphlimits::maxNodes) + " nodes");
                }
                parents.push_back(node);
                parts.push_back(part);
            }
            node = slot->second;
        }
        return node;
    }

    int32_t nodeCount() const { return static_cast<int32_t>(parents.size()); }

    std::vector<int32_t> parents;
    std::vector<std::string_view> parts;

private:
    std::unordered_map<std::string, int32_t, KeyedStringHash> index;
};

} // namespace

Result<CompoundGraph> NameHierarchy::finish(std::string_view rootName,
                                            std::string_view separator) const {
    std::vector<std::string_view> all(names.begin(), names.end());
    if (separator.empty()) {
        separator = detectSeparator(all);
    }
    PartTree tree;
    std::vector<int32_t> nodeOfElement;
    nodeOfElement.reserve(all.size());
    for (const std::string_view name : all) {
        Result<int32_t> node = tree.nodeOf(splitName(name, separator));
        if (!node) {
            return node.error();
        }
        nodeOfElement.push_back(node.value());
    }
    CompoundGraphBuilder builder;
    addRootedNodes(builder, tree.parents, rootName);
    for (int32_t node = 0; node < tree.nodeCount(); ++node) {
        builder.setName(node, tree.parts[static_cast<std::size_t>(node)]);
        if (const int32_t parent = tree.parents[static_cast<std::size_t>(node)];
            parent != CompoundGraph::none) {
            builder.link(parent, node);
        }
    }
    for (std::size_t r = 0; r < sources.size(); ++r) {
        builder.relate(nodeOfElement[static_cast<std::size_t>(sources[r])],
                       nodeOfElement[static_cast<std::size_t>(targets[r])]);
    }
    CompoundGraph graph = builder.finish();
    if (Status routes = graphlimits::checkRouteSize(graph); !routes) {
        return routes.error();
    }
    return graph;
}
