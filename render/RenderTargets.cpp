#include "render/RenderTargets.h"

#include <GL/glew.h>

#include <algorithm>
#include <initializer_list>

namespace {

// A frame-sized texture, filtered trilinearly so that its mipmaps serve when
// it is shown smaller.
uint32_t frameSizedTexture(int32_t width, int32_t height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

} // namespace

void RenderTargets::create(int32_t size) {
    frameWidth = size;
    frameHeight = size;
    glGenFramebuffersEXT(1, &frameBuffer);
    // Left bound, as drawing expects.
    frameTexture = frameSizedTexture(frameWidth, frameHeight);
}

uint32_t RenderTargets::curveBuffer(std::size_t index) {
    while (curveBuffers.size() <= index) {
        GLuint buffer = 0;
        glGenBuffers(1, &buffer);
        curveBuffers.push_back(buffer);
    }
    return curveBuffers[index];
}

uint32_t RenderTargets::back() {
    if (backTexture == 0) {
        backTexture = frameSizedTexture(frameWidth, frameHeight);
        glBindTexture(GL_TEXTURE_2D, frameTexture);
    }
    return backTexture;
}

uint32_t RenderTargets::kept() {
    if (keptTexture == 0) {
        keptTexture = frameSizedTexture(frameWidth, frameHeight);
        // Only ever copied at its own size: no mipmaps to make.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, frameTexture);
    }
    return keptTexture;
}

uint32_t RenderTargets::density() {
    if (densityTexture == 0) {
        glGenTextures(1, &densityTexture);
        glBindTexture(GL_TEXTURE_2D, densityTexture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, frameWidth, frameHeight, 0, GL_RED, GL_FLOAT,
                     nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, frameTexture);
    }
    return densityTexture;
}

void RenderTargets::release() {
    if (frameTexture != 0) {
        glDeleteTextures(1, &frameTexture);
        for (const GLuint texture : {backTexture, keptTexture, densityTexture}) {
            if (texture != 0) {
                glDeleteTextures(1, &texture);
            }
        }
        glDeleteFramebuffersEXT(1, &frameBuffer);
        if (!curveBuffers.empty()) {
            glDeleteBuffers(static_cast<GLsizei>(curveBuffers.size()), curveBuffers.data());
        }
    }
    for (uint32_t& ramp : colorRampTextures) {
        if (ramp != 0) {
            glDeleteTextures(1, &ramp);
        }
    }
    *this = RenderTargets();
}

int32_t largestFrameSize() {
    GLint texture = 0;
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return std::min({texture, viewport[0], viewport[1]});
}
