#include "render/CurveShader.h"

#include "render/GlslProgram.h"
#include "render/RenderTargets.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

namespace {

// Curves' styles are stored in rows of this many texels.
constexpr int32_t styleRow = 2048;
constexpr GLint styleUnit = 1;

const char* const vertexSource = R"(#version 130
uniform float parameters[64];
uniform int samplesPerCurve;
uniform sampler2D styles;
uniform int styleRow;
uniform int curveOffset;
out float rampCoordinate;
flat out float opacity;
flat out int colourIndex;
flat out float weight;
void main() {
    gl_Position = ftransform();
    int inBuffer = gl_VertexID / samplesPerCurve;
    rampCoordinate = parameters[gl_VertexID - inBuffer * samplesPerCurve];
    int curve = curveOffset + inBuffer;
    vec3 style = texelFetch(styles, ivec2(curve % styleRow, curve / styleRow), 0).rgb;
    opacity = style.r;
    colourIndex = int(style.g + 0.5);
    weight = style.b;
}
)";

// The fragment stage's array of fixed colours holds them all.
static_assert(CurveSet::maxFixedColours == 64);

const char* const fragmentSource = R"(#version 130
uniform sampler1D ramp;
uniform bool textured;
uniform bool counting;
uniform vec4 fixedColours[64];
uniform int fixedColourCount;
uniform uvec2 dashedColours;
in float rampCoordinate;
flat in float opacity;
flat in int colourIndex;
flat in float weight;
void main() {
    if (counting) {
        gl_FragColor = vec4(weight);
        return;
    }
    if (colourIndex > 0 && colourIndex <= fixedColourCount) {
        vec4 fixedColour = fixedColours[colourIndex - 1];
        int bit = colourIndex - 1;
        uint word = bit < 32 ? dashedColours.x : dashedColours.y;
        // Dashes by the curve's parameter: sixteen along every curve.
        if (((word >> uint(bit - (bit / 32) * 32)) & 1u) != 0u && fract(rampCoordinate * 16.0) >= 0.5) {
            discard;
        }
        gl_FragColor = vec4(fixedColour.rgb, fixedColour.a * opacity);
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
    return shader.prepare("curve", vertexSource, fragmentSource);
}

void CurveShader::load(const CurveSet& curves) {
    samplesPerCurve = static_cast<int32_t>(curves.parameters.size());
    const int32_t count = curves.curveCount();
    const int32_t rows = std::max(1, (count + styleRow - 1) / styleRow);
    // Per curve its opacity, colour index and weight.
    std::vector<float> texels(static_cast<std::size_t>(rows) * styleRow * 3, 0.0f);
    for (int32_t e = 0; e < count; ++e) {
        const auto at = 3 * static_cast<std::size_t>(e);
        texels[at] = curves.opacity[static_cast<std::size_t>(e)];
        texels[at + 1] =
            curves.colourIndex.empty() ? 0.0f : curves.colourIndex[static_cast<std::size_t>(e)];
        texels[at + 2] = curves.weightOf(e);
    }
    glActiveTexture(GL_TEXTURE0 + styleUnit);
    glBindTexture(GL_TEXTURE_2D, shader.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, styleRow, rows, 0, GL_RGB, GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);

    glUseProgram(shader.program);
    glUniform1fv(glGetUniformLocation(shader.program, "parameters"), samplesPerCurve,
                 curves.parameters.data());
    glUniform1i(glGetUniformLocation(shader.program, "samplesPerCurve"), samplesPerCurve);
    glUniform1i(glGetUniformLocation(shader.program, "styles"), styleUnit);
    glUniform1i(glGetUniformLocation(shader.program, "styleRow"), styleRow);
    glUniform1i(glGetUniformLocation(shader.program, "ramp"), 0);
    const int32_t fixedCount = curves.fixedColourCount();
    glUniform1i(glGetUniformLocation(shader.program, "fixedColourCount"), fixedCount);
    glUniform2ui(glGetUniformLocation(shader.program, "dashedColours"),
                 static_cast<GLuint>(curves.dashedColours & 0xFFFFFFFFu),
                 static_cast<GLuint>(curves.dashedColours >> 32));
    std::vector<float> colours;
    for (int32_t k = 0; k < fixedCount; ++k) {
        const Colour& c = curves.fixedColours[static_cast<std::size_t>(k)];
        colours.insert(colours.end(), {c.r, c.g, c.b, c.a});
    }
    if (fixedCount > 0) {
        glUniform4fv(glGetUniformLocation(shader.program, "fixedColours"), fixedCount,
                     colours.data());
    }
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
    glUseProgram(shader.program);
    glUniform1i(glGetUniformLocation(shader.program, "textured"), rampBound != 0 ? 1 : 0);
    glUniform1i(glGetUniformLocation(shader.program, "counting"), counting ? 1 : 0);
    glUniform1i(glGetUniformLocation(shader.program, "curveOffset"), curveOffset);
    glActiveTexture(GL_TEXTURE0 + styleUnit);
    glBindTexture(GL_TEXTURE_2D, shader.texture);
    glActiveTexture(GL_TEXTURE0);
    glMultiDrawArrays(GL_LINE_STRIP, starts, counts.data(), count);
    glActiveTexture(GL_TEXTURE0 + styleUnit);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
}

void CurveShader::release() {
    shader.release();
}
