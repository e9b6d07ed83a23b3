#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeLayoutType.h"

#include <cstdint>
#include <optional>
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
// top of its own. Labels that would read alike get their parents' names in
// front until they differ ("http.client", "xmlrpc.client"), within a bounded
// length. Rectangles are by node id (treemaps only). With a cut (shownAs,
// see Cut), only shown nodes get labels, and a collapsed node gets one as a
// leaf would.
std::vector<Label> labelCandidates(TreeLayoutType layoutType, const CompoundGraph& graph,
                                   const TreeLayoutData& data, std::span<const Point> positions,
                                   std::span<const Rect> rectangles,
                                   std::span<const int32_t> shownAs = {});

// The texts of the widest labels the graph's nodes can get at any cut: a
// node's name, or where others share it, the name with the parents' names
// that can come in front of it (see labelCandidates). Only the longest few
// dozen, which the widest is among.
std::vector<std::string> widestLabelTexts(const CompoundGraph& graph);

// Half the side of the square that holds the scene and its labels when
// that square is drawn `pixelsAcross` pixels wide, room made for the widest
// of the texts (see widestLabelTexts), so that it stays the same whatever
// the cut; labels keep their size in pixels while the picture shrinks to
// make room. Only the radial tree's names reach beyond the scene's square;
// the room they take is capped at a fifth of the side on each end.
double labelledExtent(TreeLayoutType layoutType, std::span<const std::string> texts,
                      const TextMeasure& measure, double pixelsAcross);

// The four corners of a label as drawn, in pixels from the scene's origin.
struct LabelBox {
    Point corners[4];
};
LabelBox labelBox(const Label& label, const TextMeasure& measure, double pixelsPerUnit);

// A node's label: its candidate, or for a node without one (an inner node
// of the radial and classic trees) its name to the right of its position.
Label labelOf(const std::vector<Label>& candidates, const CompoundGraph& graph,
              std::span<const Point> positions, int32_t node);

// The labels to draw: the candidates that lie in the visible part of the
// scene and fit in their rectangle (treemaps), taken in order as long as
// they overlap none taken before; `first` (the hovered or pinned node's)
// comes before all others whatever it overlaps, and stands for its node's
// candidate.
std::vector<Label> placeLabels(const std::vector<Label>& candidates, const TextMeasure& measure,
                               double pixelsPerUnit, const Rect& visible,
                               std::span<const Rect> rectangles,
                               const std::optional<Label>& first = std::nullopt);

bool boxesOverlap(const LabelBox& a, const LabelBox& b);
