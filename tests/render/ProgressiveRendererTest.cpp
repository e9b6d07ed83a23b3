#include "render/ProgressiveRenderer.h"

#include "frame/SceneDrawing.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

class ProgressiveRendering : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
        targets.create();
        ASSERT_TRUE(renderer.prepare().ok());
        ASSERT_TRUE(loadColorRamps(targets.colorRampTextures).ok());
        std::mt19937 random(5);
        std::vector<std::pair<int, int>> relations;
        for (int i = 0; i < 3000; ++i) {
            relations.emplace_back(random() % 400, random() % 400);
        }
        graph = graphOf(randomParents(400, 21), relations);
    }

    void TearDown() override {
        renderer.release();
        targets.release();
    }

    // The frame drawn in one go, then in parts of a tenth of a millisecond.
    void expectSameFrameInParts(const ViewSettings& settings,
                                void (*restyle)(CurveSet&) = nullptr) {
        const Scene scene = sceneOf(graph, settings);
        DrawDescription frame = describeScene(scene, settings);
        if (restyle != nullptr) {
            restyle(frame.curves);
        }
        renderer.drawFrame(frame);
        const FrameImage whole = readFrame(targets);

        ProgressiveRenderer progressive(targets, renderer);
        progressive.start(std::make_shared<const DrawDescription>(frame));
        int calls = 0;
        while (progressive.advance(std::chrono::microseconds(100))) {
            ++calls;
            EXPECT_LT(progressive.done(), 1.0);
        }
        EXPECT_GT(calls, 3) << "drawn in several parts";
        EXPECT_GT(frame.curves.curveCount(), 2500);
        EXPECT_EQ(progressive.framesCompleted, 1);
        const FrameImage parts = readFrame(targets);
        EXPECT_TRUE(parts.rgba == whole.rgba)
            << "a frame drawn in parts differs from one in one go";
    }

    HeadlessGlContext gl;
    RenderTargets targets;
    FrameRenderer renderer{targets};
    CompoundGraph graph;
};

TEST_F(ProgressiveRendering, AlphaBlendedCurvesInPartsMatchOneGo) {
    ViewSettings settings;
    settings.blendMode = BlendModeType::Alpha;
    settings.beta = 0.7f;
    expectSameFrameInParts(settings);
}

TEST_F(ProgressiveRendering, TreeMapWithMaxBlendingAndNoOverlayInPartsMatchesOneGo) {
    ViewSettings settings;
    settings.layoutType = TreeLayoutType::TreeMapSquared;
    settings.blendMode = BlendModeType::Max;
    settings.showTree = false;
    expectSameFrameInParts(settings);
}

TEST_F(ProgressiveRendering, DensityInPartsMatchesOneGo) {
    ViewSettings settings;
    settings.blendMode = BlendModeType::Density;
    settings.layoutType = TreeLayoutType::Classic;
    expectSameFrameInParts(settings);
}

TEST_F(ProgressiveRendering, CurvesOfVaryingWidthsInPartsMatchOneGo) {
    ViewSettings settings;
    settings.blendMode = BlendModeType::Alpha;
    expectSameFrameInParts(settings, [](CurveSet& curves) {
        // Runs of 500 curves at widths 1 and 4, drawn last to first: runs
        // and batches end at different places.
        for (int32_t e = 0; e < curves.curveCount(); ++e) {
            curves.widths.push_back((e / 500) % 2 == 0 ? 1.0f : 4.0f);
            curves.order.push_back(curves.curveCount() - 1 - e);
        }
    });
}

TEST_F(ProgressiveRendering, AFrameOverAKeptPictureMatchesOneGoWhetherThatPictureWasShownOrNot) {
    const ViewSettings settings;
    const Scene scene = sceneOf(graph, settings);
    const auto plain = std::make_shared<const DrawDescription>(describeScene(scene, settings));
    // A node's highlight over the plain picture, as a window's session
    // makes it: its own curves only.
    const auto overFor = [&](int32_t node) {
        ViewState view;
        view.highlighted = node;
        DrawDescription highlighted = describeScene(scene, settings, view);
        const int32_t own = highlighted.curves.emphasisedPlaces;
        EXPECT_GT(own, 0);
        highlighted.under = plain;
        highlighted.underKept = dimmedOpacity;
        highlighted.tree = LineSet{};
        highlighted.showOverlay = false;
        std::vector<int32_t>& order = highlighted.curves.order;
        order.erase(order.begin(), order.end() - own);
        return std::make_shared<const DrawDescription>(std::move(highlighted));
    };
    const auto over = overFor(scene.bundles().source[0]);
    const auto another = overFor(scene.bundles().target[0]);
    renderer.drawFrame(*plain);
    const FrameImage plainWhole = readFrame(targets);
    renderer.drawFrame(*over);
    const FrameImage overWhole = readFrame(targets);
    renderer.drawFrame(*another);
    const FrameImage anotherWhole = readFrame(targets);
    ASSERT_FALSE(overWhole.rgba == plainWhole.rgba);

    const auto drawnInParts = [](ProgressiveRenderer& progressive, RenderTargets& into,
                                 const std::shared_ptr<const DrawDescription>& frame) {
        progressive.start(frame);
        while (progressive.advance(std::chrono::milliseconds(2))) {
        }
        return readFrame(into);
    };
    // The plain picture once shown is kept: highlights copy it, and so does
    // the plain picture when it comes back.
    ProgressiveRenderer shown(targets, renderer);
    EXPECT_TRUE(drawnInParts(shown, targets, plain).rgba == plainWhole.rgba);
    EXPECT_TRUE(drawnInParts(shown, targets, over).rgba == overWhole.rgba) << "over the kept";
    EXPECT_TRUE(drawnInParts(shown, targets, another).rgba == anotherWhole.rgba) << "and again";
    EXPECT_TRUE(drawnInParts(shown, targets, plain).rgba == plainWhole.rgba) << "the kept back";
    // Never shown, the picture under is drawn first (targets of its own, so
    // that nothing kept above can stand in for it).
    RenderTargets own;
    own.create();
    FrameRenderer ownRenderer(own);
    ASSERT_TRUE(ownRenderer.prepare().ok());
    ASSERT_TRUE(loadColorRamps(own.colorRampTextures).ok());
    ProgressiveRenderer fresh(own, ownRenderer);
    EXPECT_TRUE(drawnInParts(fresh, own, over).rgba == overWhole.rgba) << "the picture under first";
    EXPECT_EQ(fresh.framesCompleted, 1);
    ownRenderer.release();
    own.release();
}

TEST_F(ProgressiveRendering, ANewFrameReplacesOneInProgressAndTheOldStaysShownTillThen) {
    ViewSettings radial;
    const Scene first = sceneOf(graph, radial);
    renderer.drawFrame(describeScene(first, radial));
    const FrameImage shown = readFrame(targets);

    ViewSettings classic;
    classic.layoutType = TreeLayoutType::Classic;
    const Scene second = sceneOf(graph, classic);
    ProgressiveRenderer progressive(targets, renderer);
    progressive.start(std::make_shared<const DrawDescription>(describeScene(second, classic)));
    progressive.advance(std::chrono::microseconds(100));
    ASSERT_TRUE(progressive.drawing());
    EXPECT_TRUE(readFrame(targets).rgba == shown.rgba) << "the front frame is untouched";

    ViewSettings strip;
    strip.layoutType = TreeLayoutType::TreeMapStrip;
    const Scene third = sceneOf(graph, strip);
    const auto last = std::make_shared<const DrawDescription>(describeScene(third, strip));
    progressive.start(last);
    while (progressive.advance(std::chrono::milliseconds(5))) {
    }
    EXPECT_EQ(progressive.framesCompleted, 1);
    EXPECT_EQ(progressive.completedFrame(), last) << "the frame complete is the last started";
    renderer.drawFrame(describeScene(third, strip));
    const FrameImage expected = readFrame(targets);
    // drawFrame drew into the texture that is now the front one: compare
    // against a fresh progressive frame instead.
    ProgressiveRenderer again(targets, renderer);
    again.start(last);
    while (again.advance(std::chrono::milliseconds(50))) {
    }
    EXPECT_TRUE(readFrame(targets).rgba == expected.rgba);
}

} // namespace
