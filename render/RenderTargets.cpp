#include "render/RenderTargets.h"

#include <GL/glew.h>

#include <initializer_list>

void RenderTargets::create() {
    glGenBuffers(1, &splineBuffer);

    frameWidth = frameSize;
    frameHeight = frameSize;
    glGenFramebuffersEXT(1, &frameBuffer);

    for (uint32_t* texture : {&backTexture, &frameTexture}) {
        glGenTextures(1, texture);
        glBindTexture(GL_TEXTURE_2D, *texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, frameWidth, frameHeight, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // Trilinear, so that the frame's mipmaps serve when it is shown smaller.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glGenTextures(1, &densityTexture);
    glBindTexture(GL_TEXTURE_2D, densityTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, frameWidth, frameHeight, 0, GL_RED, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // The frame texture stays bound, as drawing expects.
    glBindTexture(GL_TEXTURE_2D, frameTexture);
}

void RenderTargets::release() {
    if (frameTexture != 0) {
        glDeleteTextures(1, &frameTexture);
        glDeleteTextures(1, &backTexture);
        glDeleteTextures(1, &densityTexture);
        glDeleteFramebuffersEXT(1, &frameBuffer);
        glDeleteBuffers(1, &splineBuffer);
    }
    for (uint32_t& ramp : colorRampTextures) {
        if (ramp != 0) {
            glDeleteTextures(1, &ramp);
        }
    }
    *this = RenderTargets();
}
