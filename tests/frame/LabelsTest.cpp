#include "frame/Labels.h"

#include "model/Cut.h"

#include "layout/TreeLayoutType.h"
#include "layout/TreeLayouts.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using testing_support::graphOf;
using testing_support::namedGraphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

// Every character 7 pixels wide, lines 12 pixels high.
class FixedMeasure : public TextMeasure {
public:
    float width(std::string_view text) const override {
        return 7.0f * static_cast<float>(text.size());
    }
    float height() const override { return 12.0f; }
};

const Rect everything{-5.0f, -5.0f, 5.0f, 5.0f};

std::vector<Label> candidatesOf(const Scene& scene) {
    return labelCandidates(scene.appliedLayout().value(), scene.graph(), scene.layoutData(),
                           scene.positions(), {});
}

void expectNoOverlap(const std::vector<Label>& labels, double pixelsPerUnit) {
    const FixedMeasure measure;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            ASSERT_FALSE(boxesOverlap(labelBox(labels[i], measure, pixelsPerUnit),
                                      labelBox(labels[j], measure, pixelsPerUnit)))
                << labels[i].text << " and " << labels[j].text;
        }
    }
}

TEST(Labels, RadialNamesRunOutwardAndReadLeftToRightOnTheLeftHalf) {
    // A root with four leaves: at 45, 135, 225 and 315 degrees clockwise from
    // the top.
    const Scene scene = sceneOf(graphOf({-1, 0, 0, 0, 0}));
    const std::vector<Label> labels = candidatesOf(scene);
    ASSERT_EQ(labels.size(), 4u);
    const float quarter = std::numbers::pi_v<float> / 4.0f;
    EXPECT_NEAR(labels[0].anchor.x, 1.02f * std::sin(quarter), 1e-5);
    EXPECT_NEAR(labels[0].anchor.y, 1.02f * std::cos(quarter), 1e-5);
    EXPECT_NEAR(labels[0].angle, quarter, 1e-5) << "up and to the right";
    EXPECT_EQ(labels[0].align, Label::Align::Start);
    EXPECT_EQ(labels[1].align, Label::Align::Start);
    EXPECT_NEAR(labels[1].angle, -quarter, 1e-5);
    // The left half: turned half a turn, ending at the ring.
    EXPECT_LT(labels[2].anchor.x, 0.0f);
    EXPECT_EQ(labels[2].align, Label::Align::End);
    EXPECT_NEAR(std::cos(labels[2].angle), std::cos(quarter), 1e-5) << "reads rightwards";
    EXPECT_EQ(labels[3].align, Label::Align::End);
    EXPECT_EQ(labels[0].text, "n1");
}

TEST(Labels, ClassicNamesHangUnderTheLeaves) {
    ViewSettings classic;
    classic.layoutType = TreeLayoutType::Classic;
    const Scene scene = sceneOf(graphOf({-1, 0, 0, 1}), classic);
    const std::vector<Label> labels = candidatesOf(scene);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].node, 2);
    EXPECT_LT(labels[0].anchor.y, 0.0f);
    EXPECT_NEAR(labels[0].angle, -std::numbers::pi_v<float> / 2.0f, 1e-6);
}

TEST(Labels, CrowdedLabelsAreThinnedAndMoreShowWhenZoomedIn) {
    const Scene scene = sceneOf(graphOf(randomParents(600, 3)));
    const std::vector<Label> candidates = candidatesOf(scene);
    const FixedMeasure measure;
    const std::vector<Label> far = placeLabels(candidates, measure, 300.0, everything, {});
    const std::vector<Label> near = placeLabels(candidates, measure, 3000.0, everything, {});
    EXPECT_LT(far.size(), candidates.size());
    EXPECT_GT(far.size(), 10u);
    EXPECT_GT(near.size(), far.size());
    expectNoOverlap(far, 300.0);
    expectNoOverlap(near, 3000.0);
}

TEST(Labels, TheHoveredNodesLabelIsAlwaysShown) {
    const Scene scene = sceneOf(graphOf(randomParents(600, 4)));
    const std::vector<Label> candidates = candidatesOf(scene);
    const FixedMeasure measure;
    const std::vector<Label> without = placeLabels(candidates, measure, 300.0, everything, {});
    int32_t hidden = -1;
    for (const Label& candidate : candidates) {
        bool shown = false;
        for (const Label& label : without) {
            shown = shown || label.node == candidate.node;
        }
        if (!shown) {
            hidden = candidate.node;
            break;
        }
    }
    ASSERT_NE(hidden, -1);
    const std::vector<Label> with =
        placeLabels(candidates, measure, 300.0, everything, {},
                    labelOf(candidates, scene.graph(), scene.positions(), hidden));
    ASSERT_FALSE(with.empty());
    EXPECT_EQ(with.front().node, hidden);
    expectNoOverlap(with, 300.0);
}

TEST(Labels, AnInnerNodeOfTheRadialTreeIsNamedBesideItsPosition) {
    const Scene scene = sceneOf(graphOf({-1, 0, 1, 1}));
    const std::vector<Label> candidates = candidatesOf(scene);
    const Label leaf = labelOf(candidates, scene.graph(), scene.positions(), 2);
    EXPECT_EQ(leaf.anchor.x, candidates[0].anchor.x) << "a leaf keeps its place on the ring";
    const Label inner = labelOf(candidates, scene.graph(), scene.positions(), 1);
    const Point at = scene.positions()[1];
    EXPECT_EQ(inner.text, "n1");
    EXPECT_EQ(inner.angle, 0.0f);
    EXPECT_EQ(inner.align, Label::Align::Start);
    EXPECT_GT(inner.anchor.x, at.x);
    EXPECT_EQ(inner.anchor.y, at.y);
    const std::vector<Label> placed =
        placeLabels(candidates, FixedMeasure(), 300.0, everything, {}, inner);
    ASSERT_FALSE(placed.empty());
    EXPECT_EQ(placed.front().node, 1);
}

TEST(Labels, TheLabelledSquareMakesRoomForTheRadialNamesUpToACap) {
    const Scene scene = sceneOf(graphOf(randomParents(40, 3)));
    const std::vector<Label> candidates = candidatesOf(scene);
    const std::vector<std::string> widest = widestLabelTexts(scene.graph());
    const FixedMeasure measure;
    const TreeLayoutType radial = TreeLayoutType::Radial;
    const double extent = labelledExtent(radial, widest, measure, 1000.0);
    // Names up to "n39": 21 pixels and a margin of 2 on both ends.
    EXPECT_NEAR(extent, 1.02 / (1.0 - 2.0 * 25.0 / 1000.0), 1e-6);
    // Every label's box then lies inside the square of 1000 pixels.
    const double pixelsPerUnit = 1000.0 / (2.0 * extent);
    for (const Label& label : candidates) {
        for (const Point& corner : labelBox(label, measure, pixelsPerUnit).corners) {
            EXPECT_LE(std::abs(corner.x), 500.0f) << label.text;
            EXPECT_LE(std::abs(corner.y), 500.0f) << label.text;
        }
    }
    EXPECT_NEAR(labelledExtent(radial, widest, measure, 60.0), 1.02 / 0.6, 1e-6) << "capped";
    EXPECT_EQ(labelledExtent(TreeLayoutType::Classic, widest, measure, 1000.0), 1.01f);
}

TEST(Labels, NamesakesTakeTheirParentsNamesUntilTheyDiffer) {
    // Under lib: http and xmlrpc, each with a client; a util; email with
    // two utils; p and q, each over five a's over an x.
    const CompoundGraph graph = namedGraphOf({
        {-1, "lib"},  {0, "http"}, {1, "client"}, {0, "xmlrpc"}, {3, "client"}, {0, "util"},
        {0, "email"}, {6, "util"}, {6, "util"},   {0, "p"},      {9, "a"},      {10, "a"},
        {11, "a"},    {12, "a"},   {13, "a"},     {14, "x"},     {0, "q"},      {16, "a"},
        {17, "a"},    {18, "a"},   {19, "a"},     {20, "a"},     {21, "x"},
    });
    std::vector<std::string> texts;
    for (const Label& label : candidatesOf(sceneOf(graph))) {
        texts.push_back(label.text);
    }
    // Two utils under one parent stay alike; the deep x's stop after four
    // names, short of p and q.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"http.client", "xmlrpc.client", "lib.util", "email.util",
                                        "email.util", "a.a.a.a.x", "a.a.a.a.x"}));
    // The widest texts bound every label at any cut, the room the fit
    // leaves: a shared name with all the parents' names it can take.
    const std::vector<std::string> widest = widestLabelTexts(graph);
    ASSERT_FALSE(widest.empty());
    EXPECT_EQ(widest.front(), "lib.xmlrpc.client");
    const Scene scene = sceneOf(graph);
    for (const int32_t depth : {1, 2, 3, 6}) {
        for (const Label& label :
             labelCandidates(TreeLayoutType::Radial, graph, scene.layoutData(), scene.positions(),
                             {}, cutOf(graph, depth).shownAs)) {
            EXPECT_LE(label.text.size(), widest.front().size()) << label.text;
        }
    }
}

TEST(Labels, OnlyLabelsInViewAreConsidered) {
    const Scene scene = sceneOf(graphOf({-1, 0, 0, 0, 0}));
    const Rect upperRight{0.0f, 0.0f, 2.0f, 2.0f};
    const std::vector<Label> placed =
        placeLabels(candidatesOf(scene), FixedMeasure(), 300.0, upperRight, {});
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].node, 1);
}

TEST(Labels, TreeMapNamesGoWhereTheyFitWithInnerNamesAtTheTop) {
    ViewSettings squared;
    squared.layoutType = TreeLayoutType::TreeMapSquared;
    const Scene scene = sceneOf(graphOf({-1, 0, 0, 1, 1, 2}), squared);
    const std::vector<Rect> byId = treeMapRectangles(scene.graph(), scene.treeMap());
    const std::vector<Label> candidates = labelCandidates(
        squared.layoutType, scene.graph(), scene.layoutData(), scene.positions(), byId);
    ASSERT_EQ(candidates.size(), 6u);
    EXPECT_TRUE(candidates[0].hangs) << "the root, an inner node";
    EXPECT_FLOAT_EQ(candidates[0].anchor.y, byId[0].y1);
    const FixedMeasure measure;
    const std::vector<Label> roomy = placeLabels(candidates, measure, 400.0, everything, byId);
    const std::vector<Label> cramped = placeLabels(candidates, measure, 5.0, everything, byId);
    EXPECT_GT(roomy.size(), 2u);
    EXPECT_TRUE(cramped.empty()) << "nothing fits in rectangles of 10 pixels";
    expectNoOverlap(roomy, 400.0);
    for (const Label& label : roomy) {
        const LabelBox box = labelBox(label, measure, 400.0);
        const Rect& r = byId[static_cast<std::size_t>(label.node)];
        for (const Point& corner : box.corners) {
            EXPECT_GE(corner.x, r.x0 * 400.0 - 1e-3);
            EXPECT_LE(corner.x, r.x1 * 400.0 + 1e-3);
            EXPECT_LE(corner.y, r.y1 * 400.0 + 1e-3) << label.text;
        }
    }
}

} // namespace
