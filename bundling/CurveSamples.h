#pragma once

#include "base/UninitializedArray.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// Every edge is drawn as a polyline of samplesPerEdge points; point j of
// edge e is the pair of floats (x, y) at index 2 (e samplesPerEdge + j).
inline constexpr int32_t samplesPerEdge = 50;
inline constexpr std::size_t floatsPerEdge = 2 * samplesPerEdge;

// A run of edges, first included, end excluded: the unit of work that
// sampling and mixing can share out among threads.
struct EdgeRange {
    int32_t first = 0;
    int32_t end = 0;
};

// What every edge's curve is mixed from, evaluated when the node positions
// change: the samples of its full curve, and the two ends of the straight
// segment, whose samples are cheap to make again whenever they are needed.
struct CurveSamples {
    static constexpr std::size_t floatsPerEnds = 4;

    // Edge e's ends: x and y of its first, then of its last point, at 4 e.
    UninitializedArray<float> ends;
    UninitializedArray<float> bundled;

    explicit CurveSamples(int32_t edgeCount = 0)
        : ends(static_cast<std::size_t>(edgeCount) * floatsPerEnds),
          bundled(static_cast<std::size_t>(edgeCount) * floatsPerEdge) {}
    int32_t edgeCount() const { return static_cast<int32_t>(ends.size() / floatsPerEnds); }
};

// The shortest and longest arc length among some edges.
struct LengthRange {
    float shortest;
    float longest;
};

// The range that nothing has been measured into yet: the largest finite
// float and its negative.
inline LengthRange emptyLengthRange() {
    return {std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()};
}

// The curves as drawn: the samples mixed by the bundling strength, with each
// polyline's length and the range of the lengths.
struct MixedCurves {
    UninitializedArray<float> points;
    std::vector<float> arcLength;
    // The empty range until a mix measures some edge.
    float minLength = emptyLengthRange().shortest;
    float maxLength = emptyLengthRange().longest;

    explicit MixedCurves(int32_t edgeCount = 0)
        : points(static_cast<std::size_t>(edgeCount) * floatsPerEdge),
          arcLength(static_cast<std::size_t>(edgeCount), 0.0f) {}
};
