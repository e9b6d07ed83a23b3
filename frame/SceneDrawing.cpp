#include "frame/SceneDrawing.h"
#include "frame/Palette.h"
#include "model/CutView.h"

#include "bundling/SplineCurve.h"
#include "frame/BothWays.h"
#include "frame/ComparisonDrawing.h"
#include "frame/CycleDrawing.h"
#include "frame/NodeGroups.h"
#include "frame/RuleDrawing.h"
#include "frame/SplineOpacity.h"
#include "layout/Pi.h"
#include "layout/TreeLayoutType.h"
#include "layout/TreeLayouts.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Mark radii in frame pixels.
constexpr float searchMarkRadius = 10.0f;
constexpr float highlightMarkRadius = 16.0f;
constexpr float cycleMarkRadius = 13.0f;
// Four degrees in units of π, in single precision.
constexpr float ringStep = 0.022222223f;

LineSet lines(Colour colour, float width) {
    LineSet set;
    set.colour = colour;
    set.width = width;
    return set;
}

Point onCircle(float radius, float angle) {
    return {radius * std::sin(angle), radius * std::cos(angle)};
}

// How far a bundle's count lies from one relation to the largest count, by
// the square root.
float bundleShare(uint32_t count, uint32_t largest) {
    return largest <= 1
               ? 0.0f
               : std::sqrt(static_cast<float>(count - 1) / static_cast<float>(largest - 1));
}

} // namespace

LineSet describeRadialTree(const CompoundGraph& graph, const TreeLayoutData& data, float lineWidth,
                           float ringSpacing, std::span<const int32_t> shownAs) {
    LineSet tree = lines(treeRed, lineWidth);
    const float pi = singlePrecisionPi;
    float lastDrawn = 0.0f;
    for (uint32_t level = 0; level <= data.maxDepth; ++level) {
        const float r = data.radialRadius + data.ringWidth * static_cast<float>(level);
        if (level > 0 && level < data.maxDepth && r - lastDrawn < ringSpacing) {
            continue;
        }
        lastDrawn = r;
        for (int j = 0; j < LineSet::ringVertexCount; ++j) {
            tree.ringVertices.push_back(onCircle(r, static_cast<float>(j) * pi * ringStep));
        }
    }
    // Each node's span starts where a short segment crosses its own ring.
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] == CompoundGraph::none || !CutView(graph, shownAs).shown(node)) {
            continue;
        }
        const float theta = 2.0f * pi * data.offset[node];
        const float r1 = data.radialRadius +
                         data.ringWidth * static_cast<float>(data.maxDepth - data.level[node]);
        const float r2 = r1 + data.ringWidth;
        tree.segments.push_back(onCircle(r1, theta));
        tree.segments.push_back(onCircle(r2, theta));
        // A collapsed node's span along the leaf circle, where its bundles
        // end, a segment for each ring step of four degrees or less.
        if (CutView(graph, shownAs).collapsed(node)) {
            const float span = 2.0f * pi * data.width[node];
            const int pieces = std::max(1, static_cast<int>(std::ceil(span / (pi * ringStep))));
            for (int k = 0; k < pieces; ++k) {
                tree.segments.push_back(onCircle(data.radialRadius, theta + span * k / pieces));
                tree.segments.push_back(
                    onCircle(data.radialRadius, theta + span * (k + 1) / pieces));
            }
        }
    }
    return tree;
}

LineSet describeClassicTree(const CompoundGraph& graph, const TreeLayoutData& data, float lineWidth,
                            std::span<const int32_t> shownAs) {
    LineSet tree = lines(treeRed, lineWidth);
    // A hierarchy of one level has no depth to divide by: it sits on the top line.
    // A collapsed node stands on the leaves' line, as it is placed.
    const auto drawingPoint = [&](int32_t node) {
        const uint32_t at =
            CutView(graph, shownAs).collapsed(node) ? data.maxDepth : data.level[node];
        const float level =
            data.maxDepth > 0 ? static_cast<float>(at) / static_cast<float>(data.maxDepth) : 0.0f;
        return Point{(data.offset[node] + data.width[node] * 0.5f) * 2.0f - 1.0f, 1.0f - level};
    };
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] != CompoundGraph::none && CutView(graph, shownAs).shown(node)) {
            tree.segments.push_back(drawingPoint(node));
            tree.segments.push_back(drawingPoint(graph.parent[node]));
        }
        // A collapsed node's span along the leaves' line.
        if (CutView(graph, shownAs).collapsed(node)) {
            tree.segments.push_back({data.offset[node] * 2.0f - 1.0f, 0.0f});
            tree.segments.push_back({(data.offset[node] + data.width[node]) * 2.0f - 1.0f, 0.0f});
        }
    }
    return tree;
}

LineSet describeTreeMap(const TreeMap& treeMap, float lineWidth) {
    LineSet tree = lines(treeRed, lineWidth);
    tree.rectangles = treeMap.rectangles();
    return tree;
}

LineSet describeTree(TreeLayoutType layoutType, const Scene& scene, float lineWidth,
                     float ringSpacing) {
    const Cut& cut = scene.cut();
    // Without a collapsed node every node is shown.
    const std::span<const int32_t> shownAs =
        cut.collapsed.empty() ? std::span<const int32_t>() : cut.shownAs;
    switch (layoutType) {
    case TreeLayoutType::Radial:
        return describeRadialTree(scene.graph(), scene.layoutData(), lineWidth, ringSpacing,
                                  shownAs);
    case TreeLayoutType::Classic:
        return describeClassicTree(scene.graph(), scene.layoutData(), lineWidth, shownAs);
    default:
        if (isTreeMapLayout(layoutType) && !shownAs.empty()) {
            LineSet tree = lines(treeRed, lineWidth);
            const std::vector<Rect> rectangles = treeMapRectangles(scene.graph(), scene.treeMap());
            for (const int32_t node : preorder(scene.graph(), scene.graph().root)) {
                if (CutView(scene.graph(), shownAs).shown(node)) {
                    tree.rectangles.push_back(rectangles[static_cast<std::size_t>(node)]);
                }
            }
            return tree;
        }
        if (isTreeMapLayout(layoutType)) {
            return describeTreeMap(scene.treeMap(), lineWidth);
        }
        return lines(treeRed, lineWidth);
    }
}

LineSet describeOverlay(const CompoundGraph& graph, std::span<const Point> positions,
                        float lineWidth, std::span<const int32_t> shownAs) {
    LineSet overlay = lines(overlayBlue, lineWidth);
    overlay.blended = true;
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] != CompoundGraph::none && CutView(graph, shownAs).shown(node)) {
            overlay.segments.push_back(positions[node]);
            overlay.segments.push_back(positions[graph.parent[node]]);
        }
    }
    return overlay;
}

CurveSet describeCurves(const Scene& scene, const ViewSettings& settings) {
    const MixedCurves& mixed = scene.curves();
    CurveSet curves;
    curves.points = scene.sharedPoints();
    curves.width = settings.splineWidth;
    curves.colorRamp = settings.colorRamp;
    curves.blendMode = settings.blendMode;
    curves.densityScale = settings.densityScale;
    curves.pointsRevision = scene.revision();
    for (int32_t j = 0; j < samplesPerEdge; ++j) {
        curves.parameters.push_back(splinecurve::sampleParameter(j));
    }
    curves.opacity.reserve(mixed.arcLength.size());
    for (const float length : mixed.arcLength) {
        curves.opacity.push_back(splineOpacity(length, mixed.minLength, mixed.maxLength,
                                               settings.minAlpha, settings.alphaExponent,
                                               settings.flipAlpha));
    }
    styleBundles(curves, scene.bundles().count);
    return curves;
}

float bundleWidth(float splineWidth, uint32_t count, uint32_t largest) {
    const float width =
        splineWidth * (1.0f + (maxBundleWidthFactor - 1.0f) * bundleShare(count, largest));
    return std::round(width * bundleWidthSteps) / bundleWidthSteps;
}

LegendWidths bundleLegend(float splineWidth, uint32_t largest) {
    LegendWidths legend;
    // A quarter of the way by the square root: half the width's rise.
    for (const uint32_t count : {1u, 1u + (largest - 1) / 4, largest}) {
        const float width = bundleWidth(splineWidth, count, largest);
        if (legend.samples.empty() || width > legend.samples.back().width) {
            legend.samples.push_back({width, count});
        }
    }
    return legend;
}

void styleBundles(CurveSet& curves, std::span<const uint32_t> counts) {
    const uint32_t largest = counts.empty() ? 1 : *std::max_element(counts.begin(), counts.end());
    if (largest <= 1) {
        return;
    }
    curves.widths.resize(counts.size());
    curves.weights.resize(counts.size());
    for (std::size_t e = 0; e < counts.size(); ++e) {
        curves.widths[e] = bundleWidth(curves.width, counts[e], largest);
        curves.weights[e] = static_cast<float>(counts[e]);
        curves.opacity[e] += (1.0f - curves.opacity[e]) * bundleShare(counts[e], largest);
    }
    // The biggest bundles over the others, and curves of one width in runs.
    curves.order.resize(counts.size());
    std::iota(curves.order.begin(), curves.order.end(), 0);
    std::stable_sort(curves.order.begin(), curves.order.end(), [&](int32_t a, int32_t b) {
        return counts[static_cast<std::size_t>(a)] < counts[static_cast<std::size_t>(b)];
    });
}

void emphasise(CurveSet& curves, const Highlight& highlight, bool recolour) {
    // The emphasised curves take the two highlight colours over whatever
    // colour they had, where asked; the others keep theirs, dimmed.
    if (recolour) {
        const uint8_t leaving = curves.addFixedColour(leavingColour);
        const uint8_t arriving = curves.addFixedColour(arrivingColour);
        curves.colourIndex.resize(highlight.emphasis.size(), 0);
        for (std::size_t e = 0; e < highlight.emphasis.size(); ++e) {
            if (highlight.emphasis[e] != Highlight::Other) {
                curves.colourIndex[e] =
                    highlight.emphasis[e] == Highlight::Leaving ? leaving : arriving;
            }
        }
    }
    // The fixed colours' alpha is 1: emphasised curves opaque.
    const auto emphasised = [&highlight](std::size_t e) {
        return highlight.emphasis[e] != Highlight::Other;
    };
    for (std::size_t e = 0; e < highlight.emphasis.size(); ++e) {
        curves.opacity[e] = emphasised(e) ? 1.0f : curves.opacity[e] * dimmedOpacity;
    }
    drawLast(curves, emphasised);
    curves.emphasisedPlaces = static_cast<int32_t>(
        std::count_if(highlight.emphasis.begin(), highlight.emphasis.end(),
                      [](auto emphasis) { return emphasis != Highlight::Other; }));
    if (curves.blendMode != BlendModeType::Density) {
        curves.blendMode = BlendModeType::Alpha;
    }
}

void drawLast(CurveSet& curves, const std::function<bool(std::size_t)>& picked) {
    std::vector<int32_t> order;
    order.reserve(static_cast<std::size_t>(curves.curveCount()));
    for (const bool last : {false, true}) {
        for (int32_t place = 0; place < curves.curveCount(); ++place) {
            const int32_t e = curves.curveAt(place);
            if (picked(static_cast<std::size_t>(e)) == last) {
                order.push_back(e);
            }
        }
    }
    curves.order = std::move(order);
}

LineSet describeMarks(const Scene& scene, const std::vector<int32_t>& nodes, Colour colour,
                      float lineWidth, float radius, const FrameRegion& region) {
    LineSet marks = lines(colour, lineWidth);
    const TreeLayoutType layoutType = scene.appliedLayout().value_or(TreeLayoutType::Radial);
    const auto known = [&scene](int32_t node) {
        return node >= 0 && node < scene.graph().nodeCount();
    };
    if (isTreeMapLayout(layoutType)) {
        const std::vector<Rect> rectangles = treeMapRectangles(scene.graph(), scene.treeMap());
        for (const int32_t node : nodes) {
            if (known(node)) {
                marks.rectangles.push_back(rectangles[static_cast<std::size_t>(node)]);
            }
        }
        return marks;
    }
    // The frame's pixels span the region.
    const float sceneRadius =
        radius * 2.0f * region.halfExtent / static_cast<float>(DrawDescription::framePixels);
    for (const int32_t node : nodes) {
        if (!known(node)) {
            continue;
        }
        const Point centre = scene.positions()[static_cast<std::size_t>(node)];
        for (int j = 0; j < LineSet::ringVertexCount; ++j) {
            marks.ringVertices.push_back(
                onCircle(sceneRadius, static_cast<float>(j) * singlePrecisionPi * ringStep));
            marks.ringVertices.back().x += centre.x;
            marks.ringVertices.back().y += centre.y;
        }
    }
    return marks;
}

std::vector<LegendEntry> highlightLegend() {
    return {LegendSwatch{leavingColour, leavingText}, LegendSwatch{arrivingColour, arrivingText}};
}

namespace {

bool byGroup(ColorBy colorBy) {
    return colorBy == ColorBy::SourceGroup || colorBy == ColorBy::TargetGroup;
}

// The groups' colours on the curves and the nodes, the both-way marks, the
// cycles, the broken rules, and the key's entries for what the curves'
// colours and widths mean; the colours the picture gives other meanings are
// those in use.
void colourCurves(DrawDescription& frame, const Scene& scene, const ViewSettings& settings,
                  const SceneFindings& findings, TreeLayoutType layoutType, float pixel,
                  std::vector<Colour> inUse) {
    CurveSet& curves = frame.curves;
    const bool curvesShown = frame.showCurves;
    const bool density = curves.blendMode == BlendModeType::Density;
    const std::vector<Colour> meanings = inUse;
    // The both-way colour stays the same whether a node is highlighted or
    // nodes are searched for.
    inUse.insert(inUse.end(),
                 {treeRed, leavingColour, arrivingColour, searchColour, highlightMarkColour});
    if (curvesShown && density) {
        frame.legend.emplace_back(LegendDensity{settings.densityScale});
    } else if (curvesShown && !byGroup(settings.colorBy)) {
        frame.legend.emplace_back(LegendRamp{rampStartText, rampEndText});
        inUse.insert(inUse.end(), curves.ramp.span().begin(), curves.ramp.span().end());
    }
    // A density draws neither groups nor both-way marks: its key is its
    // scale (and the bundles' widths, which it draws).
    if (byGroup(settings.colorBy) && settings.blendMode != BlendModeType::Density) {
        const Cut& cut = scene.cut();
        const NodeGroups groups = groupNodes(
            scene.graph(), cut.collapsed.empty() ? std::span<const int32_t>() : cut.shownAs,
            settings.groupDepth, meanings);
        if (curvesShown) {
            styleGroups(curves, scene.bundles(), groups, settings.colorBy);
        }
        frame.groupBands = describeGroupBands(layoutType, scene, groups, settings.lineWidth, pixel);
        for (LegendEntry& entry : groupLegend(scene.graph(), groups)) {
            inUse.push_back(std::get<LegendSwatch>(entry).colour);
            frame.legend.push_back(std::move(entry));
        }
    }
    if (!curvesShown) {
        return;
    }
    const std::span<const uint32_t> counts = scene.bundles().count;
    if (!curves.widths.empty()) {
        frame.legend.emplace_back(
            bundleLegend(curves.width, *std::max_element(counts.begin(), counts.end())));
    }
    if (settings.markBothWays && !density) {
        const BothWays bothWays = findBothWays(scene.bundles());
        const Colour colour = bothWayColour(inUse);
        markBothWays(curves, bothWays, colour);
        frame.legend.push_back(bothWayLegend(bothWays, colour));
        inUse.push_back(colour);
    }
    std::vector<char> inCycles;
    if (settings.showCycles && !density) {
        const std::shared_ptr<const CycleGroups> cycles =
            findings.cycles ? findings.cycles
                            : std::make_shared<const CycleGroups>(
                                  cycleGroupsOf(scene.bundles(), scene.graph().nodeCount()));
        const std::vector<Colour> colours = distinctGroupColours(inUse);
        inUse.insert(inUse.end(), colours.begin(), colours.end());
        const Colour cutColour = bothWayColour(inUse);
        inCycles = markCycles(curves, scene.bundles(), *cycles, colours, cutColour);
        for (LegendEntry& entry : cycleLegend(*cycles, colours, cutColour)) {
            frame.legend.push_back(std::move(entry));
        }
        for (LineSet& marks : cycleMarks(scene, *cycles, colours, settings.lineWidth,
                                         cycleMarkRadius, frame.region)) {
            frame.marks.push_back(std::move(marks));
        }
    }
    if (findings.rules && findings.violations && !density) {
        markViolations(curves, *findings.rules, *findings.violations, inCycles);
        for (LegendEntry& entry : ruleLegend(*findings.rules, *findings.violations)) {
            frame.legend.push_back(std::move(entry));
        }
    }
}

} // namespace

DrawDescription describeScene(const Scene& scene, const ViewSettings& settings,
                              const ViewState& view, SharedValues<Colour> ramp,
                              const SceneFindings& findings) {
    DrawDescription frame;
    frame.region = view.region;
    frame.background = view.background;
    const TreeLayoutType layoutType = scene.appliedLayout().value_or(settings.layoutType);
    // A pixel of the frame, which shows the region.
    const float pixel = 2.0f * view.region.halfExtent / DrawDescription::framePixels;
    frame.tree = describeTree(layoutType, scene, settings.lineWidth, pixel);
    const Cut& cut = scene.cut();
    const std::span<const int32_t> shownAs =
        cut.collapsed.empty() ? std::span<const int32_t>() : cut.shownAs;
    // A node hidden in a collapsed one is highlighted and marked on that one.
    const CutView shown(scene.graph(), shownAs);
    const auto shownFor = [&](int32_t node) {
        return node < 0 || node >= scene.graph().nodeCount() ? node : shown.shownAs(node);
    };
    const int32_t highlighted = shownFor(view.highlighted);
    const bool highlighting = highlighted >= 0 && highlighted < scene.graph().nodeCount();
    frame.showCurves = settings.showSplines;
    if (frame.showCurves) {
        frame.curves = describeCurves(scene, settings);
        frame.curves.ramp = std::move(ramp);
    }
    // The colours that mean something besides the curves' own: the kinds,
    // the search marks, and the highlight's pair where it recolours.
    const bool recolours =
        !byGroup(settings.colorBy) || settings.blendMode == BlendModeType::Density;
    std::vector<Colour> meanings;
    if (scene.comparison()) {
        meanings.insert(meanings.end(), {addedColour, removedColour});
    }
    if (!view.marked.empty()) {
        meanings.push_back(searchColour);
    }
    if (highlighting && recolours) {
        meanings.insert(meanings.end(), {leavingColour, arrivingColour});
    }
    colourCurves(frame, scene, settings, findings, layoutType, pixel, meanings);
    if (frame.showCurves && scene.comparison()) {
        // The kinds' colours win over the ramp's, the groups' and the both-way
        // one; a density draws none of them.
        styleComparison(frame.curves, scene.bundles().kind);
        if (settings.blendMode != BlendModeType::Density) {
            for (LegendEntry& entry :
                 comparisonLegend(scene.comparison()->summary, settings.showKept)) {
                frame.legend.push_back(std::move(entry));
            }
        }
    }
    if (frame.showCurves && highlighting) {
        // Curves in their groups' colours keep them.
        emphasise(frame.curves, highlightOf(scene.graph(), scene.bundles(), highlighted),
                  recolours);
        if (recolours) {
            for (LegendEntry& entry : highlightLegend()) {
                frame.legend.push_back(std::move(entry));
            }
        }
    }
    frame.showLegend = settings.showLegend;
    frame.showOverlay = settings.showTree;
    if (frame.showOverlay) {
        frame.overlay =
            describeOverlay(scene.graph(), scene.positions(), settings.lineWidth, shownAs);
        // Under a highlight its curves are the brightest thing drawn.
        if (frame.showCurves && highlighting) {
            frame.overlay.colour.a *= dimmedOpacity;
        }
    }
    std::vector<LineSet> versionMarks =
        describeVersionMarks(scene, settings.lineWidth, view.region);
    frame.marks.insert(frame.marks.begin(), std::make_move_iterator(versionMarks.begin()),
                       std::make_move_iterator(versionMarks.end()));
    if (!view.marked.empty()) {
        std::vector<int32_t> marked;
        for (const int32_t node : view.marked) {
            marked.push_back(shownFor(node));
        }
        std::sort(marked.begin(), marked.end());
        marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
        frame.marks.push_back(describeMarks(scene, marked, searchColour, settings.lineWidth,
                                            searchMarkRadius, view.region));
    }
    if (highlighting) {
        frame.marks.push_back(describeMarks(scene, {highlighted}, highlightMarkColour,
                                            settings.lineWidth, highlightMarkRadius, view.region));
    }
    return frame;
}
