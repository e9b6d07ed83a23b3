#include "layout/TreeMapNode.h"
#include "layout/TreeMapStrategy.h"

#include <cmath>

void StripStrategy::layoutChildren(TreeMapNode& node, Rect rect) {
    stripRange(node, node.childCount() - 1, rect);
}

void StripStrategy::stripRange(TreeMapNode& node, int last, Rect rect) {
    const float total = sumSizes(node, 0, last);
    if (total <= 0.0f) {
        return;
    }
    rect.collapseInverted();
    const float width = rect.x1 - rect.x0;
    const float height = rect.y1 - rect.y0;
    const float scale = std::sqrt(width * height / total);
    if (!(scale > 0.0f)) {
        return;
    }
    // In the normalised rectangle each child's area equals its weight.
    const float inverse = 1.0f / scale;
    const Rect normalised{rect.x0 * inverse, rect.y0 * inverse, rect.x1 * inverse,
                          rect.y1 * inverse};

    float rowOffset = 0.0f;
    int start = 0;
    // A look-ahead row that was not merged is exactly the next row, since
    // growing depends on the weights alone: it is laid out again, not grown.
    int grownAhead = 0;
    while (start <= last) {
        const int rowLength = grownAhead > 0 ? grownAhead : growRow(node, normalised, start, last);
        grownAhead = 0;
        int count = rowLength;
        if (start + rowLength <= last) {
            const int nextLength = growRow(node, normalised, start + rowLength, last);
            const float separate = averageAspect(node, start, rowLength + nextLength);
            placeRow(node, normalised, start, rowLength + nextLength);
            const float merged = averageAspect(node, start, rowLength + nextLength);
            if (merged < separate) {
                count = rowLength + nextLength;
            } else {
                placeRow(node, normalised, start, rowLength);
                placeRow(node, normalised, start + rowLength, nextLength);
                grownAhead = nextLength;
            }
        }
        for (int i = start; i < start + count; ++i) {
            if (TreeMapNode* child = node.child(i)) {
                child->rect.y0 += rowOffset;
                child->rect.y1 += rowOffset;
            }
        }
        if (const TreeMapNode* first = node.child(start)) {
            rowOffset = rowOffset + (first->rect.y1 - first->rect.y0);
        }
        start += count;
    }
    for (int i = 0; i <= last; ++i) {
        if (TreeMapNode* child = node.child(i)) {
            Rect& r = child->rect;
            r = Rect{scale * r.x0 + rect.x0, scale * r.y0 + rect.y0, scale * r.x1 + rect.x0,
                     scale * r.y1 + rect.y0};
        }
    }
}

namespace {

// placeRow followed by averageAspect in one pass, with the row's weight sum
// carried over from the previous, shorter row: the same float operations in
// the same order, so the same results, at a third of the cost. A row of m
// children is re-laid m times, which makes this the strip layout's hot loop.
float placeRowAndMeasure(TreeMapNode& node, float rowWidth, int start, int count, float rowSum) {
    const float rowHeight = rowSum / rowWidth;
    const float epsilon = TreeMapStrategy::epsilon;
    float cursor = 0.0f;
    float aspectSum = 0.0f;
    for (int i = start; i < start + count; ++i) {
        TreeMapNode& child = *node.children[static_cast<std::size_t>(i)];
        const float childWidth = child.size / rowHeight;
        child.rect = Rect{cursor, 0.0f, cursor + childWidth, rowHeight};
        cursor = cursor + childWidth;
        const float w = child.rect.x1 - child.rect.x0;
        const float h = child.rect.y1 - child.rect.y0;
        if ((w >= -epsilon && w <= epsilon) || (h >= -epsilon && h <= epsilon)) {
            continue;
        }
        aspectSum += w / h > h / w ? w / h : h / w;
    }
    return aspectSum / static_cast<float>(count);
}

} // namespace

int StripStrategy::growRow(TreeMapNode& node, const Rect& normalised, int start, int last) {
    const float rowWidth = normalised.x1 - normalised.x0;
    const bool fast = rowWidth != 0.0f && start >= 0 && last < node.childCount();
    float previous = growRowStartBound;
    float rowSum = 0.0f;
    int count = 0;
    for (;;) {
        ++count;
        float aspect = 0.0f;
        if (fast) {
            rowSum += node.children[static_cast<std::size_t>(start + count - 1)]->size;
            aspect = placeRowAndMeasure(node, rowWidth, start, count, rowSum);
        } else {
            placeRow(node, normalised, start, count);
            aspect = averageAspect(node, start, count);
        }
        if (aspect < previous && start + count <= last) {
            previous = aspect;
            continue;
        }
        if (aspect < previous || count == 1) {
            return count;
        }
        --count;
        placeRow(node, normalised, start, count);
        return count;
    }
}

float StripStrategy::placeRow(TreeMapNode& node, const Rect& normalised, int start, int count) {
    const float rowWidth = normalised.x1 - normalised.x0;
    if (rowWidth == 0.0f) {
        return 0.0f;
    }
    const float rowHeight = sumSizes(node, start, start + count - 1) / rowWidth;
    float cursor = 0.0f;
    for (int i = start; i < start + count; ++i) {
        TreeMapNode* child = node.child(i);
        if (child == nullptr) {
            continue;
        }
        const float childWidth = child->size / rowHeight;
        child->rect = Rect{cursor, 0.0f, cursor + childWidth, rowHeight};
        cursor = cursor + childWidth;
    }
    return rowHeight;
}

float StripStrategy::averageAspect(const TreeMapNode& node, int start, int count) {
    if (count == 0) {
        return 0.0f;
    }
    float sum = 0.0f;
    for (int i = start; i < start + count; ++i) {
        const TreeMapNode* child = node.child(i);
        if (child == nullptr) {
            continue;
        }
        const float w = child->rect.x1 - child->rect.x0;
        const float h = child->rect.y1 - child->rect.y0;
        if ((w >= -epsilon && w <= epsilon) || (h >= -epsilon && h <= epsilon)) {
            continue;
        }
        sum += w / h > h / w ? w / h : h / w;
    }
    return sum / static_cast<float>(count);
}
