#include "bundling/SplineCurve.h"
#include "graph/Graph.h"
#include "render/GpuObjects.h"

#include <memory>
#include <vector>

namespace {

constexpr int32_t samples = Graph::samplesPerEdge;

// Every node's position in one flat table: sampling reads four positions per
// sample, and a table indexed by id keeps them in cache.
std::vector<SplinePoint> nodePositions(const std::vector<std::unique_ptr<Node>>& nodes) {
    std::vector<SplinePoint> positions(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        positions[i] = {nodes[i]->x, nodes[i]->y};
    }
    return positions;
}

void allocatePoints(std::unique_ptr<float[]>& points, std::size_t floats) {
    if (!points) {
        points = std::make_unique_for_overwrite<float[]>(floats);
    }
}

// The parameter of every sample, once per edge, for the ramp texture
// coordinates. Only needed when there is a buffer to upload it to.
void uploadParameters(uint32_t buffer, std::size_t edgeCount) {
    if (buffer == 0) {
        return;
    }
    const std::size_t count = edgeCount * samples;
    auto parameters = std::make_unique_for_overwrite<float[]>(count);
    for (std::size_t n = 0; n < count; ++n) {
        parameters[n] = splinecurve::sampleParameter(static_cast<int32_t>(n % samples));
    }
    replaceArrayBufferData(buffer, count * sizeof(float), parameters.get(), BufferUsage::StaticDraw);
}

} // namespace

SplinePoint Graph::evaluateSpline(float t, const int32_t* ids, int32_t count) const {
    return splinecurve::curvePoint(t, count, [&](int32_t i) {
        const Node& node = *nodes[static_cast<std::size_t>(ids[i])];
        return SplinePoint{node.x, node.y};
    });
}

SplinePoint Graph::blendPoint(float strength, float t, const int32_t* ids, int32_t count) const {
    if (count <= 0) {
        return splinecurve::blend(strength, t, SplinePoint{}, SplinePoint{}, SplinePoint{});
    }
    const Node& first = *nodes[static_cast<std::size_t>(ids[0])];
    const Node& last = *nodes[static_cast<std::size_t>(ids[count - 1])];
    return splinecurve::blend(strength, t, evaluateSpline(t, ids, count), {first.x, first.y},
                              {last.x, last.y});
}

void Graph::sampleSplines() {
    const std::size_t floats = edges.size() * samples * 2;
    allocatePoints(straightPoints, floats);
    allocatePoints(bundledPoints, floats);
    allocatePoints(splinePoints, floats);
    uploadParameters(splineParamBuffer, edges.size());
    ++sceneRevision;

    const std::vector<SplinePoint> positions = nodePositions(nodes);
    for (const auto& edge : edges) {
        const int32_t* ids = edge->controlPoints.get();
        const int32_t count = edge->controlPointCount;
        const auto positionOf = [&](int32_t i) { return positions[static_cast<std::size_t>(ids[i])]; };
        const SplinePoint first = count > 0 ? positionOf(0) : SplinePoint{};
        const SplinePoint last = count > 0 ? positionOf(count - 1) : SplinePoint{};
        const std::size_t slot = static_cast<std::size_t>(edge->index) * samples * 2;
        float* bundled = bundledPoints.get() + slot;
        float* straight = straightPoints.get() + slot;
        for (int32_t j = 0; j < samples; ++j) {
            const float t = splinecurve::sampleParameter(j);
            const SplinePoint point =
                splinecurve::blend(1.0f, t, splinecurve::curvePoint(t, count, positionOf), first, last);
            bundled[2 * j] = point.x;
            bundled[2 * j + 1] = point.y;
            straight[2 * j] = last.x * t + first.x * (1.0f - t);
            straight[2 * j + 1] = last.y * t + first.y * (1.0f - t);
        }
    }
}
