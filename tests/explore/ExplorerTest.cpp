#include "explore/Explorer.h"

#include "analysis/RuleFile.h"
#include "frame/FrameSession.h"
#include "frame/SceneDrawing.h"
#include "layout/TreeLayoutType.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::graphOf;
using testing_support::sceneOf;

constexpr int side = 800;

// The snapshot as if of the graph with that number: a scene made anew for
// each test numbers its graph anew.
std::shared_ptr<const SceneSnapshot> numbered(std::shared_ptr<const SceneSnapshot> snapshot,
                                              uint64_t graphNumber) {
    auto copy = std::make_shared<SceneSnapshot>(*snapshot);
    copy->graphNumber = graphNumber;
    return copy;
}

// root(0) -> a(1) -> {a1(3), a2(4)}, root -> b(2) -> {b1(5)}; relations
// a1 -> b1, a2 -> a1, b1 -> a2, b1 -> a1.
std::shared_ptr<const SceneSnapshot> snapshotOfSmallGraph(uint64_t graphNumber = 1,
                                                          const ViewSettings& settings = {}) {
    const Scene scene =
        sceneOf(graphOf({-1, 0, 0, 1, 1, 2}, {{3, 5}, {4, 3}, {5, 4}, {5, 3}}), settings);
    return numbered(snapshotOf(scene), graphNumber);
}

// The window pixel of a scene point in the fitted view of an 800 by 800
// window: the frame square, 1.01 scene units to a side's half, spans the
// middle 2 / 2.1 of the window.
struct Pixel {
    double x;
    double y;
};
Pixel fittedPixelOf(Point p) {
    return {(p.x / 1.01 + 1.05) / 2.1 * side, (1.05 - p.y / 1.01) / 2.1 * side};
}

Explorer explorerOnSmallGraph() {
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(snapshotOfSmallGraph());
    return explorer;
}

Pixel pixelOfNode(const Explorer& explorer, int32_t node) {
    return fittedPixelOf(explorer.scene()->positions[static_cast<std::size_t>(node)]);
}

void click(Explorer& explorer, Pixel at, double milliseconds) {
    explorer.pointerPressed(at.x, at.y, milliseconds);
    explorer.pointerReleased(at.x, at.y, milliseconds + 80.0);
}

TEST(Explorer, HoveringPicksTheNodeUnderThePointerAndLeavingDropsIt) {
    Explorer explorer = explorerOnSmallGraph();
    const Pixel leaf = pixelOfNode(explorer, 3);
    explorer.pointerMoved(leaf.x + 3.0, leaf.y - 2.0);
    EXPECT_EQ(explorer.hovered(), 3);
    EXPECT_EQ(explorer.viewState().highlighted, 3);
    EXPECT_EQ(explorer.highlight().leaving, 1);
    EXPECT_EQ(explorer.highlight().arriving, 2);
    explorer.pointerMoved(leaf.x + 7.0, leaf.y);
    EXPECT_EQ(explorer.hovered(), 3);
    explorer.pointerMoved(leaf.x + 9.0, leaf.y);
    EXPECT_EQ(explorer.hovered(), CompoundGraph::none) << "8 pixels is the reach";
    explorer.pointerMoved(leaf.x, leaf.y);
    explorer.pointerLeft();
    EXPECT_EQ(explorer.highlighted(), CompoundGraph::none);
    EXPECT_TRUE(explorer.tooltip().empty());
}

TEST(Explorer, TheTooltipGivesThePathTheRelationsAndAnInnerNodesLeaves) {
    Explorer explorer = explorerOnSmallGraph();
    const Pixel leaf = pixelOfNode(explorer, 3);
    explorer.pointerMoved(leaf.x, leaf.y);
    EXPECT_EQ(explorer.tooltip(),
              "n0.n1.n3\n1 outgoing, 2 incoming relations\nUses: n5\nUsed by: n4, n5");
    const Pixel inner = pixelOfNode(explorer, 1);
    explorer.pointerMoved(inner.x, inner.y);
    EXPECT_EQ(explorer.tooltip(),
              "n0.n1\n1 outgoing, 2 incoming relations\n2 leaves\nUses: n5\nUsed by: n5")
        << "what leaves or enters the subtree, each node once";
    click(explorer, pixelOfNode(explorer, 5), 0.0);
    const Pixel other = pixelOfNode(explorer, 4);
    explorer.pointerMoved(other.x, other.y);
    EXPECT_EQ(explorer.highlighted(), 5);
    EXPECT_EQ(explorer.hovered(), 4);
    EXPECT_EQ(explorer.tooltip(),
              "n0.n1.n4\n1 outgoing, 1 incoming relation\nUses: n3\nUsed by: n5")
        << "the node under the pointer, though another is pinned";
    // With both-way relations marked: n3 and n5 relate both ways, n4 with
    // nobody.
    explorer.showBothWays(true);
    EXPECT_EQ(explorer.tooltip(),
              "n0.n1.n4\n1 outgoing, 1 incoming relation\nUses: n3\nUsed by: n5");
    explorer.pointerMoved(leaf.x, leaf.y);
    EXPECT_EQ(explorer.tooltip(), "n0.n1.n3\n1 outgoing, 2 incoming relations\nUses: n5\nUsed "
                                  "by: n4, n5\nBoth ways: n5");
}

TEST(Explorer, InAComparisonTheTooltipCountsEachKindThoughKeptOnesAreHidden) {
    // The older version: n3 -> n5 and n4 -> n3; the newer one keeps the
    // first, adds n5 -> n4, and n6 with n6 -> n3. In the union n0 n1 n3 n4
    // n2 n5 n6 are 0 to 6.
    const Result<ComparedGraphs> both =
        compareGraphs(graphOf({-1, 0, 0, 1, 1, 2}, {{3, 5}, {4, 3}}),
                      graphOf({-1, 0, 0, 1, 1, 2, 2}, {{3, 5}, {5, 4}, {6, 3}}));
    Scene scene;
    scene.setGraph(both.value().graph, std::make_shared<const Comparison>(both.value().comparison));
    scene.setCut(cutOf(scene.graph(), 0, std::vector<int32_t>{1}));
    scene.showKept(false);
    scene.update(ViewSettings{});
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(snapshotOf(scene));
    const Pixel collapsed = pixelOfNode(explorer, 1);
    explorer.pointerMoved(collapsed.x, collapsed.y);
    // Counts agree with their nouns, and a direction without relations is
    // left out.
    EXPECT_EQ(explorer.tooltip(), "n0.n1\n2 relations from 2 nodes\n"
                                  "2 leaves\n1 relation inside\n"
                                  "Compared: 2 added, 0 removed, 1 kept relation\n"
                                  "Used by: n5, n6");
    const Pixel added = pixelOfNode(explorer, 6);
    explorer.pointerMoved(added.x, added.y);
    EXPECT_EQ(explorer.tooltip(), "n0.n2.n6\n1 relation to 1 node\n"
                                  "Only in the newer version\n"
                                  "Compared: 1 added, 0 removed, 0 kept relations\nUses: n1");
}

// n3 -> n5 -> n4 -> n3 (and n5 -> n3) make one cycle group of three
// leaves; n3 -> n5 alone goes from n1 to n2.
TEST(Explorer, TheTooltipNamesANodesCycleGroupAndABundlesBrokenRules) {
    Scene scene = sceneOf(graphOf({-1, 0, 0, 1, 1, 2}, {{3, 5}, {4, 3}, {5, 4}, {5, 3}}));
    FrameSession session(scene);
    const Result<RuleSet> rules = rulefile::parse("forbid n1 -> n2\nacyclic ** warn\n", "r");
    ASSERT_TRUE(rules.ok()) << rules.error().describe();
    session.setRules(std::make_shared<const RuleSet>(rules.value()));
    ViewSettings settings;
    settings.showCycles = true;
    session.frameAnyway(settings);
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(session.snapshot());
    const Pixel leaf = pixelOfNode(explorer, 4);
    explorer.pointerMoved(leaf.x, leaf.y);
    EXPECT_EQ(explorer.tooltip(), "n0.n1.n4\n1 outgoing, 1 incoming relation\n"
                                  "Cycle group 1 of 1: 3 nodes\nUses: n3\nUsed by: n5");

    // The point of n3 -> n5's curve farthest from every node.
    const SceneSnapshot& shown = *explorer.scene();
    ASSERT_EQ(shown.curvePoints.size(), 4u * 2u * samplesPerEdge);
    Pixel far{0.0, 0.0};
    double farthest = 0.0;
    for (int32_t j = 0; j < samplesPerEdge; ++j) {
        const Pixel p = fittedPixelOf({shown.curvePoints[2 * static_cast<std::size_t>(j)],
                                       shown.curvePoints[2 * static_cast<std::size_t>(j) + 1]});
        double nearest = 1e9;
        for (int32_t node = 0; node < 6; ++node) {
            const Pixel n = pixelOfNode(explorer, node);
            nearest = std::min(nearest, std::hypot(p.x - n.x, p.y - n.y));
        }
        if (nearest > farthest) {
            farthest = nearest;
            far = p;
        }
    }
    ASSERT_GT(farthest, 12.0);
    explorer.pointerMoved(far.x + 3.0, far.y);
    EXPECT_EQ(explorer.hovered(), CompoundGraph::none);
    // Every relation here lies in the cycle, so each breaks acyclic.
    EXPECT_EQ(explorer.tooltip(), "n0.n1.n3 -> n0.n2.n5: 1 relation\nforbid n1 -> n2: 1 "
                                  "violation\nacyclic ** warn: 1 violation");
    session.setRules(nullptr);
    session.frameAnyway(settings);
    explorer.setScene(session.snapshot());
    explorer.pointerMoved(far.x + 3.0, far.y);
    EXPECT_TRUE(explorer.tooltip().empty()) << "no rules, no bundle tooltip";
}

TEST(Explorer, TheTooltipNamesTenEndsInNodeOrderAndCountsTheRest) {
    // Leaf n1 relates to n13, n12, ... n2 in that order; n3 relates to n1.
    std::vector<std::pair<int, int>> relations;
    for (int target = 13; target >= 2; --target) {
        relations.emplace_back(1, target);
    }
    relations.emplace_back(3, 1);
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(numbered(
        snapshotOf(sceneOf(graphOf({-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, relations))), 1));
    const Pixel leaf = pixelOfNode(explorer, 1);
    explorer.pointerMoved(leaf.x, leaf.y);
    EXPECT_EQ(explorer.tooltip(), "n0.n1\n12 outgoing, 1 incoming relation\n"
                                  "Uses: n2, n3, n4, n5, n6, n7, n8, n9, n10, n11 and 2 more\n"
                                  "Used by: n3");
}

TEST(Explorer, AClickPinsAndASecondClickOrOneOnTheBackgroundUnpins) {
    Explorer explorer = explorerOnSmallGraph();
    const Pixel leaf = pixelOfNode(explorer, 5);
    click(explorer, leaf, 0.0);
    EXPECT_EQ(explorer.pinned(), 5);
    explorer.pointerMoved(10.0, 10.0);
    EXPECT_EQ(explorer.highlighted(), 5) << "the pin survives moving away";
    const Pixel other = pixelOfNode(explorer, 4);
    explorer.pointerMoved(other.x, other.y);
    EXPECT_EQ(explorer.highlighted(), 5) << "the pin wins over the hover";
    click(explorer, leaf, 1000.0);
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none) << "the pinned node again";
    click(explorer, leaf, 2000.0);
    EXPECT_EQ(explorer.pinned(), 5);
    click(explorer, {10.0, 10.0}, 3000.0);
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none) << "the background";
}

TEST(Explorer, DraggingPansWithoutClickingAndTheGrabbedPointFollows) {
    Explorer explorer = explorerOnSmallGraph();
    explorer.pointerPressed(400.0, 400.0, 0.0);
    explorer.pointerMoved(402.0, 401.0);
    EXPECT_TRUE(explorer.camera().fitted()) << "within the click's slop nothing moves yet";
    explorer.pointerMoved(500.0, 350.0);
    explorer.pointerReleased(500.0, 350.0, 300.0);
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none);
    // The grabbed point, the scene's centre, is now under the pointer:
    // 100 pixels right and 50 up are 100 / 800 * 2.1 display units and so on.
    EXPECT_NEAR(explorer.camera().centreX, -100.0 / side * 2.1, 1e-12);
    EXPECT_NEAR(explorer.camera().centreY, -50.0 / side * 2.1, 1e-12);
}

TEST(Explorer, DoubleClicksFitOnTheBackgroundAndCentreOnANode) {
    Explorer explorer = explorerOnSmallGraph();
    explorer.wheel(100.0, 100.0, 3);
    ASSERT_FALSE(explorer.camera().fitted());
    click(explorer, {790.0, 790.0}, 0.0);
    click(explorer, {791.0, 790.0}, 250.0);
    EXPECT_TRUE(explorer.camera().fitted());

    const Point b1 = explorer.scene()->positions[5];
    const Pixel leaf = fittedPixelOf(b1);
    click(explorer, leaf, 1000.0);
    click(explorer, leaf, 1300.0);
    EXPECT_EQ(explorer.pinned(), 5) << "pinned, not unpinned by the second click";
    EXPECT_NEAR(explorer.camera().centreX, b1.x / 1.01, 1e-7);
    EXPECT_NEAR(explorer.camera().centreY, b1.y / 1.01, 1e-7);

    click(explorer, {5.0, 5.0}, 5000.0);
    click(explorer, {5.0, 5.0}, 5600.0);
    EXPECT_FALSE(explorer.camera().fitted()) << "too slow for a double click";
}

TEST(Explorer, KeysZoomAboutTheCentreAndPanByWholeSteps) {
    Explorer explorer = explorerOnSmallGraph();
    explorer.zoomAtCentre(2);
    EXPECT_DOUBLE_EQ(explorer.camera().zoom, 1.5625);
    EXPECT_EQ(explorer.camera().centreX, 0.0);
    explorer.zoomAtCentre(-2);
    EXPECT_DOUBLE_EQ(explorer.camera().zoom, 1.0);
    explorer.panSteps(1, 0);
    // The view moves right by 40 pixels of 800, each 2.1 / 800 units.
    EXPECT_NEAR(explorer.camera().centreX, 40.0 * 2.1 / side, 1e-12);
    explorer.panSteps(0, -2);
    EXPECT_NEAR(explorer.camera().centreY, -80.0 * 2.1 / side, 1e-12);
    explorer.fit();
    EXPECT_TRUE(explorer.camera().fitted());

    // Room for labels: a fitted view follows the fit zoom, a moved one not.
    explorer.setFitZoom(0.8);
    EXPECT_EQ(explorer.camera(), (Camera{0.0, 0.0, 0.8}));
    explorer.zoomAtCentre(2);
    explorer.setFitZoom(1.0);
    EXPECT_DOUBLE_EQ(explorer.camera().zoom, 1.25) << "0.8 x 1.5625 stays";
    explorer.setFitZoom(0.9);
    explorer.fit();
    EXPECT_EQ(explorer.camera(), (Camera{0.0, 0.0, 0.9}));

    // A panel over the left 200 pixels: the picture's middle, x = 500, is
    // the centre zoomed about, where the scene's origin stays.
    explorer.setPictureLeft(200);
    explorer.zoomAtCentre(3);
    EXPECT_NEAR(explorer.camera().centreX, 0.0, 1e-12);
    EXPECT_NEAR(explorer.camera().centreY, 0.0, 1e-12);
}

TEST(Explorer, TheRegionFollowsTheCameraOnlyOnceItRests) {
    Explorer explorer = explorerOnSmallGraph();
    EXPECT_FALSE(explorer.settle(0.0));
    explorer.wheel(400.0, 400.0, 4);
    EXPECT_FALSE(explorer.settle(10.0));
    EXPECT_TRUE(explorer.settling());
    EXPECT_FALSE(explorer.settle(150.0));
    EXPECT_EQ(explorer.viewState().region, FrameRegion{}) << "still the whole scene";
    EXPECT_TRUE(explorer.settle(215.0));
    EXPECT_FALSE(explorer.settling());
    const FrameRegion zoomed = explorer.viewState().region;
    // Zoom 1.25^4: the window's 2.1 display units shrink to 2.1 / 2.44140625.
    EXPECT_NEAR(zoomed.halfExtent, 1.05 / 2.44140625 * 1.01, 1e-6);

    explorer.setWindow(side, side / 2);
    EXPECT_FALSE(explorer.settle(300.0));
    EXPECT_TRUE(explorer.settle(600.0)) << "a new window shape wants another region";

    explorer.fit();
    explorer.settle(700.0);
    EXPECT_TRUE(explorer.settle(1000.0));
    EXPECT_EQ(explorer.viewState().region, FrameRegion{}) << "fitted: exactly the whole frame";
}

TEST(Explorer, SearchMarksMatchesAndStepsThroughThemWrappingAround) {
    Explorer explorer = explorerOnSmallGraph();
    explorer.search("N1");
    EXPECT_EQ(explorer.matches(), (std::vector<int32_t>{1, 3, 4})) << "n1 and the paths below";
    EXPECT_EQ(explorer.viewState().marked, explorer.matches());
    EXPECT_FALSE(explorer.currentMatch().has_value());
    explorer.stepThroughMatches(0);
    EXPECT_EQ(explorer.pinned(), 1);
    const Point a = explorer.scene()->positions[1];
    EXPECT_NEAR(explorer.camera().centreX, a.x / 1.01, 1e-7);
    explorer.stepThroughMatches(-1);
    EXPECT_EQ(explorer.currentMatch(), 2);
    EXPECT_EQ(explorer.pinned(), 4);
    explorer.stepThroughMatches(1);
    EXPECT_EQ(explorer.pinned(), 1);
    explorer.search("nothing like it");
    EXPECT_TRUE(explorer.matches().empty());
    explorer.stepThroughMatches(0);
    EXPECT_EQ(explorer.pinned(), 1) << "no match, no change";
}

TEST(Explorer, AnotherGraphDropsThePinAndSearchesAgainButAnotherLayoutKeepsThem) {
    Explorer explorer = explorerOnSmallGraph();
    explorer.search("n5");
    explorer.stepThroughMatches(0);
    ASSERT_EQ(explorer.pinned(), 5);
    ViewSettings classic;
    classic.layoutType = TreeLayoutType::Classic;
    explorer.setScene(snapshotOfSmallGraph(1, classic));
    EXPECT_EQ(explorer.pinned(), 5);

    explorer.setScene(numbered(snapshotOf(sceneOf(graphOf({-1, 0, 0}))), 2));
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none);
    EXPECT_EQ(explorer.highlight().node, CompoundGraph::none);
    EXPECT_TRUE(explorer.matches().empty()) << "the three nodes are n0 to n2";
    explorer.search("n2");
    EXPECT_EQ(explorer.matches(), std::vector<int32_t>{2});
}

TEST(Explorer, TreeMapsPickTheInnermostRectangleUnderThePointer) {
    ViewSettings squared;
    squared.layoutType = TreeLayoutType::TreeMapSquared;
    squared.treeMapSpacing = 0.02f;
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(snapshotOfSmallGraph(1, squared));
    const Rect& a = explorer.scene()->rectangles[1];
    const Rect& a1 = explorer.scene()->rectangles[3];
    // Inside a1, and in a's spacing just left of a1.
    const Pixel inLeaf = fittedPixelOf({(a1.x0 + a1.x1) / 2.0f, (a1.y0 + a1.y1) / 2.0f});
    explorer.pointerMoved(inLeaf.x, inLeaf.y);
    EXPECT_EQ(explorer.hovered(), 3);
    ASSERT_GT(a1.x0 - a.x0, 0.005f);
    const Pixel inSpacing = fittedPixelOf({(a.x0 + a1.x0) / 2.0f, (a1.y0 + a1.y1) / 2.0f});
    explorer.pointerMoved(inSpacing.x, inSpacing.y);
    EXPECT_EQ(explorer.hovered(), 1);
}

TEST(Explorer, ASearchMatchInACollapsedNodeIsShownThereAndEnterOpensIt) {
    // root -> A(1) -> {a1(3), a2(4) -> a2x(7)}, root -> B(2) -> {b1(5), b2(6)},
    // cut at depth 1: A and B collapsed.
    Scene scene = sceneOf(graphOf({-1, 0, 0, 1, 1, 2, 2, 4}, {{3, 5}, {7, 6}}));
    scene.setCut(cutOf(scene.graph(), 1));
    scene.update(ViewSettings{});
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(snapshotOf(scene));
    explorer.search("n7");
    ViewState view = explorer.viewState();
    const DrawDescription marked = describeScene(scene, ViewSettings{}, view);
    ASSERT_EQ(marked.marks.size(), 1u);
    const Point a = scene.positions()[1];
    const LineSet& ring = marked.marks[0];
    EXPECT_NEAR((ring.ringVertices[0].x + ring.ringVertices[45].x) / 2.0f, a.x, 1e-5)
        << "the mark rings A, which hides n7";
    // Enter pins n7 and opens A; n7's parent a2 was never folded.
    explorer.stepThroughMatches(0);
    EXPECT_EQ(explorer.pinned(), 7);
    EXPECT_EQ(explorer.toggledNodes(), std::vector<int32_t>{1});
    EXPECT_EQ(explorer.viewState().highlighted, 1) << "on A until the new cut is shown";
    // Control+click on B, shown collapsed, expands it too.
    explorer.fit();
    const Pixel b = fittedPixelOf(scene.positions()[2]);
    explorer.pointerPressed(b.x, b.y, 0.0);
    explorer.pointerReleased(b.x, b.y, 80.0, true);
    EXPECT_EQ(explorer.toggledNodes(), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(explorer.pinned(), 7) << "a control+click pins nothing";
    // The toggles start from a depth's cut: another depth drops them, the
    // same one keeps them.
    explorer.setDepth(2);
    EXPECT_TRUE(explorer.toggledNodes().empty());
    explorer.toggleCollapse(1);
    explorer.setDepth(2);
    EXPECT_EQ(explorer.toggledNodes(), std::vector<int32_t>{1});
}

} // namespace

// The small graph's matrix of the whole tree: rows a1, a2, b1, under one
// level of brackets 0.03 wide, with no room for names: cells of
// (2 - 0.05) / 3 = 0.65 from (-0.95, 0.95).
TEST(Explorer, InTheMatrixCellsTellTheirRelationsAndANamesClickCollapses) {
    auto snapshot = std::make_shared<SceneSnapshot>(*snapshotOfSmallGraph());
    snapshot->matrix = std::make_shared<const DependencyMatrix>(
        dependencyMatrix(snapshot->graph(), {}, *snapshot->bundles, MatrixOrder::Tree));
    snapshot->matrixLayout = matrixLayout(3, 1, 0.0f);
    Explorer explorer;
    explorer.setWindow(side, side);
    explorer.setScene(snapshot);
    const auto cellMiddle = [](int row, int column) {
        return fittedPixelOf({-0.95f + 0.65f * (static_cast<float>(column) + 0.5f),
                              0.95f - 0.65f * (static_cast<float>(row) + 0.5f)});
    };
    const Pixel toB1 = cellMiddle(0, 2);
    explorer.pointerMoved(toB1.x, toB1.y);
    EXPECT_EQ(explorer.tooltip(), "1 relation from n1.n3 to n2.n5; 1 back");
    EXPECT_EQ(explorer.hovered(), CompoundGraph::none);
    const Pixel toA1 = cellMiddle(1, 0);
    explorer.pointerMoved(toA1.x, toA1.y);
    EXPECT_EQ(explorer.tooltip(), "1 relation from n1.n4 to n1.n3; 0 back");
    // Another matrix (a new cut) drops the cell, whose row may be gone.
    auto recut = std::make_shared<SceneSnapshot>(*snapshot);
    recut->matrix = std::make_shared<const DependencyMatrix>(*snapshot->matrix);
    explorer.setScene(recut);
    EXPECT_EQ(explorer.tooltip(), "");
    explorer.pointerMoved(toA1.x, toA1.y);
    // A click on a cell pins nothing and collapses nothing.
    click(explorer, toA1, 1000.0);
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none);
    EXPECT_TRUE(explorer.toggledNodes().empty());
    // a2's name, left of its row between the brackets' band (to -0.97) and
    // the cells: hovered, and a click collapses a.
    const Pixel name = fittedPixelOf({-0.96f, 0.95f - 0.65f * 1.5f});
    explorer.pointerMoved(name.x, name.y);
    EXPECT_EQ(explorer.hovered(), 4);
    click(explorer, name, 2000.0);
    EXPECT_EQ(explorer.toggledNodes(), std::vector<int32_t>{1});
    EXPECT_EQ(explorer.pinned(), CompoundGraph::none);
    // As `c` does over it: a opens again.
    explorer.toggleHovered();
    EXPECT_TRUE(explorer.toggledNodes().empty());
    // b's bracket, left of its row b1, and above its column: b collapses.
    const Pixel bracket = fittedPixelOf({-0.985f, 0.95f - 0.65f * 2.5f});
    explorer.pointerMoved(bracket.x, bracket.y);
    EXPECT_EQ(explorer.hovered(), 2);
    click(explorer, bracket, 3000.0);
    EXPECT_EQ(explorer.toggledNodes(), std::vector<int32_t>{2});
    const Pixel over = fittedPixelOf({-0.95f + 0.65f * 0.5f, 0.985f});
    explorer.pointerMoved(over.x, over.y);
    EXPECT_EQ(explorer.hovered(), 1);
}
