#include "frame/SceneDrawing.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/FrameRenderer.h"
#include "render/HeadlessGlContext.h"
#include "tests/support/GraphFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

// The curves as fixed-function GL draws them, one call and one colour per
// curve, with a buffer of ramp coordinates: the way the viewer drew them
// before they were batched.
void drawCurvesOneByOne(const CurveSet& curves, const RenderTargets& targets) {
    std::vector<float> coordinates;
    for (int32_t e = 0; e < curves.curveCount(); ++e) {
        coordinates.insert(coordinates.end(), curves.parameters.begin(), curves.parameters.end());
    }
    glLineWidth(curves.width);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, targets.colorRampTextures[curves.colorRamp - 1]);
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, 0, coordinates.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, curves.points.data());
    const auto perCurve = static_cast<GLsizei>(curves.parameters.size());
    for (int32_t e = 0; e < curves.curveCount(); ++e) {
        glColor4f(1.0f, 1.0f, 1.0f, curves.opacity[static_cast<std::size_t>(e)]);
        glDrawArrays(GL_LINE_STRIP, perCurve * e, perCurve);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_1D);
}

TEST(BatchedCurves, ManyVertexBuffersGiveThePixelsOfOneDrawPerCurve) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
    RenderTargets targets;
    targets.create();
    FrameRenderer renderer(targets);
    ASSERT_TRUE(renderer.prepare().ok());
    ASSERT_TRUE(loadColorRamps(targets.colorRampTextures).ok());

    std::mt19937 random(17);
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 2 * RenderTargets::curvesPerBuffer + 500; ++i) {
        relations.emplace_back(random() % 3000, random() % 3000);
    }
    ViewSettings settings;
    settings.splineWidth = 1.0f;
    settings.blendMode = BlendModeType::Alpha;
    settings.minAlpha = 0.05f;
    const Scene scene = sceneOf(graphOf(randomParents(3000, 4), relations), settings);
    const CurveSet curves = describeCurves(scene, settings);
    ASSERT_GT(curves.curveCount(), 2 * RenderTargets::curvesPerBuffer) << "three buffers";

    renderer.enterFrame(targets.frameTexture, FrameRegion{});
    renderer.clear(Colour{});
    renderer.drawCurves(curves);
    renderer.leaveFrame();
    const FrameImage batched = readFrame(targets);

    renderer.enterFrame(targets.frameTexture, FrameRegion{});
    renderer.clear(Colour{});
    drawCurvesOneByOne(curves, targets);
    renderer.leaveFrame();
    const FrameImage oneByOne = readFrame(targets);
    EXPECT_TRUE(batched.rgba == oneByOne.rgba);

    renderer.release();
    targets.release();
}

} // namespace
