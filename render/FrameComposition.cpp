#include "graph/Graph.h"
#include "layout/TreeLayoutType.h"
#include "render/FrameSettings.h"

#include <GL/glew.h>

namespace {

// The scene's square from -1 to 1 plus a thin border: 1.01 in single
// precision, widened.
constexpr double frameHalfExtent = static_cast<double>(1.01f);

bool isTreeMap(int32_t layoutType) {
    return layoutType >= static_cast<int32_t>(TreeLayoutType::TreeMapSlice) &&
           layoutType <= static_cast<int32_t>(TreeLayoutType::TreeMapStrip);
}

void drawFrameQuad() {
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

} // namespace

FrameSettings frameSettingsOf(const Graph& graph) {
    FrameSettings settings;
    settings.sceneRevision = graph.sceneRevision;
    settings.layoutType = graph.layoutType;
    settings.blendMode = graph.blendMode;
    settings.colorRamp = graph.colorRamp;
    settings.minAlpha = graph.minAlpha;
    settings.alphaExponent = graph.alphaExponent;
    settings.lineWidth = graph.lineWidth;
    settings.splineWidth = graph.splineWidth;
    settings.flipAlpha = graph.flipAlpha;
    settings.showTree = graph.showTree;
    settings.showSplines = graph.showSplines;
    return settings;
}

void Graph::render() {
    // A spacing edit moves the treemap's nodes: apply it before deciding
    // whether the frame from before still shows the scene.
    if (isTreeMap(layoutType)) {
        refreshTreeMapSpacing();
    }
    const FrameSettings settings = frameSettingsOf(*this);
    if (!lastDrawnFrame || !(*lastDrawnFrame == settings)) {
        drawScene();
        lastDrawnFrame = settings;
        ++scenesDrawn;
    } else {
        glMatrixMode(GL_PROJECTION);
        glBindTexture(GL_TEXTURE_2D, frameTexture);
        glEnable(GL_TEXTURE_2D);
    }
    drawFrameQuad();
}

void Graph::drawScene() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, frameBuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, frameTexture, 0);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, frameWidth, frameHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-frameHalfExtent, frameHalfExtent, -frameHalfExtent, frameHalfExtent, 1.0, -1.0);

    glDisable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    switch (layoutType) {
    case static_cast<int32_t>(TreeLayoutType::Radial):
        drawRadialTree();
        break;
    case static_cast<int32_t>(TreeLayoutType::Classic):
        drawClassicTree();
        break;
    default:
        if (isTreeMap(layoutType)) {
            drawTreeMap();
        }
        break;
    }
    drawSplines();
    drawTreeOverlay();

    glPopMatrix();
    glPopAttrib();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glBindTexture(GL_TEXTURE_2D, frameTexture);
    glGenerateMipmapEXT(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_2D);
}
