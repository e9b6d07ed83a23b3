#pragma once

#include "layout/Rect.h"

#include <cfloat>

class TreeMapNode;

// Divides a treemap node's (already inset) rectangle among its children in
// proportion to their weights, in child order. Writes the children's
// rectangles and nothing else.
class TreeMapStrategy {
public:
    static constexpr float epsilon = FLT_EPSILON;

    virtual ~TreeMapStrategy();
    virtual void layoutChildren(TreeMapNode& node, Rect rect) = 0;
};

// Side by side along the longer side of the rectangle.
class SliceStrategy : public TreeMapStrategy {
public:
    void layoutChildren(TreeMapNode& node, Rect rect) override;

    // Sum of the weights of children first..last, 0 for an empty range.
    static float sumSizes(const TreeMapNode& node, int first, int last);
    static void sliceRange(TreeMapNode& node, int first, int last, Rect rect);
};

// Rows cut off along the shorter side, each growing while its first child's
// aspect ratio does not get worse.
class SquaredStrategy : public SliceStrategy {
public:
    void layoutChildren(TreeMapNode& node, Rect rect) override;

    static void squarifyRange(TreeMapNode& node, int first, int last, Rect rect);
};

// Horizontal rows stacked upwards, each grown greedily and merged with the
// next when that lowers the average aspect ratio.
class StripStrategy : public SliceStrategy {
public:
    static constexpr float growRowStartBound = 1e17f;

    void layoutChildren(TreeMapNode& node, Rect rect) override;

    static void stripRange(TreeMapNode& node, int last, Rect rect);
    // Number of children from start in the next row; at least one, so the
    // strip always progresses.
    static int growRow(TreeMapNode& node, const Rect& normalised, int start, int last);
    // Lays count children from start as one row at the origin of the
    // normalised rectangle; returns the row's height.
    static float placeRow(TreeMapNode& node, const Rect& normalised, int start, int count);
    static float averageAspect(const TreeMapNode& node, int start, int count);
};
