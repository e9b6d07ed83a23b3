#include "scene/SceneDrawing.h"

#include "bundling/SplineCurve.h"
#include "layout/Pi.h"
#include "layout/TreeLayoutType.h"
#include "layout/TreeLayouts.h"
#include "scene/SplineOpacity.h"

#include <cmath>

namespace {

const Colour treeRed{1.0f, 0.0f, 0.0f, 1.0f};
const Colour overlayBlue{0.8f, 0.8f, 1.0f, 0.5f};
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

} // namespace

LineSet describeRadialTree(const CompoundGraph& graph, const TreeLayoutData& data,
                           float lineWidth) {
    LineSet tree = lines(treeRed, lineWidth);
    const float pi = singlePrecisionPi;
    for (uint32_t level = 0; level <= data.maxDepth; ++level) {
        const float r = data.radialRadius + data.ringWidth * static_cast<float>(level);
        for (int j = 0; j < LineSet::ringVertexCount; ++j) {
            tree.ringVertices.push_back(onCircle(r, static_cast<float>(j) * pi * ringStep));
        }
    }
    // Each node's span starts where a short segment crosses its own ring.
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] == CompoundGraph::none) {
            continue;
        }
        const float theta = 2.0f * pi * data.offset[node];
        const float r1 = data.radialRadius +
                         data.ringWidth * static_cast<float>(data.maxDepth - data.level[node]);
        const float r2 = r1 + data.ringWidth;
        tree.segments.push_back(onCircle(r1, theta));
        tree.segments.push_back(onCircle(r2, theta));
    }
    return tree;
}

LineSet describeClassicTree(const CompoundGraph& graph, const TreeLayoutData& data,
                            float lineWidth) {
    LineSet tree = lines(treeRed, lineWidth);
    // A hierarchy of one level has no depth to divide by: it sits on the top line.
    const auto drawingPoint = [&data](int32_t node) {
        const float level = data.maxDepth > 0 ? static_cast<float>(data.level[node]) /
                                                    static_cast<float>(data.maxDepth)
                                              : 0.0f;
        return Point{(data.offset[node] + data.width[node] * 0.5f) * 2.0f - 1.0f, 1.0f - level};
    };
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] != CompoundGraph::none) {
            tree.segments.push_back(drawingPoint(node));
            tree.segments.push_back(drawingPoint(graph.parent[node]));
        }
    }
    return tree;
}

LineSet describeTreeMap(const TreeMap& treeMap, float lineWidth) {
    LineSet tree = lines(treeRed, lineWidth);
    tree.rectangles = treeMap.rectangles();
    return tree;
}

LineSet describeTree(int32_t layoutType, const Scene& scene, float lineWidth) {
    switch (layoutType) {
    case static_cast<int32_t>(TreeLayoutType::Radial):
        return describeRadialTree(scene.graph(), scene.layoutData(), lineWidth);
    case static_cast<int32_t>(TreeLayoutType::Classic):
        return describeClassicTree(scene.graph(), scene.layoutData(), lineWidth);
    default:
        if (isTreeMapLayout(layoutType)) {
            return describeTreeMap(scene.treeMap(), lineWidth);
        }
        return lines(treeRed, lineWidth);
    }
}

LineSet describeOverlay(const CompoundGraph& graph, std::span<const Point> positions,
                        float lineWidth) {
    LineSet overlay = lines(overlayBlue, lineWidth);
    overlay.blended = true;
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[node] != CompoundGraph::none) {
            overlay.segments.push_back(positions[node]);
            overlay.segments.push_back(positions[graph.parent[node]]);
        }
    }
    return overlay;
}

CurveSet describeCurves(const Scene& scene, const ViewSettings& settings) {
    const MixedCurves& mixed = scene.curves();
    CurveSet curves;
    curves.points = mixed.points.span();
    curves.width = settings.splineWidth;
    curves.colorRamp = settings.colorRamp;
    curves.blendMode = settings.blendMode;
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
    return curves;
}

DrawDescription describeScene(const Scene& scene, const ViewSettings& settings) {
    DrawDescription frame;
    const int32_t layoutType = scene.appliedLayout().value_or(settings.layoutType);
    frame.tree = describeTree(layoutType, scene, settings.lineWidth);
    frame.showCurves = settings.showSplines;
    if (frame.showCurves) {
        frame.curves = describeCurves(scene, settings);
    }
    frame.showOverlay = settings.showTree;
    if (frame.showOverlay) {
        frame.overlay = describeOverlay(scene.graph(), scene.positions(), settings.lineWidth);
    }
    return frame;
}
