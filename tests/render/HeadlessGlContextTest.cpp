#include "render/HeadlessGlContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

// Clears a texture attached to a framebuffer object and reads it back: the
// path every off-screen drawing takes.
TEST(HeadlessGlContext, ClearsAFramebufferTextureAndReadsItBack) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();

    constexpr int size = 4;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLuint framebuffer = 0;
    glGenFramebuffersEXT(1, &framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture,
                              0);
    ASSERT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), GLenum(GL_FRAMEBUFFER_COMPLETE_EXT));

    glViewport(0, 0, size, size);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    std::array<uint8_t, size * size * 4> pixels{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    for (int pixel = 0; pixel < size * size; ++pixel) {
        EXPECT_EQ(pixels[pixel * 4 + 0], 51) << "pixel " << pixel;
        EXPECT_EQ(pixels[pixel * 4 + 1], 102) << "pixel " << pixel;
        EXPECT_EQ(pixels[pixel * 4 + 2], 153) << "pixel " << pixel;
        EXPECT_EQ(pixels[pixel * 4 + 3], 255) << "pixel " << pixel;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteFramebuffersEXT(1, &framebuffer);
    glDeleteTextures(1, &texture);
}

// A second context after the first is gone: every render test makes its own.
TEST(HeadlessGlContext, CanBeMadeAgainAfterRelease) {
    { HeadlessGlContext first; }
    HeadlessGlContext second;
    ASSERT_TRUE(second.status().ok()) << second.status().error().describe();
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

} // namespace
