#include "render/FrameRenderer.h"

#include "scene/BlendModeType.h"

#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include <vector>

namespace {

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

void FrameRenderer::attach(uint32_t texture) {
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture,
                              0);
}

void FrameRenderer::enterFrame(uint32_t texture) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, targets.frameBuffer);
    target = texture;
    attach(texture);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, targets.frameWidth, targets.frameHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const auto extent = static_cast<double>(DrawDescription::frameExtent);
    glOrtho(-extent, extent, -extent, extent, 1.0, -1.0);
    glDisable(GL_TEXTURE_2D);
}

void FrameRenderer::leaveFrame() {
    glPopMatrix();
    glPopAttrib();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void FrameRenderer::finishFrame(uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGenerateMipmapEXT(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_2D);
}

void FrameRenderer::clear(const Colour& background) {
    glClearColor(background.r, background.g, background.b, background.a);
    glClear(GL_COLOR_BUFFER_BIT);
}

void FrameRenderer::drawFrame(const DrawDescription& frame) {
    enterFrame(targets.frameTexture);
    clear(frame.background);
    drawLines(frame.tree);
    if (frame.showCurves) {
        drawCurves(frame.curves);
    }
    if (frame.showOverlay) {
        drawLines(frame.overlay);
    }
    leaveFrame();
    finishFrame(targets.frameTexture);
}

void FrameRenderer::reuseFrame() {
    glMatrixMode(GL_PROJECTION);
    glBindTexture(GL_TEXTURE_2D, targets.frameTexture);
    glEnable(GL_TEXTURE_2D);
}

void FrameRenderer::showFrame() {
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
}

void FrameRenderer::drawLines(const LineSet& lines) {
    glDisable(GL_TEXTURE_2D);
    glLineWidth(lines.width);
    if (lines.blended) {
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glColor4f(lines.colour.r, lines.colour.g, lines.colour.b, lines.colour.a);
    const std::size_t ringSize = LineSet::ringVertexCount;
    for (std::size_t first = 0; first + ringSize <= lines.ringVertices.size(); first += ringSize) {
        glBegin(GL_LINE_LOOP);
        for (std::size_t j = first; j < first + ringSize; ++j) {
            glVertex2f(lines.ringVertices[j].x, lines.ringVertices[j].y);
        }
        glEnd();
    }
    for (const Rect& r : lines.rectangles) {
        glBegin(GL_LINE_LOOP);
        glVertex2f(r.x0, r.y1);
        glVertex2f(r.x1, r.y1);
        glVertex2f(r.x1, r.y0);
        glVertex2f(r.x0, r.y0);
        glEnd();
    }
    if (!lines.segments.empty()) {
        glBegin(GL_LINES);
        for (const Point& p : lines.segments) {
            glVertex2f(p.x, p.y);
        }
        glEnd();
    }
    if (lines.blended) {
        glDisable(GL_BLEND);
    }
}

Status FrameRenderer::prepare() {
    if (Status curves = curveShader.prepare(); !curves) {
        return curves;
    }
    return densityShader.prepare();
}

void FrameRenderer::release() {
    curveShader.release();
    densityShader.release();
}

bool FrameRenderer::pointsUploaded(const CurveSet& curves) const {
    return uploadedRevision == curves.pointsRevision;
}

void FrameRenderer::uploadPoints(const CurveSet& curves, std::size_t offset, std::size_t bytes) {
    glBindBuffer(GL_ARRAY_BUFFER, targets.splineBuffer);
    if (offset == 0) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(curves.points.size_bytes()), nullptr,
                     GL_DYNAMIC_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(bytes),
                    reinterpret_cast<const char*>(curves.points.data()) + offset);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (offset + bytes == curves.points.size_bytes()) {
        uploadedRevision = curves.pointsRevision;
    }
}

void FrameRenderer::loadCurves(const CurveSet& curves) {
    curveShader.load(curves);
    if (curves.blendMode == static_cast<int32_t>(BlendModeType::Density)) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, targets.frameBuffer);
        attach(targets.density());
        glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT);
        glViewport(0, 0, targets.frameWidth, targets.frameHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glPopAttrib();
        if (target != 0) {
            attach(target);
        }
    }
}

void FrameRenderer::finishCurves(const CurveSet& curves) {
    if (curves.blendMode != static_cast<int32_t>(BlendModeType::Density)) {
        return;
    }
    // The largest count sets the top of the scale.
    std::vector<float> counts(static_cast<std::size_t>(targets.frameWidth) *
                              static_cast<std::size_t>(targets.frameHeight));
    glBindTexture(GL_TEXTURE_2D, targets.density());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_FLOAT, counts.data());
    const float largest = *std::max_element(counts.begin(), counts.end());
    if (!(largest > 0.0f)) {
        return;
    }
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, targets.density());
    glActiveTexture(GL_TEXTURE0);
    const bool knownRamp = curves.colorRamp >= 1 && curves.colorRamp <= colorRampCount;
    glBindTexture(GL_TEXTURE_1D, knownRamp ? targets.colorRampTextures[curves.colorRamp - 1] : 0);
    densityShader.draw(largest, DrawDescription::frameExtent);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_1D, 0);
}

void FrameRenderer::drawCurveRange(const CurveSet& curves, int32_t first, int32_t count) {
    glLineWidth(curves.width);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_1D);
    // A ramp number outside the known ones draws untextured rather than
    // reading past the table.
    const bool knownRamp = curves.colorRamp >= 1 && curves.colorRamp <= colorRampCount;
    glBindTexture(GL_TEXTURE_1D, knownRamp ? targets.colorRampTextures[curves.colorRamp - 1] : 0);
    applyBlendMode(curves.blendMode);

    const bool counting = curves.blendMode == static_cast<int32_t>(BlendModeType::Density);
    if (counting) {
        attach(targets.density());
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, targets.splineBuffer);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    curveShader.draw(first, count, counting);
    if (counting) {
        attach(target);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_1D);
}

void FrameRenderer::drawCurves(const CurveSet& curves) {
    if (!pointsUploaded(curves)) {
        uploadPoints(curves, 0, curves.points.size_bytes());
    }
    loadCurves(curves);
    drawCurveRange(curves, 0, curves.curveCount());
    finishCurves(curves);
}
