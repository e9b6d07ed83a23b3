#pragma once

#include "frame/DrawDescription.h"

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

// One layer of a frame: filled rectangles, a set of lines, or the curves.
using DrawLayer = std::variant<const FillSet*, const LineSet*, const CurveSet*>;

// The frame's layers in the order they are drawn, each over those before:
// the matrix's cells (where there are any), the tree, the group bands, the curves (where shown),
// the node-link overlay (where shown), the marks. Every backend draws this order and no other.
// Points into the frame, which must outlive the list.
std::vector<DrawLayer> drawLayers(const DrawDescription& frame);

// What a layer draws a part at a time: its filled rectangles, its lines'
// rings, rectangles and segments (see LineSet::itemCount), or its curves in
// drawing order.
std::size_t itemCount(const DrawLayer& layer);

// What draws a frame's layers: GL into the frame texture, or, in tests, a
// count of what was asked. A set of curves is begun before its first range
// and finished after its last; ranges follow each other in order.
class DrawBackend {
public:
    virtual ~DrawBackend() = default;

    virtual void clear(const Colour& background) = 0;
    // Takes everything drawn so far towards the background, to `kept` of
    // its brightness.
    virtual void dim(const Colour& background, float kept) = 0;
    virtual void drawFillRange(const FillSet& fills, std::size_t first, std::size_t count) = 0;
    virtual void drawLineRange(const LineSet& lines, std::size_t first, std::size_t count) = 0;
    virtual void beginCurves(const CurveSet& curves) = 0;
    virtual void drawCurveRange(const CurveSet& curves, int32_t first, int32_t count) = 0;
    virtual void finishCurves(const CurveSet& curves) = 0;
};

// Items first .. first + count - 1 of the layer, the curves begun with the
// first range and finished with the last.
void drawLayerRange(DrawBackend& backend, const DrawLayer& layer, std::size_t first,
                    std::size_t count);

// The whole frame in one go: the background, or the picture under it
// dimmed, then every layer.
void drawAllLayers(const DrawDescription& frame, DrawBackend& backend);
