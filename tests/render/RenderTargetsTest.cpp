#include "render/RenderTargets.h"

#include "render/ColorRamps.h"
#include "render/HeadlessGlContext.h"
#include "tests/support/TestFiles.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

GLint frameParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint frameLevelParameter(GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// Runs from the repository root, so the shipped ramp images are read.
TEST(RenderTargets, MakesTheBufferNamesAndA2048SquareFrameFilteredTrilinearly) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
    RenderTargets targets;
    testing_support::CoutCapture output;
    targets.create();
    EXPECT_TRUE(loadColorRamps(targets.colorRampTextures).ok());
    EXPECT_EQ(output.text(), "");

    EXPECT_NE(targets.curveBuffer(1), 0u);
    EXPECT_NE(targets.curveBuffer(1), targets.curveBuffer(0));
    EXPECT_NE(targets.frameBuffer, 0u);
    for (const uint32_t ramp : targets.colorRampTextures) {
        EXPECT_NE(ramp, 0u);
    }

    EXPECT_EQ(targets.frameWidth, 2048);
    EXPECT_EQ(targets.frameHeight, 2048);
    ASSERT_NE(targets.frameTexture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), targets.frameTexture) << "left bound";
    EXPECT_EQ(frameLevelParameter(GL_TEXTURE_WIDTH), 2048);
    EXPECT_EQ(frameLevelParameter(GL_TEXTURE_HEIGHT), 2048);
    EXPECT_EQ(frameLevelParameter(GL_TEXTURE_ALPHA_SIZE), 8);
    EXPECT_EQ(frameParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(frameParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(frameParameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(frameParameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    targets.release();
    EXPECT_EQ(targets.frameTexture, 0u);
    EXPECT_EQ(targets.colorRampTextures[0], 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
