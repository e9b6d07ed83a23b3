#include "frame/ComparisonDrawing.h"
#include "frame/Palette.h"
#include "model/CutView.h"

#include "frame/SceneDrawing.h"

#include <array>
#include <string>

void styleComparison(CurveSet& curves, std::span<const RelationKind> kinds) {
    if (kinds.empty()) {
        return;
    }
    // In the drawing order, the kinds' names and then their colours.
    constexpr std::array drawn{RelationKind::Kept, RelationKind::Removed, RelationKind::Added};
    curves.kindNames = {"kept", "removed", "added"};
    const uint8_t added = curves.addFixedColour(addedColour);
    const uint8_t removed = curves.addFixedColour(removedColour);
    // The modes other than alpha blending draw every curve at full opacity.
    const bool faded = curves.blendMode == BlendModeType::Alpha;
    curves.colourIndex.resize(kinds.size(), 0);
    curves.kindIndex.resize(kinds.size());
    std::vector<int32_t> order;
    order.reserve(kinds.size());
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        for (int32_t place = 0; place < curves.curveCount(); ++place) {
            const auto e = static_cast<std::size_t>(curves.curveAt(place));
            if (kinds[e] != drawn[k]) {
                continue;
            }
            order.push_back(static_cast<int32_t>(e));
            curves.kindIndex[e] = static_cast<uint8_t>(k);
            if (kinds[e] == RelationKind::Kept) {
                curves.opacity[e] = (faded ? curves.opacity[e] : 1.0f) * keptOpacity;
            } else {
                curves.colourIndex[e] = kinds[e] == RelationKind::Added ? added : removed;
                curves.opacity[e] = 1.0f;
            }
        }
    }
    curves.order = std::move(order);
    if (curves.blendMode != BlendModeType::Density) {
        curves.blendMode = BlendModeType::Alpha;
    }
}

std::vector<LegendEntry> comparisonLegend(const ComparisonSummary& summary, bool keptShown) {
    return {LegendSwatch{addedColour, "added: " + std::to_string(summary.addedRelations)},
            LegendSwatch{removedColour, "removed: " + std::to_string(summary.removedRelations)},
            LegendSwatch{keptSwatch, "kept: " + std::to_string(summary.keptRelations) +
                                         (keptShown ? ", dimmed" : ", hidden")}};
}

std::vector<LineSet> describeVersionMarks(const Scene& scene, float lineWidth,
                                          const FrameRegion& region) {
    std::vector<LineSet> marks;
    const std::shared_ptr<const Comparison>& comparison = scene.comparison();
    if (!comparison) {
        return marks;
    }
    const Cut& cut = scene.cut();
    for (const auto& [origin, colour] : {std::pair{NodeOrigin::Removed, removedColour},
                                         std::pair{NodeOrigin::Added, addedColour}}) {
        std::vector<int32_t> nodes;
        for (int32_t node = 0; node < scene.graph().nodeCount(); ++node) {
            if (comparison->origins[static_cast<std::size_t>(node)] == origin &&
                CutView(scene.graph(), cut.shownAs).shown(node)) {
                nodes.push_back(node);
            }
        }
        if (!nodes.empty()) {
            marks.push_back(
                describeMarks(scene, nodes, colour, lineWidth, versionMarkRadius, region));
        }
    }
    return marks;
}
