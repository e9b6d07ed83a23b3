#pragma once

#include "bundling/Bundles.h"
#include "frame/DrawDescription.h"
#include "frame/Palette.h"
#include "graph/CompoundGraph.h"
#include "layout/TreeLayoutType.h"
#include "model/Scene.h"
#include "settings/CurveColourTypes.h"

#include <cstdint>
#include <span>
#include <vector>

// Groups of nodes, for colouring curves and nodes by the part of the
// hierarchy they belong to. A node's group is its ancestor at the group
// depth that has children; a node above that depth is its own group, and a
// leaf at it belongs to its parent's.

inline constexpr const char* othersText = "others";
// The groups an automatic group depth asks for: fewer tell little.
inline constexpr std::size_t automaticGroups = 3;

struct NodeGroups {
    static constexpr int32_t unranked = -1;

    // Per node, its group.
    std::vector<int32_t> groupOf;
    // The groups of the shown ends of curves (leaves and collapsed nodes):
    // the biggest (by leaves under it) first, ties by name, then by id.
    std::vector<int32_t> ranked;
    // Per node: a ranked group's place in `ranked`, else unranked.
    std::vector<int32_t> rank;
    // The colours the biggest groups take, in rank order (see groupColours);
    // the groups past them share othersColour.
    std::vector<Colour> palette;

    // The colour of a ranked group's place.
    Colour colourOfRank(int32_t place) const;
    bool hasOthers() const { return ranked.size() > palette.size(); }
};

// The groups at a depth for the cut shownAs (see Cut; empty: every node
// shown), or below 1, at the shallowest depth that gives at least
// automaticGroups groups (the deepest, where none does), coloured by the
// group colours that differ from
// the tree's red and from every colour the picture gives another meaning
// (inUse) by at least distinctColours.
// The group colours that differ from the tree's red and from every colour
// in use by at least distinctColours, in their order.
std::vector<Colour> distinctGroupColours(std::span<const Colour> inUse);

NodeGroups groupNodes(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      int32_t groupDepth, std::span<const Colour> inUse = {});

// Each curve, a bundle, in the colour of its source's (or target's) group;
// opacities stay as they are. Ramp colouring leaves the curves alone.
void styleGroups(CurveSet& curves, const Bundles& bundles, const NodeGroups& groups, ColorBy by);

// The groups shown on the nodes, a set of lines per colour: the radial
// tree's a thin band just outside the ring of the leaves' boxes, the
// classic tree's a band under the leaves' line, each group along its span; a treemap's the
// outlines of the rectangles in each group. lineWidth and the bands' place
// are in frame pixels, `pixel` scene units each.
std::vector<LineSet> describeGroupBands(TreeLayoutType layoutType, const Scene& scene,
                                        const NodeGroups& groups, float lineWidth, float pixel);

// The key to the group colours: each coloured group by name, biggest first,
// then "others" where groups share the grey.
std::vector<LegendEntry> groupLegend(const CompoundGraph& graph, const NodeGroups& groups);
