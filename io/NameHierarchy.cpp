#include "io/NameHierarchy.h"

#include "graph/CompoundGraphBuilder.h"
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

// The tree of name parts: a node per distinct path of parts, found by its
// parent and its last part in an open-addressing table of node ids, which
// costs 8 bytes a node where a table of "parent/part" strings costs about 90.
class PartTree {
public:
    // The node at the end of the name's path of parts, made with its missing
    // ancestors; an Error as soon as there would be too many nodes.
    Result<int32_t> nodeOf(std::string_view name, std::string_view separator) {
        int32_t node = CompoundGraph::none;
        NameParts walk(name, separator);
        std::string_view part;
        while (walk.next(part)) {
            const std::optional<int32_t> child = childOf(node, part);
            if (!child) {
                return tooManyNodes();
            }
            node = *child;
        }
        return node;
    }

    int32_t nodeCount() const { return static_cast<int32_t>(parents.size()); }

    std::vector<int32_t> parents;
    std::vector<std::string_view> parts;

private:
    static constexpr int32_t empty = -1;

    std::size_t slotOf(int32_t parent, std::string_view part) const {
        // The finaliser of MurmurHash3 over the keyed hash of the part and the
        // parent: every bit of each reaches every bit of the slot.
        uint64_t key = partHash(part) ^ static_cast<uint64_t>(parent + 1) * 0x9E3779B97F4A7C15ull;
        key ^= key >> 33;
        key *= 0xFF51AFD7ED558CCDull;
        key ^= key >> 33;
        return static_cast<std::size_t>(key) & (slots.size() - 1);
    }

    // The child of parent named part, made if new; none past the node limit.
    std::optional<int32_t> childOf(int32_t parent, std::string_view part) {
        if ((parents.size() + 1) * 2 > slots.size()) {
            grow();
        }
        std::size_t slot = slotOf(parent, part);
        for (; slots[slot] != empty; slot = (slot + 1) & (slots.size() - 1)) {
            const auto node = static_cast<std::size_t>(slots[slot]);
            if (parents[node] == parent && parts[node] == part) {
                return slots[slot];
            }
        }
        if (nodeCount() >= graphlimits::maxNodes) {
            return std::nullopt;
        }
        slots[slot] = nodeCount();
        parents.push_back(parent);
        parts.push_back(part);
        return slots[slot];
    }

    void grow() {
        slots.assign(slots.empty() ? 64 : slots.size() * 2, empty);
        for (int32_t node = 0; node < nodeCount(); ++node) {
            std::size_t slot = slotOf(parents[static_cast<std::size_t>(node)],
                                      parts[static_cast<std::size_t>(node)]);
            while (slots[slot] != empty) {
                slot = (slot + 1) & (slots.size() - 1);
            }
            slots[slot] = node;
        }
    }

    // Keyed: the parts come from a file.
    KeyedStringHash partHash;
    std::vector<int32_t> slots;
};

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
    PartTree tree;
    std::vector<int32_t> nodeOfElement;
    nodeOfElement.reserve(all.size());
    for (const std::string_view name : all) {
        Result<int32_t> node = tree.nodeOf(name, separator);
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
