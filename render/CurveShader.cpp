#include "render/CurveShader.h"

#include "render/GlslProgram.h"
#include "render/RenderTargets.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

namespace {

// Opacities are stored in rows of this many texels.
constexpr int32_t opacityRow = 2048;
constexpr GLint opacityUnit = 1;

const char* const vertexSource = R"(#version 130
uniform float parameters[64];
uniform int samplesPerCurve;
uniform sampler2D opacities;
uniform int opacityRow;
uniform int curveOffset;
out float rampCoordinate;
flat out float opacity;
flat out int emphasis;
void main() {
    gl_Position = ftransform();
    int inBuffer = gl_VertexID / samplesPerCurve;
    rampCoordinate = parameters[gl_VertexID - inBuffer * samplesPerCurve];
    int curve = curveOffset + inBuffer;
    vec2 data = texelFetch(opacities, ivec2(curve % opacityRow, curve / opacityRow), 0).rg;
    opacity = data.r;
    emphasis = int(data.g + 0.5);
}
)";

const char* const fragmentSource = R"(#version 130
uniform sampler1D ramp;
uniform bool textured;
uniform bool counting;
uniform vec4 emphasisColours[2];
in float rampCoordinate;
flat in float opacity;
flat in int emphasis;
void main() {
    if (counting) {
        gl_FragColor = vec4(1.0);
        return;
    }
    if (emphasis > 0) {
        gl_FragColor = emphasisColours[emphasis - 1];
        return;
    }
    vec4 colour = vec4(1.0, 1.0, 1.0, opacity);
    if (textured) {
        colour *= texture1D(ramp, rampCoordinate);
    }
    gl_FragColor = colour;
}
)";

} // namespace

CurveShader::~CurveShader() = default;

Status CurveShader::prepare() {
    if (program != 0) {
        return {};
    }
    const Result<uint32_t> linked = linkGlslProgram(vertexSource, fragmentSource);
    if (!linked) {
        return Error("the curve shader did not build: " + linked.error().reason);
    }
    program = linked.value();
    glGenTextures(1, &opacityTexture);
    return {};
}

void CurveShader::load(const CurveSet& curves) {
    samplesPerCurve = static_cast<int32_t>(curves.parameters.size());
    const int32_t count = curves.curveCount();
    const int32_t rows = std::max(1, (count + opacityRow - 1) / opacityRow);
    // Per curve its opacity and its emphasis.
    std::vector<float> texels(static_cast<std::size_t>(rows) * opacityRow * 2, 0.0f);
    for (std::size_t e = 0; e < curves.opacity.size(); ++e) {
        texels[2 * e] = curves.opacity[e];
        texels[2 * e + 1] = curves.emphasis.empty() ? 0.0f : curves.emphasis[e];
    }
    glActiveTexture(GL_TEXTURE0 + opacityUnit);
    glBindTexture(GL_TEXTURE_2D, opacityTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG32F, opacityRow, rows, 0, GL_RG, GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);

    glUseProgram(program);
    glUniform1fv(glGetUniformLocation(program, "parameters"), samplesPerCurve,
                 curves.parameters.data());
    glUniform1i(glGetUniformLocation(program, "samplesPerCurve"), samplesPerCurve);
    glUniform1i(glGetUniformLocation(program, "opacities"), opacityUnit);
    glUniform1i(glGetUniformLocation(program, "opacityRow"), opacityRow);
    glUniform1i(glGetUniformLocation(program, "ramp"), 0);
    const float colours[8] = {curves.emphasisColours[0].r, curves.emphasisColours[0].g,
                              curves.emphasisColours[0].b, curves.emphasisColours[0].a,
                              curves.emphasisColours[1].r, curves.emphasisColours[1].g,
                              curves.emphasisColours[1].b, curves.emphasisColours[1].a};
    glUniform4fv(glGetUniformLocation(program, "emphasisColours"), 2, colours);
    glUseProgram(0);

    // Curves start at the same places in every vertex buffer.
    const int32_t perBuffer = std::min(count, RenderTargets::curvesPerBuffer);
    firsts.resize(static_cast<std::size_t>(perBuffer));
    counts.assign(static_cast<std::size_t>(perBuffer), samplesPerCurve);
    for (int32_t e = 0; e < perBuffer; ++e) {
        firsts[static_cast<std::size_t>(e)] = e * samplesPerCurve;
    }
}

void CurveShader::draw(int32_t curveOffset, int32_t first, int32_t count, bool counting) {
    drawList(curveOffset, firsts.data() + first, count, counting);
}

void CurveShader::drawList(int32_t curveOffset, const int32_t* starts, int32_t count,
                           bool counting) {
    GLint rampBound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_1D, &rampBound);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "textured"), rampBound != 0 ? 1 : 0);
    glUniform1i(glGetUniformLocation(program, "counting"), counting ? 1 : 0);
    glUniform1i(glGetUniformLocation(program, "curveOffset"), curveOffset);
    glActiveTexture(GL_TEXTURE0 + opacityUnit);
    glBindTexture(GL_TEXTURE_2D, opacityTexture);
    glActiveTexture(GL_TEXTURE0);
    glMultiDrawArrays(GL_LINE_STRIP, starts, counts.data(), count);
    glActiveTexture(GL_TEXTURE0 + opacityUnit);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
}

void CurveShader::release() {
    if (program != 0) {
        glDeleteProgram(program);
        glDeleteTextures(1, &opacityTexture);
    }
    program = 0;
    opacityTexture = 0;
}
