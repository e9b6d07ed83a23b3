#include "render/FrameRenderer.h"
#include "render/RegionQuad.h"

#include "render/LegendDrawing.h"
#include "settings/BlendModeType.h"

#include <GL/glew.h>

#include <algorithm>
#include <vector>

namespace {

void applyBlendMode(BlendModeType mode) {
    switch (mode) {
    case BlendModeType::None:
        glDisable(GL_BLEND);
        break;
    case BlendModeType::Alpha:
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendModeType::Max:
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

void FrameRenderer::enterFrame(uint32_t texture, const FrameRegion& region) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, targets.frameBuffer);
    target = texture;
    targetRegion = region;
    attach(texture);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, targets.frameWidth, targets.frameHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const auto x = static_cast<double>(region.centreX);
    const auto y = static_cast<double>(region.centreY);
    const auto extent = static_cast<double>(region.halfExtent);
    glOrtho(x - extent, x + extent, y - extent, y + extent, 1.0, -1.0);
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

void FrameRenderer::dim(const Colour& background, float kept) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(background.r, background.g, background.b, 1.0f - kept);
    drawRegionQuad(targetRegion);
    glDisable(GL_BLEND);
}

void FrameRenderer::copyPicture(uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawRegionQuad(targetRegion);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FrameRenderer::drawFrame(const DrawDescription& frame) {
    enterFrame(targets.frameTexture, frame.region);
    drawAllLayers(frame, *this);
    leaveFrame();
    finishFrame(targets.frameTexture);
}

void FrameRenderer::reuseFrame() {
    glMatrixMode(GL_PROJECTION);
    glBindTexture(GL_TEXTURE_2D, targets.frameTexture);
    glEnable(GL_TEXTURE_2D);
}

void FrameRenderer::showFrame(const FrameRegion& region) {
    // Dividing by the whole frame's extent makes that frame exactly +-1.
    const double extent = DrawDescription::frameExtent;
    const auto left = static_cast<float>((region.centreX - region.halfExtent) / extent);
    const auto right = static_cast<float>((region.centreX + region.halfExtent) / extent);
    const auto bottom = static_cast<float>((region.centreY - region.halfExtent) / extent);
    const auto top = static_cast<float>((region.centreY + region.halfExtent) / extent);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(left, bottom, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(left, top, 0.0f);
    glEnd();
}

void FrameRenderer::showFading(uint32_t earlier, const FrameRegion& earlierRegion,
                               const FrameRegion& region, float share) {
    glBindTexture(GL_TEXTURE_2D, earlier);
    showFrame(earlierRegion);
    glBindTexture(GL_TEXTURE_2D, targets.frameTexture);
    // A constant alpha, whatever the frame's own alpha holds.
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendColor(0.0f, 0.0f, 0.0f, share);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    showFrame(region);
    glDisable(GL_BLEND);
}

void FrameRenderer::drawLines(const LineSet& lines) {
    drawLineRange(lines, 0, lines.itemCount());
}

void FrameRenderer::drawFillRange(const FillSet& fills, std::size_t first, std::size_t count) {
    // The window's culling would drop the rectangles wound one way.
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (std::size_t item = first; item < first + count; ++item) {
        const Colour& c = fills.colours[item];
        const Rect& r = fills.rectangles[item];
        glColor4f(c.r, c.g, c.b, c.a);
        glVertex2f(r.x0, r.y1);
        glVertex2f(r.x1, r.y1);
        glVertex2f(r.x1, r.y0);
        glVertex2f(r.x0, r.y0);
    }
    glEnd();
}

void FrameRenderer::drawLineRange(const LineSet& lines, std::size_t first, std::size_t count) {
    glDisable(GL_TEXTURE_2D);
    glLineWidth(lines.width);
    if (lines.blended) {
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glColor4f(lines.colour.r, lines.colour.g, lines.colour.b, lines.colour.a);
    const std::size_t end = first + count;
    const std::size_t rings = lines.ringCount();
    const std::size_t rectanglesEnd = rings + lines.rectangles.size();
    for (std::size_t ring = first; ring < std::min(end, rings); ++ring) {
        glBegin(GL_LINE_LOOP);
        for (std::size_t j = 0; j < LineSet::ringVertexCount; ++j) {
            const Point& p = lines.ringVertices[ring * LineSet::ringVertexCount + j];
            glVertex2f(p.x, p.y);
        }
        glEnd();
    }
    for (std::size_t item = std::max(first, rings); item < std::min(end, rectanglesEnd); ++item) {
        const Rect& r = lines.rectangles[item - rings];
        glBegin(GL_LINE_LOOP);
        glVertex2f(r.x0, r.y1);
        glVertex2f(r.x1, r.y1);
        glVertex2f(r.x1, r.y0);
        glVertex2f(r.x0, r.y0);
        glEnd();
    }
    const std::size_t segmentsFirst = std::max(first, rectanglesEnd);
    if (segmentsFirst < end) {
        glBegin(GL_LINES);
        for (std::size_t item = segmentsFirst; item < end; ++item) {
            const std::size_t segment = item - rectanglesEnd;
            glVertex2f(lines.segments[2 * segment].x, lines.segments[2 * segment].y);
            glVertex2f(lines.segments[2 * segment + 1].x, lines.segments[2 * segment + 1].y);
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

std::size_t FrameRenderer::bufferCount(const CurveSet& curves) {
    const auto perBuffer = static_cast<std::size_t>(RenderTargets::curvesPerBuffer);
    return (static_cast<std::size_t>(curves.curveCount()) + perBuffer - 1) / perBuffer;
}

void FrameRenderer::uploadBuffer(const CurveSet& curves, std::size_t index) {
    const std::size_t curveBytes = curves.parameters.size() * 2 * sizeof(float);
    const std::size_t first = index * RenderTargets::curvesPerBuffer;
    const std::size_t count = std::min<std::size_t>(
        RenderTargets::curvesPerBuffer, static_cast<std::size_t>(curves.curveCount()) - first);
    const std::size_t bytes = count * curveBytes;
    glBindBuffer(GL_ARRAY_BUFFER, targets.curveBuffer(index));
    if (bufferBytes.size() <= index) {
        bufferBytes.resize(index + 1, 0);
    }
    // A store is made anew only for another size: making one costs the
    // memory's first touch, overwriting one does not.
    if (bufferBytes[index] != bytes) {
        bufferBytes[index] = bytes;
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_DYNAMIC_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes),
                    reinterpret_cast<const char*>(curves.points.data()) + first * curveBytes);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (index + 1 == bufferCount(curves)) {
        uploadedRevision = curves.pointsRevision;
    }
}

void FrameRenderer::beginCurves(const CurveSet& curves) {
    if (!pointsUploaded(curves)) {
        for (std::size_t index = 0; index < bufferCount(curves); ++index) {
            uploadBuffer(curves, index);
        }
    }
    curveShader.load(curves);
    if (curves.blendMode == BlendModeType::Density) {
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
    if (curves.blendMode != BlendModeType::Density) {
        return;
    }
    // The counts set the scale: its top, or every count's rank.
    std::vector<float> counts(static_cast<std::size_t>(targets.frameWidth) *
                              static_cast<std::size_t>(targets.frameHeight));
    glBindTexture(GL_TEXTURE_2D, targets.density());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_FLOAT, counts.data());
    density = std::make_shared<const DensityScale>(counts, curves.densityScale);
    if (!(density->largest() > 0.0f)) {
        return;
    }
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, targets.density());
    glActiveTexture(GL_TEXTURE0);
    const bool knownRamp = curves.colorRamp >= 1 && curves.colorRamp <= colorRampCount;
    glBindTexture(GL_TEXTURE_1D, knownRamp ? targets.colorRampTextures[curves.colorRamp - 1] : 0);
    densityShader.draw(*density, targetRegion);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_1D, 0);
}

void FrameRenderer::drawPlaces(const CurveSet& curves, int32_t first, int32_t count,
                               bool counting) {
    const int32_t perBuffer = RenderTargets::curvesPerBuffer;
    const auto samples = static_cast<int32_t>(curves.parameters.size());
    std::vector<int32_t> starts;
    // Runs of places whose curves share a vertex buffer, one call each.
    for (int32_t from = first; from < first + count;) {
        const int32_t buffer = curves.curveAt(from) / perBuffer;
        glBindBuffer(GL_ARRAY_BUFFER, targets.curveBuffer(static_cast<std::size_t>(buffer)));
        glVertexPointer(2, GL_FLOAT, 0, nullptr);
        if (curves.order.empty()) {
            const int32_t to = std::min(first + count, (buffer + 1) * perBuffer);
            curveShader.draw(buffer * perBuffer, from - buffer * perBuffer, to - from, counting);
            from = to;
            continue;
        }
        starts.clear();
        for (; from < first + count && curves.curveAt(from) / perBuffer == buffer; ++from) {
            starts.push_back((curves.curveAt(from) - buffer * perBuffer) * samples);
        }
        curveShader.drawList(buffer * perBuffer, starts.data(), static_cast<int32_t>(starts.size()),
                             counting);
    }
}

void FrameRenderer::drawCurveRange(const CurveSet& curves, int32_t first, int32_t count) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_1D);
    // A ramp number outside the known ones draws untextured rather than
    // reading past the table.
    const bool knownRamp = curves.colorRamp >= 1 && curves.colorRamp <= colorRampCount;
    glBindTexture(GL_TEXTURE_1D, knownRamp ? targets.colorRampTextures[curves.colorRamp - 1] : 0);
    applyBlendMode(curves.blendMode);

    const bool counting = curves.blendMode == BlendModeType::Density;
    if (counting) {
        attach(targets.density());
        glEnable(GL_BLEND);
        glBlendEquationEXT(GL_FUNC_ADD_EXT);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    // GL's line width holds for a whole call: runs of places whose curves
    // share a width, one width each.
    const int32_t end = first + count;
    for (int32_t from = first; from < end;) {
        const float width = curves.widthOf(curves.curveAt(from));
        int32_t to = curves.widths.empty() ? end : from + 1;
        while (to < end && curves.widthOf(curves.curveAt(to)) == width) {
            ++to;
        }
        glLineWidth(width);
        drawPlaces(curves, from, to - from, counting);
        from = to;
    }
    if (counting) {
        attach(target);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_1D);
}

void FrameRenderer::drawCurves(const CurveSet& curves) {
    beginCurves(curves);
    drawCurveRange(curves, 0, curves.placeCount());
    finishCurves(curves);
}

void FrameRenderer::writeLabels(uint32_t texture, const DrawDescription& frame,
                                const TextAtlas& text) {
    enterFrame(texture, frame.region);
    const double pixelsPerUnit = frame.region.pixelsPerUnit(targets.frameWidth);
    text.draw(frame.labels, pixelsPerUnit, 1.0, frame.labelTextColour);
    text.draw(frame.cellTexts, pixelsPerUnit, 1.0, frame.cellTextColour);
    leaveFrame();
}

void FrameRenderer::writeLegend(uint32_t texture, const DrawDescription& frame,
                                const TextAtlas& text) {
    if (!frame.showLegend) {
        return;
    }
    const LegendLayout layout =
        layOutLegend(frame.legend, frame.curves.ramp.span(), text, 1.0f, density.get());
    enterFrame(texture, frame.region);
    drawLegend(layout,
               legendPlace(layout, static_cast<float>(targets.frameWidth),
                           static_cast<float>(targets.frameHeight)),
               targets.frameWidth, targets.frameHeight, text);
    leaveFrame();
}

void FrameRenderer::copyFrame(uint32_t from, uint32_t to) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, targets.frameBuffer);
    attach(from);
    glBindTexture(GL_TEXTURE_2D, to);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, targets.frameWidth, targets.frameHeight);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}
