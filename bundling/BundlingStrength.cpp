#include "bundling/BundlingStrength.h"

#include "bundling/SplineCurve.h"

#include <algorithm>
#include <cmath>

namespace {

// The straight samples are a linear function of their two ends: they are
// made here from the ends with the formula of straightSample, instead of
// being stored and streamed from memory.
struct SampleParameters {
    float t[samplesPerEdge];
    float rest[samplesPerEdge];
    SampleParameters() {
        for (int32_t k = 0; k < samplesPerEdge; ++k) {
            t[k] = splinecurve::sampleParameter(k);
            rest[k] = 1.0f - t[k];
        }
    }
};

void mixEdge(const SampleParameters& p, const float* __restrict ends,
             const float* __restrict bundled, float* __restrict mixed, float weight,
             float strength) {
    const float fx = ends[0];
    const float fy = ends[1];
    const float lx = ends[2];
    const float ly = ends[3];
    for (int32_t k = 0; k < samplesPerEdge; ++k) {
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
constexpr int32_t edgesPerBlock = 8;
constexpr int32_t segmentsPerEdge = samplesPerEdge - 1;

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

} // namespace

// Built for wide vectors too where the CPU has them: the square roots and
// the mix are the arithmetic that the memory traffic does not hide.
__attribute__((target_clones("avx2", "default"))) LengthRange
mixCurves(float strength, const CurveSamples& samples, EdgeRange range, MixedCurves& curves,
          LengthRange soFar) {
    const float* __restrict endPoints = samples.ends.data();
    const float* __restrict bundledPoints = samples.bundled.data();
    float* __restrict mixedPoints = curves.points.data();
    const float weight = 1.0f - strength;
    static const SampleParameters parameters;
    // Prefetches stay inside the arrays.
    const std::size_t edgeCount = static_cast<std::size_t>(samples.edgeCount());
    const std::size_t lastSlot = edgeCount == 0 ? 0 : (edgeCount - 1) * floatsPerEdge;
    for (int32_t first = range.first; first < range.end; first += edgesPerBlock) {
        const int32_t count = std::min(edgesPerBlock, range.end - first);
        float segments[edgesPerBlock][segmentsPerEdge] = {};
        for (int32_t e = 0; e < count; ++e) {
            const std::size_t slot = static_cast<std::size_t>(first + e) * floatsPerEdge;
            // Three streams with a sparse one among them are more than the
            // hardware prefetcher keeps ahead of: ask for every line a few
            // blocks early, the output's for writing.
            const std::size_t ahead = std::min(slot + 4 * edgesPerBlock * floatsPerEdge, lastSlot);
            __builtin_prefetch(endPoints + (ahead / floatsPerEdge) * CurveSamples::floatsPerEnds);
            for (std::size_t line = 0; line < floatsPerEdge; line += 16) {
                __builtin_prefetch(bundledPoints + ahead + line);
                __builtin_prefetch(mixedPoints + ahead + line, 1);
            }
            float* mixed = mixedPoints + slot;
            mixEdge(parameters,
                    endPoints + static_cast<std::size_t>(first + e) * CurveSamples::floatsPerEnds,
                    bundledPoints + slot, mixed, weight, strength);
            squareSegments(mixed, segments[e]);
        }
        takeRoots(&segments[0][0], edgesPerBlock * segmentsPerEdge);
        float lengths[edgesPerBlock] = {};
        for (int32_t k = 0; k < segmentsPerEdge; ++k) {
            for (int32_t e = 0; e < edgesPerBlock; ++e) {
                lengths[e] += segments[e][k];
            }
        }
        for (int32_t e = 0; e < count; ++e) {
            const float length = lengths[e];
            curves.arcLength[static_cast<std::size_t>(first + e)] = length;
            soFar.shortest = std::min(soFar.shortest, length);
            soFar.longest = std::max(soFar.longest, length);
        }
    }
    return soFar;
}
