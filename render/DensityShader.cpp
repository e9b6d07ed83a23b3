#include "render/DensityShader.h"

#include "render/GlslProgram.h"

#include <GL/glew.h>

#include <cmath>

namespace {

const char* const vertexSource = R"(#version 130
out vec2 coordinate;
void main() {
    gl_Position = ftransform();
    coordinate = gl_MultiTexCoord0.st;
}
)";

const char* const fragmentSource = R"(#version 130
uniform sampler2D density;
uniform sampler1D ramp;
uniform float logLargest;
in vec2 coordinate;
void main() {
    float count = texture(density, coordinate).r;
    if (count <= 0.0) {
        discard;
    }
    gl_FragColor = vec4(texture1D(ramp, log(1.0 + count) / logLargest).rgb, 1.0);
}
)";

} // namespace

Status DensityShader::prepare() {
    if (program != 0) {
        return {};
    }
    const Result<uint32_t> linked = linkGlslProgram(vertexSource, fragmentSource);
    if (!linked) {
        return Error("the density shader did not build: " + linked.error().reason);
    }
    program = linked.value();
    return {};
}

void DensityShader::draw(float largest, const FrameRegion& region) {
    const float left = region.centreX - region.halfExtent;
    const float right = region.centreX + region.halfExtent;
    const float bottom = region.centreY - region.halfExtent;
    const float top = region.centreY + region.halfExtent;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "density"), 1);
    glUniform1i(glGetUniformLocation(program, "ramp"), 0);
    glUniform1f(glGetUniformLocation(program, "logLargest"), std::log(1.0f + largest));
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, top);
    glEnd();
    glUseProgram(0);
}

void DensityShader::release() {
    if (program != 0) {
        glDeleteProgram(program);
    }
    program = 0;
}
