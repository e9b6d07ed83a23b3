#include "bundling/SplineCurve.h"
#include "graph/Graph.h"
#include "render/GpuObjects.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int32_t samples = Graph::samplesPerEdge;
constexpr int32_t floatsPerEdge = samples * 2;

// The straight samples are a linear function of their two ends, so they are
// regenerated from the stored first and last point with the very formula
// that stored them (bit-identical values) instead of streamed from memory:
// the mix is bound by memory traffic, and this drops most of one stream.
struct SampleParameters {
    float t[samples];
    float rest[samples];
    SampleParameters() {
        for (int32_t k = 0; k < samples; ++k) {
            t[k] = splinecurve::sampleParameter(k);
            rest[k] = 1.0f - t[k];
        }
    }
};

void mixEdge(const SampleParameters& p, const float* __restrict straight, const float* __restrict bundled,
             float* __restrict mixed, float weight, float strength) {
    const float fx = straight[0];
    const float fy = straight[1];
    const float lx = straight[floatsPerEdge - 2];
    const float ly = straight[floatsPerEdge - 1];
    for (int32_t k = 0; k < samples; ++k) {
        const float sx = lx * p.t[k] + fx * p.rest[k];
        const float sy = ly * p.t[k] + fy * p.rest[k];
        mixed[2 * k] = weight * sx + strength * bundled[2 * k];
        mixed[2 * k + 1] = strength * bundled[2 * k + 1] + weight * sy;
    }
}

// Edges are measured a few at a time. Squared segment lengths come first;
// the square roots then run over one flat block (vectorised, and rounded as
// the scalar root would be); summing each edge's segments in sample order
// keeps its length rounded as a point-by-point walk would, while the
// interleaved edges hide the latency of that serial sum.
constexpr std::size_t edgesPerBlock = 8;
constexpr int32_t segmentsPerEdge = samples - 1;

void squareSegments(const float* points, float* squares) {
    for (int32_t k = 0; k < segmentsPerEdge; ++k) {
        const float dx = points[2 * k + 2] - points[2 * k];
        const float dy = points[2 * k + 3] - points[2 * k + 1];
        squares[k] = dx * dx + dy * dy;
    }
}

void takeRoots(float* values, std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) {
        values[n] = std::sqrt(values[n]);
    }
}

// Built for wide vectors too where the CPU has them: the square roots and
// the mix are the arithmetic that the memory traffic does not hide.
__attribute__((target_clones("avx2", "default")))
void mixAndMeasure(Graph& graph) {
    const auto& edges = graph.edges;
    const float* __restrict straightPoints = graph.straightPoints.get();
    const float* __restrict bundledPoints = graph.bundledPoints.get();
    float* __restrict splinePoints = graph.splinePoints.get();
    const float beta = graph.beta;
    float shortest = graph.minSplineLength;
    float longest = graph.maxSplineLength;
    const float weight = 1.0f - beta;
    static const SampleParameters parameters;
    // Prefetches stay inside the arrays.
    const std::size_t lastSlot = edges.empty() ? 0 : (edges.size() - 1) * floatsPerEdge;
    for (std::size_t first = 0; first < edges.size(); first += edgesPerBlock) {
        const std::size_t count = std::min(edgesPerBlock, edges.size() - first);
        float segments[edgesPerBlock][segmentsPerEdge] = {};
        for (std::size_t e = 0; e < count; ++e) {
            const std::size_t slot = static_cast<std::size_t>(edges[first + e]->index) * floatsPerEdge;
            // Three streams with a sparse one among them are more than the
            // hardware prefetcher keeps ahead of: ask for every line a few
            // blocks early, the output's for writing.
            const std::size_t ahead = std::min(slot + 4 * edgesPerBlock * floatsPerEdge, lastSlot);
            __builtin_prefetch(straightPoints + ahead);
            __builtin_prefetch(straightPoints + ahead + floatsPerEdge - 2);
            for (int32_t line = 0; line < floatsPerEdge; line += 16) {
                __builtin_prefetch(bundledPoints + ahead + line);
                __builtin_prefetch(splinePoints + ahead + line, 1);
            }
            float* mixed = splinePoints + slot;
            mixEdge(parameters, straightPoints + slot, bundledPoints + slot, mixed, weight, beta);
            squareSegments(mixed, segments[e]);
        }
        takeRoots(&segments[0][0], edgesPerBlock * segmentsPerEdge);
        float lengths[edgesPerBlock] = {};
        for (int32_t k = 0; k < segmentsPerEdge; ++k) {
            for (std::size_t e = 0; e < edgesPerBlock; ++e) {
                lengths[e] += segments[e][k];
            }
        }
        for (std::size_t e = 0; e < count; ++e) {
            Edge& edge = *edges[first + e];
            edge.arcLength = lengths[e];
            shortest = std::min(shortest, edge.arcLength);
            longest = std::max(longest, edge.arcLength);
        }
    }
    graph.minSplineLength = shortest;
    graph.maxSplineLength = longest;
}

} // namespace

void Graph::setBeta(float newBeta) {
    if (newBeta == beta) {
        return;
    }
    beta = newBeta;
    minSplineLength = std::numeric_limits<float>::max();
    maxSplineLength = -std::numeric_limits<float>::max();
    mixAndMeasure(*this);
    ++sceneRevision;
    replaceArrayBufferData(splineBuffer, edges.size() * floatsPerEdge * sizeof(float),
                           splinePoints.get(), BufferUsage::DynamicDraw);
}
