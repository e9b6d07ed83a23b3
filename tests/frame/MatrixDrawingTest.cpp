#include "frame/MatrixDrawing.h"

#include "analysis/RuleCheck.h"
#include "frame/DrawList.h"
#include "model/Cut.h"
#include "tests/support/CountingBackend.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::graphOf;
using testing_support::sceneOf;

TEST(MatrixLayoutTest, PlacesCellsAndHeadersAndFindsThemUnderThePointer) {
    // Two levels of brackets 0.03 wide, names 0.2, a gap of 0.01 on each
    // side of them: a band of 0.28, cells of (2 - 0.28) / 4.
    const MatrixLayout layout = matrixLayout(4, 2, 0.2f);
    EXPECT_FLOAT_EQ(layout.bracketStep, 0.03f);
    EXPECT_FLOAT_EQ(layout.left, -0.72f);
    EXPECT_FLOAT_EQ(layout.top, 0.72f);
    EXPECT_FLOAT_EQ(layout.cell, 0.43f);
    const Rect cell = layout.cellRect(1, 2);
    EXPECT_FLOAT_EQ(cell.x0, 0.14f);
    EXPECT_FLOAT_EQ(cell.x1, 0.57f);
    EXPECT_FLOAT_EQ(cell.y1, 0.29f);
    EXPECT_FLOAT_EQ(cell.y0, -0.14f);
    // Level 1's band runs from -0.97 to -0.94, its bracket at 0.8 of it.
    EXPECT_FLOAT_EQ(layout.rowBracketX(1), -0.946f);
    EXPECT_FLOAT_EQ(layout.columnBracketNameY(1), 0.958f);
    using Place = MatrixLayout::Place;
    EXPECT_EQ(layout.placeAt({0.3f, 0.1f}), (Place{1, 2}));
    EXPECT_EQ(layout.placeAt({0.9f, -0.9f}), (Place{3, 3}));
    EXPECT_EQ(layout.placeAt({-0.9f, -0.5f}), (Place{2, -1}));
    EXPECT_EQ(layout.placeAt({-0.5f, 0.9f}), (Place{-1, 0}));
    EXPECT_EQ(layout.placeAt({-0.9f, 0.9f}), std::nullopt);
    EXPECT_EQ(layout.placeAt({1.1f, 0.0f}), std::nullopt);
    EXPECT_EQ(layout.placeAt({0.0f, -1.1f}), std::nullopt);
}

// Ten pixels a letter, 24 high.
class FixedMeasure : public TextMeasure {
public:
    float width(std::string_view text) const override {
        return 10.0f * static_cast<float>(text.size());
    }
    float height() const override { return 24.0f; }
};

// A grey ramp of 101 steps: a count's place p on it shows as grey
// round(100 p) / 100.
SharedValues<Colour> greyRamp() {
    std::vector<Colour> ramp;
    for (int i = 0; i <= 100; ++i) {
        const float grey = static_cast<float>(i) / 100.0f;
        ramp.push_back({grey, grey, grey, 1.0f});
    }
    return SharedValues<Colour>::copyOf(ramp);
}

const LineSet* marksOf(const DrawDescription& frame, const Colour& colour) {
    for (const LineSet& marks : frame.marks) {
        if (marks.colour == colour) {
            return &marks;
        }
    }
    return nullptr;
}

// 0 root; 1 a (2 a.x, 3 a.y); 4 b (5 b.z); 6 c. At depth 1 the rows are a,
// b and c: a -> a 2 (inside), a -> b 2, b -> a 1, b -> c 1.
TEST(MatrixDrawingTest, FillsTheCellsByCountWritesCountsAndNamesAndShowsAHighlight) {
    Scene scene =
        sceneOf(graphOf({-1, 0, 1, 1, 0, 4, 0}, {{1, 5}, {2, 3}, {3, 2}, {2, 5}, {5, 2}, {5, 6}}));
    scene.setCut(cutOf(scene.graph(), 1));
    ViewSettings settings;
    settings.view = ViewType::Matrix;
    scene.update(settings);
    const DependencyMatrix matrix =
        dependencyMatrix(scene.graph(), scene.cut().shownAs, scene.bundles(), MatrixOrder::Tree);
    const FixedMeasure measure;
    const MatrixText text{&measure, 24.0f, DrawDescription::framePixels};
    const DrawDescription frame =
        describeMatrixFrame(scene, matrix, settings, {}, greyRamp(), text);
    const MatrixLayout layout = layOutMatrix(scene.graph(), scene.cut().shownAs, matrix, text);
    ASSERT_EQ(frame.cells.rectangles.size(), 4u);
    // On the log scale 2 of 2 lies at 1, 1 of 2 at log 2 / log 3 = 0.63.
    const std::vector<std::pair<int, int>> cells{{0, 0}, {0, 1}, {1, 0}, {1, 2}};
    const std::vector<float> greys{1.0f, 1.0f, 0.63f, 0.63f};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(frame.cells.rectangles[i], layout.cellRect(cells[i].first, cells[i].second));
        EXPECT_FLOAT_EQ(frame.cells.colours[i].g, greys[i]);
    }
    std::vector<std::string> counts;
    for (const Label& count : frame.cellTexts) {
        counts.push_back(count.text);
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"2", "2", "1", "1"}));
    EXPECT_NEAR(frame.cellTexts[1].anchor.x, layout.columnMiddle(1), 1e-6);
    EXPECT_NEAR(frame.cellTexts[1].anchor.y, layout.rowMiddle(0), 1e-6);
    // Each row's name at its row and its column.
    ASSERT_EQ(frame.labels.size(), 6u);
    EXPECT_EQ(frame.labels[2].text, "n4");
    EXPECT_FLOAT_EQ(frame.labels[2].anchor.y, layout.rowMiddle(1));
    EXPECT_FLOAT_EQ(frame.labels[3].anchor.x, layout.columnMiddle(1));
    // The key: the ramp from 1 relation in a cell to 2.
    ASSERT_EQ(frame.legend.size(), 1u);
    EXPECT_EQ(std::get<LegendRamp>(frame.legend[0]), (LegendRamp{"1", "2 relations"}));
    // Cells first, under the lines.
    testing_support::CountingBackend backend;
    drawAllLayers(frame, backend);
    ASSERT_GE(backend.calls.size(), 3u);
    EXPECT_EQ(backend.calls[1], "fills 4");
    EXPECT_EQ(backend.calls[2], "lines 1");

    // a highlighted: its row's cell to b leaves, b's cell to a arrives; the
    // others are dimmed to 0.3 of their grey over the black background.
    ViewState view;
    view.highlighted = 2;
    const DrawDescription lit =
        describeMatrixFrame(scene, matrix, settings, view, greyRamp(), text);
    ASSERT_EQ(lit.cells.colours.size(), 4u);
    EXPECT_FLOAT_EQ(lit.cells.colours[0].g, 0.3f);
    EXPECT_EQ(lit.cells.colours[1], leavingColour);
    EXPECT_EQ(lit.cells.colours[2], arrivingColour);
    EXPECT_FLOAT_EQ(lit.cells.colours[3].g, 0.3f * 0.63f);
    ASSERT_FALSE(lit.marks.empty());
    EXPECT_EQ(lit.marks.back().rectangles.size(), 2u);
    EXPECT_EQ(lit.legend.size(), 3u) << "the ramp and the highlight's two colours";

    // Coloured by group, a, b and c each a group of its own: after the
    // cells, a strip in each row's group colour left of its cells and one
    // above its column.
    settings.colorBy = ColorBy::SourceGroup;
    const DrawDescription grouped =
        describeMatrixFrame(scene, matrix, settings, {}, greyRamp(), text);
    ASSERT_EQ(grouped.cells.rectangles.size(), 10u);
    for (std::size_t row = 0; row < 3; ++row) {
        const Rect beside = grouped.cells.rectangles[4 + 2 * row];
        const Rect above = grouped.cells.rectangles[5 + 2 * row];
        const Rect cell = layout.cellRect(static_cast<int32_t>(row), static_cast<int32_t>(row));
        EXPECT_LT(beside.x1, layout.left);
        EXPECT_EQ(beside.y0, cell.y0);
        EXPECT_GT(above.y0, layout.top);
        EXPECT_EQ(above.x0, cell.x0);
        EXPECT_EQ(grouped.cells.colours[4 + 2 * row], grouped.cells.colours[5 + 2 * row]);
    }
    EXPECT_NE(grouped.cells.colours[4], grouped.cells.colours[6]);
    EXPECT_NE(grouped.cells.colours[6], grouped.cells.colours[8]);
    EXPECT_NE(grouped.cells.colours[4], grouped.cells.colours[8]);

    // Rules: n1 -> n4 (a -> b, an error) outlines that cell in the first
    // warm colour, n4 -> n6 (b -> c, a warning) its cell in the first cool
    // one; the key gives each rule's count.
    settings.colorBy = ColorBy::Ramp;
    const Result<RuleSet> read =
        rulefile::parse("forbid n1 -> n4\nforbid n4 -> n6 warn\n", "arch.rules");
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto rules = std::make_shared<const RuleSet>(read.value());
    const auto violations = std::make_shared<const std::vector<RuleOnBundles>>(
        violationsOnBundles(*rules, checkRules(*rules, scene.graph()), scene.graph(),
                            scene.bundles(), scene.cut().shownAs));
    const DrawDescription ruled = describeMatrixFrame(scene, matrix, settings, {}, greyRamp(), text,
                                                      SceneFindings{nullptr, rules, violations});
    const LineSet* error = marksOf(ruled, errorRuleColours[0]);
    const LineSet* warning = marksOf(ruled, warningRuleColours[0]);
    ASSERT_NE(error, nullptr);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(error->rectangles, std::vector<Rect>{layout.cellRect(0, 1)});
    EXPECT_EQ(warning->rectangles, std::vector<Rect>{layout.cellRect(1, 2)});
    EXPECT_EQ(std::get<LegendSwatch>(ruled.legend.back()).text,
              "forbid n4 -> n6 warn: 1 violation");
}

// The same graph and cut: compared, a -> b holds an added and a removed
// relation and b -> c an added one; partitioned, with cycles shown, c
// comes first (b uses it), then b and a, a -> b (2) below the diagonal and
// b -> a above it, the one to cut; a search for a.y marks a's row and
// column.
TEST(MatrixDrawingTest, ShowsKindsCycleBlocksTheRelationsToCutAndSearchMarks) {
    const CompoundGraph graph =
        graphOf({-1, 0, 1, 1, 0, 4, 0}, {{1, 5}, {2, 3}, {3, 2}, {2, 5}, {5, 2}, {5, 6}});
    ViewSettings settings;
    settings.view = ViewType::Matrix;
    const FixedMeasure measure;
    const MatrixText text{&measure, 24.0f, DrawDescription::framePixels};
    using enum RelationKind;
    Comparison comparison;
    comparison.kinds = {Added, Kept, Kept, Removed, Kept, Added};
    comparison.origins.assign(7, NodeOrigin::Both);
    Scene compared;
    compared.setGraph(graph, std::make_shared<const Comparison>(comparison));
    compared.setCut(cutOf(graph, 1));
    compared.update(settings);
    const DependencyMatrix kinds =
        dependencyMatrix(graph, compared.cut().shownAs, compared.bundles(), MatrixOrder::Tree);
    const DrawDescription byKind =
        describeMatrixFrame(compared, kinds, settings, {}, greyRamp(), text);
    const MatrixLayout layout = layOutMatrix(graph, compared.cut().shownAs, kinds, text);
    ASSERT_EQ(byKind.cells.rectangles.size(), 5u);
    const Rect both = layout.cellRect(0, 1);
    const float middle = (both.x0 + both.x1) / 2.0f;
    EXPECT_EQ(byKind.cells.rectangles[1], (Rect{both.x0, both.y0, middle, both.y1}));
    EXPECT_EQ(byKind.cells.colours[1], addedColour);
    EXPECT_EQ(byKind.cells.rectangles[2], (Rect{middle, both.y0, both.x1, both.y1}));
    EXPECT_EQ(byKind.cells.colours[2], removedColour);
    EXPECT_FLOAT_EQ(byKind.cells.colours[3].g, 0.63f);
    EXPECT_EQ(byKind.cells.colours[4], addedColour);

    Scene scene = sceneOf(graph);
    scene.setCut(cutOf(graph, 1));
    settings.showCycles = true;
    settings.matrixOrder = MatrixOrder::Partitioned;
    scene.update(settings);
    const DependencyMatrix parts =
        dependencyMatrix(graph, scene.cut().shownAs, scene.bundles(), MatrixOrder::Partitioned);
    ASSERT_EQ(parts.rows.nodes, (std::vector<int32_t>{6, 4, 1}));
    ViewState view;
    view.marked = {3};
    const DrawDescription cycles =
        describeMatrixFrame(scene, parts, settings, view, greyRamp(), text);
    const MatrixLayout at = layOutMatrix(graph, scene.cut().shownAs, parts, text);
    const LineSet* blocks = marksOf(cycles, cycleBlockColour);
    ASSERT_NE(blocks, nullptr);
    ASSERT_EQ(blocks->rectangles.size(), 1u);
    EXPECT_EQ(blocks->rectangles[0], (Rect{at.cellRect(2, 1).x0, at.cellRect(2, 1).y0,
                                           at.cellRect(1, 2).x1, at.cellRect(1, 2).y1}));
    const LineSet* toCut = marksOf(cycles, cellToCutColour);
    ASSERT_NE(toCut, nullptr);
    EXPECT_EQ(toCut->rectangles, std::vector<Rect>{at.cellRect(1, 2)});
    const LineSet* found = marksOf(cycles, searchColour);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->rectangles.size(), 2u);
    EXPECT_FLOAT_EQ(found->rectangles[0].y0, at.cellRect(2, 0).y0);
    EXPECT_FLOAT_EQ(found->rectangles[0].y1, at.cellRect(2, 0).y1);
    EXPECT_FLOAT_EQ(found->rectangles[1].x0, at.cellRect(0, 2).x0);
    EXPECT_FLOAT_EQ(found->rectangles[1].x1, at.cellRect(0, 2).x1);
}

} // namespace
