#include "io/NameHierarchy.h"

#include "graph/CompoundGraphBuilder.h"
#include "graph/PartTree.h"
#include "io/GraphLimits.h"
#include "io/RootedNodes.h"

#include <algorithm>
#include <optional>
#include <utility>

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

bool NameParts::next(std::string_view& part) {
    if (separator.empty()) {
        part = name;
        return !std::exchange(any, true);
    }
    while (start <= name.size()) {
        std::size_t end = name.find(separator, start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::size_t begin = std::exchange(start, end + separator.size());
        if (end > begin) {
            part = name.substr(begin, end - begin);
            any = true;
            return true;
        }
    }
    if (!std::exchange(any, true)) {
        part = name;
        return true;
    }
    return false;
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
        return Error(graphlimits::relationLimitReason());
    }
    sources.push_back(source);
    targets.push_back(target);
    return {};
}

namespace {

Error tooManyNodes() {
    return Error("the names and their prefixes make more than " +
                 std::to_string(graphlimits::maxNodes) + " nodes");
}

// Whether some name alone has more parts than a graph may have nodes: its
// prefixes are all distinct nodes.
bool anyNameTooLong(const std::vector<std::string_view>& names, std::string_view separator) {
    for (const std::string_view name : names) {
        NameParts walk(name, separator);
        std::string_view part;
        int64_t count = 0;
        while (walk.next(part)) {
            if (++count > graphlimits::maxNodes) {
                return true;
            }
        }
    }
    return false;
}

// The node of the tree at the end of the name's path of parts, made with
// its missing ancestors; an Error as soon as there would be too many nodes.
Result<int32_t> nodeOfName(PartTree& tree, std::string_view name, std::string_view separator) {
    int32_t node = PartTree::none;
    NameParts walk(name, separator);
    std::string_view part;
    while (walk.next(part)) {
        const std::optional<int32_t> child = tree.childOf(node, part);
        if (!child) {
            return tooManyNodes();
        }
        node = *child;
    }
    return node;
}

} // namespace

Result<CompoundGraph> NameHierarchy::finish(std::string_view rootName,
                                            std::string_view separator) const {
    std::vector<std::string_view> all(names.begin(), names.end());
    if (separator.empty()) {
        separator = detectSeparator(all);
    }
    if (anyNameTooLong(all, separator)) {
        return tooManyNodes();
    }
    PartTree tree(graphlimits::maxNodes);
    std::vector<int32_t> nodeOfElement;
    nodeOfElement.reserve(all.size());
    for (const std::string_view name : all) {
        Result<int32_t> node = nodeOfName(tree, name, separator);
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
