#include "frame/MatrixDrawing.h"

#include "analysis/CycleGroups.h"
#include "base/Counted.h"
#include "frame/ComparisonDrawing.h"
#include "frame/DensityScale.h"
#include "frame/NodeGroups.h"
#include "frame/Palette.h"
#include "frame/RampColours.h"
#include "frame/RuleDrawing.h"
#include "frame/SceneDrawing.h"
#include "model/CutView.h"

#include <algorithm>
#include <numbers>
#include <string>

namespace {

// The most room the rows' names take, in scene units.
constexpr float namesWidest = 0.5f;
// Names are written where a cell is at least this share of their height.
constexpr float namedCellShare = 0.8f;
// Room around a count in its cell, in pixels.
constexpr float countMargin = 4.0f;
// The share of a dimmed cell's colour left, over the background.
constexpr float dimmedCellShare = 0.3f;
// The colour strip of a group beside its rows' names, in scene units.
constexpr float groupStrip = 0.008f;

std::size_t at(int32_t index) {
    return static_cast<std::size_t>(index);
}

Colour mixed(const Colour& from, const Colour& to, float share) {
    return {from.r + (to.r - from.r) * share, from.g + (to.g - from.g) * share,
            from.b + (to.b - from.b) * share, 1.0f};
}

double wholePixelsPerUnit(int framePixels) {
    return FrameRegion{}.pixelsPerUnit(framePixels);
}

// The rows, first to end - 1, as a band across the cells and their names.
Rect rowBand(const MatrixLayout& layout, int32_t first, int32_t end) {
    return {-1.0f, layout.top - static_cast<float>(end) * layout.cell,
            layout.left + static_cast<float>(layout.size) * layout.cell,
            layout.top - static_cast<float>(first) * layout.cell};
}

Rect columnBand(const MatrixLayout& layout, int32_t first, int32_t end) {
    return {layout.left + static_cast<float>(first) * layout.cell,
            layout.top - static_cast<float>(layout.size) * layout.cell,
            layout.left + static_cast<float>(end) * layout.cell, 1.0f};
}

LineSet bracketLines(const MatrixLayout& layout, std::span<const MatrixBracket> brackets,
                     float width) {
    LineSet lines;
    lines.colour = matrixLineColour;
    lines.width = width;
    lines.rectangles.push_back({layout.left, layout.top - layout.cell * layout.size,
                                layout.left + layout.cell * layout.size, layout.top});
    // Ticks towards the cells, within the level's band.
    const float tick = 0.2f * layout.bracketStep;
    for (const MatrixBracket& bracket : brackets) {
        const float x = layout.rowBracketX(bracket.level);
        const float y0 = layout.top - static_cast<float>(bracket.first) * layout.cell;
        const float y1 = layout.top - static_cast<float>(bracket.end) * layout.cell;
        lines.segments.insert(lines.segments.end(),
                              {{x, y0}, {x, y1}, {x, y0}, {x + tick, y0}, {x, y1}, {x + tick, y1}});
        const float y = layout.columnBracketY(bracket.level);
        const float x0 = layout.left + static_cast<float>(bracket.first) * layout.cell;
        const float x1 = layout.left + static_cast<float>(bracket.end) * layout.cell;
        lines.segments.insert(lines.segments.end(),
                              {{x0, y}, {x1, y}, {x0, y}, {x0, y - tick}, {x1, y}, {x1, y - tick}});
    }
    return lines;
}

// The cells' colours: the ramp's on the density scale, the kinds' in a
// comparison, the highlight's where one is.
DensityScale cellScale(const DependencyMatrix& matrix, DensityScaleType type) {
    std::vector<float> counts;
    counts.reserve(matrix.cells.size());
    for (const DependencyMatrix::Cell& cell : matrix.cells) {
        counts.push_back(static_cast<float>(cell.relations));
    }
    return DensityScale(counts, type);
}

void fillCells(DrawDescription& frame, const DependencyMatrix& matrix, const MatrixLayout& layout,
               std::span<const Colour> ramp, const DensityScale& scale, bool comparing,
               const MatrixBracket* highlighted) {
    const auto inside = [highlighted](int32_t index) {
        return index >= highlighted->first && index < highlighted->end;
    };
    for (const DependencyMatrix::Cell& cell : matrix.cells) {
        const Rect place = layout.cellRect(cell.row, cell.column);
        Colour colour = rampColour(ramp, scale.position(static_cast<float>(cell.relations)));
        if (highlighted != nullptr) {
            const bool from = inside(cell.row);
            const bool to = inside(cell.column);
            if (from != to) {
                frame.cells.add(place, from ? leavingColour : arrivingColour);
                continue;
            }
            colour = mixed(frame.background, colour, dimmedCellShare);
        }
        if (comparing && cell.added > 0 && cell.removed > 0) {
            const float middle = (place.x0 + place.x1) / 2.0f;
            frame.cells.add({place.x0, place.y0, middle, place.y1}, addedColour);
            frame.cells.add({middle, place.y0, place.x1, place.y1}, removedColour);
        } else if (comparing && (cell.added > 0 || cell.removed > 0)) {
            frame.cells.add(place, cell.added > 0 ? addedColour : removedColour);
        } else {
            frame.cells.add(place, colour);
        }
    }
}

// Each row's group colour in a strip beside its names, above and left.
void stripGroups(DrawDescription& frame, const Scene& scene, const DependencyMatrix& matrix,
                 const MatrixLayout& layout, const ViewSettings& settings) {
    const NodeGroups groups = groupNodes(scene.graph(), scene.cut().shownAs, settings.groupDepth);
    const float inner = layout.left - groupStrip / 2.0f;
    for (int32_t row = 0; row < matrix.size(); ++row) {
        const int32_t group = groups.groupOf[at(matrix.rows.nodes[at(row)])];
        const Colour colour = groups.colourOfRank(groups.rank[at(group)]);
        const Rect cell = layout.cellRect(row, row);
        frame.cells.add({inner - groupStrip, cell.y0, inner, cell.y1}, colour);
        frame.cells.add(
            {cell.x0, layout.top + groupStrip / 2.0f, cell.x1, layout.top + groupStrip * 1.5f},
            colour);
    }
}

LineSet outlines(const Colour& colour, float width) {
    LineSet lines;
    lines.colour = colour;
    lines.width = width;
    return lines;
}

} // namespace

MatrixTexts matrixTexts(const CompoundGraph& graph, const DependencyMatrix& matrix,
                        std::span<const MatrixBracket> brackets, const MatrixLayout& layout,
                        const TextMeasure& measure, double pixelsPerUnit, const Rect& visible) {
    MatrixTexts texts;
    const double cellPixels = layout.cell * pixelsPerUnit;
    const float textPixels = measure.height();
    if (layout.bracketStep * pixelsPerUnit >= namedCellShare * textPixels) {
        for (const MatrixBracket& bracket : brackets) {
            const std::string name(graph.name(bracket.node));
            const double span = (bracket.end - bracket.first) * cellPixels;
            if (measure.width(name) + countMargin > span) {
                continue;
            }
            const float along = static_cast<float>(bracket.first + bracket.end) / 2.0f;
            texts.names.push_back(
                {bracket.node,
                 name,
                 {layout.rowBracketNameX(bracket.level), layout.top - along * layout.cell},
                 std::numbers::pi_v<float> / 2.0f,
                 Label::Align::Centre});
            texts.names.push_back(
                {bracket.node,
                 name,
                 {layout.left + along * layout.cell, layout.columnBracketNameY(bracket.level)},
                 0.0f,
                 Label::Align::Centre});
        }
    }
    if (cellPixels >= namedCellShare * textPixels) {
        const float above = layout.top + (layout.left - layout.namesLeft());
        for (int32_t row = 0; row < matrix.size(); ++row) {
            const int32_t node = matrix.rows.nodes[at(row)];
            const std::string name(graph.name(node));
            texts.names.push_back(
                {node, name, {layout.namesLeft(), layout.rowMiddle(row)}, 0.0f, Label::Align::End});
            texts.names.push_back({node,
                                   name,
                                   {layout.columnMiddle(row), above},
                                   std::numbers::pi_v<float> / 2.0f,
                                   Label::Align::Start});
        }
    }
    if (cellPixels < textPixels + countMargin) {
        return texts;
    }
    for (const DependencyMatrix::Cell& cell : matrix.cells) {
        const Rect place = layout.cellRect(cell.row, cell.column);
        if (place.x1 < visible.x0 || place.x0 > visible.x1 || place.y1 < visible.y0 ||
            place.y0 > visible.y1) {
            continue;
        }
        std::string count = std::to_string(cell.relations);
        if (measure.width(count) + countMargin > cellPixels) {
            continue;
        }
        texts.counts.push_back({CompoundGraph::none,
                                std::move(count),
                                {(place.x0 + place.x1) / 2.0f, (place.y0 + place.y1) / 2.0f},
                                0.0f,
                                Label::Align::Centre});
    }
    return texts;
}

MatrixLayout layOutMatrix(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                          const DependencyMatrix& matrix, const MatrixText& text) {
    int32_t levels = 0;
    for (const MatrixBracket& bracket : matrixBrackets(graph, shownAs, matrix)) {
        levels = std::max(levels, bracket.level + 1);
    }
    float widest = 0.0f;
    if (text.measure != nullptr) {
        for (const int32_t node : matrix.rows.nodes) {
            widest = std::max(widest, text.measure->width(graph.name(node)));
        }
    }
    const double pixelsPerUnit = wholePixelsPerUnit(text.framePixels);
    const auto nameWidth = static_cast<float>(widest / pixelsPerUnit);
    const MatrixLayout named =
        matrixLayout(matrix.size(), levels, std::min(namesWidest, nameWidth));
    // Rows too narrow for their names in the whole picture get no room for
    // them: the cells take it.
    return named.cell * pixelsPerUnit >= namedCellShare * text.pixels
               ? named
               : matrixLayout(matrix.size(), levels, 0.0f);
}

DrawDescription describeMatrixFrame(const Scene& scene, const DependencyMatrix& matrix,
                                    const ViewSettings& settings, const ViewState& view,
                                    SharedValues<Colour> ramp, const MatrixText& text,
                                    const SceneFindings& findings) {
    const CompoundGraph& graph = scene.graph();
    const std::span<const int32_t> shownAs = scene.cut().shownAs;
    DrawDescription frame;
    frame.region = view.region;
    frame.background = view.background;
    frame.showCurves = false;
    frame.showOverlay = false;
    const MatrixLayout layout = layOutMatrix(graph, shownAs, matrix, text);
    const std::vector<MatrixBracket> brackets = matrixBrackets(graph, shownAs, matrix);
    const float width = std::max(1.0f, settings.lineWidth / 2.0f);
    const CutView cut(graph, shownAs);
    const auto shownFor = [&](int32_t node) {
        return node < 0 || node >= graph.nodeCount() ? CompoundGraph::none : cut.shownAs(node);
    };
    const int32_t highlightedNode = shownFor(view.highlighted);
    MatrixBracket highlighted;
    if (highlightedNode != CompoundGraph::none) {
        highlighted = rowsOfNode(graph, matrix, highlightedNode);
    }
    const bool highlighting = highlighted.end > highlighted.first;
    const DensityScale scale = cellScale(matrix, settings.densityScale);
    fillCells(frame, matrix, layout, ramp.span(), scale, scene.comparison() != nullptr,
              highlighting ? &highlighted : nullptr);
    // The key: the ramp from the fewest relations in a cell to the most,
    // the kinds' colours, the highlight's.
    frame.showLegend = settings.showLegend;
    frame.curves.ramp = std::move(ramp);
    if (!matrix.cells.empty()) {
        const auto most = static_cast<int64_t>(scale.largest());
        frame.legend.emplace_back(LegendRamp{std::to_string(scale.countAt(0.0f)),
                                             counted(most, "relation", "relations")});
    }
    if (scene.comparison()) {
        for (LegendEntry& entry :
             comparisonLegend(scene.comparison()->summary, settings.showKept)) {
            frame.legend.push_back(std::move(entry));
        }
    }
    if (highlighting) {
        for (LegendEntry& entry : highlightLegend()) {
            frame.legend.push_back(std::move(entry));
        }
    }
    if (settings.colorBy != ColorBy::Ramp) {
        stripGroups(frame, scene, matrix, layout, settings);
    }
    frame.tree = bracketLines(layout, brackets, width);
    const double pixelsPerUnit = view.region.pixelsPerUnit(text.framePixels);
    if (text.measure != nullptr) {
        frame.labelPixels = text.pixels;
        MatrixTexts texts = matrixTexts(graph, matrix, brackets, layout, *text.measure,
                                        pixelsPerUnit, view.region.bounds());
        frame.labels = std::move(texts.names);
        frame.cellTexts = std::move(texts.counts);
    }
    std::vector<int32_t> rowOf(at(graph.nodeCount()), -1);
    for (int32_t row = 0; row < matrix.size(); ++row) {
        rowOf[at(matrix.rows.nodes[at(row)])] = row;
    }
    const Bundles& bundles = scene.bundles();
    const auto cellOf = [&](int32_t bundle) {
        return layout.cellRect(rowOf[at(bundles.source[at(bundle)])],
                               rowOf[at(bundles.target[at(bundle)])]);
    };
    if (settings.showCycles) {
        LineSet blocks = outlines(cycleBlockColour, width * 2.0f);
        for (const MatrixRows::Block& block : matrix.rows.cycleBlocks) {
            const Rect first = layout.cellRect(block.first, block.first);
            const Rect last = layout.cellRect(block.end - 1, block.end - 1);
            blocks.rectangles.push_back({first.x0, last.y0, last.x1, first.y1});
        }
        LineSet toCut = outlines(cellToCutColour, width * 2.0f);
        const CycleGroups cycles =
            findings.cycles ? *findings.cycles : cycleGroupsOf(bundles, graph.nodeCount());
        for (const BundleToCut& bundle : cycles.toCut) {
            toCut.rectangles.push_back(cellOf(bundle.bundle));
        }
        frame.marks.push_back(std::move(blocks));
        frame.marks.push_back(std::move(toCut));
    }
    if (findings.rules && findings.violations) {
        // A cell takes the last rule it breaks, as its curve does.
        const std::vector<Colour> colours = ruleColours(*findings.rules);
        std::vector<int32_t> ruleOf(at(bundles.bundleCount()), -1);
        for (const RuleOnBundles& rule : *findings.violations) {
            for (const int32_t bundle : rule.bundles) {
                ruleOf[at(bundle)] = rule.rule;
            }
        }
        for (const RuleOnBundles& rule : *findings.violations) {
            LineSet broken = outlines(colours[at(rule.rule)], width * 2.0f);
            for (const int32_t bundle : rule.bundles) {
                if (ruleOf[at(bundle)] == rule.rule) {
                    broken.rectangles.push_back(cellOf(bundle));
                }
            }
            if (!broken.empty()) {
                frame.marks.push_back(std::move(broken));
            }
        }
        for (LegendEntry& entry : ruleLegend(*findings.rules, *findings.violations)) {
            frame.legend.push_back(std::move(entry));
        }
    }
    if (!view.marked.empty()) {
        LineSet marks = outlines(searchColour, width * 2.0f);
        for (const int32_t node : view.marked) {
            const MatrixBracket rows = rowsOfNode(graph, matrix, shownFor(node));
            if (rows.end > rows.first) {
                marks.rectangles.push_back(rowBand(layout, rows.first, rows.end));
                marks.rectangles.push_back(columnBand(layout, rows.first, rows.end));
            }
        }
        frame.marks.push_back(std::move(marks));
    }
    if (highlighting) {
        LineSet marks = outlines(highlightMarkColour, width * 2.0f);
        marks.rectangles.push_back(rowBand(layout, highlighted.first, highlighted.end));
        marks.rectangles.push_back(columnBand(layout, highlighted.first, highlighted.end));
        frame.marks.push_back(std::move(marks));
    }
    return frame;
}
