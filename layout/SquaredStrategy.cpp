#include "layout/TreeMapNode.h"
#include "layout/TreeMapStrategy.h"

namespace {

// Ratio of the row's first child's long side to its short side when the row
// holds the fraction r of the area; side is the row's extent across the band.
float firstChildRatio(float side, float r, float firstArea) {
    float q = (side * r) / (firstArea / r);
    if (q < 1.0f) {
        q = 1.0f / q;
    }
    return q;
}

float sizeAt(const TreeMapNode& node, int i) {
    const TreeMapNode* child = node.child(i);
    return child == nullptr ? 0.0f : child->size;
}

} // namespace

void SquaredStrategy::layoutChildren(TreeMapNode& node, Rect rect) {
    squarifyRange(node, 0, node.childCount() - 1, rect);
}

void SquaredStrategy::squarifyRange(TreeMapNode& node, int first, int last, Rect rect) {
    while (first <= last) {
        if (last - first < 2) {
            sliceRange(node, first, last, rect);
            return;
        }
        const float w = rect.x1 - rect.x0;
        const float h = rect.y1 - rect.y0;
        const float total = sumSizes(node, first, last);
        if (total <= 0.0f) {
            return;
        }
        const float inv = 1.0f / total;
        float r = inv * sizeAt(node, first);
        // A band across the full width at the bottom when taller than wide,
        // else a band over the full height at the left.
        const bool band = w < h;
        const float along = band ? h : w;
        const float firstArea = r * (band ? w : h);
        int i = first;
        while (i < last) {
            const float q = firstChildRatio(along, r, firstArea);
            const float grown = r + inv * sizeAt(node, i + 1);
            const float grownQ = firstChildRatio(along, grown, firstArea);
            if (grownQ > q) {
                break;
            }
            ++i;
            r = grown;
        }
        if (band) {
            sliceRange(node, first, i, Rect{rect.x0, rect.y0, rect.x0 + w, rect.y0 + r * h});
            rect = Rect{rect.x0, rect.y0 + r * h, rect.x0 + w, rect.y0 + h};
        } else {
            sliceRange(node, first, i, Rect{rect.x0, rect.y0, rect.x0 + r * w, rect.y0 + h});
            rect = Rect{rect.x0 + r * w, rect.y0, rect.x0 + w, rect.y0 + h};
        }
        first = i + 1;
    }
}
