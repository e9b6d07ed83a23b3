#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/Rect.h"

#include <cstdint>
#include <span>

// The node under a scene point. In a treemap (rectangles given, by node id)
// it is the innermost rectangle that holds the point, so that a point in
// the spacing between a rectangle and its children picks the rectangle's
// own node; elsewhere it is the node nearest to the point, if within
// `radius`. Only shown nodes are picked (shownAs, see Cut; empty: all): in a
// treemap the search stops at a collapsed node. None when there is no such
// node.
int32_t pickNode(const CompoundGraph& graph, std::span<const Point> positions,
                 std::span<const Rect> rectangles, Point point, float radius,
                 std::span<const int32_t> shownAs = {});
