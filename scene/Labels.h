#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "layout/TreeLayoutData.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The extent of a text as it will be drawn, in pixels.
class TextMeasure {
public:
    virtual ~TextMeasure();
    virtual float width(std::string_view text) const = 0;
    virtual float height() const = 0;
};

// A node's name where it is drawn: the text runs from its anchor along the
// angle (radians, counter-clockwise from +x), starting, ending or centred
// there.
struct Label {
    enum class Align { Start, Centre, End };

    int32_t node = CompoundGraph::none;
    std::string text;
    Point anchor;
    float angle = 0.0f;
    Align align = Align::Start;
    // Hangs below its anchor, at the top edge of the node's rectangle.
    bool hangs = false;
};

// Where every label could go for the layout shown: radial, each leaf's name
// outside the outer ring along its radius, turned on the left half so that
// it reads left to right; classic, under each leaf, turned a quarter;
// treemaps, each leaf's name in its rectangle and each inner node's at the
// top of its own. Rectangles are by node id (treemaps only).
std::vector<Label> labelCandidates(int32_t layoutType, const CompoundGraph& graph,
                                   const TreeLayoutData& data, std::span<const Point> positions,
                                   std::span<const Rect> rectangles);

// The four corners of a label as drawn, in pixels from the scene's origin.
struct LabelBox {
    Point corners[4];
};
LabelBox labelBox(const Label& label, const TextMeasure& measure, double pixelsPerUnit);

// The labels to draw: the candidates that lie in the visible part of the
// scene and fit in their rectangle (treemaps), taken in order as long as
// they overlap none taken before; the label of `first` (hovered or pinned)
// comes before all others whatever it overlaps.
std::vector<Label> placeLabels(const std::vector<Label>& candidates, const TextMeasure& measure,
                               double pixelsPerUnit, const Rect& visible,
                               std::span<const Rect> rectangles, int32_t first);

bool boxesOverlap(const LabelBox& a, const LabelBox& b);
