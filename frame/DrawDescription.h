#pragma once

#include "base/SharedValues.h"
#include "bundling/CurveSamples.h"
#include "frame/Labels.h"
#include "frame/Palette.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "settings/BlendModeType.h"
#include "settings/Colour.h"
#include "settings/CurveColourTypes.h"
#include "settings/FrameRegion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

// What a frame shows, as data: renderers (GL, and any exporter) draw exactly
// this and read nothing else. It holds, or shares immutably, everything it
// draws, so that it may be kept as long as anyone likes. View coordinates
// throughout.

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

// Rectangles filled each in its own colour, overwriting what lies below:
// the matrix's cells.
struct FillSet {
    std::vector<Rect> rectangles;
    std::vector<Colour> colours;

    bool empty() const { return rectangles.empty(); }
    std::size_t itemCount() const { return rectangles.size(); }
    void add(const Rect& rectangle, const Colour& colour) {
        rectangles.push_back(rectangle);
        colours.push_back(colour);
    }
};

// Every edge's polyline of samplesPerEdge points, coloured along the colour
// ramp by each point's parameter (0 at the source end, 1 at the target end)
// and faded as a whole by its opacity. The per-curve vectors below are the
// one channel through which any feature restyles curves; each is either
// empty (every curve as by default) or holds one value per curve.
struct CurveSet {
    // The fixed colours a frame draws at most: the curve shader holds them
    // in an array of this size.
    static constexpr std::size_t maxFixedColours = 64;

    // Point j of curve e is (points[2 (e samplesPerEdge + j)], the float after it).
    SharedValues<float> points;
    std::vector<float> parameters;
    std::vector<float> opacity;
    float width = 1.0f;
    // Per curve its width in frame pixels (positive); empty: `width` each.
    std::vector<float> widths;
    // Per curve how many relations it stands for, which the density view
    // counts at every pixel it covers; empty: 1 each. Other views ignore it.
    std::vector<float> weights;
    // Per curve 0 (coloured along the ramp) or k, drawn in fixedColours[k - 1]
    // with that colour's alpha times the curve's opacity; an index naming no
    // colour (or one past the first maxFixedColours) means the ramp. Empty:
    // every curve along the ramp.
    std::vector<uint8_t> colourIndex;
    std::vector<Colour> fixedColours;
    // Bit k - 1 set: the curves in fixed colour k are drawn dashed.
    uint64_t dashedColours = 0;
    // The order to draw the curves in, later ones over earlier ones; empty:
    // in index order. Whatever must be drawn last comes last here. Drawing
    // runs of equal width is cheaper: with varying widths, order by width
    // where the picture allows.
    std::vector<int32_t> order;
    // Per curve the index of its kind in kindNames, for exporters that keep
    // kinds of curves apart (an SVG groups the curves of each kind under its
    // name); empty: curves of no kind.
    std::vector<uint8_t> kindIndex;
    std::vector<std::string> kindNames;
    // 1 to colorRampCount; another value draws the curves without a ramp.
    int32_t colorRamp = 1;
    // That ramp's texels as its image holds them, from the source end; empty
    // when it could not be loaded.
    SharedValues<Colour> ramp;
    // Any value outside the four modes leaves the blending as it was.
    BlendModeType blendMode = BlendModeType::None;
    // How the density view maps counts onto the ramp.
    DensityScaleType densityScale = DensityScaleType::Log;
    // Moves whenever the points do, so that a renderer uploads them only then.
    uint64_t pointsRevision = 0;
    // How many of the last places in the order are a highlight's curves.
    int32_t emphasisedPlaces = 0;

    // Adds a fixed colour for colourIndex, and says its index (from 1).
    uint8_t addFixedColour(const Colour& colour) {
        fixedColours.push_back(colour);
        return static_cast<uint8_t>(fixedColours.size());
    }
    int32_t curveCount() const { return static_cast<int32_t>(opacity.size()); }
    // The places drawn: every curve, or those the order names (a frame over
    // a kept picture draws only its own few of the curves).
    int32_t placeCount() const {
        return order.empty() ? curveCount() : static_cast<int32_t>(order.size());
    }
    // The curve drawn at a place in the drawing order.
    int32_t curveAt(int32_t place) const {
        return order.empty() ? place : order[static_cast<std::size_t>(place)];
    }
    float widthOf(int32_t curve) const {
        return widths.empty() ? width : widths[static_cast<std::size_t>(curve)];
    }
    float weightOf(int32_t curve) const {
        return weights.empty() ? 1.0f : weights[static_cast<std::size_t>(curve)];
    }
    // Marks fixed colour k (from 1) as drawn dashed.
    void dashColour(uint8_t k) {
        if (k >= 1 && k <= maxFixedColours) {
            dashedColours |= uint64_t{1} << (k - 1);
        }
    }
    bool dashedCurve(int32_t curve) const {
        const int32_t k = colourIndex.empty() ? 0 : colourIndex[static_cast<std::size_t>(curve)];
        return k >= 1 && k <= fixedColourCount() && ((dashedColours >> (k - 1)) & 1u) != 0;
    }
    // The number of fixed colours drawn: the rest count as the ramp.
    int32_t fixedColourCount() const {
        return static_cast<int32_t>(std::min(fixedColours.size(), maxFixedColours));
    }
    // The curve's fixed colour, or null for one along the ramp.
    const Colour* fixedColourOf(int32_t curve) const {
        const int32_t k = colourIndex.empty() ? 0 : colourIndex[static_cast<std::size_t>(curve)];
        return k >= 1 && k <= fixedColourCount() ? &fixedColours[static_cast<std::size_t>(k - 1)]
                                                 : nullptr;
    }
};

// The key to a picture's colours: entries, top to bottom, that any feature
// styling the picture adds.
// A colour and what it stands for.
struct LegendSwatch {
    Colour colour;
    std::string text;

    bool operator==(const LegendSwatch&) const = default;
};
// The curves' ramp as a bar, with the texts at its two ends.
struct LegendRamp {
    std::string startText;
    std::string endText;

    bool operator==(const LegendRamp&) const = default;
};
// Curve widths, each with the number of relations a curve that wide stands
// for; widths in pixels of the frame.
struct LegendWidths {
    struct Sample {
        float width = 1.0f;
        uint32_t count = 1;

        bool operator==(const Sample&) const = default;
    };
    std::vector<Sample> samples;

    bool operator==(const LegendWidths&) const = default;
};
// The density view's ramp, with the counts at a few places: known only
// once the counts are (see DensityScale).
struct LegendDensity {
    DensityScaleType scale = DensityScaleType::Log;

    bool operator==(const LegendDensity&) const = default;
};
using LegendEntry = std::variant<LegendSwatch, LegendRamp, LegendWidths, LegendDensity>;

struct DrawDescription {
    // Half the side of the square the frame shows when it shows it all.
    static constexpr float frameExtent = FrameRegion{}.halfExtent;
    // The frame's width and height in pixels.
    static constexpr int framePixels = 2048;

    FrameRegion region;
    Colour background{0.0f, 0.0f, 0.0f, 1.0f};
    // A picture drawn first, of the same region, then dimmed towards the
    // background to underKept of its brightness, with this frame's layers
    // over it. A highlight on a big picture is the picture without it, which
    // the window keeps as an image, and only the node's own curves.
    std::shared_ptr<const DrawDescription> under;
    float underKept = 1.0f;
    // The matrix's cells, under everything else; none in the bundles' view.
    FillSet cells;
    // The tree of the current layout, always drawn.
    LineSet tree;
    // The nodes' groups, a set of lines per group colour, over the tree.
    std::vector<LineSet> groupBands;
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
    // Texts written over the cells of the matrix (their counts), at the
    // labels' size, in a colour of their own that reads on the cells.
    std::vector<Label> cellTexts;
    Colour cellTextColour = cellCountColour;
    // The key to the colours, and whether pictures made of the frame show
    // it (the viewer shows it over the window, never in the frame).
    std::vector<LegendEntry> legend;
    bool showLegend = false;
};
