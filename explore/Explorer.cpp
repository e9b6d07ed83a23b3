#include "explore/Explorer.h"

#include "analysis/NodePaths.h"
#include "base/Counted.h"
#include "explore/BundlePicking.h"
#include "explore/Picking.h"
#include "frame/MatrixBrackets.h"
#include "model/Search.h"

#include <algorithm>
#include <cmath>

void Explorer::setScene(std::shared_ptr<const SceneSnapshot> newSnapshot) {
    const bool newGraph =
        !snapshot || !newSnapshot || snapshot->graphNumber != newSnapshot->graphNumber;
    const bool newBundles = newGraph || snapshot->bundles != newSnapshot->bundles;
    // Another matrix has other rows: the cell under the pointer is found
    // again when it moves.
    if (!snapshot || !newSnapshot || snapshot->matrix != newSnapshot->matrix) {
        hoveredCell.reset();
    }
    snapshot = std::move(newSnapshot);
    if (newBundles) {
        // What a node relates to is counted in the bundles of the cut.
        highlightNow = Highlight();
        hoverCounts = Highlight();
        hoveredBundle = -1;
    }
    if (newGraph) {
        hoveredNode = CompoundGraph::none;
        pinnedNode = CompoundGraph::none;
        toggled.clear();
        matchIndex.reset();
        search(searchText);
    }
    refreshHighlight();
}

void Explorer::setWindow(int newWidth, int newHeight) {
    shownWindow.width = std::max(newWidth, 1);
    shownWindow.height = std::max(newHeight, 1);
}

void Explorer::setPictureLeft(int left) {
    shownWindow.left = std::max(left, 0);
}

std::optional<MatrixLayout::Place> Explorer::matrixPlaceAt(double x, double y) const {
    if (!snapshot || !snapshot->matrix) {
        return std::nullopt;
    }
    return snapshot->matrixLayout.placeAt(sceneAt(view, window(), x, y));
}

int32_t Explorer::pickAt(double x, double y) const {
    if (!snapshot) {
        return CompoundGraph::none;
    }
    if (snapshot->matrix) {
        const int32_t bracket = bracketNodeAt(
            matrixBrackets(snapshot->graph(), snapshot->cut.shownAs, *snapshot->matrix),
            snapshot->matrixLayout, sceneAt(view, window(), x, y));
        if (bracket != CompoundGraph::none) {
            return bracket;
        }
        const std::optional<MatrixLayout::Place> place = matrixPlaceAt(x, y);
        if (!place || (place->row >= 0 && place->column >= 0)) {
            return CompoundGraph::none;
        }
        const int32_t header = place->row >= 0 ? place->row : place->column;
        return snapshot->matrix->rows.nodes[static_cast<std::size_t>(header)];
    }
    const Point point = sceneAt(view, window(), x, y);
    const auto radius = static_cast<float>(pickPixels / pixelsPerSceneUnit(view, window()));
    return pickNode(snapshot->graph(), snapshot->positions, snapshot->rectangles, point, radius,
                    snapshot->cut.shownAs);
}

int32_t Explorer::pickViolationAt(double x, double y) const {
    // The matrix draws no curves.
    if (!snapshot || snapshot->matrix || !snapshot->findings.violations ||
        snapshot->curvePoints.empty()) {
        return -1;
    }
    std::vector<int32_t> candidates;
    for (const RuleOnBundles& rule : *snapshot->findings.violations) {
        candidates.insert(candidates.end(), rule.bundles.begin(), rule.bundles.end());
    }
    const auto radius = static_cast<float>(pickPixels / pixelsPerSceneUnit(view, window()));
    return pickCurve(snapshot->curvePoints.span(), samplesPerEdge, candidates,
                     sceneAt(view, window(), x, y), radius);
}

int32_t Explorer::shownFor(int32_t node) const {
    if (node == CompoundGraph::none || !snapshot) {
        return node;
    }
    return snapshot->cutView().shownAs(node);
}

int32_t Explorer::highlighted() const {
    return shownFor(pinnedNode != CompoundGraph::none ? pinnedNode : hoveredNode);
}

void Explorer::refreshHighlight() {
    const auto of = [this](int32_t node) {
        return node == CompoundGraph::none
                   ? Highlight()
                   : highlightOf(snapshot->graph(), *snapshot->bundles, node,
                                 snapshot->comparison
                                     ? std::span<const RelationKind>(snapshot->comparison->kinds)
                                     : std::span<const RelationKind>());
    };
    if (highlighted() != highlightNow.node) {
        highlightNow = of(highlighted());
    }
    if (hoveredNode != highlightNow.node && hoveredNode != hoverCounts.node) {
        hoverCounts = of(hoveredNode);
    }
}

void Explorer::pointerMoved(double x, double y) {
    if (pressed) {
        if (!dragging && std::hypot(x - pressX, y - pressY) > clickSlop) {
            // The pan starts where the button went down.
            dragging = true;
            lastX = pressX;
            lastY = pressY;
        }
        if (dragging) {
            view = panned(view, window(), x - lastX, y - lastY);
            lastX = x;
            lastY = y;
        }
        return;
    }
    hoveredNode = pickAt(x, y);
    const std::optional<MatrixLayout::Place> place = matrixPlaceAt(x, y);
    hoveredCell = place && place->row >= 0 && place->column >= 0 ? place : std::nullopt;
    hoveredBundle = hoveredNode == CompoundGraph::none ? pickViolationAt(x, y) : -1;
    refreshHighlight();
}

void Explorer::pointerPressed(double x, double y, double) {
    pressed = true;
    dragging = false;
    pressX = x;
    pressY = y;
}

void Explorer::pointerReleased(double x, double y, double milliseconds, bool control) {
    if (!pressed) {
        return;
    }
    pointerMoved(x, y);
    pressed = false;
    if (dragging) {
        dragging = false;
        lastClickAt.reset();
        return;
    }
    if (control || (snapshot && snapshot->matrix)) {
        // Control+click collapses or expands, and pins nothing; so does a
        // click on the matrix's names, where a leaf stands for its parent.
        lastClickAt.reset();
        toggleCollapse(toggledFor(pickAt(x, y)));
        return;
    }
    const bool doubleClick = lastClickAt &&
                             milliseconds - *lastClickAt <= doubleClickMilliseconds &&
                             std::hypot(x - lastClickX, y - lastClickY) <= clickSlop;
    lastClickAt = doubleClick ? std::nullopt : std::optional<double>(milliseconds);
    lastClickX = x;
    lastClickY = y;
    const int32_t node = pickAt(x, y);
    hoveredNode = node;
    if (doubleClick) {
        // The first click pinned or unpinned; the second centres or fits.
        if (node == CompoundGraph::none) {
            fit();
        } else {
            pinnedNode = node;
            view = centredOn(view, snapshot->positions[static_cast<std::size_t>(node)]);
        }
    } else {
        pinnedNode = node == pinnedNode ? CompoundGraph::none : node;
    }
    refreshHighlight();
}

void Explorer::pin(int32_t node) {
    pinnedNode = node;
    refreshHighlight();
}

void Explorer::pointerLeft() {
    if (!pressed) {
        hoveredNode = CompoundGraph::none;
        hoveredCell.reset();
        hoveredBundle = -1;
        refreshHighlight();
    }
}

void Explorer::wheel(double x, double y, int steps) {
    view = zoomedAt(view, window(), x, y, std::pow(zoomStep, steps));
}

void Explorer::zoomAtCentre(int steps) {
    wheel(window().middleX(), window().middleY(), steps);
}

void Explorer::panSteps(int right, int up) {
    // The view moves, so the picture moves the other way.
    view = panned(view, window(), -right * panStep, up * panStep);
}

void Explorer::fit() {
    view = Camera();
    view.zoom = fitZoom;
}

void Explorer::setFitZoom(double zoom) {
    if (zoom == fitZoom) {
        return;
    }
    Camera fitted;
    fitted.zoom = fitZoom;
    fitZoom = zoom;
    if (view == fitted) {
        fit();
    }
}

void Explorer::search(const std::string& text) {
    searchText = text;
    searchMatches = snapshot ? searchNodes(snapshot->graph(), text) : std::vector<int32_t>();
    matchIndex.reset();
}

void Explorer::stepThroughMatches(int steps) {
    if (searchMatches.empty()) {
        return;
    }
    const auto count = static_cast<int32_t>(searchMatches.size());
    int32_t index = 0;
    if (steps != 0 && matchIndex) {
        index = ((*matchIndex + steps) % count + count) % count;
    }
    matchIndex = index;
    pinnedNode = searchMatches[static_cast<std::size_t>(index)];
    // A match inside a collapsed node is opened down to; nodes do not move
    // when their parents open, so its place is known already.
    for (const int32_t above : collapsedAbove(snapshot->graph(), snapshot->cut, pinnedNode)) {
        toggleCollapse(above);
    }
    // The matrix keeps its place: its rows move as nodes open.
    if (!snapshot->matrix) {
        view = centredOn(view, snapshot->positions[static_cast<std::size_t>(pinnedNode)]);
    }
    refreshHighlight();
}

void Explorer::toggleCollapse(int32_t node) {
    if (node == CompoundGraph::none || !snapshot || snapshot->graph().isLeaf(node)) {
        return;
    }
    const auto at = std::lower_bound(toggled.begin(), toggled.end(), node);
    if (at != toggled.end() && *at == node) {
        toggled.erase(at);
    } else {
        toggled.insert(at, node);
    }
}

int32_t Explorer::toggledFor(int32_t node) const {
    if (snapshot && snapshot->matrix && node != CompoundGraph::none &&
        snapshot->graph().isLeaf(node)) {
        return snapshot->graph().parent[static_cast<std::size_t>(node)];
    }
    return node;
}

void Explorer::toggleHovered() {
    toggleCollapse(toggledFor(hoveredNode));
}

void Explorer::clearToggles() {
    toggled.clear();
}

void Explorer::setDepth(int32_t depth) {
    if (depth != toggledFrom) {
        toggledFrom = depth;
        toggled.clear();
    }
}

bool Explorer::settle(double milliseconds) {
    if (!(view == lastSeen) || !(window() == lastWindow)) {
        lastSeen = view;
        lastWindow = window();
        movedAt = milliseconds;
        cameraMoved = true;
        return false;
    }
    if (!cameraMoved || milliseconds - movedAt < restMilliseconds) {
        return false;
    }
    cameraMoved = false;
    const FrameRegion wanted = regionFor(view, window());
    if (wanted == region) {
        return false;
    }
    region = wanted;
    return true;
}

ViewState Explorer::viewState() const {
    ViewState state;
    state.region = region;
    state.graphNumber = snapshot ? snapshot->graphNumber : 0;
    state.highlighted = highlighted();
    state.marked = searchMatches;
    state.toggled = toggled;
    return state;
}

namespace {

// A line naming the nodes of a list of ends, or nothing when it is empty.
std::string endsLine(const CompoundGraph& graph, std::string_view title,
                     const Highlight::Ends& ends) {
    if (ends.count == 0) {
        return {};
    }
    std::string line = "\n" + std::string(title);
    for (std::size_t i = 0; i < ends.first.size(); ++i) {
        line += (i == 0 ? " " : ", ") + shownName(graph.name(ends.first[i]));
    }
    const auto unnamed = ends.count - static_cast<int32_t>(ends.first.size());
    if (unnamed > 0) {
        line += " and " + std::to_string(unnamed) + " more";
    }
    return line;
}

// In a comparison, where the node comes from and its relations of each
// kind, drawn or not.
std::string comparisonLines(const Comparison& comparison, int32_t node, const Highlight& counts) {
    std::string lines;
    const NodeOrigin origin = comparison.origins[static_cast<std::size_t>(node)];
    if (origin != NodeOrigin::Both) {
        lines += origin == NodeOrigin::Added ? "\nOnly in the newer version"
                                             : "\nOnly in the older version";
    }
    const auto of = [&counts](RelationKind kind) {
        return std::to_string(counts.byKind[static_cast<std::size_t>(kind)]);
    };
    const int64_t kept = counts.byKind[static_cast<std::size_t>(RelationKind::Kept)];
    return lines + "\nCompared: " + of(RelationKind::Added) + " added, " +
           of(RelationKind::Removed) + " removed, " +
           counted(kept, "kept relation", "kept relations");
}

// The cycle group the node is in, and how many nodes it has; nothing for
// a node in none.
std::string cycleLine(const CycleGroups& cycles, int32_t node) {
    for (std::size_t g = 0; g < cycles.groups.size(); ++g) {
        const std::vector<int32_t>& nodes = cycles.groups[g].nodes;
        if (std::binary_search(nodes.begin(), nodes.end(), node)) {
            return "\nCycle group " + std::to_string(g + 1) + " of " +
                   std::to_string(cycles.groups.size()) + ": " +
                   counted(static_cast<int64_t>(nodes.size()), "node", "nodes");
        }
    }
    return {};
}

// A bundle's ends and relations, then each rule its relations break, with
// how many of them do.
std::string violationsTooltip(const SceneSnapshot& scene, int32_t bundle) {
    const auto b = static_cast<std::size_t>(bundle);
    const Bundles& bundles = *scene.bundles;
    std::string text = shownPath(scene.graph(), bundles.source[b]) + " -> " +
                       shownPath(scene.graph(), bundles.target[b]) + ": " +
                       counted(bundles.count[b], "relation", "relations");
    for (const RuleOnBundles& rule : *scene.findings.violations) {
        const auto at = std::lower_bound(rule.bundles.begin(), rule.bundles.end(), bundle);
        if (at != rule.bundles.end() && *at == bundle) {
            const uint32_t breaking =
                rule.relations[static_cast<std::size_t>(at - rule.bundles.begin())];
            text += "\n" + scene.findings.rules->rules[static_cast<std::size_t>(rule.rule)].text +
                    ": " + counted(breaking, "violation", "violations");
        }
    }
    return text;
}

} // namespace

std::string Explorer::cellTooltip(const MatrixLayout::Place& cell) const {
    const DependencyMatrix& matrix = *snapshot->matrix;
    const CompoundGraph& graph = snapshot->graph();
    const auto pathOfRow = [&](int32_t row) {
        return nodePath(graph, matrix.rows.nodes[static_cast<std::size_t>(row)]);
    };
    const int64_t relations = matrix.relations(cell.row, cell.column);
    if (cell.row == cell.column) {
        return counted(relations, "relation", "relations") + " inside " + pathOfRow(cell.row);
    }
    return counted(relations, "relation", "relations") + " from " + pathOfRow(cell.row) + " to " +
           pathOfRow(cell.column) + "; " + std::to_string(matrix.relations(cell.column, cell.row)) +
           " back";
}

std::string Explorer::tooltip() const {
    const int32_t node = hoveredNode;
    if (snapshot && snapshot->matrix && hoveredCell) {
        return cellTooltip(*hoveredCell);
    }
    if (snapshot && node == CompoundGraph::none && hoveredBundle >= 0 &&
        snapshot->findings.violations) {
        return violationsTooltip(*snapshot, hoveredBundle);
    }
    if (!snapshot || node == CompoundGraph::none) {
        return {};
    }
    const CompoundGraph& graph = snapshot->graph();
    const Highlight& counts = node == highlightNow.node ? highlightNow : hoverCounts;
    std::string text = shownPath(graph, node);
    if (snapshot->cut.collapsed.empty()) {
        text += "\n" + std::to_string(counts.leaving) + " outgoing, " +
                counted(counts.arriving, "incoming relation", "incoming relations");
    } else {
        // With a cut, relations come in bundles, one to each node shown;
        // a direction without any is left out.
        std::string line;
        if (counts.leaving > 0) {
            line = counted(counts.leaving, "relation", "relations") + " to " +
                   counted(counts.uses.count, "node", "nodes");
        }
        if (counts.arriving > 0) {
            line += (line.empty() ? "" : ", ") + counted(counts.arriving, "relation", "relations") +
                    " from " + counted(counts.usedBy.count, "node", "nodes");
        }
        text += line.empty() ? "" : "\n" + line;
    }
    if (!graph.isLeaf(node)) {
        text += "\n" + counted(counts.leaves, "leaf", "leaves");
    }
    if (snapshot->cut.isCollapsed(node)) {
        text += "\n" + counted(snapshot->bundles->inside[static_cast<std::size_t>(node)],
                               "relation inside", "relations inside");
    }
    if (snapshot->comparison) {
        text += comparisonLines(*snapshot->comparison, node, counts);
    }
    if (snapshot->findings.cycles) {
        text += cycleLine(*snapshot->findings.cycles, node);
    }
    text += endsLine(graph, "Uses:", counts.uses) + endsLine(graph, "Used by:", counts.usedBy);
    return bothWaysShown ? text + endsLine(graph, "Both ways:", counts.bothWays) : text;
}
