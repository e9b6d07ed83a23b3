#include "graph/Graph.h"
#include "render/BlendModeType.h"
#include "render/SplineOpacity.h"

#include <GL/glew.h>

namespace {

constexpr int32_t rampCount = 5;

void applyBlendMode(int32_t mode) {
    switch (mode) {
    case static_cast<int32_t>(BlendModeType::None):
        glDisable(GL_BLEND);
        break;
    case static_cast<int32_t>(BlendModeType::Alpha):
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case static_cast<int32_t>(BlendModeType::Max):
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_MAX_EXT);
        break;
    default:
        break;
    }
}

} // namespace

void Graph::drawSplines() {
    if (!showSplines) {
        return;
    }
    glLineWidth(splineWidth);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_1D);
    // A ramp number outside the five (never from the panel) draws untextured
    // rather than reading past the table.
    const bool knownRamp = colorRamp >= 1 && colorRamp <= rampCount;
    glBindTexture(GL_TEXTURE_1D, knownRamp ? colorRampTextures[colorRamp - 1] : 0);
    applyBlendMode(blendMode);

    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, splineParamBuffer);
    glTexCoordPointer(1, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, splineBuffer);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    for (const auto& edge : edges) {
        const float opacity = splineOpacity(edge->arcLength, minSplineLength, maxSplineLength, minAlpha,
                                            alphaExponent, flipAlpha);
        glColor4f(1.0f, 1.0f, 1.0f, opacity);
        glDrawArrays(GL_LINE_STRIP, samplesPerEdge * edge->index, samplesPerEdge);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_1D);
}
