#include "render/DensityShader.h"
#include "render/RegionQuad.h"

#include "render/GlslProgram.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <vector>

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
uniform bool equalised;
uniform sampler2D ranks;
uniform int rankWidth;
uniform int rankCount;
in vec2 coordinate;
void main() {
    float count = texture(density, coordinate).r;
    if (count <= 0.0) {
        discard;
    }
    float place;
    if (equalised) {
        int c = min(int(count + 0.5), rankCount - 1);
        place = texelFetch(ranks, ivec2(c % rankWidth, c / rankWidth), 0).r;
    } else {
        place = log(1.0 + count) / logLargest;
    }
    gl_FragColor = vec4(texture1D(ramp, place).rgb, 1.0);
}
)";

constexpr int32_t rankWidth = 2048;
constexpr GLint rankUnit = 2;

} // namespace

Status DensityShader::prepare() {
    return shader.prepare("density", vertexSource, fragmentSource);
}

void DensityShader::draw(const DensityScale& scale, const FrameRegion& region) {
    glUseProgram(shader.program);
    glUniform1i(glGetUniformLocation(shader.program, "density"), 1);
    glUniform1i(glGetUniformLocation(shader.program, "ramp"), 0);
    glUniform1f(glGetUniformLocation(shader.program, "logLargest"),
                std::log(1.0f + scale.largest()));
    const std::span<const float> ranks = scale.ranks();
    const bool equalised = scale.type() == DensityScaleType::EqHist && !ranks.empty();
    glUniform1i(glGetUniformLocation(shader.program, "equalised"), equalised ? 1 : 0);
    // Samplers of two kinds may not share a unit, even one left unread.
    glUniform1i(glGetUniformLocation(shader.program, "ranks"), rankUnit);
    if (equalised) {
        const auto count = static_cast<int32_t>(ranks.size());
        const int32_t rows = (count + rankWidth - 1) / rankWidth;
        std::vector<float> texels(static_cast<std::size_t>(rows) * rankWidth, 1.0f);
        std::copy(ranks.begin(), ranks.end(), texels.begin());
        glActiveTexture(GL_TEXTURE0 + rankUnit);
        glBindTexture(GL_TEXTURE_2D, shader.texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, rankWidth, rows, 0, GL_RED, GL_FLOAT,
                     texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glActiveTexture(GL_TEXTURE0);
        glUniform1i(glGetUniformLocation(shader.program, "rankWidth"), rankWidth);
        glUniform1i(glGetUniformLocation(shader.program, "rankCount"), count);
    }
    drawRegionQuad(region);
    glUseProgram(0);
    if (equalised) {
        glActiveTexture(GL_TEXTURE0 + rankUnit);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
    }
}

void DensityShader::release() {
    shader.release();
}
