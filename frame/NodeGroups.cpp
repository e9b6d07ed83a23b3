#include "frame/NodeGroups.h"
#include "frame/ColourDifference.h"
#include "frame/Palette.h"
#include "model/Cut.h"
#include "model/CutView.h"

#include "layout/Pi.h"
#include "layout/TreeLayouts.h"
#include "model/Highlight.h"

#include <algorithm>
#include <cmath>

namespace {

// The arcs of the radial bands are cut into pieces of at most four degrees,
// as the tree's rings are; in units of π.
constexpr float arcStep = 0.022222223f;
// A band is this many tree lines wide, and starts a tree line away from
// the leaves.
constexpr float bandLines = 3.0f;

} // namespace

Colour NodeGroups::colourOfRank(int32_t place) const {
    return place >= 0 && static_cast<std::size_t>(place) < palette.size()
               ? palette[static_cast<std::size_t>(place)]
               : othersColour;
}

std::vector<Colour> distinctGroupColours(std::span<const Colour> inUse) {
    std::vector<Colour> taken(inUse.begin(), inUse.end());
    taken.push_back(treeRed);
    std::vector<Colour> palette;
    for (const Colour& colour : groupColours) {
        if (nearestDifference(colour, taken) >= distinctColours) {
            palette.push_back(colour);
        }
    }
    return palette;
}

NodeGroups groupNodes(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      int32_t groupDepth, std::span<const Colour> inUse) {
    if (groupDepth < 1) {
        const int32_t deepest = std::max(treeDepth(graph), 1);
        for (int32_t depth = 1; depth < deepest; ++depth) {
            NodeGroups groups = groupNodes(graph, shownAs, depth, inUse);
            if (groups.ranked.size() >= automaticGroups) {
                return groups;
            }
        }
        return groupNodes(graph, shownAs, deepest, inUse);
    }
    const auto count = static_cast<std::size_t>(graph.nodeCount());
    const auto depth = static_cast<uint32_t>(groupDepth);
    NodeGroups groups;
    groups.groupOf.resize(count);
    groups.rank.assign(count, NodeGroups::unranked);
    std::vector<int64_t> leaves(count, 0);
    // Parents before children within each tree, so that a parent has its
    // group before its children take it.
    std::vector<int32_t> order;
    order.reserve(count);
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (graph.parent[static_cast<std::size_t>(top)] == CompoundGraph::none) {
            const std::vector<int32_t> tree = preorder(graph, top);
            order.insert(order.end(), tree.begin(), tree.end());
        }
    }
    for (const int32_t node : order) {
        const auto n = static_cast<std::size_t>(node);
        // A leaf at the group depth is no group of its own: its parent's.
        const bool ownGroup =
            graph.depth[n] < depth || (graph.depth[n] == depth && !graph.isLeaf(node));
        groups.groupOf[n] = ownGroup || graph.parent[n] == CompoundGraph::none
                                ? node
                                : groups.groupOf[static_cast<std::size_t>(graph.parent[n])];
    }
    groups.palette = distinctGroupColours(inUse);
    // A group's size is the leaves in it, which for a parent holding leaves
    // at the group depth are those leaves alone.
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.isLeaf(node)) {
            ++leaves[static_cast<std::size_t>(groups.groupOf[static_cast<std::size_t>(node)])];
        }
    }
    std::vector<bool> seen(count, false);
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        const int32_t group = groups.groupOf[static_cast<std::size_t>(node)];
        if (CutView(graph, shownAs).endsShownTree(node) && !seen[static_cast<std::size_t>(group)]) {
            seen[static_cast<std::size_t>(group)] = true;
            groups.ranked.push_back(group);
        }
    }
    std::sort(groups.ranked.begin(), groups.ranked.end(), [&](int32_t a, int32_t b) {
        const int64_t leavesA = leaves[static_cast<std::size_t>(a)];
        const int64_t leavesB = leaves[static_cast<std::size_t>(b)];
        if (leavesA != leavesB) {
            return leavesA > leavesB;
        }
        const int order = graph.name(a).compare(graph.name(b));
        return order != 0 ? order < 0 : a < b;
    });
    for (std::size_t place = 0; place < groups.ranked.size(); ++place) {
        groups.rank[static_cast<std::size_t>(groups.ranked[place])] = static_cast<int32_t>(place);
    }
    return groups;
}

void styleGroups(CurveSet& curves, const Bundles& bundles, const NodeGroups& groups, ColorBy by) {
    if (by != ColorBy::SourceGroup && by != ColorBy::TargetGroup) {
        return;
    }
    // One fixed colour per colour in use: the groupColours's, then the grey.
    const std::size_t coloured = std::min(groups.ranked.size(), groups.palette.size());
    std::vector<uint8_t> index;
    for (std::size_t place = 0; place <= coloured && place < groups.ranked.size(); ++place) {
        index.push_back(curves.addFixedColour(groups.colourOfRank(static_cast<int32_t>(place))));
    }
    const std::vector<int32_t>& ends = by == ColorBy::SourceGroup ? bundles.source : bundles.target;
    curves.colourIndex.resize(ends.size(), 0);
    for (std::size_t e = 0; e < ends.size(); ++e) {
        const int32_t group = groups.groupOf[static_cast<std::size_t>(ends[e])];
        const int32_t place = groups.rank[static_cast<std::size_t>(group)];
        curves.colourIndex[e] =
            place == NodeGroups::unranked
                ? 0
                : index[std::min(static_cast<std::size_t>(place), index.size() - 1)];
    }
}

std::vector<LineSet> describeGroupBands(TreeLayoutType layoutType, const Scene& scene,
                                        const NodeGroups& groups, float lineWidth, float pixel) {
    const CompoundGraph& graph = scene.graph();
    const TreeLayoutData& data = scene.layoutData();
    const std::size_t colours = std::min(groups.ranked.size(), groups.palette.size() + 1);
    std::vector<LineSet> bands(colours);
    for (std::size_t place = 0; place < colours; ++place) {
        bands[place].colour = groups.colourOfRank(static_cast<int32_t>(place));
        bands[place].width = lineWidth;
    }
    const auto bandOf = [&](int32_t group) -> LineSet& {
        const auto place = static_cast<std::size_t>(groups.rank[static_cast<std::size_t>(group)]);
        return bands[std::min(place, colours - 1)];
    };
    const float away = pixel * lineWidth * (1.0f + bandLines / 2.0f);
    if (layoutType == TreeLayoutType::Radial || layoutType == TreeLayoutType::Classic) {
        const float pi = singlePrecisionPi;
        for (const int32_t group : groups.ranked) {
            const auto g = static_cast<std::size_t>(group);
            if (!(data.width[g] > 0.0f)) {
                continue;
            }
            LineSet& band = bandOf(group);
            band.width = lineWidth * bandLines;
            if (layoutType == TreeLayoutType::Classic) {
                band.segments.push_back({data.offset[g] * 2.0f - 1.0f, -away});
                band.segments.push_back({(data.offset[g] + data.width[g]) * 2.0f - 1.0f, -away});
                continue;
            }
            // Outside the leaves' boxes, so that neither the leaves' curves
            // nor their boxes hide it.
            const float r = data.radialRadius + data.ringWidth + away;
            const float start = 2.0f * pi * data.offset[g];
            const float span = 2.0f * pi * data.width[g];
            const int pieces = std::max(1, static_cast<int>(std::ceil(span / (pi * arcStep))));
            for (int k = 0; k < pieces; ++k) {
                for (const int end : {k, k + 1}) {
                    const float angle = start + span * static_cast<float>(end) / pieces;
                    band.segments.push_back({r * std::sin(angle), r * std::cos(angle)});
                }
            }
        }
    } else if (isTreeMapLayout(layoutType)) {
        const CutView cut(graph, scene.cut().collapsed.empty() ? std::span<const int32_t>()
                                                               : scene.cut().shownAs);
        const std::vector<Rect> rectangles = treeMapRectangles(graph, scene.treeMap());
        for (const int32_t node : preorder(graph, graph.root)) {
            const int32_t group = groups.groupOf[static_cast<std::size_t>(node)];
            if (cut.shown(node) &&
                groups.rank[static_cast<std::size_t>(group)] != NodeGroups::unranked) {
                bandOf(group).rectangles.push_back(rectangles[static_cast<std::size_t>(node)]);
            }
        }
    }
    std::erase_if(bands, [](const LineSet& band) { return band.empty(); });
    return bands;
}

std::vector<LegendEntry> groupLegend(const CompoundGraph& graph, const NodeGroups& groups) {
    const std::size_t coloured = std::min(groups.ranked.size(), groups.palette.size());
    // Names that read alike get their parents' names in front until they
    // differ or reach the top of their trees.
    std::vector<std::string> names;
    std::vector<int32_t> named(groups.ranked.begin(), groups.ranked.begin() + coloured);
    for (const int32_t group : named) {
        names.emplace_back(graph.name(group));
    }
    for (bool alike = true; alike;) {
        alike = false;
        const std::vector<std::string> before = names;
        for (std::size_t i = 0; i < coloured; ++i) {
            const int32_t parent = graph.parent[static_cast<std::size_t>(named[i])];
            if (parent != CompoundGraph::none &&
                std::count(before.begin(), before.end(), before[i]) > 1) {
                names[i] = std::string(graph.name(parent)) + "." + names[i];
                named[i] = parent;
                alike = true;
            }
        }
    }
    std::vector<LegendEntry> entries;
    for (std::size_t place = 0; place < coloured; ++place) {
        entries.emplace_back(LegendSwatch{groups.colourOfRank(static_cast<int32_t>(place)),
                                          shownName(names[place])});
    }
    if (groups.hasOthers()) {
        entries.emplace_back(LegendSwatch{othersColour, othersText});
    }
    return entries;
}
