#include "frame/ComparisonDrawing.h"
#include "frame/Labels.h"
#include "frame/SceneSnapshot.h"
#include "layout/TreeLayouts.h"
#include "render/TextAtlas.h"
#include "tests/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::graphText;
using testing_support::near;
using testing_support::RenderTest;
using testing_support::Rgb;

Rgb byteColour(const Colour& colour) {
    return {static_cast<int>(colour.r * 255.0f + 0.5f), static_cast<int>(colour.g * 255.0f + 0.5f),
            static_cast<int>(colour.b * 255.0f + 0.5f)};
}

int brightness(const Rgb& colour) {
    return colour[0] + colour[1] + colour[2];
}

class ExploringRender : public RenderTest {
protected:
    Rgb at(const FrameImage& image, Point p) const { return colourAt(image, p.x, p.y); }

    Point position(int32_t node) const { return graph->scene.positions()[node]; }

    static Point midpoint(Point a, Point b) { return {(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f}; }

    // Where the straight relations of four leaves a1, a2, b1, b2 in the
    // radial layout run: a1 -> b1 through the centre, b2 -> a1 along the
    // top and a2 -> b1 along the bottom.
    struct Runs {
        Point across;
        Point top;
        Point bottom;
    };
    Runs runsOf(int32_t a1, int32_t a2, int32_t b1, int32_t b2) const {
        const Runs runs{midpoint(position(a1), position(b1)), midpoint(position(b2), position(a1)),
                        midpoint(position(a2), position(b1))};
        EXPECT_GT(runs.top.y, 0.3f);
        EXPECT_LT(runs.bottom.y, -0.3f);
        return runs;
    }

    void expectColourAt(const FrameImage& image, Point p, const Colour& colour,
                        const char* what) const {
        EXPECT_TRUE(near(at(image, p), byteColour(colour), 8))
            << what << ": " << testing_support::describe(at(image, p));
    }

    // The curve through p, bright in the plain frame, is dimmed in the
    // other but still there.
    void expectDimmedAt(const FrameImage& plain, const FrameImage& dimmed, Point p) const {
        const int before = brightness(at(plain, p));
        const int after = brightness(at(dimmed, p));
        EXPECT_GT(before, 150);
        EXPECT_LT(after, before * 0.3);
        EXPECT_GT(after, 0);
    }
};

// A pixel lit by anything brighter than a faint trace.
std::vector<bool> litMask(const FrameImage& image) {
    std::vector<bool> lit(static_cast<std::size_t>(image.width * image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            lit[static_cast<std::size_t>(y * image.width + x)] = p[0] + p[1] + p[2] > 90;
        }
    }
    return lit;
}

// The share of lit pixels of one mask (width by width) with a lit pixel of
// the other within `reach` pixels.
double shareMatched(const std::vector<bool>& from, const std::vector<bool>& to, int width,
                    int reach) {
    int lit = 0;
    int matched = 0;
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!from[static_cast<std::size_t>(y * width + x)]) {
                continue;
            }
            ++lit;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const int u = x + dx;
                    const int v = y + dy;
                    found = u >= 0 && v >= 0 && u < width && v < width &&
                            to[static_cast<std::size_t>(v * width + u)];
                }
            }
            matched += found ? 1 : 0;
        }
    }
    return lit == 0 ? 0.0 : static_cast<double>(matched) / lit;
}

// Four leaves in the radial layout at 45, 135, 225 and 315 degrees
// clockwise from the top: a1 upper right, a2 lower right, b1 lower left, b2
// upper left. With straight curves, a1 -> b1 runs through the centre,
// b2 -> a1 along the top and a2 -> b1 along the bottom.
TEST_F(ExploringRender, AHighlightDrawsItsRelationsInTheTwoColoursAndDimsTheRest) {
    load(graphText({-1, 0, 0, 1, 1, 2, 2}, {{3, 5}, {6, 3}, {4, 5}}));
    graph->settings.showTree = false;
    const FrameImage plain = draw(TreeLayoutType::Radial, 0.0f);
    const auto [across, top, bottom] = runsOf(3, 4, 5, 6);

    graph->view.highlighted = 3;
    const FrameImage highlighted = draw(TreeLayoutType::Radial, 0.0f);
    expectColourAt(highlighted, across, leavingColour, "leaving");
    expectColourAt(highlighted, top, arrivingColour, "arriving");
    expectDimmedAt(plain, highlighted, bottom);

    graph->view.highlighted = CompoundGraph::none;
    const FrameImage again = draw(TreeLayoutType::Radial, 0.0f);
    EXPECT_EQ(again.rgba, plain.rgba) << "letting go gives the plain picture back";
}

// The four leaves as above. The older version has a1 -> b1 and b2 -> a1,
// the newer one keeps a1 -> b1 and adds a2 -> b1: straight, the kept one
// runs through the centre, the removed one along the top, the added one
// along the bottom. In the union a1, a2, b1, b2 are 2, 3, 5, 6.
TEST_F(ExploringRender, AComparisonDrawsAddedAndRemovedRelationsInTheirColoursOverTheKept) {
    const std::vector<int> parents{-1, 0, 0, 1, 1, 2, 2};
    load(graphText(parents, {{3, 5}, {4, 5}}));
    graph->settings.showTree = false;
    const FrameImage plain = draw(TreeLayoutType::Radial, 0.0f);
    const Result<ComparedGraphs> both =
        compareGraphs(testing_support::graphOf(parents, {{3, 5}, {6, 3}}),
                      testing_support::graphOf(parents, {{3, 5}, {4, 5}}));
    graph->scene.setGraph(both.value().graph,
                          std::make_shared<const Comparison>(both.value().comparison));
    const FrameImage compared = draw(TreeLayoutType::Radial, 0.0f);
    const auto [across, top, bottom] = runsOf(2, 3, 5, 6);
    expectColourAt(compared, top, removedColour, "removed");
    expectColourAt(compared, bottom, addedColour, "added");
    expectDimmedAt(plain, compared, across);

    graph->settings.showKept = false;
    const FrameImage changes = draw(TreeLayoutType::Radial, 0.0f);
    EXPECT_EQ(brightness(at(changes, across)), 0) << "kept relations hidden";
    expectColourAt(changes, bottom, addedColour, "added, without the kept");
}

TEST_F(ExploringRender, LabelsAreWrittenInsideTheTreemapsRectangles) {
    load(graphText({-1, 0, 0, 1, 1, 2}));
    graph->settings.showSplines = false;
    graph->settings.showTree = false;
    const auto labelPixels = [](const FrameImage& image) {
        int count = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.pixel(x, y);
                // The tree is pure red on black; only text has green in it.
                count += p[1] > 100 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_EQ(labelPixels(draw(TreeLayoutType::TreeMapSquared)), 0);
    graph->settings.showLabels = true;
    const FrameImage labelled = draw(TreeLayoutType::TreeMapSquared);
    EXPECT_GT(labelPixels(labelled), 400);
    // The leaf n5's name sits in the middle of its rectangle.
    const Rect& r = treeMapRectangles(graph->scene.graph(), graph->scene.treeMap())[5];
    int inside = 0;
    const auto [x0, y0] = pixelOf(labelled, r.x0, r.y1);
    const auto [x1, y1] = pixelOf(labelled, r.x1, r.y0);
    for (int y = y0 + 4; y < y1 - 4; ++y) {
        for (int x = x0 + 4; x < x1 - 4; ++x) {
            inside += labelled.pixel(x, y)[1] > 100 ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 50);
}

TEST_F(ExploringRender, TheFontMeasuresRealTextAndItsPlacedLabelsNeverOverlap) {
    const TextAtlas text(framedLabelPixels);
    EXPECT_EQ(text.height(), framedLabelPixels);
    EXPECT_GT(text.width("MMMM"), text.width("iiii"));
    EXPECT_GT(text.width("i"), 0.0f);
    EXPECT_NEAR(text.width("abab"), 2.0f * text.width("ab"), 0.01f);

    load(graphText(testing_support::randomParents(400, 6)));
    graph->setLayout(TreeLayoutType::Radial);
    const std::shared_ptr<const SceneSnapshot> snapshot = snapshotOf(graph->scene);
    const Rect everything{-2.0f, -2.0f, 2.0f, 2.0f};
    const std::vector<Label> placed = labelsToShow(*snapshot, text, 600.0, everything, 17);
    ASSERT_GT(placed.size(), 10u);
    EXPECT_LT(placed.size(), snapshot->labels.size()) << "crowded: some are left out";
    EXPECT_EQ(placed.front().node, 17);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            ASSERT_FALSE(
                boxesOverlap(labelBox(placed[i], text, 600.0), labelBox(placed[j], text, 600.0)))
                << placed[i].text << " and " << placed[j].text;
        }
    }
}

// Zoom 2 on the upper right quarter: the zoomed frame, halved, is the
// quarter of the whole frame, up to the lines' fixed width in pixels.
TEST_F(ExploringRender, AZoomedFrameIsTheCropOfTheWholeOne) {
    load(graphText(testing_support::randomParents(60, 8),
                   {{5, 40}, {12, 33}, {20, 59}, {7, 51}, {44, 18}, {30, 9}}));
    const FrameImage whole = draw();
    const float half = DrawDescription::frameExtent / 2.0f;
    graph->view.region = {half, half, half};
    const FrameImage zoomed = draw();

    const int side = whole.width / 2;
    const std::vector<bool> wholeLit = litMask(whole);
    const std::vector<bool> zoomedLit = litMask(zoomed);
    std::vector<bool> crop(static_cast<std::size_t>(side * side));
    std::vector<bool> halved(static_cast<std::size_t>(side * side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            crop[static_cast<std::size_t>(y * side + x)] =
                wholeLit[static_cast<std::size_t>(y * whole.width + side + x)];
            bool any = false;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    any = any || zoomedLit[static_cast<std::size_t>((2 * y + dy) * zoomed.width +
                                                                    2 * x + dx)];
                }
            }
            halved[static_cast<std::size_t>(y * side + x)] = any;
        }
    }
    EXPECT_GT(shareMatched(crop, halved, side, 2), 0.97);
    EXPECT_GT(shareMatched(halved, crop, side, 2), 0.97);
    // Another quarter does not match: the test can tell them apart.
    std::vector<bool> otherQuarter(static_cast<std::size_t>(side * side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            otherQuarter[static_cast<std::size_t>(y * side + x)] =
                wholeLit[static_cast<std::size_t>((side + y) * whole.width + x)];
        }
    }
    EXPECT_LT(shareMatched(otherQuarter, halved, side, 2), 0.9);
}

} // namespace
