#pragma once

#include "base/SharedValues.h"
#include "bundling/CurveSamples.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "scene/BlendModeType.h"
#include "scene/Labels.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// What a frame shows, as data: renderers (GL, and any exporter) draw exactly
// this and read nothing else. It holds, or shares immutably, everything it
// draws, so that it may be kept as long as anyone likes. View coordinates
// throughout.

struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    bool operator==(const Colour&) const = default;
};

// Lines of one colour and width: closed rings of ringVertexCount vertices,
// rectangle outlines, and separate segments (pairs of points), drawn in that
// order. Blended lines mix into what lies below by their alpha; the others
// overwrite it.
struct LineSet {
    static constexpr int ringVertexCount = 90;

    Colour colour;
    float width = 1.0f;
    bool blended = false;
    std::vector<Point> ringVertices;
    std::vector<Rect> rectangles;
    std::vector<Point> segments;

    bool empty() const { return ringVertices.empty() && rectangles.empty() && segments.empty(); }
    std::size_t ringCount() const { return ringVertices.size() / ringVertexCount; }
    // Rings, rectangles and segments, counted in the order they are drawn.
    std::size_t itemCount() const { return ringCount() + rectangles.size() + segments.size() / 2; }
};

// Every edge's polyline of samplesPerEdge points, coloured along the colour
// ramp by each point's parameter (0 at the source end, 1 at the target end)
// and faded as a whole by its opacity.
struct CurveSet {
    // Point j of curve e is (points[2 (e samplesPerEdge + j)], the float after it).
    SharedValues<float> points;
    std::vector<float> parameters;
    std::vector<float> opacity;
    float width = 1.0f;
    // 1 to colorRampCount; another value draws the curves without a ramp.
    int32_t colorRamp = 1;
    // That ramp's texels as its image holds them, from the source end; empty
    // when it could not be loaded.
    SharedValues<Colour> ramp;
    // Any value outside the four modes leaves the blending as it was.
    BlendModeType blendMode = BlendModeType::None;
    // Moves whenever the points do, so that a renderer uploads them only then.
    uint64_t pointsRevision = 0;
    // While a node is highlighted: per curve 0 (drawn as usual, faded), or
    // 1 or 2, drawn opaque in the first or second emphasis colour; and the
    // order to draw the curves in, emphasised ones last. Empty otherwise:
    // every curve as usual, in order.
    std::vector<uint8_t> emphasis;
    std::vector<int32_t> order;
    Colour emphasisColours[2];

    int32_t curveCount() const { return static_cast<int32_t>(opacity.size()); }
    // The curve drawn at a place in the drawing order.
    int32_t curveAt(int32_t place) const {
        return order.empty() ? place : order[static_cast<std::size_t>(place)];
    }
};

// The square of the scene a frame shows. By default the scene's square from
// -1 to 1 and a thin border; a zoomed view shows a part of it.
struct FrameRegion {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float halfExtent = 1.01f;

    bool operator==(const FrameRegion&) const = default;
    // The square, in scene units.
    Rect bounds() const {
        return {centreX - halfExtent, centreY - halfExtent, centreX + halfExtent,
                centreY + halfExtent};
    }
    // Pixels per scene unit in a frame of this many pixels across.
    double pixelsPerUnit(int framePixels) const { return framePixels / (2.0 * halfExtent); }
};

// The names' colour, light grey.
inline constexpr Colour labelColour{0.92f, 0.92f, 0.92f, 1.0f};

struct DrawDescription {
    // Half the side of the square the frame shows when it shows it all.
    static constexpr float frameExtent = FrameRegion{}.halfExtent;
    // The frame's width and height in pixels.
    static constexpr int framePixels = 2048;

    FrameRegion region;
    Colour background{0.0f, 0.0f, 0.0f, 1.0f};
    // The tree of the current layout, always drawn.
    LineSet tree;
    bool showCurves = true;
    CurveSet curves;
    // The node-link structure through the node positions, over the curves.
    bool showOverlay = true;
    LineSet overlay;
    // Marks over everything: the highlighted node, the nodes a search found.
    std::vector<LineSet> marks;
    // The names written over the frame, placed for text labelPixels high in
    // the frame's pixels; none when labels are off.
    std::vector<Label> labels;
    float labelPixels = 0.0f;
    Colour labelTextColour = labelColour;
};
