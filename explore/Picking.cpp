#include "explore/Picking.h"
#include "model/CutView.h"

namespace {

bool holds(const Rect& rect, Point point) {
    return point.x >= rect.x0 && point.x <= rect.x1 && point.y >= rect.y0 && point.y <= rect.y1;
}

int32_t innermostRectangle(const CompoundGraph& graph, std::span<const Rect> rectangles,
                           Point point, std::span<const int32_t> shownAs) {
    int32_t at = graph.root;
    if (at == CompoundGraph::none || !holds(rectangles[static_cast<std::size_t>(at)], point)) {
        return CompoundGraph::none;
    }
    for (;;) {
        int32_t inner = CompoundGraph::none;
        for (const int32_t child : graph.children(at)) {
            if (CutView(graph, shownAs).shown(child) &&
                holds(rectangles[static_cast<std::size_t>(child)], point)) {
                inner = child;
                break;
            }
        }
        if (inner == CompoundGraph::none) {
            return at;
        }
        at = inner;
    }
}

} // namespace

int32_t pickNode(const CompoundGraph& graph, std::span<const Point> positions,
                 std::span<const Rect> rectangles, Point point, float radius,
                 std::span<const int32_t> shownAs) {
    if (!rectangles.empty()) {
        return innermostRectangle(graph, rectangles, point, shownAs);
    }
    int32_t nearest = CompoundGraph::none;
    float best = radius * radius;
    for (std::size_t node = 0; node < positions.size(); ++node) {
        if (!CutView(graph, shownAs).shown(static_cast<int32_t>(node))) {
            continue;
        }
        const float dx = positions[node].x - point.x;
        const float dy = positions[node].y - point.y;
        const float distance = dx * dx + dy * dy;
        if (distance <= best) {
            best = distance;
            nearest = static_cast<int32_t>(node);
        }
    }
    return nearest;
}
