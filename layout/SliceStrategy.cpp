#include "layout/TreeMapNode.h"
#include "layout/TreeMapStrategy.h"

TreeMapStrategy::~TreeMapStrategy() = default;

void SliceStrategy::layoutChildren(TreeMapNode& node, Rect rect) {
    sliceRange(node, 0, node.childCount() - 1, rect);
}

float SliceStrategy::sumSizes(const TreeMapNode& node, int first, int last) {
    float total = 0.0f;
    for (int i = first; i <= last; ++i) {
        if (const TreeMapNode* child = node.child(i)) {
            total += child->size;
        }
    }
    return total;
}

void SliceStrategy::sliceRange(TreeMapNode& node, int first, int last, Rect rect) {
    const float total = sumSizes(node, first, last);
    rect.collapseInverted();
    const float w = rect.x1 - rect.x0;
    const float h = rect.y1 - rect.y0;
    const bool vertical = w < h;
    if (total >= -epsilon && total <= epsilon) {
        return;
    }
    float a = 0.0f;
    for (int i = first; i <= last; ++i) {
        TreeMapNode* child = node.child(i);
        if (child == nullptr) {
            continue;
        }
        const float f = child->size / total;
        if (vertical) {
            const float bottom = rect.y0 + h * a;
            child->rect = Rect{rect.x0, bottom, rect.x1, bottom + h * f};
        } else {
            const float left = rect.x0 + w * a;
            child->rect = Rect{left, rect.y0, left + w * f, rect.y1};
        }
        a = a + f;
    }
}
