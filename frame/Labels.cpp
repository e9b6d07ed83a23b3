#include "frame/Labels.h"

#include "frame/DrawDescription.h"
#include "layout/Pi.h"
#include "layout/TreeLayoutType.h"
#include "layout/TreeLayouts.h"
#include "model/CutView.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

TextMeasure::~TextMeasure() = default;

namespace {

// Outside the radial tree's rings, which end at radius 1.
constexpr float radialLabelRadius = 1.02f;
// Below the classic leaves' line.
constexpr float classicLabelGap = 0.02f;
// Between a node and a label beside it.
constexpr float besideGap = 0.015f;
// Pixels between a label and what it must not touch.
constexpr float labelMargin = 2.0f;
const float halfPi = singlePrecisionPi / 2.0f;

void radialCandidates(const CompoundGraph& graph, const TreeLayoutData& data,
                      std::span<const int32_t> shownAs, std::vector<Label>& labels) {
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (!CutView(graph, shownAs).endsShownTree(node) ||
            data.width[static_cast<std::size_t>(node)] == 0.0f) {
            continue;
        }
        // Clockwise from the top, as the layout places the leaves.
        const float clockwise = (2.0f * data.offset[static_cast<std::size_t>(node)] +
                                 data.width[static_cast<std::size_t>(node)]) *
                                singlePrecisionPi;
        const float outward = halfPi - clockwise;
        const Point anchor{radialLabelRadius * std::cos(outward),
                           radialLabelRadius * std::sin(outward)};
        const bool leftHalf = anchor.x < 0.0f;
        labels.push_back({node, std::string(graph.name(node)), anchor,
                          leftHalf ? outward + singlePrecisionPi : outward,
                          leftHalf ? Label::Align::End : Label::Align::Start});
    }
}

void classicCandidates(const CompoundGraph& graph, std::span<const Point> positions,
                       std::span<const int32_t> shownAs, std::vector<Label>& labels) {
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (CutView(graph, shownAs).endsShownTree(node) &&
            graph.parent[static_cast<std::size_t>(node)] != CompoundGraph::none) {
            const Point leaf = positions[static_cast<std::size_t>(node)];
            labels.push_back({node,
                              std::string(graph.name(node)),
                              {leaf.x, leaf.y - classicLabelGap},
                              -halfPi,
                              Label::Align::Start});
        }
    }
}

void treeMapCandidates(const CompoundGraph& graph, std::span<const Rect> rectangles,
                       std::span<const int32_t> shownAs, std::vector<Label>& labels) {
    // Parents first, so that an inner node's name wins over its children's.
    for (const int32_t node : preorder(graph, graph.root)) {
        if (!CutView(graph, shownAs).shown(node)) {
            continue;
        }
        const Rect& r = rectangles[static_cast<std::size_t>(node)];
        const bool leaf = CutView(graph, shownAs).endsShownTree(node);
        labels.push_back({node,
                          std::string(graph.name(node)),
                          {(r.x0 + r.x1) / 2.0f, leaf ? (r.y0 + r.y1) / 2.0f : r.y1},
                          0.0f,
                          Label::Align::Centre,
                          !leaf});
    }
}

// Where labels share a text, each takes the names of its parents in front,
// one a round, until the texts differ. A text grows only while it stays
// within labelTextBytes, and by at most addedNames names, so that a deep
// tree's labels stay short and the rounds few. Labels whose next parent is
// the same node (namesakes under one parent) would only grow alike, and
// stay as they are.
constexpr std::size_t labelTextBytes = 48;
constexpr int addedNames = 4;

void disambiguate(const CompoundGraph& graph, std::vector<Label>& labels) {
    std::vector<int32_t> above(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        above[i] = graph.parent[static_cast<std::size_t>(labels[i].node)];
    }
    for (int round = 0; round < addedNames; ++round) {
        std::vector<std::size_t> growing;
        {
            std::unordered_map<std::string_view, std::vector<std::size_t>> sharing;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                sharing[labels[i].text].push_back(i);
            }
            for (const auto& [text, members] : sharing) {
                const bool alike = std::all_of(members.begin(), members.end(), [&](std::size_t i) {
                    return above[i] == above[members.front()];
                });
                for (const std::size_t i : members) {
                    if (!alike && above[i] != CompoundGraph::none &&
                        graph.name(above[i]).size() + 1 + text.size() <= labelTextBytes) {
                        growing.push_back(i);
                    }
                }
            }
        }
        if (growing.empty()) {
            return;
        }
        for (const std::size_t i : growing) {
            labels[i].text = std::string(graph.name(above[i])) + "." + labels[i].text;
            above[i] = graph.parent[static_cast<std::size_t>(above[i])];
        }
    }
}

// The label's box fits its node's rectangle.
bool fitsRectangle(const Label& label, const TextMeasure& measure, double pixelsPerUnit,
                   const Rect& r) {
    const double width = (r.x1 - r.x0) * pixelsPerUnit;
    const double height = (r.y1 - r.y0) * pixelsPerUnit;
    return measure.width(label.text) + 2.0f * labelMargin <= width &&
           measure.height() + 2.0f * labelMargin <= height;
}

// A hanging label moves down from its anchor by half its height and a margin.
Label hung(Label label, const TextMeasure& measure, double pixelsPerUnit) {
    if (label.hangs) {
        label.anchor.y -=
            static_cast<float>((measure.height() / 2.0f + labelMargin) / pixelsPerUnit);
    }
    return label;
}

// A grid of cells over the pixel plane, holding the boxes taken.
class BoxGrid {
public:
    explicit BoxGrid(float cell) : cell(cell) {}

    bool overlapsAny(const LabelBox& box) const {
        bool found = false;
        visitCells(box, [&](int64_t key) {
            const auto at = cells.find(key);
            if (at == cells.end()) {
                return;
            }
            for (const std::size_t index : at->second) {
                found = found || boxesOverlap(box, boxes[index]);
            }
        });
        return found;
    }

    void add(const LabelBox& box) {
        boxes.push_back(box);
        visitCells(box, [&](int64_t key) { cells[key].push_back(boxes.size() - 1); });
    }

private:
    template <typename Visit> void visitCells(const LabelBox& box, Visit visit) const {
        float x0 = box.corners[0].x, x1 = x0, y0 = box.corners[0].y, y1 = y0;
        for (const Point& corner : box.corners) {
            x0 = std::min(x0, corner.x);
            x1 = std::max(x1, corner.x);
            y0 = std::min(y0, corner.y);
            y1 = std::max(y1, corner.y);
        }
        for (auto gx = static_cast<int64_t>(std::floor(x0 / cell));
             gx <= static_cast<int64_t>(std::floor(x1 / cell)); ++gx) {
            for (auto gy = static_cast<int64_t>(std::floor(y0 / cell));
                 gy <= static_cast<int64_t>(std::floor(y1 / cell)); ++gy) {
                visit(gx * 4294967311ll + gy);
            }
        }
    }

    float cell;
    std::vector<LabelBox> boxes;
    std::unordered_map<int64_t, std::vector<std::size_t>> cells;
};

} // namespace

std::vector<Label> labelCandidates(TreeLayoutType layoutType, const CompoundGraph& graph,
                                   const TreeLayoutData& data, std::span<const Point> positions,
                                   std::span<const Rect> rectangles,
                                   std::span<const int32_t> shownAs) {
    std::vector<Label> labels;
    if (layoutType == TreeLayoutType::Radial) {
        radialCandidates(graph, data, shownAs, labels);
    } else if (layoutType == TreeLayoutType::Classic) {
        classicCandidates(graph, positions, shownAs, labels);
    } else if (isTreeMapLayout(layoutType) && !rectangles.empty()) {
        treeMapCandidates(graph, rectangles, shownAs, labels);
    }
    disambiguate(graph, labels);
    return labels;
}

std::vector<std::string> widestLabelTexts(const CompoundGraph& graph) {
    constexpr std::size_t kept = 48;
    std::unordered_map<std::string_view, int32_t> uses;
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        ++uses[graph.name(node)];
    }
    // A shared name takes at most addedNames parents' names in front, each
    // while the text stays within labelTextBytes.
    const auto grown = [&](int32_t node) {
        std::string text(graph.name(node));
        if (uses[graph.name(node)] < 2) {
            return text;
        }
        int32_t above = graph.parent[static_cast<std::size_t>(node)];
        for (int added = 0; added < addedNames && above != CompoundGraph::none &&
                            graph.name(above).size() + 1 + text.size() <= labelTextBytes;
             ++added) {
            text = std::string(graph.name(above)) + "." + text;
            above = graph.parent[static_cast<std::size_t>(above)];
        }
        return text;
    };
    std::vector<std::pair<std::size_t, int32_t>> lengths;
    lengths.reserve(static_cast<std::size_t>(graph.nodeCount()));
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        const bool shared = uses[graph.name(node)] > 1;
        lengths.emplace_back(shared ? grown(node).size() : graph.name(node).size(), node);
    }
    const std::size_t count = std::min(kept, lengths.size());
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(count),
                      lengths.end(), std::greater<>());
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        texts.push_back(grown(lengths[i].second));
    }
    return texts;
}

double labelledExtent(TreeLayoutType layoutType, std::span<const std::string> texts,
                      const TextMeasure& measure, double pixelsAcross) {
    constexpr double largestShare = 0.2;
    const double whole = DrawDescription::frameExtent;
    if (layoutType != TreeLayoutType::Radial || texts.empty() || !(pixelsAcross > 0.0)) {
        return whole;
    }
    float widest = 0.0f;
    for (const std::string& text : texts) {
        widest = std::max(widest, measure.width(text));
    }
    // The ring of labels, from radialLabelRadius out by the widest label and
    // a margin, reaches the square's edge e: (e - r) * pixelsAcross / (2 e)
    // pixels hold it, so e = r / (1 - 2 w / pixelsAcross).
    const double share = std::min(largestShare, (widest + 2.0 * labelMargin) / pixelsAcross);
    return std::max(whole, radialLabelRadius / (1.0 - 2.0 * share));
}

LabelBox labelBox(const Label& label, const TextMeasure& measure, double pixelsPerUnit) {
    const float width = measure.width(label.text) + labelMargin;
    const float half = measure.height() / 2.0f + labelMargin / 2.0f;
    float from = 0.0f;
    if (label.align == Label::Align::Centre) {
        from = -width / 2.0f;
    } else if (label.align == Label::Align::End) {
        from = -width;
    }
    const float along[2] = {from, from + width};
    const float across[2] = {-half, half};
    const float cosine = std::cos(label.angle);
    const float sine = std::sin(label.angle);
    const auto x = static_cast<float>(label.anchor.x * pixelsPerUnit);
    const auto y = static_cast<float>(label.anchor.y * pixelsPerUnit);
    LabelBox box;
    const int order[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int corner = 0; corner < 4; ++corner) {
        const float a = along[order[corner][0]];
        const float b = across[order[corner][1]];
        box.corners[corner] = {x + a * cosine - b * sine, y + a * sine + b * cosine};
    }
    return box;
}

bool boxesOverlap(const LabelBox& a, const LabelBox& b) {
    // Two convex boxes are apart when some edge direction separates them.
    for (const LabelBox* box : {&a, &b}) {
        for (int edge = 0; edge < 2; ++edge) {
            const Point& p = box->corners[edge];
            const Point& q = box->corners[edge + 1];
            const float nx = q.y - p.y;
            const float ny = p.x - q.x;
            float minA = 1e30f, maxA = -1e30f, minB = 1e30f, maxB = -1e30f;
            for (int corner = 0; corner < 4; ++corner) {
                const float pa = a.corners[corner].x * nx + a.corners[corner].y * ny;
                const float pb = b.corners[corner].x * nx + b.corners[corner].y * ny;
                minA = std::min(minA, pa);
                maxA = std::max(maxA, pa);
                minB = std::min(minB, pb);
                maxB = std::max(maxB, pb);
            }
            if (maxA <= minB || maxB <= minA) {
                return false;
            }
        }
    }
    return true;
}

Label labelOf(const std::vector<Label>& candidates, const CompoundGraph& graph,
              std::span<const Point> positions, int32_t node) {
    const auto found = std::find_if(candidates.begin(), candidates.end(),
                                    [node](const Label& label) { return label.node == node; });
    if (found != candidates.end()) {
        return *found;
    }
    const Point at = positions[static_cast<std::size_t>(node)];
    return {
        node, std::string(graph.name(node)), {at.x + besideGap, at.y}, 0.0f, Label::Align::Start};
}

std::vector<Label> placeLabels(const std::vector<Label>& candidates, const TextMeasure& measure,
                               double pixelsPerUnit, const Rect& visible,
                               std::span<const Rect> rectangles,
                               const std::optional<Label>& first) {
    const int32_t firstNode = first ? first->node : CompoundGraph::none;
    std::vector<Label> placed;
    BoxGrid taken(std::max(8.0f, measure.height() * 4.0f));
    const auto inView = [&visible](const Label& label) {
        return label.anchor.x >= visible.x0 && label.anchor.x <= visible.x1 &&
               label.anchor.y >= visible.y0 && label.anchor.y <= visible.y1;
    };
    const auto take = [&](const Label& candidate, bool whatever) {
        const Label label = hung(candidate, measure, pixelsPerUnit);
        const LabelBox box = labelBox(label, measure, pixelsPerUnit);
        if (whatever || !taken.overlapsAny(box)) {
            taken.add(box);
            placed.push_back(label);
        }
    };
    if (first) {
        take(*first, true);
    }
    for (const Label& label : candidates) {
        if (label.node == firstNode || !inView(label)) {
            continue;
        }
        if (!rectangles.empty() &&
            !fitsRectangle(label, measure, pixelsPerUnit,
                           rectangles[static_cast<std::size_t>(label.node)])) {
            continue;
        }
        take(label, false);
    }
    return placed;
}
