#include "tests/render/RenderFixture.h"

#include "frame/LegendLayout.h"
#include "render/FrameRenderer.h"
#include "render/TextAtlas.h"
#include "settings/BlendModeType.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::describe;
using testing_support::graphText;
using testing_support::near;
using testing_support::RenderTest;
using testing_support::Rgb;

const Rgb black{0, 0, 0};
const Rgb red{255, 0, 0};

// A root with eight leaves: on the radial layout the leaves sit 45 degrees
// apart on the circle of radius 0.8, so leaves 1 and 2 are neighbours and 1
// and 5 lie opposite each other.
std::string starGraph(const std::vector<std::pair<int, int>>& relations) {
    return graphText({-1, 0, 0, 0, 0, 0, 0, 0, 0}, relations);
}

// Straight curves of two samples from x = -0.8 to 0.8, one at each height,
// opaque, without a ramp: white.
CurveSet levelCurves(const std::vector<float>& heights) {
    CurveSet curves;
    std::vector<float> points;
    for (const float y : heights) {
        points.insert(points.end(), {-0.8f, y, 0.8f, y});
    }
    curves.points = SharedValues<float>::copyOf(points);
    curves.parameters = {0.0f, 1.0f};
    curves.opacity.assign(heights.size(), 1.0f);
    curves.colorRamp = 0;
    return curves;
}

class FrameComposition : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        graph->settings.showTree = false;
    }

    // A frame of the curves alone, over black.
    FrameImage drawAlone(const CurveSet& curves) {
        FrameRenderer renderer(graph->targets);
        EXPECT_TRUE(renderer.prepare().ok());
        renderer.enterFrame(graph->targets.frameTexture, FrameRegion{});
        renderer.clear(Colour{});
        renderer.drawCurves(curves);
        renderer.leaveFrame();
        renderer.release();
        return readFrame(graph->targets);
    }

    Rgb pointColour(const FrameImage& image, int from, int to, float t) {
        const Node a = graph->node(from);
        const Node b = graph->node(to);
        return colourAt(image, a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
    }
};

TEST_F(FrameComposition, WithoutSplinesAndOverlayOnlyTheRedTreeIsDrawn) {
    load(graphText(testing_support::randomParents(40, 3)));
    graph->settings.showSplines = false;
    for (int type = 0; type <= 4; ++type) {
        const FrameImage image = draw(static_cast<TreeLayoutType>(type));
        int redPixels = 0;
        int lowestRedRow = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.pixel(x, y);
                const Rgb colour{p[0], p[1], p[2]};
                ASSERT_TRUE(colour == black || colour == red)
                    << "layout " << type << " pixel " << x << "," << y << " " << describe(colour);
                if (colour == red) {
                    ++redPixels;
                    lowestRedRow = y;
                }
            }
        }
        EXPECT_GT(redPixels, 1000) << "layout " << type;
        switch (type) {
        case 0:
            EXPECT_EQ(colourAt(image, 0.0f, 0.8f), red) << "innermost ring at the top";
            EXPECT_EQ(colourAt(image, 0.0f, 0.0f), black);
            break;
        case 1:
            // Drawn mirrored upwards: nothing below the middle line.
            EXPECT_LE(lowestRedRow, image.height / 2 + 2);
            break;
        default:
            EXPECT_EQ(colourAt(image, -1.0f, 0.0f), red) << "treemap outline at the frame's border";
            break;
        }
    }
}

TEST_F(FrameComposition, SplineColourRunsAlongTheChosenRampFromSourceToTarget) {
    load(starGraph({{1, 5}}));
    for (int ramp = 1; ramp <= 5; ++ramp) {
        graph->settings.colorRamp = ramp;
        const FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
        for (float t : {2.5f / 49.0f, 24.5f / 49.0f, 46.5f / 49.0f}) {
            const Rgb seen = pointColour(image, 1, 5, t);
            EXPECT_TRUE(near(seen, rampTexel(ramp, t), 6))
                << "ramp " << ramp << " t " << t << ": " << describe(seen) << " vs "
                << describe(rampTexel(ramp, t));
        }
        EXPECT_TRUE(near(pointColour(image, 1, 5, 1.0f / 49.0f), rampTexel(ramp, 0.0f), 40))
            << "ramp " << ramp;
        EXPECT_TRUE(near(pointColour(image, 1, 5, 48.0f / 49.0f), rampTexel(ramp, 1.0f), 40))
            << "ramp " << ramp;
    }
    // The default ramp tells the two ends apart at a glance.
    const Rgb source = rampTexel(3, 0.0f);
    const Rgb target = rampTexel(3, 1.0f);
    EXPECT_FALSE(near(source, target, 100)) << describe(source) << " vs " << describe(target);
}

TEST_F(FrameComposition, AlphaModeFadesLongSplinesAndFlipReversesIt) {
    load(starGraph({{1, 2}, {1, 5}}));
    graph->settings.blendMode = BlendModeType::Alpha;
    graph->settings.minAlpha = 0.1f;
    const Rgb middle = rampTexel(3, 0.5f);
    const auto faded = [&](float alpha) {
        return Rgb{static_cast<int>(middle[0] * alpha), static_cast<int>(middle[1] * alpha),
                   static_cast<int>(middle[2] * alpha)};
    };

    FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
    Rgb shortSpline = pointColour(image, 1, 2, 0.5f);
    Rgb longSpline = pointColour(image, 1, 5, 0.5f);
    EXPECT_TRUE(near(shortSpline, middle, 8)) << describe(shortSpline);
    EXPECT_TRUE(near(longSpline, faded(0.1f), 4))
        << describe(longSpline) << " vs " << describe(faded(0.1f));

    graph->settings.flipAlpha = true;
    image = draw(TreeLayoutType::Radial, 0.0f);
    shortSpline = pointColour(image, 1, 2, 0.5f);
    longSpline = pointColour(image, 1, 5, 0.5f);
    EXPECT_TRUE(near(shortSpline, faded(0.1f), 4)) << describe(shortSpline);
    EXPECT_TRUE(near(longSpline, middle, 8)) << describe(longSpline);

    graph->settings.blendMode = BlendModeType::None;
    image = draw(TreeLayoutType::Radial, 0.0f);
    EXPECT_TRUE(near(pointColour(image, 1, 2, 0.5f), middle, 8));
    EXPECT_TRUE(near(pointColour(image, 1, 5, 0.5f), middle, 8));
}

TEST_F(FrameComposition, SplinesOfEqualLengthAreOpaque) {
    load(starGraph({{1, 5}}));
    graph->settings.blendMode = BlendModeType::Alpha;
    graph->settings.minAlpha = 0.0f;
    const FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
    EXPECT_EQ(graph->minSplineLength(), graph->maxSplineLength());
    EXPECT_TRUE(near(pointColour(image, 1, 5, 0.5f), rampTexel(3, 0.5f), 8));
}

TEST_F(FrameComposition, MaxModeKeepsTheBrighterChannelOfEveryLayer) {
    graph->settings.blendMode = BlendModeType::Max;
    load(starGraph({{1, 5}}));
    const FrameImage first = draw(TreeLayoutType::Radial, 0.3f);
    load(starGraph({{3, 7}}));
    const FrameImage second = draw(TreeLayoutType::Radial, 0.3f);
    load(starGraph({{1, 5}, {3, 7}}));
    const FrameImage both = draw(TreeLayoutType::Radial, 0.3f);
    int differing = 0;
    for (std::size_t n = 0; n < both.rgba.size(); n += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (both.rgba[n + c] != std::max(first.rgba[n + c], second.rgba[n + c])) {
                ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(FrameComposition, DensityShowsHowManyCurvesCoverAPixelThroughTheRamp) {
    // Leaves 1 and 5, 3 and 7 lie opposite each other: at strength 0 their
    // two chords cross at the centre, where two curves cover each pixel and
    // the scale tops out; elsewhere one does.
    load(starGraph({{1, 5}, {3, 7}}));
    graph->settings.blendMode = BlendModeType::Density;
    const FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
    const Rgb crossing = colourAt(image, 0.0f, 0.0f);
    const Rgb single = pointColour(image, 1, 5, 0.25f);
    EXPECT_TRUE(near(crossing, rampTexel(3, 1.0f - 1e-6f), 2)) << describe(crossing);
    const float once = std::log(2.0f) / std::log(3.0f);
    EXPECT_TRUE(near(single, rampTexel(3, once), 2))
        << describe(single) << " vs " << describe(rampTexel(3, once));
    EXPECT_EQ(colourAt(image, 0.3f, 0.3f), black) << "no curve there";
}

TEST_F(FrameComposition, EqualisedDensityGivesTheCommonCountTheRampsMiddle) {
    // The crossing chords again: nearly every covered pixel is covered once,
    // so that count ranks about half way (where the log scale put it at
    // log 2 / log 3), and the few crossing pixels top the ramp.
    load(starGraph({{1, 5}, {3, 7}}));
    graph->settings.blendMode = BlendModeType::Density;
    graph->settings.densityScale = DensityScaleType::EqHist;
    const FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
    const Rgb single = pointColour(image, 1, 5, 0.25f);
    const Rgb crossing = colourAt(image, 0.0f, 0.0f);
    EXPECT_TRUE(near(single, rampTexel(3, 0.5f), 4))
        << describe(single) << " vs " << describe(rampTexel(3, 0.5f));
    EXPECT_TRUE(near(crossing, rampTexel(3, 1.0f - 1e-6f), 2)) << describe(crossing);
}

TEST_F(FrameComposition, GroupColoursPaintTheCurvesAndTheBandsOutsideTheLeaves) {
    // Groups n1 (leaves 3 and 4) and n2 (leaves 5 and 6), of two leaves
    // each: by name, n1 takes the palette's first colour, orange, and n2 its
    // second, sky blue. Leaf 3 lies at 45 degrees, leaf 6 at 315.
    load(graphText({-1, 0, 0, 1, 1, 2, 2}, {{3, 5}}));
    const Rgb orange{0xE6, 0x9F, 0x00};
    const Rgb skyBlue{0x56, 0xB4, 0xE9};
    // The bands' middle: three tree lines of 3 pixels wide, one line away
    // from the leaves' boxes, which run from the leaf circle at 0.8 to 0.9.
    const float band = 0.9f + 7.5f * 2.02f / 2048.0f;
    const float diagonal = band * std::sqrt(0.5f);
    graph->settings.colorBy = ColorBy::SourceGroup;
    FrameImage image = draw(TreeLayoutType::Radial, 0.0f);
    Rgb seen = pointColour(image, 3, 5, 0.3f);
    EXPECT_TRUE(near(seen, orange, 2)) << describe(seen);
    seen = colourAt(image, diagonal, diagonal);
    EXPECT_TRUE(near(seen, orange, 2)) << "n1's band: " << describe(seen);
    seen = colourAt(image, -diagonal, diagonal);
    EXPECT_TRUE(near(seen, skyBlue, 2)) << "n2's band: " << describe(seen);
    graph->settings.colorBy = ColorBy::TargetGroup;
    image = draw(TreeLayoutType::Radial, 0.0f);
    seen = pointColour(image, 3, 5, 0.3f);
    EXPECT_TRUE(near(seen, skyBlue, 2)) << describe(seen);
}

TEST_F(FrameComposition, TheKeyIsWrittenIntoTheFramesCornerWhenItIsShown) {
    DrawDescription frame;
    frame.background = {1.0f, 1.0f, 1.0f, 1.0f};
    frame.showCurves = false;
    frame.showOverlay = false;
    const Colour green{0.0f, 1.0f, 0.0f, 1.0f};
    frame.legend = {LegendSwatch{green, "abc"}};
    const TextAtlas text(24.0f);
    const LegendLayout layout = layOutLegend(frame.legend, {}, text);
    const PixelBox place = legendPlace(layout, 2048.0f, 2048.0f);
    const PixelBox& swatch = layout.fills[1].box;
    const auto swatchX = static_cast<int>(place.x + swatch.x + swatch.width / 2.0f);
    const auto swatchY = static_cast<int>(place.y + swatch.y + swatch.height / 2.0f);
    const auto cornerX = static_cast<int>(place.x + 2.0f);
    const auto cornerY = static_cast<int>(place.y + 2.0f);
    FrameRenderer renderer(graph->targets);
    ASSERT_TRUE(renderer.prepare().ok());
    for (const bool shown : {false, true}) {
        frame.showLegend = shown;
        renderer.drawFrame(frame);
        renderer.writeLegend(graph->targets.frameTexture, frame, text);
        const FrameImage image = readFrame(graph->targets);
        const uint8_t* inSwatch = image.pixel(swatchX, swatchY);
        const uint8_t* inBox = image.pixel(cornerX, cornerY);
        if (shown) {
            EXPECT_EQ((Rgb{inSwatch[0], inSwatch[1], inSwatch[2]}), (Rgb{0, 255, 0}));
            // A quarter of the white shows through the box.
            EXPECT_TRUE(near(Rgb{inBox[0], inBox[1], inBox[2]}, Rgb{64, 64, 64}, 2));
        } else {
            EXPECT_EQ((Rgb{inSwatch[0], inSwatch[1], inSwatch[2]}), (Rgb{255, 255, 255}));
        }
    }
    EXPECT_GT(place.x, 1700.0f) << "in the bottom right corner";
    EXPECT_GT(place.y, 1900.0f);
    renderer.release();
}

TEST_F(FrameComposition, EachCurveTakesItsOwnWidth) {
    CurveSet curves = levelCurves({0.4f, -0.4f});
    curves.width = 5.0f;
    curves.widths = {2.0f, 12.0f};
    const FrameImage image = drawAlone(curves);
    // The pixels lit in the middle column, above and below the centre: the
    // band each horizontal line covers is as high as the line is wide.
    const int column = pixelOf(image, 0.0f, 0.0f).first;
    int upper = 0;
    int lower = 0;
    for (int y = 0; y < image.height; ++y) {
        const bool lit = image.pixel(column, y)[0] > 0;
        (y < image.height / 2 ? upper : lower) += lit ? 1 : 0;
    }
    EXPECT_NEAR(upper, 2, 1);
    EXPECT_NEAR(lower, 12, 1);
}

TEST_F(FrameComposition, DensityCountsEachCurveByItsWeight) {
    CurveSet curves = levelCurves({0.4f, -0.4f});
    curves.width = 3.0f;
    curves.weights = {1.0f, 9.0f};
    curves.colorRamp = 3;
    curves.blendMode = BlendModeType::Density;
    const FrameImage image = drawAlone(curves);
    // Counts 1 and 9, the largest 9: the heavy curve at the ramp's top, the
    // light one at log 2 / log 10.
    const float light = std::log(2.0f) / std::log(10.0f);
    ASSERT_FALSE(near(rampTexel(3, light), rampTexel(3, 1.0f - 1e-6f), 20));
    const Rgb heavySeen = colourAt(image, 0.0f, -0.4f);
    const Rgb lightSeen = colourAt(image, 0.0f, 0.4f);
    EXPECT_TRUE(near(heavySeen, rampTexel(3, 1.0f - 1e-6f), 2)) << describe(heavySeen);
    EXPECT_TRUE(near(lightSeen, rampTexel(3, light), 2))
        << describe(lightSeen) << " vs " << describe(rampTexel(3, light));
}

TEST_F(FrameComposition, FixedColoursTakeTheCurvesOpacity) {
    CurveSet curves = levelCurves({0.4f, 0.0f, -0.4f});
    curves.width = 3.0f;
    curves.blendMode = BlendModeType::Alpha;
    curves.opacity = {0.5f, 1.0f, 1.0f};
    curves.fixedColours = {{0.8f, 0.4f, 1.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 0.5f}};
    // The third names no fixed colour: along the ramp, white here.
    curves.colourIndex = {1, 2, 3};
    const FrameImage image = drawAlone(curves);
    const Rgb halfOpacity = colourAt(image, 0.0f, 0.4f);
    const Rgb halfAlpha = colourAt(image, 0.0f, 0.0f);
    const Rgb none = colourAt(image, 0.0f, -0.4f);
    EXPECT_TRUE(near(halfOpacity, Rgb{102, 51, 128}, 2)) << describe(halfOpacity);
    EXPECT_TRUE(near(halfAlpha, Rgb{0, 128, 0}, 2)) << describe(halfAlpha);
    EXPECT_EQ(none, (Rgb{255, 255, 255}));
}

TEST_F(FrameComposition, CurvesInADashedColourAreDrawnHalfInDashes) {
    CurveSet curves = levelCurves({0.4f, -0.4f});
    curves.width = 3.0f;
    curves.fixedColours = {{0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 1.0f}};
    curves.colourIndex = {1, 2};
    curves.dashColour(1);
    const FrameImage image = drawAlone(curves);
    const auto litAlong = [&image](float y) {
        const int row = pixelOf(image, 0.0f, y).second;
        int lit = 0;
        int runs = 0;
        bool before = false;
        for (int x = 0; x < image.width; ++x) {
            const bool on = image.pixel(x, row)[1] > 128;
            lit += on ? 1 : 0;
            runs += on && !before ? 1 : 0;
            before = on;
        }
        return std::pair{lit, runs};
    };
    const auto [dashedLit, dashes] = litAlong(0.4f);
    const auto [plainLit, plainRuns] = litAlong(-0.4f);
    EXPECT_EQ(plainRuns, 1);
    EXPECT_EQ(dashes, 16);
    EXPECT_NEAR(static_cast<double>(dashedLit) / plainLit, 0.5, 0.05);
}

TEST_F(FrameComposition, OverlayIsTranslucentOverTheSplines) {
    load(graphText({-1, 0, 1, 1}, {{2, 3}}));
    graph->settings.showSplines = false;
    graph->settings.showTree = true;
    const FrameImage image = draw(TreeLayoutType::Classic);
    const Node child = graph->node(1);
    const Node root = graph->node(0);
    const Rgb overlay = colourAt(image, (child.x + root.x) / 2.0f, (child.y + root.y) / 2.0f);
    // 0.8, 0.8, 1.0 at half opacity over black.
    EXPECT_TRUE(near(overlay, Rgb{102, 102, 128}, 2)) << describe(overlay);
}

} // namespace
