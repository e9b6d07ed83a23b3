#pragma once

#include "frame/DensityScale.h"
#include "frame/DrawDescription.h"
#include "frame/Labels.h"
#include "frame/Palette.h"
#include "layout/Point.h"

#include <span>
#include <string>
#include <vector>

// A box in pixels from the top left of what it lies in, y pointing down.
struct PixelBox {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// The key to a picture's colours as shapes and text in pixels, y down, from
// the top left of its box: what the GL renderer and the SVG writer draw.
struct LegendLayout {
    struct Fill {
        PixelBox box;
        Colour colour;
    };
    // Colours spread evenly from the box's left edge to its right, each
    // blending into the next.
    struct Bar {
        PixelBox box;
        std::vector<Colour> colours;
    };
    struct Line {
        Point from;
        Point to;
        float width = 1.0f;
        Colour colour;
    };
    // A line of text whose middle lies on the anchor; it starts, is centred
    // or ends there.
    struct Text {
        Point anchor;
        std::string text;
        Label::Align align = Label::Align::Start;
    };

    float width = 0.0f;
    float height = 0.0f;
    // The text's height in pixels, as the measure gave it.
    float textPixels = 0.0f;
    Colour textColour = labelColour;
    // Drawn in this order: fills (the box's background first), bars,
    // lines, texts.
    std::vector<Fill> fills;
    std::vector<Bar> bars;
    std::vector<Line> lines;
    std::vector<Text> texts;

    bool empty() const { return texts.empty() && bars.empty(); }
};

inline constexpr const char* densityTitle[densityScaleTypeCount] = {
    "relations per pixel (log)", "relations per pixel (eq-hist)"};

// The entries laid out, in text the measure gives the size of: one row per
// colour with its text, the ramp as a bar with its end texts, widths as
// lines (the frame's widths times curveScale, the target's pixels per frame
// pixel) with their counts, the density ramp with the counts of the scale
// at a few places (none without a scale). Empty for no entries.
LegendLayout layOutLegend(std::span<const LegendEntry> entries, std::span<const Colour> ramp,
                          const TextMeasure& measure, float curveScale = 1.0f,
                          const DensityScale* density = nullptr);

// The least share of its size a picture keeps beside the key: a bigger key
// is drawn over the picture's edge rather than shrink it further.
inline constexpr double keptBesideKey = 0.8;

// Where the key's box goes in an area of that many pixels: in its bottom
// right corner, a margin away from the edges.
PixelBox legendPlace(const LegendLayout& layout, float areaWidth, float areaHeight);

// The largest half size at which a picture centred at (x, y), a disc of
// that radius or else a square, keeps clear of the box (all in pixels, y
// down). The radial tree, names and all, is a disc; the others fill their
// square.
double roomBeside(bool round, double x, double y, const PixelBox& box);
