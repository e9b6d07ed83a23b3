#include "frame/CycleDrawing.h"

#include "base/Counted.h"
#include "frame/SceneDrawing.h"
#include "settings/ViewState.h"

#include <unordered_map>

std::vector<char> markCycles(CurveSet& curves, const Bundles& bundles, const CycleGroups& cycles,
                             std::span<const Colour> colours, const Colour& cutColour) {
    if (colours.empty()) {
        return {};
    }
    std::unordered_map<int32_t, std::size_t> groupOf;
    for (std::size_t g = 0; g < cycles.groups.size(); ++g) {
        for (const int32_t node : cycles.groups[g].nodes) {
            groupOf.emplace(node, g);
        }
    }
    std::vector<uint8_t> colourIndex;
    for (const Colour& colour : colours) {
        colourIndex.push_back(curves.addFixedColour(colour));
    }
    const uint8_t cutIndex = curves.addFixedColour(cutColour);
    curves.dashColour(cutIndex);
    const auto count = static_cast<std::size_t>(bundles.bundleCount());
    std::vector<char> toCut(count, 0);
    for (const BundleToCut& cut : cycles.toCut) {
        toCut[static_cast<std::size_t>(cut.bundle)] = 1;
    }
    std::vector<char> inside(count, 0);
    curves.colourIndex.resize(count, 0);
    for (std::size_t e = 0; e < count; ++e) {
        const auto from = groupOf.find(bundles.source[e]);
        const auto to = groupOf.find(bundles.target[e]);
        if (from == groupOf.end() || to == groupOf.end() || from->second != to->second) {
            curves.opacity[e] *= dimmedOpacity;
            continue;
        }
        inside[e] = 1;
        curves.opacity[e] = 1.0f;
        curves.colourIndex[e] =
            toCut[e] != 0 ? cutIndex : colourIndex[from->second % colourIndex.size()];
    }
    drawLast(curves, [&inside](std::size_t e) { return inside[e] != 0; });
    drawLast(curves, [&toCut](std::size_t e) { return toCut[e] != 0; });
    if (curves.blendMode != BlendModeType::Density) {
        curves.blendMode = BlendModeType::Alpha;
    }
    return inside;
}

std::vector<LegendEntry> cycleLegend(const CycleGroups& cycles, std::span<const Colour> colours,
                                     const Colour& cutColour) {
    if (cycles.groups.empty() || colours.empty()) {
        return {LegendSwatch{othersColour, "no cycles"}};
    }
    return {
        LegendSwatch{
            colours.front(),
            "cycles: " + counted(static_cast<int64_t>(cycles.groups.size()), "group", "groups") +
                " of " + counted(cycles.nodeCount(), "node", "nodes") + ", " +
                counted(cycles.innerRelations(), "relation", "relations")},
        LegendSwatch{cutColour,
                     "to cut: " + counted(cycles.cutRelations(), "relation", "relations")}};
}

std::vector<LineSet> cycleMarks(const Scene& scene, const CycleGroups& cycles,
                                std::span<const Colour> colours, float lineWidth, float radius,
                                const FrameRegion& region) {
    std::vector<std::vector<int32_t>> nodesByColour(colours.size());
    for (std::size_t g = 0; g < cycles.groups.size() && !colours.empty(); ++g) {
        std::vector<int32_t>& nodes = nodesByColour[g % colours.size()];
        nodes.insert(nodes.end(), cycles.groups[g].nodes.begin(), cycles.groups[g].nodes.end());
    }
    std::vector<LineSet> marks;
    for (std::size_t c = 0; c < colours.size(); ++c) {
        if (!nodesByColour[c].empty()) {
            marks.push_back(
                describeMarks(scene, nodesByColour[c], colours[c], lineWidth, radius, region));
        }
    }
    return marks;
}
